#pragma once
// A printer canvas on a QPrinter: paper, or a PDF file when the printer writes one.

#include <QPrinter>
#include <QString>

#include "ui/qt/QtPainterCanvas.h"

namespace planaq {

class QtPrinterCanvas : public QtPainterCanvas<PrinterCanvas> {
 public:
  // The printer must outlive the canvas.
  explicit QtPrinterCanvas(QPrinter& printer);
  ~QtPrinterCanvas() override;
  QtPrinterCanvas(const QtPrinterCanvas&) = delete;
  QtPrinterCanvas& operator=(const QtPrinterCanvas&) = delete;

  bool BeginDoc() override;
  void NewPage() override;
  void EndDoc() override;
  int PixelsPerInch() const override { return printer_.resolution(); }

 private:
  QPrinter& printer_;
};

// The margin all round the sheet that a printer cannot print on.
constexpr double kPdfMarginMm = 5.0;

// A4 portrait at 600 dots per inch into a PDF file, with that margin.
void SetUpPdfPrinter(QPrinter& printer, const QString& path);

}  // namespace planaq
