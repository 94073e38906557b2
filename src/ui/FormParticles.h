#pragma once
// The Particles window. Its contents arrive with their own work; the main window already shows,
// hides and closes it.

#include "ui/SecondaryForm.h"

namespace planaq::ui {

class TFormParticles : public SecondaryForm {
  Q_OBJECT

 public:
  explicit TFormParticles(QWidget* parent = nullptr)
      : SecondaryForm(QStringLiteral("FormParticles"), QStringLiteral("Particles"), parent) {
    resize(420, 400);
  }
};

}  // namespace planaq::ui
