#pragma once
// The Manual window. Its contents arrive with their own work; the main window already shows,
// hides and closes it.

#include "ui/SecondaryForm.h"

namespace planaq::ui {

class TFormManual : public SecondaryForm {
  Q_OBJECT

 public:
  explicit TFormManual(QWidget* parent = nullptr)
      : SecondaryForm(QStringLiteral("FormManual"), QStringLiteral("Manual"), parent) {
    resize(700, 600);
  }
};

}  // namespace planaq::ui
