#include "canvas/RecordingCanvas.h"

#include <cstdio>

namespace planaq {
namespace {
std::string RgbText(Rgb c) {
  char buf[48];
  std::snprintf(buf, sizeof buf, "%d,%d,%d", c.r, c.g, c.b);
  return buf;
}
std::string Xy(int x, int y) { return std::to_string(x) + " " + std::to_string(y); }
}  // namespace

RecordingCanvas::RecordingCanvas(int width, int height, int pixelsPerInch)
    : width_(width), height_(height), ppi_(pixelsPerInch) {}

void RecordingCanvas::SetPenColour(Rgb c) { calls.push_back("Pen " + RgbText(c)); }
void RecordingCanvas::SetPenStyle(PenStyle s) {
  static const char* names[] = {"Solid", "Dash", "Dot", "Clear"};
  calls.push_back(std::string("PenStyle ") + names[static_cast<int>(s)]);
}
void RecordingCanvas::SetPenWidth(int w) { calls.push_back("PenWidth " + std::to_string(w)); }
void RecordingCanvas::SetPenMode(PenMode m) {
  calls.push_back(m == PenMode::Copy ? "PenMode Copy" : "PenMode NotXor");
}
void RecordingCanvas::SetBrushColour(Rgb c) { calls.push_back("Brush " + RgbText(c)); }
void RecordingCanvas::SetFont(const Font& f) {
  font_ = f;
  calls.push_back("Font " + f.face + " " + std::to_string(f.pixels) + " b" +
                  std::to_string(f.bold) + " i" + std::to_string(f.italic));
}
void RecordingCanvas::MoveTo(int x, int y) { calls.push_back("MoveTo " + Xy(x, y)); }
void RecordingCanvas::LineTo(int x, int y) { calls.push_back("LineTo " + Xy(x, y)); }
void RecordingCanvas::FillRect(int x1, int y1, int x2, int y2) {
  calls.push_back("FillRect " + Xy(x1, y1) + " " + Xy(x2, y2));
}
void RecordingCanvas::Polygon(const std::vector<Point>& points) {
  std::string s = "Polygon";
  for (const Point& p : points) s += " " + Xy(p.x, p.y);
  calls.push_back(s);
}
void RecordingCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  calls.push_back("Ellipse " + Xy(x1, y1) + " " + Xy(x2, y2));
}
void RecordingCanvas::TextOut(int x, int y, const std::string& text) {
  calls.push_back("TextOut " + Xy(x, y) + " " + text);
}
int RecordingCanvas::TextWidth(const std::string& text) {
  return charWidth * static_cast<int>(text.size());
}
int RecordingCanvas::TextHeight(const std::string&) { return font_.pixels * ppi_ / 96; }
bool RecordingCanvas::BeginDoc() {
  calls.push_back("BeginDoc");
  return true;
}
void RecordingCanvas::NewPage() { calls.push_back("NewPage"); }
void RecordingCanvas::EndDoc() { calls.push_back("EndDoc"); }

std::vector<std::string> RecordingCanvas::Calls(const std::string& prefix) const {
  std::vector<std::string> out;
  for (const std::string& c : calls)
    if (c.compare(0, prefix.size(), prefix) == 0) out.push_back(c);
  return out;
}

}  // namespace planaq
