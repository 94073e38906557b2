// The Print command of the main window: the data report on the printer, or into the PDF file
// that the print dialog chose.

#include <QFrame>
#include <QPrinter>

#include "print/DataReport.h"
#include "ui/FormFem.h"
#include "ui/FormOpt.h"
#include "ui/PrintFileProposal.h"
#include "ui/qt/QtPrinterCanvas.h"

namespace planaq::ui {

void TFormFem::Print1Click() {
  QPrinter printer(QPrinter::HighResolution);
  ProposePdfFile(printer, saveSetup_.initialDir, saveSetup_.fileName);
  if (!dialogs_.Print(printer)) return;
  ShowNotice(PanelWait);
  const Options options = FormOpt()->Settings();
  bool printed = false;
  {
    QtPrinterCanvas canvas(printer);
    printed = PrintReport(problem_, options, canvas, printState_, &observations_);
  }
  PanelWait->hide();
  if (!printed) dialogs_.Message("Printing failed: the printer could not begin the document.");
}

}  // namespace planaq::ui
