#pragma once
// The Edit Blocks window: the main nodes and the blocks drawn on the figure base, and three
// keys of one action each (Drag Node, New Node, New Line). The mouse handlers turn pixels into
// metres with the mesh mapping and call the block operations of the core; Ctrl+Z undoes the
// last edit made here.

#include "mesh/EditSnapshot.h"
#include "mesh/MeshMapping.h"
#include "model/Problem.h"
#include "ui/Dialogs.h"
#include "ui/figures/DrawnFor.h"
#include "ui/figures/FigureForm.h"

class QFrame;
class QLabel;
class QToolButton;

namespace planaq::ui {

class CoordinatePanel;

class TFormEdit : public FigureForm {
  Q_OBJECT

 public:
  enum class Mode { None, Drag, Node, Line };

  // coordinateExits: the exit count of the coordinate fields, shared with the mesh window
  TFormEdit(Problem& problem, Dialogs& dialogs, int& coordinateExits, QWidget* parent = nullptr);

  Mode EditMode() const;
  const MeshMapping& Mapping() const { return map_; }
  // the reset of the mesh to the blocks, a last drawing, then the window is hidden
  void FormClose() override;
  void SpeedButtonDragClick();
  void SpeedButtonNodeClick();
  void SpeedButtonLineClick();
  void SpeedButtonHelpClick();
  // back to the problem before the last edit made here
  void Undo();

 protected:
  void FormPaint(Canvas& canvas) override;
  bool Outdated() const override;
  void showEvent(QShowEvent* event) override;
  void PlaceBeforeShow() override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Activate();
  void KeyOff(QToolButton* key);
  void EndMode();
  void CoordinateLeft(bool isX, double value, bool later);
  void NewNodeAt(double x, double y);
  void LineReleasedAt(double x, double y);
  void RubberLine(Point to);
  // the mouse position in metres, held to the area
  double MetresX(const QMouseEvent* event) const;
  double MetresY(const QMouseEvent* event) const;

  Problem& problem_;
  Dialogs& dialogs_;
  MeshMapping map_;
  DrawnFor drawnFor_;
  EditUndo undo_;
  unsigned long meshResetUndo_ = 0;  // the kept edit that is the reset of a refined mesh

  QFrame* PanelEdit = nullptr;
  QToolButton* SpeedButtonDrag = nullptr;
  QToolButton* SpeedButtonNode = nullptr;
  QToolButton* SpeedButtonLine = nullptr;
  QToolButton* SpeedButtonHelp = nullptr;
  CoordinatePanel* PanelXY = nullptr;
  QLabel* LabelOperation = nullptr;

  bool dragging_ = false;
  bool lineInProgress_ = false;
  int pending_ = -1;            // the node dragged, or NA in New Node mode
  bool pendingPlaced_ = false;  // the pending new node has a position from this mode
  int lineStart_ = -1;
  Point rubberStart_, rubberEnd_;
  bool rubberDrawn_ = false;
};

// The text of the "Help" key.
const char* EditHelpText();

}  // namespace planaq::ui
