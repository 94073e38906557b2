#pragma once
// Windows are placed by their frame, title bar included, as the window manager draws it. Before
// a window's first show nobody knows that frame, and window managers differ in what they do
// with the position asked for: so the frame is checked once the window is on screen, and put
// where it was meant to be.

#include <QPoint>

class QWidget;

namespace planaq::ui {

// Places the frame of window at at; call it before and after the window is shown.
void MoveFrame(QWidget* window, QPoint at, QPoint firstShowFrameOffset = QPoint());
// Once the window manager has framed the window: its frame goes to at if it is elsewhere.
void CorrectFrameWhenShown(QWidget* window, QPoint at);

}  // namespace planaq::ui
