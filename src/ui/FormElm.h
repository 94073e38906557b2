#pragma once
// The Elements window. Its contents arrive with their own work; the main window already shows,
// hides and closes it.

#include "ui/SecondaryForm.h"

namespace planaq::ui {

class TFormElm : public SecondaryForm {
  Q_OBJECT

 public:
  explicit TFormElm(QWidget* parent = nullptr)
      : SecondaryForm(QStringLiteral("FormElm"), QStringLiteral("Elements"), parent) {
    resize(420, 480);
  }
};

}  // namespace planaq::ui
