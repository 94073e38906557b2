// The Print command of the main window: the data report on the printer, or into the PDF file
// that the print dialog chose, which is put in place only when it was written whole.

#include <QFile>
#include <QFrame>
#include <QPrinter>
#include <memory>

#include "print/DataReport.h"
#include "ui/FormFem.h"
#include "ui/FormOpt.h"
#include "ui/MemoryGuard.h"
#include "ui/PrintFileProposal.h"
#include "ui/qt/QtPrinterCanvas.h"
#include "ui/qt/SafeOutput.h"

namespace planaq::ui {

void TFormFem::Print1Click() {
  QPrinter printer(QPrinter::HighResolution);
  ProposePdfFile(printer, saveSetup_.initialDir, saveSetup_.fileName);
  if (!dialogs_.Print(printer)) return;
  std::unique_ptr<SafePdf> pdf;
  if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
    pdf = std::make_unique<SafePdf>(printer,
                                    QFile::encodeName(printer.outputFileName()).toStdString());
  ShowNotice(PanelWait);
  const Options options = FormOpt()->Settings();
  bool printed = false;
  const bool fits = WithinMemory(dialogs_, "Print", [&] {
    QtPrinterCanvas canvas(printer);
    printed = (!pdf || pdf->cause().empty()) && PrintReport(problem_, options, canvas, printState_, &observations_);
  });
  PanelWait->hide();
  if (!fits) return;
  if (pdf && !pdf->cause().empty()) {
    dialogs_.Message("Printing failed: the PDF file cannot be written.\n\n" + pdf->cause());
    return;
  }
  if (!printed) {
    dialogs_.Message("Printing failed: the printer could not begin the document.");
    return;
  }
  const Outcome written = pdf ? pdf->Finish() : Outcome{};
  if (!written.ok)
    dialogs_.Message("Printing failed: the PDF file cannot be written.\n\n" + written.message);
}

}  // namespace planaq::ui
