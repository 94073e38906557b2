// The Select key of the mesh window: drawing the shape with a rubber line to the mouse, the
// marks and the count of what it selects, and the assignments of the Assign dialog as edits that
// Ctrl+Z undoes.

#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>
#include <algorithm>
#include <cmath>

#include "mesh/SelectionDrawing.h"
#include "ui/FormAssign.h"
#include "ui/figures/EditorParts.h"
#include "ui/figures/FormMesh.h"

namespace planaq::ui {

namespace {

constexpr int kDragPixels = 4;
constexpr int kSnapPixels = 5;  // a corner this near a node is put on it

}  // namespace

bool TFormMesh::SelectMode() const { return SpeedButtonSelect && SpeedButtonSelect->isChecked(); }

void TFormMesh::SpeedButtonSelectClick() {
  if (!SpeedButtonSelect->isChecked()) {
    EndSelect();
    HideOperation(LabelOperation);
    Redraw();
    return;
  }
  EndAddWell();  // one mode at a time
  shape_ = SelectionShape{};
  selection_ = Selection{};
  shapeDone_ = false;
  ShowOperation(LabelOperation, QStringLiteral("Select"));
  Redraw();
}

void TFormMesh::EndSelect() {
  if (!SpeedButtonSelect) return;
  SpeedButtonSelect->setChecked(false);
  shape_ = SelectionShape{};
  selection_ = Selection{};
  shapeDone_ = false;
  if (FormAssign) FormAssign->hide();
}

ShapePoint TFormMesh::AreaPoint(QPoint pixel) const {
  return {std::clamp(map_.ToX(pixel.x()), 0.0, problem_.LX),
          std::clamp(map_.ToY(pixel.y()), 0.0, problem_.LY)};
}

ShapePoint TFormMesh::SnappedPoint(QPoint pixel) const {
  const ShapePoint p = AreaPoint(pixel);
  const double metres = std::fabs(map_.ToX(pixel.x() + kSnapPixels) - map_.ToX(pixel.x()));
  const int n = NodeWithin(problem_, p.x, p.y, metres);
  return n < 0 ? p : ShapePoint{problem_.nodes[n].X, problem_.nodes[n].Y};
}

void TFormMesh::SelectPress(QMouseEvent* event) {
  if (shapeDone_) {
    // a new shape; the line's width is kept for the next line
    shape_.points.clear();
    selection_ = Selection{};
    shapeDone_ = false;
    FormAssign->hide();
  }
  // the release of a double-click comes before the next press, when it comes at all
  afterDoubleClick_ = false;
  pressedAt_ = Pixel(event);
  rubberTo_ = pressedAt_;
  dragging_ = event->button() == Qt::LeftButton;
}

void TFormMesh::SelectMove(QMouseEvent* event) {
  rubberTo_ = Pixel(event);
  rubberShown_ = !shapeDone_ && (!shape_.points.empty() || dragging_);
  rubberCloses_ = !(event->modifiers() & Qt::ShiftModifier) && shape_.kind == ShapeKind::Polygon;
  if (rubberShown_) update();
}

void TFormMesh::paintEvent(QPaintEvent* event) {
  FigureForm::paintEvent(event);
  if (!SelectMode() || !rubberShown_ || shapeDone_) return;
  QPainter painter(this);
  const QColor line(kSelectionLine.r, kSelectionLine.g, kSelectionLine.b);  // as the shape's sides
  painter.setPen(QPen(line, 1, Qt::DashLine));
  if (shape_.points.empty()) {
    if (dragging_ && (rubberTo_ - pressedAt_).manhattanLength() > kDragPixels)
      painter.drawRect(QRect(pressedAt_, rubberTo_).normalized());
    return;
  }
  const auto pixel = [this](const ShapePoint& p) {
    const Point q = map_.ToPixel(p.x, p.y);
    return QPoint(q.x, q.y);
  };
  painter.drawLine(pixel(shape_.points.back()), rubberTo_);
  // the side that will close the polygon
  if (rubberCloses_ && shape_.points.size() >= 2) {
    painter.setPen(QPen(line, 1, Qt::DotLine));
    painter.drawLine(rubberTo_, pixel(shape_.points.front()));
  }
}

void TFormMesh::SelectRelease(QMouseEvent* event) {
  const QPoint at = Pixel(event);
  dragging_ = false;
  rubberTo_ = at;
  if (afterDoubleClick_ || shapeDone_) {
    afterDoubleClick_ = false;
    return;
  }
  const bool dragged = (at - pressedAt_).manhattanLength() > kDragPixels;
  if (shape_.points.empty() && dragged) {
    shape_.kind = ShapeKind::Rectangle;
    shape_.points = {AreaPoint(pressedAt_), AreaPoint(at)};
    FinishShape();
    return;
  }
  if (shape_.points.empty())
    shape_.kind =
        (event->modifiers() & Qt::ShiftModifier) ? ShapeKind::Polyline : ShapeKind::Polygon;
  else if (event->modifiers() & Qt::ShiftModifier)
    shape_.kind = ShapeKind::Polyline;
  const ShapePoint p = SnappedPoint(at);
  // a second click on the same pixel adds no corner
  const bool repeated =
      !shape_.points.empty() &&
      map_.ToPixel(p.x, p.y) == map_.ToPixel(shape_.points.back().x, shape_.points.back().y);
  if (!repeated) shape_.points.push_back(p);
  ShowOperation(LabelOperation, QStringLiteral("Select : %1 points").arg(shape_.points.size()));
  Redraw();
}

void TFormMesh::mouseReleaseEvent(QMouseEvent* event) {
  if (SelectMode()) SelectRelease(event);
}

void TFormMesh::mouseDoubleClickEvent(QMouseEvent* event) {
  if (!SelectMode()) return;
  afterDoubleClick_ = true;
  FinishShape();
  event->accept();
}

void TFormMesh::hideEvent(QHideEvent* event) {
  FormAssign->hide();
  FigureForm::hideEvent(event);
}

void TFormMesh::FinishShape() {
  rubberShown_ = false;
  if (shapeDone_ || shape_.points.empty()) return;
  const std::string refused = CheckShape(problem_, shape_);
  if (!refused.empty()) {
    shape_.points.clear();
    ShowOperation(LabelOperation, QStringLiteral("Select"));
    Redraw();
    dialogs_.Message(refused);
    return;
  }
  shapeDone_ = true;
  selection_ = Select(problem_, shape_);
  ShowSelectionCount();
  Redraw();
  FormAssign->Prepare(problem_.NL, shape_.kind == ShapeKind::Polyline, shape_.width);
  if (!FormAssign->isVisible()) {
    // at the window's upper right, below the bar, where it hides the least of the drawing
    FormAssign->adjustSize();
    FormAssign->move(
        mapToGlobal(QPoint(width() - FormAssign->width() - 20, kEditorBarHeight + 10)));
  }
  FormAssign->show();
  FormAssign->raise();
}

void TFormMesh::SelectWithWidth(double width) {
  const double kept = shape_.width;
  shape_.width = width;
  if (!shapeDone_ || shape_.kind != ShapeKind::Polyline) return;
  const std::string refused = CheckShape(problem_, shape_);
  if (!refused.empty()) {
    shape_.width = kept;
    dialogs_.Message(refused);
    return;
  }
  selection_ = Select(problem_, shape_);
  ShowSelectionCount();
  Redraw();
}

void TFormMesh::SelectAgain() {
  if (!SelectMode() || !shapeDone_) return;
  selection_ = Select(problem_, shape_);
  ShowSelectionCount();
}

void TFormMesh::ShowSelectionCount(const AssignOutcome* changed) {
  QString text = QStringLiteral("Selected : %1 Nodes, %2 Elements")
                     .arg(selection_.nodes.size())
                     .arg(selection_.elements.size());
  if (changed)
    text += QStringLiteral(" (changed : %1, %2)")
                .arg(changed->nodesChanged)
                .arg(changed->elementsChanged);
  ShowOperation(LabelOperation, text);
}

AssignOutcome TFormMesh::ApplyAssignment(const Assignment& assignment) {
  if (!shapeDone_) return AssignOutcome{"Draw a shape first."};
  // the grids may have moved nodes since the shape was drawn
  selection_ = Select(problem_, shape_);
  undo_.Remember(problem_);
  const AssignOutcome out = AssignSelection(problem_, shape_, selection_, assignment);
  undo_.Keep(out.Changed());
  if (!out.message.empty()) {
    dialogs_.Message(out.message);
    return out;
  }
  ShowSelectionCount(&out);
  Redraw();
  if (onEdited_) onEdited_();
  return out;
}

}  // namespace planaq::ui
