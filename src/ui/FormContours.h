#pragma once
// The Contours window. Its contents arrive with their own work; the main window already shows,
// hides and closes it.

#include "ui/SecondaryForm.h"

namespace planaq::ui {

class TFormContours : public SecondaryForm {
  Q_OBJECT

 public:
  explicit TFormContours(QWidget* parent = nullptr)
      : SecondaryForm(QStringLiteral("FormContours"), QStringLiteral("Contours"), parent) {
    resize(800, 600);
  }
};

}  // namespace planaq::ui
