#pragma once
// The Edit Mesh window: the element mesh drawn on the figure base, Split 2 and Split 4 at once,
// and Add Well as a mode of one click. The handlers turn pixels into metres with the mesh
// mapping and call the refinement and well operations of the core; Ctrl+Z undoes the last
// edit made here.

#include <QPoint>
#include <functional>

#include "mesh/EditSnapshot.h"
#include "mesh/MeshMapping.h"
#include "mesh/Selection.h"
#include "mesh/SelectionAssign.h"
#include "model/Problem.h"
#include "ui/Dialogs.h"
#include "ui/figures/BackgroundMap.h"
#include "ui/figures/DrawnFor.h"
#include "ui/figures/FigureForm.h"

class QFrame;
class QLabel;
class QToolButton;

namespace planaq::ui {

class CoordinatePanel;
class TFormAssign;

class TFormMesh : public FigureForm {
  Q_OBJECT

 public:
  // coordinateExits: the exit count of the coordinate fields, shared with the block editor
  TFormMesh(Problem& problem, Dialogs& dialogs, int& coordinateExits, QWidget* parent = nullptr);

  bool AddWellMode() const;
  const MeshMapping& Mapping() const { return map_; }
  // the counts become the previous counts, then the window is hidden
  void FormClose() override;
  void SpeedButtonNodeClick();
  void SpeedButtonSplit2Click();
  void SpeedButtonSplit4Click();
  void SpeedButtonHelpClick();
  // back to the problem before the last edit made here
  void Undo();

  // Select: a polygon by clicks (Shift: a line), a rectangle by a drag; a double-click or
  // Enter ends the shape, Escape drops it. The selected nodes are marked and counted, and the
  // Assign dialog sets their data.
  bool SelectMode() const;
  void SpeedButtonSelectClick();
  const Selection& CurrentSelection() const { return selection_; }
  const SelectionShape& CurrentShape() const { return shape_; }
  TFormAssign* AssignDialog() const { return FormAssign; }
  // the line's half-width changed: the same shape selects again
  void SelectWithWidth(double width);
  // the assignment on the selection, one edit for Ctrl+Z
  AssignOutcome ApplyAssignment(const Assignment& assignment);
  // told after every assignment and undo, so the other windows show the new values
  void OnEdited(std::function<void()> handler) { onEdited_ = std::move(handler); }
  // the settings of the options window, read at every drawing for the background map
  void UseOptions(std::function<Options()> options) { options_ = std::move(options); }

 protected:
  void FormPaint(Canvas& canvas) override;
  bool Outdated() const override;
  void showEvent(QShowEvent* event) override;
  void PlaceBeforeShow() override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  // the Assign dialog goes when the main window hides this one (close-all)
  void hideEvent(QHideEvent* event) override;

 private:
  void EndSelect();
  void SelectPress(QMouseEvent* event);
  void SelectRelease(QMouseEvent* event);
  void SelectMove(QMouseEvent* event);
  void FinishShape();
  void ShowSelectionCount(const AssignOutcome* changed = nullptr);
  // after a refinement or an undo the node numbers are new: the shape selects again
  void SelectAgain();
  // a pixel as a point of the area, held to 0..LX, 0..LY
  ShapePoint AreaPoint(QPoint pixel) const;
  // a corner of a polygon or line: on the node within a few pixels, if there is one
  ShapePoint SnappedPoint(QPoint pixel) const;

  void Activate();
  void EndAddWell();
  void Split(int parts);
  void PutBackRemembered();

  Problem& problem_;
  Dialogs& dialogs_;
  MeshMapping map_;
  std::function<Options()> options_;
  BackgroundMap background_;
  DrawnFor drawnFor_;
  EditUndo undo_;
  int pendingWellNode_ = -1;

  QFrame* PanelMesh = nullptr;
  QToolButton* SpeedButtonNode = nullptr;
  QToolButton* SpeedButtonSplit2 = nullptr;
  QToolButton* SpeedButtonSplit4 = nullptr;
  QToolButton* SpeedButtonHelp = nullptr;
  CoordinatePanel* PanelXY = nullptr;
  QLabel* LabelOperation = nullptr;

  QToolButton* SpeedButtonSelect = nullptr;
  TFormAssign* FormAssign = nullptr;
  SelectionShape shape_;
  Selection selection_;
  bool shapeDone_ = false;
  bool afterDoubleClick_ = false;
  QPoint pressedAt_;
  // where the mouse is while a shape is drawn: the rubber line runs from the last corner to it,
  // or the rubber rectangle of a drag from where it began
  QPoint rubberTo_;
  bool rubberShown_ = false;
  bool rubberCloses_ = false;
  bool dragging_ = false;
  std::function<void()> onEdited_;
};

// The text of the "Help" key.
const char* MeshHelpText();

}  // namespace planaq::ui
