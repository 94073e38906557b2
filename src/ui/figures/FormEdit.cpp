#include "ui/figures/FormEdit.h"

#include <QFrame>
#include <QKeyEvent>
#include <QToolButton>

#include "mesh/Blocks.h"
#include "mesh/MeshDrawing.h"
#include "ui/figures/CoordinatePanel.h"
#include "ui/figures/EditorParts.h"
#include "ui/widgets/Panels.h"

namespace planaq::ui {

namespace {

constexpr int kBarHeight = kEditorBarHeight;
constexpr int kKeyWidth = 80;
constexpr int kHelpWidth = 50;

void NotXorLine(Canvas& c, Point from, Point to) {
  c.SetPenColour(kBlack);
  c.SetPenMode(PenMode::NotXor);
  c.MoveTo(from.x, from.y);
  c.LineTo(to.x, to.y);
  c.SetPenMode(PenMode::Copy);
}

QString Numbered(const char* text, int number) {
  return QString::fromLatin1(text) + QLatin1Char(' ') + QString::number(number);
}

}  // namespace

const char* EditHelpText() {
  return "Edit Blocks\n\n"
         "In this window a mesh of triangular blocks can be generated. "
         "The mesh can be modified by activating one of the editing keys :\n"
         "- Drag Node : drag a node to a new position with the left mouse button down,\n"
         "              dragging stops as soon as the left mouse button is released,\n"
         "              the coordinates of the node may also be entered manually,\n"
         "- New Node  : create a new node, outside all existing blocks, connecting the new\n"
         "              node to the two nearest nodes,\n"
         "- New Line  : create a new line, connecting two nodes, if a new block can be\n"
         "              formed from these two nodes and a third existing node.";
}

TFormEdit::TFormEdit(Problem& problem, Dialogs& dialogs, int& coordinateExits, QWidget* parent)
    : FigureForm(QStringLiteral("FormEdit"), QStringLiteral("Edit Blocks"), parent),
      problem_(problem),
      dialogs_(dialogs) {
  PlaceAsEditor(this);
  setMouseTracking(true);
  setFocusPolicy(Qt::ClickFocus);
  PanelEdit = ColouredPanel(this, "PanelEdit", QColor(0, 255, 0), QRect(0, 0, width(), kBarHeight));
  // told on the bar beside the keys, never over the drawing
  PanelEdit->setToolTip(QStringLiteral("Ctrl+Z undoes the last edit"));
  const auto key = [this](const char* name, const char* caption, int left, bool checkable) {
    QToolButton* b = SpeedButton(PanelEdit, name, caption, caption, checkable);
    b->setGeometry(left, 2, checkable ? kKeyWidth : kHelpWidth, kBarHeight - 4);
    return b;
  };
  SpeedButtonDrag = key("SpeedButtonDrag", "Drag Node", 2, true);
  SpeedButtonNode = key("SpeedButtonNode", "New Node", 4 + kKeyWidth, true);
  SpeedButtonLine = key("SpeedButtonLine", "New Line", 6 + 2 * kKeyWidth, true);
  SpeedButtonHelp = key("SpeedButtonHelp", "Help", width() - kHelpWidth - 1, false);
  connect(SpeedButtonDrag, &QToolButton::clicked, this, [this] { SpeedButtonDragClick(); });
  connect(SpeedButtonNode, &QToolButton::clicked, this, [this] { SpeedButtonNodeClick(); });
  connect(SpeedButtonLine, &QToolButton::clicked, this, [this] { SpeedButtonLineClick(); });
  connect(SpeedButtonHelp, &QToolButton::clicked, this, [this] { SpeedButtonHelpClick(); });

  PanelXY = new CoordinatePanel(problem_, coordinateExits, PanelEdit);
  PanelXY->onExit = [this](bool isX, double value, bool later) {
    CoordinateLeft(isX, value, later);
  };
  LabelOperation = new QLabel(PanelEdit);
  LabelOperation->setObjectName(QStringLiteral("LabelOperation"));
  Activate();
}

TFormEdit::Mode TFormEdit::EditMode() const {
  if (SpeedButtonDrag->isChecked()) return Mode::Drag;
  if (SpeedButtonNode->isChecked()) return Mode::Node;
  if (SpeedButtonLine->isChecked()) return Mode::Line;
  return Mode::None;
}

void TFormEdit::Activate() {
  for (QToolButton* b : {SpeedButtonDrag, SpeedButtonNode, SpeedButtonLine}) b->setChecked(false);
  dragging_ = lineInProgress_ = rubberDrawn_ = false;
  pending_ = -1;
  ResetEditorBar(this, PanelXY, LabelOperation);
}

void TFormEdit::PlaceBeforeShow() { PlaceFrameRect(FigureFrame(), false); }

void TFormEdit::showEvent(QShowEvent* event) {
  FigureForm::showEvent(event);
  Activate();
  // the tables may have changed since the last edit here (Open, New, the mesh window)
  undo_.Clear();
  // the first drawing resets a refined mesh to its blocks: Undo brings that mesh back
  const bool resets = problem_.NM != problem_.NB || problem_.NN != problem_.NA || problem_.NW > 0;
  undo_.Remember(problem_);
  Redraw();
  undo_.Keep(resets);
  meshResetUndo_ = resets ? undo_.Kept() : 0;
}

void TFormEdit::FormPaint(Canvas& canvas) {
  StretchEditorBar(this, PanelEdit, SpeedButtonHelp);
  map_ = ComputeMeshMapping(width(), height(), problem_.LX, problem_.LY);
  DrawBlocks(canvas, problem_, map_);
  drawnFor_ = PictureOf(problem_, this);
  rubberDrawn_ = false;  // a whole new picture holds no rubber line to erase
}

bool TFormEdit::Outdated() const { return PictureOf(problem_, this) != drawnFor_; }

void TFormEdit::FormClose() {
  ResetMeshToBlocks(problem_);
  problem_.particleRowsStale = true;
  Redraw();
  FigureForm::FormClose();
}

// ---- keys ----

void TFormEdit::KeyOff(QToolButton* key) {
  for (QToolButton* b : {SpeedButtonDrag, SpeedButtonNode, SpeedButtonLine})
    if (b != key) b->setChecked(false);
  dragging_ = lineInProgress_ = false;
}

void TFormEdit::SpeedButtonDragClick() {
  KeyOff(SpeedButtonDrag);
  if (SpeedButtonDrag->isChecked()) {
    problem_.particleRowsStale = true;
    PanelXY->ResetExits();
    ShowOperation(LabelOperation, QStringLiteral("Drag Node"));
  } else {
    HideOperation(LabelOperation);
  }
  PanelXY->hide();
  Redraw();
}

void TFormEdit::SpeedButtonNodeClick() {
  KeyOff(SpeedButtonNode);
  if (SpeedButtonNode->isChecked()) {
    problem_.particleRowsStale = true;
    pending_ = problem_.NA;
    pendingPlaced_ = false;
    ShowOperation(LabelOperation, Numbered("New Node", problem_.NA + 1));
  } else {
    PanelXY->hide();
    HideOperation(LabelOperation);
  }
  Redraw();
}

void TFormEdit::SpeedButtonLineClick() {
  KeyOff(SpeedButtonLine);
  PanelXY->hide();
  if (SpeedButtonLine->isChecked()) {
    ShowOperation(LabelOperation, QStringLiteral("New Line"));
    problem_.particleRowsStale = true;
  } else {
    HideOperation(LabelOperation);
  }
  Redraw();
}

void TFormEdit::SpeedButtonHelpClick() { dialogs_.Message(EditHelpText()); }

void TFormEdit::EndMode() {
  for (QToolButton* b : {SpeedButtonDrag, SpeedButtonNode, SpeedButtonLine}) b->setChecked(false);
  dragging_ = lineInProgress_ = false;
  PanelXY->hide();
  HideOperation(LabelOperation);
}

void TFormEdit::CoordinateLeft(bool isX, double value, bool later) {
  const int n = pending_;
  if (n >= 0 && n < problem_.NA) {
    undo_.Remember(problem_);
    MoveMainNode(problem_, n, isX ? value : problem_.nodes[n].X, isX ? problem_.nodes[n].Y : value);
    undo_.Keep(true);
  } else if (n >= 0 && n == problem_.NA && n < static_cast<int>(problem_.nodes.size())) {
    PlacePendingMainNode(problem_, isX ? value : problem_.nodes[n].X,
                         isX ? problem_.nodes[n].Y : value);
    pendingPlaced_ = true;
  }
  if (later) {
    PanelXY->hide();
    HideOperation(LabelOperation);
    problem_.particleRowsStale = true;
  }
  Redraw();
}

void TFormEdit::Undo() {
  const bool backToMesh = meshResetUndo_ != 0 && undo_.Kept() == meshResetUndo_;
  if (dragging_ || lineInProgress_ || !undo_.Undo(problem_)) return;
  problem_.particleRowsStale = true;
  if (backToMesh) {
    // the refined mesh is back; this window would reset it again with its next drawing
    meshResetUndo_ = 0;
    FigureForm::FormClose();
    return;
  }
  Redraw();
}

void TFormEdit::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Undo)) {
    Undo();
    return;
  }
  FigureForm::keyPressEvent(event);
}

