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

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  std::function<void()> onClosed_;
};

}  // namespace planaq::ui
