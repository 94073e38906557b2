#pragma once
// PanelXY of the mesh window and the block editor: the fields EditX and EditY with a position
// in metres. Leaving a field reads its text back (the leading number, held to 0..LX or 0..LY),
// shows it again in "%10.3f" and counts the exit. Both windows count on one counter, owned by
// the main window; the block editor's "Drag Node" key sets it back to 0.

#include <QFrame>
#include <functional>

#include "model/Problem.h"

class QLineEdit;

namespace planaq::ui {

class CoordinatePanel : public QFrame {
  Q_OBJECT

 public:
  CoordinatePanel(const Problem& problem, int& exits, QWidget* parent);

  // both fields with the position; the panel is shown
  void ShowPosition(double x, double y);
  void ResetExits() { exits_ = 0; }

  // a field was left: is it EditX, the value it holds now, is this exit the second or a later
  std::function<void(bool isX, double value, bool later)> onExit;

  QLineEdit* EditX = nullptr;
  QLineEdit* EditY = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Left(QLineEdit* field, bool isX);
  const Problem& problem_;
  int& exits_;
};

}  // namespace planaq::ui
