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
  if (args.size() != 1) {
    std::fprintf(stderr, "usage: planaq-cli manual OUT.pdf\n");
    return 1;
  }
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
  QtPrinterCanvas canvas(printer);
  planaq::Manual manual;
  if (!manual.Print(canvas)) {
    std::fprintf(stderr, "planaq-cli manual: cannot write '%s'\n", args[0].c_str());
    return 1;
  }
  return 0;
#else
  std::fprintf(stderr, "planaq-cli manual: this build has no PDF printing (Qt was not found)\n");
  return 1;
#endif
}

}  // namespace planaq::cli
