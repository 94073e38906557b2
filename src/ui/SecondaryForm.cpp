#include "ui/SecondaryForm.h"

#include <QCloseEvent>
#include <QWindow>

#include "ui/widgets/FramePlacement.h"

namespace planaq::ui {

SecondaryForm::SecondaryForm(const QString& objectName, const QString& caption, QWidget* parent)
    : QWidget(parent, Qt::Window) {
  setObjectName(objectName);
  setWindowTitle(caption);
}

void SecondaryForm::FormClose() {
  hide();
  if (onClosed_) onClosed_();
}

void SecondaryForm::setVisible(bool visible) {
  const QWidget* main = MainWindow();
  if (visible && main && main->windowHandle()) {
    // a window of the program's own: above the main window, never above other programs
    create();
    windowHandle()->setTransientParent(main->windowHandle());
  }
  if (visible && !isVisible()) PlaceBeforeShow();
  QWidget::setVisible(visible);
  if (visible && framePlaced_) CorrectFrameWhenShown(this, framePlace_);
}

void SecondaryForm::StayAboveMainWindow() {
  // the window system keeps a dialog above the window it belongs to; a plain window it does not
  setWindowFlags((windowFlags() & ~Qt::WindowType_Mask) | Qt::Dialog);
}

const QWidget* SecondaryForm::MainWindow() const {
  return parentWidget() ? parentWidget()->window() : nullptr;
}

void SecondaryForm::MoveFrameTo(int x, int y) {
  framePlace_ = QPoint(x, y);
  framePlaced_ = true;
  // the frame around the main window is the frame this window will get
  const QWidget* main = MainWindow();
  const QPoint mainFrame = main && main->isVisible()
                               ? main->geometry().topLeft() - main->frameGeometry().topLeft()
                               : QPoint();
  MoveFrame(this, framePlace_, mainFrame);
}

void SecondaryForm::PlaceFrameRect(const QRect& frame, bool fixed) {
  const QWidget* main = MainWindow();
  QSize border(0, 0);
  if (main && main->isVisible()) border = main->frameGeometry().size() - main->geometry().size();
  const QSize client = frame.size() - border;
  if (fixed)
    setFixedSize(client);
  else
    resize(client);
  MoveFrameTo(frame.x(), frame.y());
}

int SecondaryForm::FrameWidth() const {
  // before its first show a window has no frame yet: the main window's is the same
  if (isVisible()) return frameGeometry().width() - width();
  const QWidget* main = MainWindow();
  return main && main->isVisible() ? main->frameGeometry().width() - main->width() : 0;
}

void SecondaryForm::closeEvent(QCloseEvent* event) {
  // the window is only hidden: it lives until the program ends
  event->ignore();
  FormClose();
}

}  // namespace planaq::ui
