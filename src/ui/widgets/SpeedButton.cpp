#include "ui/widgets/SpeedButton.h"

namespace planaq::ui {

QToolButton* MakeSpeedButton(QWidget* parent, const char* name, const char* hint,
                             const QString& glyph) {
  auto* button = new QToolButton(parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setToolTip(QString::fromLatin1(hint));
  button->setText(glyph);
  button->setFocusPolicy(Qt::NoFocus);
  button->setAutoRaise(true);
  return button;
}

}  // namespace planaq::ui
