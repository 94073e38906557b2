#include "ui/qt/QtPainterCanvas.h"

#include <QFontMetrics>
#include <QPaintEngine>
#include <QPolygon>
#include <algorithm>

#include "ui/qt/QtFonts.h"
#include "ui/qt/Windows1252.h"

namespace planaq {
namespace {

QColor ToQColor(Rgb c) { return QColor(c.r, c.g, c.b); }

Qt::PenStyle ToQtStyle(PenStyle s) {
  switch (s) {
    case PenStyle::Dash:
      return Qt::DashLine;
    case PenStyle::Dot:
      return Qt::DotLine;
    case PenStyle::Clear:
      return Qt::NoPen;
    case PenStyle::Solid:
      break;
  }
  return Qt::SolidLine;
}

}  // namespace

template <class Base>
QtPainterCanvas<Base>::QtPainterCanvas(QPaintDevice* device, bool onPaper)
    : device_(device),
      onPaper_(onPaper),
      pen_(QColor(0, 0, 0), 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin),
      brush_(QColor(255, 255, 255)),
      font_(QtFontFor(Font{}, onPaper)),
      textColour_(0, 0, 0) {}

template <class Base>
bool QtPainterCanvas<Base>::BeginPainting() {
  if (!painter_.begin(device_)) return false;
  ApplyPen();
  painter_.setBrush(brush_);
  painter_.setFont(font_);
  return true;
}

template <class Base>
void QtPainterCanvas<Base>::EndPainting() {
  if (painter_.isActive()) painter_.end();
}

template <class Base>
void QtPainterCanvas<Base>::ApplyPen() {
  if (!painter_.isActive()) return;
  painter_.setPen(pen_);
  // not-xor needs raster operations, which paper does not have; there it draws as copy
  const bool xorDrawing = mode_ == PenMode::NotXor && painter_.paintEngine() &&
                          painter_.paintEngine()->hasFeature(QPaintEngine::RasterOpModes);
  painter_.setCompositionMode(xorDrawing ? QPainter::RasterOp_NotSourceXorDestination
                                         : QPainter::CompositionMode_SourceOver);
}

template <class Base>
void QtPainterCanvas<Base>::SetPenColour(Rgb c) {
  pen_.setColor(ToQColor(c));
  ApplyPen();
}

template <class Base>
void QtPainterCanvas<Base>::SetPenStyle(PenStyle s) {
  pen_.setStyle(ToQtStyle(s));
  ApplyPen();
}

template <class Base>
void QtPainterCanvas<Base>::SetPenWidth(int w) {
  pen_.setWidth(std::max(w, 1));
  ApplyPen();
}

template <class Base>
void QtPainterCanvas<Base>::SetPenMode(PenMode m) {
  mode_ = m;
  ApplyPen();
}

template <class Base>
void QtPainterCanvas<Base>::SetBrushColour(Rgb c) {
  // a mesh sets the brush for every element, mostly to the colour it already has
  QColor colour = ToQColor(c);
  colour.setAlpha(fillAlpha_);
  if (colour == brush_.color() && brush_.style() == Qt::SolidPattern) return;
  brush_ = QBrush(colour);
  if (painter_.isActive()) painter_.setBrush(brush_);
}

template <class Base>
void QtPainterCanvas<Base>::SetFillOpacity(int alpha) {
  fillAlpha_ = std::clamp(alpha, 0, 255);
  QColor colour = brush_.color();
  colour.setAlpha(fillAlpha_);
  brush_ = QBrush(colour);
  if (painter_.isActive()) painter_.setBrush(brush_);
}

template <class Base>
void QtPainterCanvas<Base>::SetFont(const Font& f) {
  font_ = QtFontFor(f, onPaper_);
  textColour_ = ToQColor(f.colour);
  if (painter_.isActive()) painter_.setFont(font_);
}

template <class Base>
void QtPainterCanvas<Base>::MoveTo(int x, int y) {
  position_ = QPoint(x, y);
}

template <class Base>
void QtPainterCanvas<Base>::LineTo(int x, int y) {
  // the flat cap leaves the end point undrawn, so joined lines do not draw a point twice
  // (which matters to the not-xor rubber band)
  const QPoint to(x, y);
  if (painter_.isActive() && to != position_) painter_.drawLine(position_, to);
  position_ = to;
}

template <class Base>
void QtPainterCanvas<Base>::FillRect(int x1, int y1, int x2, int y2) {
  if (!painter_.isActive()) return;
  painter_.fillRect(QRect(QPoint(std::min(x1, x2), std::min(y1, y2)),
                          QSize(std::abs(x2 - x1), std::abs(y2 - y1))),
                    brush_);
}

template <class Base>
void QtPainterCanvas<Base>::Polygon(const std::vector<Point>& points) {
  if (!painter_.isActive() || points.empty()) return;
  // one polygon kept for every call: a mesh draws a million of them
  polygon_.resize(static_cast<int>(points.size()));
  for (std::size_t i = 0; i < points.size(); ++i)
    polygon_[static_cast<int>(i)] = QPoint(points[i].x, points[i].y);
  painter_.drawPolygon(polygon_);
}

template <class Base>
void QtPainterCanvas<Base>::Ellipse(int x1, int y1, int x2, int y2) {
  if (!painter_.isActive()) return;
  // the box's right and bottom edges lie outside it
  painter_.drawEllipse(QRect(QPoint(std::min(x1, x2), std::min(y1, y2)),
                             QPoint(std::max(x1, x2) - 1, std::max(y1, y2) - 1)));
}

template <class Base>
void QtPainterCanvas<Base>::TextOut(int x, int y, const std::string& text) {
  if (!painter_.isActive()) return;
  const QString q = FromWindows1252(text);
  const QFontMetrics metrics(font_, device_);
  // the text stands on the brush colour, as wide and high as it measures
  painter_.fillRect(QRect(x, y, metrics.horizontalAdvance(q), metrics.height()), brush_);
  painter_.save();
  painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
  painter_.setPen(textColour_);
  painter_.drawText(QPoint(x, y + metrics.ascent()), q);
  painter_.restore();
}

template <class Base>
int QtPainterCanvas<Base>::TextWidth(const std::string& text) {
  return QFontMetrics(font_, device_).horizontalAdvance(FromWindows1252(text));
}

template <class Base>
int QtPainterCanvas<Base>::TextHeight(const std::string&) {
  return QFontMetrics(font_, device_).height();
}

template class QtPainterCanvas<Canvas>;
template class QtPainterCanvas<PrinterCanvas>;

}  // namespace planaq
