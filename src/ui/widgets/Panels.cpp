#include "ui/widgets/Panels.h"

#include <QFrame>
#include <QPalette>
#include <QToolButton>

namespace planaq::ui {

void FillBackground(QWidget* widget, const QColor& c) {
  widget->setAutoFillBackground(true);
  QPalette p = widget->palette();
  p.setColor(QPalette::Window, c);
  p.setColor(QPalette::WindowText, Qt::black);
  p.setColor(QPalette::Text, Qt::black);
  widget->setPalette(p);
}

QFrame* ColouredPanel(QWidget* parent, const char* name, const QColor& c, QRect where) {
  auto* panel = new QFrame(parent);
  panel->setObjectName(QString::fromLatin1(name));
  panel->setGeometry(where);
  FillBackground(panel, c);
  panel->setFrameShape(QFrame::Panel);
  return panel;
}

QToolButton* SpeedButton(QWidget* parent, const char* name, const char* caption, const char* hint,
                         bool checkable) {
  auto* button = new QToolButton(parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setText(QString::fromLatin1(caption));
  button->setToolTip(QString::fromLatin1(hint));
  button->setCheckable(checkable);
  button->setAutoRaise(false);
  // a speed button never takes the focus: a grid keeps its cell editor, a coordinate field is
  // not left, while the button is used
  button->setFocusPolicy(Qt::NoFocus);
  return button;
}

}  // namespace planaq::ui
