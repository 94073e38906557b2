#include "ui/widgets/FramePlacement.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace planaq::ui {

namespace {
// long enough for the window manager's frame extents to reach the program
constexpr int kFrameSettleMs = 150;
}  // namespace

void MoveFrame(QWidget* window, QPoint at, QPoint firstShowFrameOffset) {
  // A window shown before has a known frame, and move() places that frame. At the first show
  // the position asked for is taken for the client area, below the frame.
  const bool shownBefore =
      window->testAttribute(Qt::WA_WState_Created) && window->frameGeometry() != window->geometry();
  window->move(shownBefore ? at : at + firstShowFrameOffset);
}

void CorrectFrameWhenShown(QWidget* window, QPoint at) {
  QPointer<QWidget> guarded(window);
  QTimer::singleShot(kFrameSettleMs, window, [guarded, at] {
    if (!guarded || !guarded->isVisible() || !guarded->windowHandle()) return;
    if (guarded->frameGeometry().topLeft() != at) guarded->windowHandle()->setFramePosition(at);
  });
}

}  // namespace planaq::ui
