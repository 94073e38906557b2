#pragma once
// A canvas that records every call as a line of text, with fixed text metrics, so tests can
// assert device coordinates and drawing order exactly.

#include <string>
#include <vector>

#include "canvas/Canvas.h"

namespace planaq {

class RecordingCanvas : public PrinterCanvas {
 public:
  RecordingCanvas(int width = 640, int height = 480, int pixelsPerInch = 96);

  void SetPenColour(Rgb c) override;
  void SetPenStyle(PenStyle s) override;
  void SetPenWidth(int w) override;
  void SetPenMode(PenMode m) override;
  void SetBrushColour(Rgb c) override;
  void SetFont(const Font& f) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void FillRect(int x1, int y1, int x2, int y2) override;
  void Polygon(const std::vector<Point>& points) override;
  void Ellipse(int x1, int y1, int x2, int y2) override;
  void TextOut(int x, int y, const std::string& text) override;
  // fixed metrics: every character is charWidth wide, every text is the font's pixels high
  int TextWidth(const std::string& text) override;
  int TextHeight(const std::string& text) override;
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  bool BeginDoc() override;
  void NewPage() override;
  void EndDoc() override;
  int PixelsPerInch() const override { return ppi_; }

  // the recorded calls, e.g. "LineTo 10 20", "TextOut 5 6 Layer 1", "Font Courier New 11 b0 i0"
  std::vector<std::string> calls;
  // only the calls whose text starts with prefix
  std::vector<std::string> Calls(const std::string& prefix) const;
  int charWidth = 7;
  const Font& font() const { return font_; }

 private:
  int width_, height_, ppi_;
  Font font_;
};

}  // namespace planaq
