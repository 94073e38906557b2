#pragma once
// The Edit Blocks window. Its contents arrive with their own work; the main window already shows,
// hides and closes it.

#include "ui/SecondaryForm.h"

namespace planaq::ui {

class TFormEdit : public SecondaryForm {
  Q_OBJECT

 public:
  explicit TFormEdit(QWidget* parent = nullptr)
      : SecondaryForm(QStringLiteral("FormEdit"), QStringLiteral("Edit Blocks"), parent) {
    resize(800, 600);
  }
};

}  // namespace planaq::ui
