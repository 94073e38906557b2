#pragma once
// The background map of the mesh and contour windows: the area of the figure cut out of the
// raster chosen in the options window, drawn under the figure on the screen. The picture is
// read again only when the file, the area or its size on the screen changed, and a map that
// cannot be drawn is reported once, not at every repaint.

#include <QImage>
#include <QRect>
#include <string>

#include "model/Options.h"

namespace planaq {
class Canvas;
}

namespace planaq::ui {

class Dialogs;

// The model's rectangle x0..x1, y0..y1 and where it lies on the screen.
struct MapArea {
  double x0 = 0.0, y0 = 0.0, x1 = 0.0, y1 = 0.0;
  QRect pixels;
};

class BackgroundMap {
 public:
  explicit BackgroundMap(Dialogs& dialogs) : dialogs_(dialogs) {}
  // Before the figure, on the canvas of a figure window with the background map ticked: the
  // map drawn in the area and the figure's fills made translucent, so the map shows through
  // them while lines stay as they are; Finish makes fills opaque again.
  void Begin(Canvas& canvas, const Options& options, const MapArea& area);
  void Finish(Canvas& canvas);
  bool Shown() const { return !picture_.isNull(); }

 private:
  std::string Key(const Options& options, const MapArea& area) const;

  Dialogs& dialogs_;
  std::string key_;  // of the picture read last
  QImage picture_;
};

}  // namespace planaq::ui
