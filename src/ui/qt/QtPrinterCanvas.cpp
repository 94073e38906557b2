#include "ui/qt/QtPrinterCanvas.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>

namespace planaq {

QtPrinterCanvas::QtPrinterCanvas(QPrinter& printer)
    : QtPainterCanvas<PrinterCanvas>(&printer, true), printer_(printer) {}

QtPrinterCanvas::~QtPrinterCanvas() { EndPainting(); }

bool QtPrinterCanvas::BeginDoc() { return BeginPainting(); }

void QtPrinterCanvas::NewPage() { printer_.newPage(); }

void QtPrinterCanvas::EndDoc() { EndPainting(); }

void SetUpPdfPrinter(QPrinter& printer, const QString& path) {
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path);
  printer.setResolution(600);
  printer.setPageLayout(QPageLayout(
      QPageSize(QPageSize::A4), QPageLayout::Portrait,
      QMarginsF(kPdfMarginMm, kPdfMarginMm, kPdfMarginMm, kPdfMarginMm), QPageLayout::Millimeter));
}

}  // namespace planaq
