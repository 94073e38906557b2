#include "ui/qt/QtPageImagesCanvas.h"

#include <QColor>
#include <cmath>

#include "ui/qt/QtPrinterCanvas.h"

namespace planaq {
namespace {

QImage BlankSheet(int width, int height, int dotsPerInch) {
  QImage image(width > 0 ? width : 1, height > 0 ? height : 1, QImage::Format_RGB32);
  const int dotsPerMetre = static_cast<int>(std::lround(dotsPerInch / 0.0254));
  image.setDotsPerMeterX(dotsPerMetre);
  image.setDotsPerMeterY(dotsPerMetre);
  image.fill(QColor(255, 255, 255));
  return image;
}

}  // namespace

QtPageImagesCanvas::QtPageImagesCanvas(int width, int height, int dotsPerInch, PageSink sink)
    : QtPainterCanvas<PrinterCanvas>(&sheet_, true),
      sheet_(BlankSheet(width, height, dotsPerInch)),
      dotsPerInch_(dotsPerInch),
      sink_(std::move(sink)) {}

QtPageImagesCanvas::~QtPageImagesCanvas() { EndPainting(); }

bool QtPageImagesCanvas::BeginDoc() {
  pages_ = 0;
  sheet_.fill(QColor(255, 255, 255));
  open_ = BeginPainting();
  return open_;
}

void QtPageImagesCanvas::FinishPage() {
  EndPainting();
  ++pages_;
  if (sink_) sink_(sheet_, pages_);
}

void QtPageImagesCanvas::NewPage() {
  if (!open_) return;
  FinishPage();
  sheet_.fill(QColor(255, 255, 255));
  BeginPainting();
}

void QtPageImagesCanvas::EndDoc() {
  if (!open_) return;
  FinishPage();
  open_ = false;
}

int PrintableWidthAt(int dotsPerInch) {
  return static_cast<int>((210.0 - 2.0 * kPdfMarginMm) / 25.4 * dotsPerInch);
}
int PrintableHeightAt(int dotsPerInch) {
  return static_cast<int>((297.0 - 2.0 * kPdfMarginMm) / 25.4 * dotsPerInch);
}

}  // namespace planaq