// ---- mouse ----

double TFormEdit::MetresX(const QMouseEvent* event) const {
  return ClampTo(map_.ToX(Pixel(event).x()), problem_.LX);
}

double TFormEdit::MetresY(const QMouseEvent* event) const {
  return ClampTo(map_.ToY(Pixel(event).y()), problem_.LY);
}

void TFormEdit::mousePressEvent(QMouseEvent* event) {
  const double x = MetresX(event), y = MetresY(event);
  switch (EditMode()) {
    case Mode::Drag: {
      const int n = PickMainNode(problem_, x, y);
      if (n < 0) return;
      undo_.Remember(problem_);
      dragging_ = true;
      pending_ = n;
      PanelXY->show();
      return;
    }
    case Mode::Node:
      NewNodeAt(x, y);
      return;
    case Mode::Line: {
      const int s = PickMainNode(problem_, x, y);
      if (s < 0) return;
      lineInProgress_ = true;
      lineStart_ = s;
      rubberStart_ = rubberEnd_ = map_.ToPixel(problem_.nodes[s].X, problem_.nodes[s].Y);
      rubberDrawn_ = false;
      return;
    }
    case Mode::None:
      return;
  }
}

void TFormEdit::mouseMoveEvent(QMouseEvent* event) {
  const double x = MetresX(event), y = MetresY(event);
  switch (EditMode()) {
    case Mode::Drag:
      if (!dragging_) return;
      MoveMainNode(problem_, pending_, x, y);
      PanelXY->ShowPosition(problem_.nodes[pending_].X, problem_.nodes[pending_].Y);
      ShowOperation(LabelOperation, Numbered("Drag Node", pending_ + 1));
      Redraw();
      return;
    case Mode::Node:
      PlacePendingMainNode(problem_, x, y);
      pendingPlaced_ = true;
      PanelXY->ShowPosition(x, y);
      ShowOperation(LabelOperation, Numbered("New Node", problem_.NA + 1));
      return;
    case Mode::Line:
      if (lineInProgress_) RubberLine(map_.ToPixel(x, y));
      return;
    case Mode::None:
      return;
  }
}

