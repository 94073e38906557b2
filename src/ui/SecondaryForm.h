#pragma once
// What every secondary window shares: it is created once, then only shown and hidden, and its
// close handler clears the open-state that the main window keeps for it.

#include <QWidget>
#include <functional>

namespace planaq::ui {

class SecondaryForm : public QWidget {
  Q_OBJECT

 public:
  SecondaryForm(const QString& objectName, const QString& caption, QWidget* parent = nullptr);
  // run by the close handler, after the window has been hidden
  void OnClosed(std::function<void()> handler) { onClosed_ = std::move(handler); }
  // FormClose: the user closed the window, or a command closes it through its own handling
  virtual void FormClose();
  // Shown, the window stays above the main window (and above nothing else), its frame where
  // MoveFrameTo put it.
  void setVisible(bool visible) override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  // A window of the main window's, like a dialog: it never hides behind the main window.
  void StayAboveMainWindow();
  // Places the window's frame, its title bar included, at (x, y): the same place at every show.
  void MoveFrameTo(int x, int y);
  // what the window manager's frame adds to the width of a window
  int FrameWidth() const;
  // The frame, title bar included, at frame's place and of its size: the client area is what
  // the frame leaves (as much as the main window's frame takes); fixed: the user cannot resize.
  void PlaceFrameRect(const QRect& frame, bool fixed);
  // run before every show, to place the window where it is written to be
  virtual void PlaceBeforeShow() {}

 private:
  const QWidget* MainWindow() const;

  std::function<void()> onClosed_;
  QPoint framePlace_;
  bool framePlaced_ = false;
};

}  // namespace planaq::ui
