// planaq-cli manual: the printed manual as a PDF, through the same code as the Print key of
// the manual window.

#include <cstdio>
#include <string>

#include "Cli.h"
#include "manual/Manual.h"

#ifdef PLANAQ_CLI_QTCANVAS
#include <QGuiApplication>
#include <QPrinter>

#include "ui/qt/QtPrinterCanvas.h"
#include "ui/qt/SafeOutput.h"
#endif

namespace planaq::cli {
namespace {

#ifdef PLANAQ_CLI_QTCANVAS
// Qt's notes about its own set-up are no concern of a batch tool; its warnings still show.
void QtMessage(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtDebugMsg || type == QtInfoMsg || message.startsWith("QStandardPaths:")) return;
  std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}
#endif

}  // namespace

int Manual(const Args& args) {
  int status = 0;
  if (!FileArgs(args, 1, "manual OUT.pdf", status)) return status;
#ifdef PLANAQ_CLI_QTCANVAS
  // fonts and the PDF writer need a GUI application, but no screen
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(QtMessage);
  int argc = 1;
  char name[] = "planaq-cli";
  char* argv[] = {name, nullptr};
  QGuiApplication app(argc, argv);
  QPrinter printer(QPrinter::HighResolution);
  SetUpPdfPrinter(printer, QString::fromStdString(args[0]));
  SafePdf pdf(printer, args[0]);
  if (!pdf.cause().empty()) {
    std::fprintf(stderr, "planaq-cli manual: %s\n", pdf.cause().c_str());
    return 1;
  }
  bool printed = false;
  {
    QtPrinterCanvas canvas(printer);
    planaq::Manual manual;
    printed = manual.Print(canvas);
  }
  const Outcome written = printed ? pdf.Finish() : Outcome::Fail("cannot write " + args[0]);
  if (!written.ok) {
    std::fprintf(stderr, "planaq-cli manual: %s\n", written.message.c_str());
    return 1;
  }
  return 0;
#else
  std::fprintf(stderr, "planaq-cli manual: this build has no PDF printing (Qt was not found)\n");
  return 1;
#endif
}

}  // namespace planaq::cli
