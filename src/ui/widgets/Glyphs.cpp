#include "ui/widgets/Glyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <array>

namespace planaq::ui {

namespace {

const QColor kInk(44, 56, 70);      // every outline
const QColor kWater(28, 112, 196);  // what belongs to the groundwater: heads, wells, paths
const QColor kPaper(236, 244, 252);

QPen Pen(const QColor& colour, qreal width = 1.6) {
  return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void Outline(QPainter& p, const QColor& colour = kInk, qreal width = 1.6) {
  p.setPen(Pen(colour, width));
  p.setBrush(Qt::NoBrush);
}

void Dot(QPainter& p, QPointF at, qreal radius, const QColor& colour) {
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawEllipse(at, radius, radius);
}

QPolygonF Poly(std::initializer_list<QPointF> points) { return QPolygonF(points); }

void DrawOpen(QPainter& p) {
  Outline(p);
  p.drawPolygon(Poly({{3, 6}, {9, 6}, {11, 8}, {19, 8}, {19, 11}, {3, 11}, {3, 6}}));
  p.drawPolygon(Poly({{3, 19}, {6, 11}, {22, 11}, {19, 19}}));
  p.drawLine(QPointF(3, 11), QPointF(3, 19));
}

void DrawPage(QPainter& p) {
  Outline(p);
  p.drawPolygon(Poly({{5, 3}, {14, 3}, {19, 8}, {19, 21}, {5, 21}}));
  p.drawPolyline(Poly({{14, 3}, {14, 8}, {19, 8}}));
}

void DrawNew(QPainter& p) {
  DrawPage(p);
  Outline(p, kWater);
  p.drawPolygon(Poly({{8, 18}, {12, 11}, {16, 18}}));
}

void DrawEdit(QPainter& p) {
  Outline(p);
  p.drawPolygon(Poly({{2.5, 20}, {9, 5}, {15.5, 20}}));
  // a pencil across the corner
  Outline(p, kWater);
  p.drawPolygon(Poly({{13, 16}, {20, 9}, {22, 11}, {15, 18}, {12.5, 18.5}}));
  p.drawLine(QPointF(18.5, 10.5), QPointF(20.5, 12.5));
}

void DrawSave(QPainter& p) {
  Outline(p);
  p.drawRoundedRect(QRectF(4, 4, 16, 16), 1.5, 1.5);
  p.drawRect(QRectF(8, 4, 8, 5));
  p.drawRect(QRectF(7, 13, 10, 7));
  Outline(p, kWater);
  p.drawLine(QPointF(13.5, 5.5), QPointF(13.5, 7.5));
}

void DrawPrint(QPainter& p) {
  Outline(p);
  p.drawPolyline(Poly({{7, 9}, {7, 3}, {17, 3}, {17, 9}}));
  p.drawRoundedRect(QRectF(3, 9, 18, 8), 1.5, 1.5);
  p.drawRect(QRectF(7, 14, 10, 7));
  Dot(p, QPointF(18, 12), 1, kWater);
}

void DrawOptions(QPainter& p) {
  const qreal ys[3] = {6, 12, 18};
  const qreal knobs[3] = {15, 8, 13};
  for (int i = 0; i < 3; ++i) {
    Outline(p);
    p.drawLine(QPointF(3, ys[i]), QPointF(21, ys[i]));
    p.setPen(Pen(kInk));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(knobs[i], ys[i]), 2.3, 2.3);
  }
}

void DrawProperties(QPainter& p) {
  // a block with its soil in layers
  Outline(p);
  p.drawPolygon(Poly({{2.5, 20}, {12, 3.5}, {21.5, 20}}));
  Outline(p, kWater);
  p.drawLine(QPointF(7.8, 11), QPointF(16.2, 11));
  p.drawLine(QPointF(5.2, 15.5), QPointF(18.8, 15.5));
}

// a list: three rows of a mark and a line
template <typename Mark>
void DrawList(QPainter& p, Mark mark) {
  const qreal ys[3] = {6, 12, 18};
  for (qreal y : ys) {
    mark(y);
    Outline(p);
    p.drawLine(QPointF(10, y), QPointF(21, y));
  }
}

void DrawNodes(QPainter& p) {
  DrawList(p, [&p](qreal y) {
    Outline(p, kWater);
    p.drawEllipse(QPointF(5, y), 2, 2);
  });
}

void DrawElements(QPainter& p) {
  DrawList(p, [&p](qreal y) {
    Outline(p, kWater, 1.4);
    p.drawPolygon(Poly({{2.5, y + 2}, {5, y - 2.3}, {7.5, y + 2}}));
  });
}

void DrawMesh(QPainter& p) {
  // a block split into four elements
  Outline(p);
  p.drawPolygon(Poly({{2.5, 20}, {12, 3.5}, {21.5, 20}}));
  Outline(p, kWater, 1.3);
  p.drawPolygon(Poly({{7.25, 11.75}, {16.75, 11.75}, {12, 20}}));
}

void DrawWells(QPainter& p) {
  // the ground, the casing and the drawdown it pumps
  Outline(p);
  p.drawLine(QPointF(2.5, 8), QPointF(21.5, 8));
  p.drawRect(QRectF(10.5, 3, 3, 18));
  Outline(p, kWater);
  QPainterPath cone(QPointF(2.5, 11));
  cone.cubicTo(QPointF(7, 11), QPointF(8.5, 14), QPointF(10.5, 17));
  cone.moveTo(QPointF(21.5, 11));
  cone.cubicTo(QPointF(17, 11), QPointF(15.5, 14), QPointF(13.5, 17));
  p.drawPath(cone);
}

void DrawParticles(QPainter& p) {
  // a pathline with its time marks, ending in an arrow
  Outline(p, kWater);
  QPainterPath path(QPointF(3, 19));
  path.cubicTo(QPointF(9, 19), QPointF(9, 7), QPointF(19, 6));
  p.drawPath(path);
  p.drawPolyline(Poly({{16, 3.5}, {20, 6}, {16.5, 9}}));
  for (qreal t : {0.0, 0.33, 0.66}) Dot(p, path.pointAtPercent(t), 1.7, kInk);
}

void DrawSolve(QPainter& p) {
  // a calculator
  Outline(p);
  p.drawRoundedRect(QRectF(5, 2.5, 14, 19), 1.5, 1.5);
  Outline(p, kWater);
  p.drawRect(QRectF(8, 5.5, 8, 4));
  for (int row = 0; row < 2; ++row)
    for (int col = 0; col < 3; ++col) Dot(p, QPointF(8.5 + 3.5 * col, 13.5 + 4 * row), 1.1, kInk);
}

void DrawContours(QPainter& p) {
  Outline(p, kWater);
  p.drawEllipse(QRectF(2.5, 4, 19, 16));
  p.drawEllipse(QRectF(6, 7, 11, 10));
  Outline(p);
  p.drawEllipse(QRectF(9, 10, 4, 4));
}

void DrawGraph3D(QPainter& p) {
  // axes and a surface of heads above them
  Outline(p);
  p.drawPolyline(Poly({{4, 3}, {4, 18}, {21, 18}}));
  p.drawLine(QPointF(4, 18), QPointF(1.5, 21.5));
  Outline(p, kWater);
  for (int i = 0; i < 3; ++i) {
    const qreal dx = 2.5 * i;
    const qreal dy = -3 * i;
    QPainterPath wave(QPointF(5 + dx, 15 + dy));
    wave.cubicTo(QPointF(9 + dx, 15 + dy), QPointF(10 + dx, 7 + dy), QPointF(13 + dx, 10 + dy));
    wave.cubicTo(QPointF(15 + dx, 12 + dy), QPointF(16 + dx, 13 + dy), QPointF(18 + dx, 12 + dy));
    p.drawPath(wave);
  }
}

void DrawManual(QPainter& p) {
  // an open book
  Outline(p);
  QPainterPath book(QPointF(12, 6.5));
  book.cubicTo(QPointF(9, 4.5), QPointF(5, 4.5), QPointF(2.5, 5.5));
  book.lineTo(QPointF(2.5, 19));
  book.cubicTo(QPointF(5, 18), QPointF(9, 18), QPointF(12, 20));
  book.cubicTo(QPointF(15, 18), QPointF(19, 18), QPointF(21.5, 19));
  book.lineTo(QPointF(21.5, 5.5));
  book.cubicTo(QPointF(19, 4.5), QPointF(15, 4.5), QPointF(12, 6.5));
  book.lineTo(QPointF(12, 20));
  p.drawPath(book);
  Outline(p, kWater, 1.2);
  p.drawLine(QPointF(5, 9.5), QPointF(9.5, 9.5));
  p.drawLine(QPointF(5, 13), QPointF(9.5, 13));
  p.drawLine(QPointF(14.5, 9.5), QPointF(19, 9.5));
  p.drawLine(QPointF(14.5, 13), QPointF(19, 13));
}

void DrawHelp(QPainter& p) {
  Outline(p);
  p.drawEllipse(QPointF(12, 12), 9.5, 9.5);
  Outline(p, kWater, 2);
  QPainterPath mark(QPointF(8.8, 9.3));
  mark.cubicTo(QPointF(8.8, 5.6), QPointF(15.2, 5.6), QPointF(15.2, 9.3));
  mark.cubicTo(QPointF(15.2, 11.8), QPointF(12, 11.8), QPointF(12, 14.3));
  p.drawPath(mark);
  Dot(p, QPointF(12, 17.3), 1.3, kWater);
}

void DrawProgram(QPainter& p) {
  // the emblem: head contours around a pumping well, on a tile
  p.setPen(Pen(kInk, 1.2));
  p.setBrush(kPaper);
  p.drawRoundedRect(QRectF(1.5, 1.5, 21, 21), 4, 4);
  Outline(p, kWater, 1.4);
  p.drawEllipse(QRectF(4, 4.5, 17, 15));
  p.drawEllipse(QRectF(7.5, 7.5, 11, 9.5));
  p.drawEllipse(QRectF(10.5, 10, 5.5, 5));
  Dot(p, QPointF(13.2, 12.5), 1.5, kInk);
}

}  // namespace

void DrawGlyph(QPainter& painter, Glyph glyph, qreal side) {
  using Drawing = void (*)(QPainter&);
  static constexpr std::array<Drawing, kGlyphCount> drawings = {
      DrawOpen,       DrawNew,      DrawEdit,     DrawSave,   DrawPrint, DrawOptions,
      DrawProperties, DrawNodes,    DrawElements, DrawMesh,   DrawWells, DrawParticles,
      DrawSolve,      DrawContours, DrawGraph3D,  DrawManual, DrawHelp,  DrawProgram};
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(side / 24.0, side / 24.0);
  drawings[static_cast<int>(glyph)](painter);
  painter.restore();
}

QIcon GlyphIcon(Glyph glyph) {
  QIcon icon;
  for (int side : {16, 24, 32, 48, 64, 128, 256}) {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    DrawGlyph(painter, glyph, side);
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace planaq::ui
