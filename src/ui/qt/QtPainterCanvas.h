#pragma once
// The drawing calls of a canvas on a QPainter, shared by the image canvas of the figure
// windows and the printer canvas. Device coordinates arrive already truncated.

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPen>
#include <QPoint>
#include <QPolygon>

#include "canvas/Canvas.h"

namespace planaq {

template <class Base>
class QtPainterCanvas : public Base {
 public:
  void SetPenColour(Rgb c) override;
  void SetPenStyle(PenStyle s) override;
  void SetPenWidth(int w) override;
  void SetPenMode(PenMode m) override;
  void SetBrushColour(Rgb c) override;
  // Fills from now on let this much (0..255) of what lies under them show through.
  void SetFillOpacity(int alpha);
  void SetFont(const Font& f) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void FillRect(int x1, int y1, int x2, int y2) override;
  void Polygon(const std::vector<Point>& points) override;
  void Ellipse(int x1, int y1, int x2, int y2) override;
  void TextOut(int x, int y, const std::string& text) override;
  int TextWidth(const std::string& text) override;
  int TextHeight(const std::string& text) override;
  int Width() const override { return device_->width(); }
  int Height() const override { return device_->height(); }

 protected:
  QtPainterCanvas(QPaintDevice* device, bool onPaper);
  ~QtPainterCanvas() override = default;
  // Begins painting on the device with the pen, brush, font and mode set so far.
  bool BeginPainting();
  void EndPainting();
  QPainter& Painter() { return painter_; }

 private:
  void ApplyPen();
  QPaintDevice* device_;
  bool onPaper_;
  QPainter painter_;
  QPen pen_;
  QBrush brush_;
  int fillAlpha_ = 255;
  QFont font_;
  QColor textColour_;
  PenMode mode_ = PenMode::Copy;
  QPoint position_;
  QPolygon polygon_;
};

}  // namespace planaq
