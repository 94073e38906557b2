#pragma once
// The Wells window. Its contents arrive with their own work; the main window already shows,
// hides and closes it.

#include "ui/SecondaryForm.h"

namespace planaq::ui {

class TFormWells : public SecondaryForm {
  Q_OBJECT

 public:
  explicit TFormWells(QWidget* parent = nullptr)
      : SecondaryForm(QStringLiteral("FormWells"), QStringLiteral("Wells"), parent) {
    resize(520, 400);
  }
};

}  // namespace planaq::ui
