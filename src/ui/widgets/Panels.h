#pragma once
// Small widget makers that the windows share: a panel in one of the program's colours, and a
// speed button with its hint.

#include <QColor>
#include <QRect>

class QFrame;
class QToolButton;
class QWidget;

namespace planaq::ui {

// Fills the widget's background with c, its texts black.
void FillBackground(QWidget* widget, const QColor& c);

// A framed panel of colour c at where, named name.
QFrame* ColouredPanel(QWidget* parent, const char* name, const QColor& c, QRect where);

// A flat button with caption and hint that never takes the focus; a checkable one stays down
// until it is clicked again.
QToolButton* SpeedButton(QWidget* parent, const char* name, const char* caption, const char* hint,
                         bool checkable = false);

}  // namespace planaq::ui
