#pragma once
// A canvas on a QImage: the persistent picture of a figure window, painted through the
// program's drawing calls and shown by the window's paint handler.

#include <QImage>

#include "ui/qt/QtPainterCanvas.h"

namespace planaq {

class QtImageCanvas : public QtPainterCanvas<Canvas> {
 public:
  // Paints on image from now until the canvas is destroyed; the image must outlive it and
  // must not be resized meanwhile.
  explicit QtImageCanvas(QImage& image);
  ~QtImageCanvas() override;
  QtImageCanvas(const QtImageCanvas&) = delete;
  QtImageCanvas& operator=(const QtImageCanvas&) = delete;

  // A picture drawn as it is, before the figure that goes over it.
  void DrawPicture(const QImage& picture, int left, int top);

  // An image for a figure of the given size in pixels, 96 pixels per inch, white.
  static QImage MakeImage(int width, int height);
};

}  // namespace planaq
