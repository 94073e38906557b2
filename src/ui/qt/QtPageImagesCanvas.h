#pragma once
// A printer canvas whose sheets are images: each page is painted on a white QImage of the
// sheet's size and handed on when the next page begins or the document ends.

#include <QImage>
#include <functional>

#include "ui/qt/QtPainterCanvas.h"

namespace planaq {

class QtPageImagesCanvas : public QtPainterCanvas<PrinterCanvas> {
 public:
  // Receives each finished page with its number in the document (from 1).
  using PageSink = std::function<void(const QImage& page, int number)>;

  QtPageImagesCanvas(int width, int height, int dotsPerInch, PageSink sink);
  ~QtPageImagesCanvas() override;
  QtPageImagesCanvas(const QtPageImagesCanvas&) = delete;
  QtPageImagesCanvas& operator=(const QtPageImagesCanvas&) = delete;

  bool BeginDoc() override;
  void NewPage() override;
  void EndDoc() override;
  int PixelsPerInch() const override { return dotsPerInch_; }

 private:
  void FinishPage();
  QImage sheet_;
  int dotsPerInch_;
  PageSink sink_;
  int pages_ = 0;
  bool open_ = false;
};

// The printable area of the PDF printer's sheet at the given resolution, in pixels.
int PrintableWidthAt(int dotsPerInch);
int PrintableHeightAt(int dotsPerInch);

}  // namespace planaq
