#pragma once
// The Block Properties window. Its contents arrive with their own work; the main window already shows,
// hides and closes it.

#include "ui/SecondaryForm.h"

namespace planaq::ui {

class TFormSoils : public SecondaryForm {
  Q_OBJECT

 public:
  explicit TFormSoils(QWidget* parent = nullptr)
      : SecondaryForm(QStringLiteral("FormSoils"), QStringLiteral("Block Properties"), parent) {
    resize(720, 400);
  }
};

}  // namespace planaq::ui
