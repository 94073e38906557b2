#pragma once
// The Nodes window. Its contents arrive with their own work; the main window already shows,
// hides and closes it.

#include "ui/SecondaryForm.h"

namespace planaq::ui {

class TFormNod : public SecondaryForm {
  Q_OBJECT

 public:
  explicit TFormNod(QWidget* parent = nullptr)
      : SecondaryForm(QStringLiteral("FormNod"), QStringLiteral("Nodes"), parent) {
    resize(720, 480);
  }
};

}  // namespace planaq::ui