void TFormEdit::mouseReleaseEvent(QMouseEvent* event) {
  const double x = MetresX(event), y = MetresY(event);
  switch (EditMode()) {
    case Mode::Drag:
      if (dragging_) undo_.Keep(true);
      EndMode();
      return;
    case Mode::Line:
      if (lineInProgress_) LineReleasedAt(x, y);
      EndMode();
      Redraw();
      return;
    case Mode::Node:
    case Mode::None:
      return;
  }
}

void TFormEdit::NewNodeAt(double x, double y) {
  // a click before any move in the window: the new node goes where the click is
  if (!pendingPlaced_) PlacePendingMainNode(problem_, x, y);
  undo_.Remember(problem_);
  const MeshOutcome out = AddMainNodeAndBlock(problem_, x, y);
  undo_.Keep(out.Changed());
  if (!out.message.empty()) dialogs_.Message(out.message);
  if (out.Changed()) Redraw();
  EndMode();
}

void TFormEdit::RubberLine(Point to) {
  // not-xor: drawing the same line twice gives back the picture underneath
  DrawOnImage([&](Canvas& c) {
    if (rubberDrawn_) NotXorLine(c, rubberStart_, rubberEnd_);
    NotXorLine(c, rubberStart_, to);
  });
  rubberEnd_ = to;
  rubberDrawn_ = true;
}

void TFormEdit::LineReleasedAt(double x, double y) {
  if (rubberDrawn_) {
    DrawOnImage([&](Canvas& c) { NotXorLine(c, rubberStart_, rubberEnd_); });
    rubberDrawn_ = false;
  }
  undo_.Remember(problem_);
  const MeshOutcome out = AddBlockByLine(problem_, lineStart_, PickMainNode(problem_, x, y));
  undo_.Keep(out.Changed());
  if (!out.message.empty()) dialogs_.Message(out.message);
}

}  // namespace planaq::ui
