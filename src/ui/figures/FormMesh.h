#pragma once
// The Edit Mesh window: the element mesh drawn on the figure base, Split 2 and Split 4 at once,
// and Add Well as a mode of one click. The handlers turn pixels into metres with the mesh
// mapping and call the refinement and well operations of the core; Ctrl+Z undoes the last
// edit made here.

#include "mesh/EditSnapshot.h"
#include "mesh/MeshMapping.h"
#include "model/Problem.h"
#include "ui/Dialogs.h"
#include "ui/figures/FigureForm.h"

class QFrame;
class QLabel;
class QToolButton;

namespace planaq::ui {

class CoordinatePanel;

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

 protected:
  void FormPaint(Canvas& canvas) override;
  void showEvent(QShowEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Activate();
  void EndAddWell();
  void Split(int parts);
  void PutBackRemembered();

  Problem& problem_;
  Dialogs& dialogs_;
  MeshMapping map_;
  EditUndo undo_;
  int pendingWellNode_ = -1;

  QFrame* PanelMesh = nullptr;
  QToolButton* SpeedButtonNode = nullptr;
  QToolButton* SpeedButtonSplit2 = nullptr;
  QToolButton* SpeedButtonSplit4 = nullptr;
  QToolButton* SpeedButtonHelp = nullptr;
  CoordinatePanel* PanelXY = nullptr;
  QLabel* LabelOperation = nullptr;
};

// The text of the "Help" key.
const char* MeshHelpText();

}  // namespace planaq::ui
