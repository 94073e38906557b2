#pragma once
// The Edit Mesh window. Its contents arrive with their own work; the main window already shows,
// hides and closes it.

#include "ui/SecondaryForm.h"

namespace planaq::ui {

class TFormMesh : public SecondaryForm {
  Q_OBJECT

 public:
  explicit TFormMesh(QWidget* parent = nullptr)
      : SecondaryForm(QStringLiteral("FormMesh"), QStringLiteral("Edit Mesh"), parent) {
    resize(800, 600);
  }
};

}  // namespace planaq::ui
