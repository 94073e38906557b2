#include "ui/figures/FormMesh.h"

#include <QElapsedTimer>
#include <QFrame>
#include <QKeyEvent>
#include <QToolButton>

#include "mesh/MeshDrawing.h"
#include "mesh/SelectionDrawing.h"
#include "mesh/Split.h"
#include "mesh/Wells.h"
#include "ui/FormAssign.h"
#include "ui/MemoryGuard.h"
#include "ui/figures/CoordinatePanel.h"
#include "ui/figures/EditorParts.h"
#include "ui/widgets/Panels.h"

namespace planaq::ui {

namespace {

constexpr int kKeyWidth = 80;
constexpr int kHelpWidth = 50;
// how often the progress text of a refinement is shown again
constexpr int kProgressMilliseconds = 100;

}  // namespace

const char* MeshHelpText() {
  return "Edit Mesh\n\n"
         "In this window a mesh of finite elements can be generated, from an initial mesh\n"
         "of triangular blocks. "
         "The mesh can be modified by activating one of the editing keys :\n"
         "- Add Well  : create a well, in an existing node close to the well, or in the center\n"
         "              of an element, connecting the new node to the 3 nodes of this element\n"
         "              and to the mid-points of the 3 sides. The discharge of the well is zero,\n"
         "              but this can be edited later.\n"
         "- Split 2   : subdivide all elements into 2 elements, with a new node in the mid-point\n"
         "              of the longest side of the original element,\n"
         "- Split 4   : subdivide all elements into 4 elements, with new nodes in the mid-points "
         "of\n"
         "              the 3 sides of the original element.";
}

TFormMesh::TFormMesh(Problem& problem, Dialogs& dialogs, int& coordinateExits, QWidget* parent)
    : FigureForm(QStringLiteral("FormMesh"), QStringLiteral("Edit Mesh"), parent),
      problem_(problem),
      dialogs_(dialogs),
      background_(dialogs) {
  PlaceAsEditor(this);
  setMouseTracking(true);
  setFocusPolicy(Qt::ClickFocus);
  PanelMesh =
      ColouredPanel(this, "PanelMesh", QColor(0, 255, 0), QRect(0, 0, width(), kEditorBarHeight));
  // told on the bar beside the keys, never over the drawing
  PanelMesh->setToolTip(
      QStringLiteral("Ctrl+Z undoes the last edit\n"
                     "Select : click a polygon (Shift : a line) or drag a rectangle, "
                     "double-click or Enter to end, Escape to cancel"));
  const auto key = [this](const char* name, const char* caption, int left, int width,
                          bool checkable) {
    QToolButton* b = SpeedButton(PanelMesh, name, caption, caption, checkable);
    b->setGeometry(left, 2, width, kEditorBarHeight - 4);
    return b;
  };
  SpeedButtonNode = key("SpeedButtonNode", "Add Well", 2, kKeyWidth, true);
  SpeedButtonSplit2 = key("SpeedButtonSplit2", "Split 2", 4 + kKeyWidth, kKeyWidth, false);
  SpeedButtonSplit4 = key("SpeedButtonSplit4", "Split 4", 6 + 2 * kKeyWidth, kKeyWidth, false);
  SpeedButtonHelp = key("SpeedButtonHelp", "Help", width() - kHelpWidth - 1, kHelpWidth, false);
  connect(SpeedButtonNode, &QToolButton::clicked, this, [this] { SpeedButtonNodeClick(); });
  connect(SpeedButtonSplit2, &QToolButton::clicked, this, [this] { SpeedButtonSplit2Click(); });
  connect(SpeedButtonSplit4, &QToolButton::clicked, this, [this] { SpeedButtonSplit4Click(); });
  connect(SpeedButtonHelp, &QToolButton::clicked, this, [this] { SpeedButtonHelpClick(); });
  // beyond the written keys, after them so that they keep their places
  SpeedButtonSelect = key("SpeedButtonSelect", "Select", 8 + 3 * kKeyWidth, kKeyWidth, true);
  connect(SpeedButtonSelect, &QToolButton::clicked, this, [this] { SpeedButtonSelectClick(); });
  FormAssign = new TFormAssign(this);
  FormAssign->onApply = [this](const Assignment& a) { ApplyAssignment(a); };
  FormAssign->onWidth = [this](double w) { SelectWithWidth(w); };
  FormAssign->onMessage = [this](const std::string& m) { dialogs_.Message(m); };
  FormAssign->onUndo = [this] { Undo(); };

  PanelXY = new CoordinatePanel(problem_, coordinateExits, PanelMesh);
  PanelXY->onExit = [this](bool, double, bool later) {
    if (!later) return;
    PanelXY->hide();
    HideOperation(LabelOperation);
  };
  LabelOperation = new QLabel(PanelMesh);
  LabelOperation->setObjectName(QStringLiteral("LabelOperation"));
  Activate();
}

bool TFormMesh::AddWellMode() const { return SpeedButtonNode->isChecked(); }

void TFormMesh::Activate() {
  SpeedButtonNode->setChecked(false);
  SpeedButtonSplit4->setChecked(false);
  pendingWellNode_ = -1;
  ResetEditorBar(this, PanelXY, LabelOperation);
  EndSelect();
}

void TFormMesh::PlaceBeforeShow() { PlaceFrameRect(FigureFrame(), false); }

void TFormMesh::showEvent(QShowEvent* event) {
  FigureForm::showEvent(event);
  Activate();
  // the tables may have changed since the last edit here (Open, New, the block editor)
  undo_.Clear();
  Redraw();
}

void TFormMesh::FormPaint(Canvas& canvas) {
  StretchEditorBar(this, PanelMesh, SpeedButtonHelp);
  map_ = ComputeMeshMapping(width(), height(), problem_.LX, problem_.LY);
  if (options_) {
    const Point low = map_.ToPixel(0.0, 0.0), high = map_.ToPixel(problem_.LX, problem_.LY);
    background_.Begin(
        canvas, options_(),
        {0.0, 0.0, problem_.LX, problem_.LY, QRect(QPoint(low.x, high.y), QPoint(high.x, low.y))});
  }
  DrawMesh(canvas, problem_, map_);
  background_.Finish(canvas);
  if (SelectMode()) DrawSelection(canvas, problem_, map_, shape_, shapeDone_, selection_.nodes);
  drawnFor_ = PictureOf(problem_, this);
}

bool TFormMesh::Outdated() const { return PictureOf(problem_, this) != drawnFor_; }

void TFormMesh::FormClose() {
  problem_.previous.NN = problem_.NN;
  problem_.previous.NM = problem_.NM;
  FormAssign->hide();
  FigureForm::FormClose();
}

void TFormMesh::SpeedButtonNodeClick() {
  if (SpeedButtonNode->isChecked()) EndSelect();  // one mode at a time
  const MeshOutcome full = CheckWellCapacity(problem_);
  if (!full.message.empty()) {
    // the mode stays as it was
    SpeedButtonNode->setChecked(!SpeedButtonNode->isChecked());
    dialogs_.Message(full.message);
  } else if (SpeedButtonNode->isChecked()) {
    pendingWellNode_ = problem_.NN;
    ShowOperation(LabelOperation, QStringLiteral("New Well"));
  } else {
    EndAddWell();
  }
  Redraw();
}

void TFormMesh::EndAddWell() {
  SpeedButtonNode->setChecked(false);
  pendingWellNode_ = -1;
  PanelXY->hide();
  HideOperation(LabelOperation);
}

void TFormMesh::Split(int parts) {
  QElapsedTimer shown;
  shown.start();
  std::string last;
  const ProgressFn progress = [&](const std::string& text) {
    last = text;
    // a refinement reports every element: the label is repainted a few times a second
    if (shown.elapsed() < kProgressMilliseconds) return;
    shown.restart();
    ShowOperation(LabelOperation, QString::fromStdString(text));
    LabelOperation->repaint();
  };
  const std::string what = parts == 4 ? "Split 4" : "Split 2";
  if (!WithinMemory(dialogs_, what, [&] { undo_.Remember(problem_); })) return;
  MeshOutcome out;
  if (!WithinMemory(dialogs_, what, [&] {
        out = parts == 4 ? SplitElements4(problem_, progress) : SplitElements2(problem_, progress);
      })) {
    PutBackRemembered();
    return;
  }
  undo_.Keep(out.Changed());
  SelectAgain();  // the label then keeps the refinement's last text
  if (!last.empty()) ShowOperation(LabelOperation, QString::fromStdString(last));
  if (!out.message.empty()) dialogs_.Message(out.message);
  problem_.particleRowsStale = true;
  Redraw();
}

// An edit that ran short of memory: the problem goes back to what was remembered before it.
void TFormMesh::PutBackRemembered() {
  undo_.Keep(true);
  undo_.Undo(problem_);
  problem_.particleRowsStale = true;
  Redraw();
}

void TFormMesh::SpeedButtonSplit2Click() { Split(2); }
void TFormMesh::SpeedButtonSplit4Click() { Split(4); }
void TFormMesh::SpeedButtonHelpClick() { dialogs_.Message(MeshHelpText()); }

void TFormMesh::Undo() {
  if (!undo_.Undo(problem_)) return;
  EndAddWell();  // the label no longer tells the counts of the mesh
  problem_.particleRowsStale = true;
  SelectAgain();
  Redraw();
  if (onEdited_) onEdited_();
}

void TFormMesh::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Undo)) {
    Undo();
    return;
  }
  if (SelectMode() && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
    FinishShape();
    return;
  }
  if (SelectMode() && event->key() == Qt::Key_Escape) {
    shape_.points.clear();
    selection_ = Selection{};
    shapeDone_ = false;
    FormAssign->hide();
    ShowOperation(LabelOperation, QStringLiteral("Select"));
    Redraw();
    return;
  }
  FigureForm::keyPressEvent(event);
}

void TFormMesh::mouseMoveEvent(QMouseEvent* event) {
  if (SelectMode()) {
    SelectMove(event);
    return;
  }
  if (!AddWellMode()) return;
  PanelXY->ShowPosition(map_.ToX(Pixel(event).x()), map_.ToY(Pixel(event).y()));
  ShowOperation(LabelOperation, QStringLiteral("New Well"));
  LabelOperation->repaint();
}

void TFormMesh::mousePressEvent(QMouseEvent* event) {
  if (SelectMode()) SelectPress(event);
  if (!AddWellMode()) return;
  MeshOutcome out;
  if (!WithinMemory(dialogs_, "Add Well", [&] { undo_.Remember(problem_); })) return;
  if (!WithinMemory(dialogs_, "Add Well", [&] {
        out = AddWellAt(problem_, map_.ToX(Pixel(event).x()), map_.ToY(Pixel(event).y()));
      })) {
    PutBackRemembered();
    EndAddWell();
    return;
  }
  undo_.Keep(out.Changed());
  if (!out.message.empty()) dialogs_.Message(out.message);
  Redraw();
  EndAddWell();
}

}  // namespace planaq::ui
