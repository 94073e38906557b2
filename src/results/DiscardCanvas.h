#pragma once
// A canvas that draws nothing: for running a figure only for what it computes.

#include "canvas/Canvas.h"

namespace planaq {

class DiscardCanvas : public Canvas {
 public:
  DiscardCanvas(int width, int height) : width_(width), height_(height) {}
  void SetPenColour(Rgb) override {}
  void SetPenStyle(PenStyle) override {}
  void SetPenWidth(int) override {}
  void SetPenMode(PenMode) override {}
  void SetBrushColour(Rgb) override {}
  void SetFont(const Font&) override {}
  void MoveTo(int, int) override {}
  void LineTo(int, int) override {}
  void FillRect(int, int, int, int) override {}
  void Polygon(const std::vector<Point>&) override {}
  void Ellipse(int, int, int, int) override {}
  void TextOut(int, int, const std::string&) override {}
  int TextWidth(const std::string&) override { return 0; }
  int TextHeight(const std::string&) override { return 0; }
  int Width() const override { return width_; }
  int Height() const override { return height_; }

 private:
  int width_, height_;
};

}  // namespace planaq
