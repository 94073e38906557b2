#pragma once
// The drawing interfaces of the program's figures and printed pages. Device coordinates are
// integers; the callers truncate world coordinates toward zero before they draw.

#include <string>
#include <vector>

#include "model/Problem.h"

namespace planaq {

enum class PenStyle { Solid, Dash, Dot, Clear };
enum class PenMode { Copy, NotXor };

// A font by its documented face and its size in pixels at 96 pixels per inch.
struct Font {
  std::string face = "MS Sans Serif";
  int pixels = 11;
  bool bold = false;
  bool italic = false;
  Rgb colour{0, 0, 0};
  bool operator==(const Font& o) const {
    return face == o.face && pixels == o.pixels && bold == o.bold && italic == o.italic &&
           colour == o.colour;
  }
};

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point& o) const { return x == o.x && y == o.y; }
};

class Canvas {
 public:
  virtual ~Canvas() = default;
  virtual void SetPenColour(Rgb c) = 0;
  virtual void SetPenStyle(PenStyle s) = 0;
  virtual void SetPenWidth(int w) = 0;
  virtual void SetPenMode(PenMode m) = 0;
  virtual void SetBrushColour(Rgb c) = 0;
  virtual void SetFont(const Font& f) = 0;
  virtual void MoveTo(int x, int y) = 0;
  // draws from the current position to (x, y), the end point excluded
  virtual void LineTo(int x, int y) = 0;
  // filled with the brush from (x1, y1) up to but excluding (x2, y2), no outline
  virtual void FillRect(int x1, int y1, int x2, int y2) = 0;
  // filled with the brush and outlined with the pen
  virtual void Polygon(const std::vector<Point>& points) = 0;
  // in the bounding box (x1, y1)..(x2, y2), filled with the brush and outlined with the pen
  virtual void Ellipse(int x1, int y1, int x2, int y2) = 0;
  // the text's top left corner at (x, y), on the brush colour
  virtual void TextOut(int x, int y, const std::string& text) = 0;
  virtual int TextWidth(const std::string& text) = 0;
  virtual int TextHeight(const std::string& text) = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
};

class PrinterCanvas : public Canvas {
 public:
  virtual bool BeginDoc() = 0;
  virtual void NewPage() = 0;
  virtual void EndDoc() = 0;
  // pixels of the printer per inch, for fonts that keep their size in points on paper
  virtual int PixelsPerInch() const = 0;
};

}  // namespace planaq
