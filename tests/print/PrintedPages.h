#pragma once
// The text of a recorded print job, page by page, read back from the recording canvas.

#include <sstream>
#include <string>
#include <vector>

#include "canvas/RecordingCanvas.h"

namespace planaq::test {

struct PrintedText {
  int x = 0;
  int y = 0;
  std::string text;
};

using PrintedPage = std::vector<PrintedText>;

inline std::vector<PrintedPage> PagesOf(const RecordingCanvas& canvas) {
  std::vector<PrintedPage> pages(1);
  for (const std::string& call : canvas.calls) {
    if (call == "NewPage") {
      pages.emplace_back();
    } else if (call.compare(0, 8, "TextOut ") == 0) {
      std::istringstream in(call.substr(8));
      PrintedText t;
      in >> t.x >> t.y;
      in.get();
      std::getline(in, t.text);
      pages.back().push_back(t);
    }
  }
  return pages;
}

// The first text on the page that starts with prefix; an empty text with y = -1 if none.
inline PrintedText Find(const PrintedPage& page, const std::string& prefix) {
  for (const PrintedText& t : page)
    if (t.text.compare(0, prefix.size(), prefix) == 0) return t;
  return PrintedText{0, -1, ""};
}

// A canvas whose text widths follow the font size, so that the font a text is measured in
// shows in the positions.
class ProportionalCanvas : public RecordingCanvas {
 public:
  using RecordingCanvas::RecordingCanvas;
  int TextWidth(const std::string& text) override {
    return static_cast<int>(text.size()) * font().pixels / 2;
  }
};

}  // namespace planaq::test
