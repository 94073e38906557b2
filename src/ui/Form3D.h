#pragma once
// The 3D-Graph window. Its contents arrive with their own work; the main window already shows,
// hides and closes it.

#include "ui/SecondaryForm.h"

namespace planaq::ui {

class TForm3D : public SecondaryForm {
  Q_OBJECT

 public:
  explicit TForm3D(QWidget* parent = nullptr)
      : SecondaryForm(QStringLiteral("Form3D"), QStringLiteral("3D-Graph"), parent) {
    resize(800, 600);
  }
};

}  // namespace planaq::ui
