#include "ui/qt/QtImageCanvas.h"

#include <QColor>
#include <QPainter>

namespace planaq {

QtImageCanvas::QtImageCanvas(QImage& image) : QtPainterCanvas<Canvas>(&image, false) {
  BeginPainting();
}

QtImageCanvas::~QtImageCanvas() { EndPainting(); }

void QtImageCanvas::DrawPicture(const QImage& picture, int left, int top) {
  QPainter& p = Painter();
  p.save();
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  p.drawImage(left, top, picture);
  p.restore();
}

QImage QtImageCanvas::MakeImage(int width, int height) {
  QImage image(width > 0 ? width : 1, height > 0 ? height : 1, QImage::Format_RGB32);
  constexpr int kDotsPerMetreAt96 = 3780;  // 96 / 0.0254
  image.setDotsPerMeterX(kDotsPerMetreAt96);
  image.setDotsPerMeterY(kDotsPerMetreAt96);
  image.fill(QColor(255, 255, 255));
  return image;
}

}  // namespace planaq
