// planaq-cli print: the printed report and the printed graphs of a datafile, as one PDF,
// through the same printing code as the print commands of the program.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "Cli.h"
#include "observe/Observations.h"
#include "model/Options.h"
#include "print/DataReport.h"
#include "print/PrintJob.h"

#ifdef PLANAQ_PRINT_GRAPHS
#include "print/ContourPage.h"
#include "print/Graph3DPage.h"
#include "results/PendingEvents.h"
#endif

#ifdef PLANAQ_CLI_QTCANVAS
#include <QDir>
#include <QGuiApplication>
#include <QPrinter>

#include "ui/qt/QtPageImagesCanvas.h"
#include "ui/qt/QtPrinterCanvas.h"
#include "ui/qt/SafeOutput.h"
#endif

namespace planaq::cli {
namespace {

const char* const kPrintUsage =
    "usage: planaq-cli print IN.aqd OUT.pdf [--general] [--nodes] [--elements] [--mesh]\n"
    "         [--no-general] [--contours L]... [--graph3d L]... [--scale 0..10]\n"
    "         [--water on|off] [--contour-lines on|off] [--bottom on|off] [--top on|off]\n"
    "         [--angle 0..10] [--balance] [--observations OBS.csv] [--png DIR]\n"
    "  --general, --nodes, --elements, --mesh  the report's sections (default: General Data)\n"
    "  --no-general   leave the general data out\n"
    "  --contours L   add the contour page of layer L\n"
    "  --graph3d L    add the 3D page of layer L\n"
    "  --scale N      Graphics Scale of the printed graphs, 0..10 (default 5)\n"
    "  --water, --contour-lines, --bottom, --top  what the 3D page shows (default: all on)\n"
    "  --angle N      Viewing Angle of the 3D page, 0..10 (default 5)\n"
    "  --balance      add the Water Balance page\n"
    "  --observations OBS.csv  add the Observations page, and mark them on the contour pages\n"
    "  --png DIR      also each page as DIR/page-N.png at 100 dots per inch\n";

struct GraphPage {
  bool threeD = false;
  int layer = 0;  // 0-based
};

struct PrintRequest {
  std::string in, out;
  Options options;
  std::vector<GraphPage> graphs;
  std::string pngFolder;
  std::string observationsFile;
  ObservationSet observations;
};

bool ReadSwitch(const std::string& text, bool& value) {
  if (text == "on" || text == "1") {
    value = true;
  } else if (text == "off" || text == "0") {
    value = false;
  } else {
    return false;
  }
  return true;
}

bool ReadInteger(const std::string& text, int lowest, int highest, int& value) {
  char* end = nullptr;
  const long v = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || v < lowest || v > highest) return false;
  value = static_cast<int>(v);
  return true;
}

// Fills the request; prints what is wrong and returns false on a bad command line.
bool ParsePrintArgs(const Args& args, PrintRequest& r) {
  std::vector<std::string> files;
  bool sectionGiven = false;
  Options sections;
  sections.General = false;
  bool noGeneral = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == "--general") {
      sections.General = sectionGiven = true;
    } else if (a == "--nodes") {
      sections.Nodes = sectionGiven = true;
    } else if (a == "--elements") {
      sections.Elements = sectionGiven = true;
    } else if (a == "--mesh") {
      sections.Mesh = sectionGiven = true;
    } else if (a == "--no-general") {
      noGeneral = true;
    } else if (a == "--balance") {
      r.options.WaterBalance = true;
    } else if (a == "--observations") {
      if (!hasValue) {
        std::fprintf(stderr, "planaq-cli print: --observations takes a CSV file\n");
        return false;
      }
      r.observationsFile = args[++i];
      r.options.Observations = true;
    } else if (a == "--scale") {
      if (!hasValue ||
          !ReadInteger(args[++i], Options::kTrackMin, Options::kTrackMax, r.options.GraphScale)) {
        std::fprintf(stderr, "planaq-cli print: --scale takes a whole number 0..10\n");
        return false;
      }
    } else if (a == "--angle") {
      if (!hasValue ||
          !ReadInteger(args[++i], Options::kTrackMin, Options::kTrackMax, r.options.AngleScale)) {
        std::fprintf(stderr, "planaq-cli print: --angle takes a whole number 0..10\n");
        return false;
      }
    } else if (a == "--contours" || a == "--graph3d") {
      GraphPage page;
      page.threeD = a == "--graph3d";
      if (!hasValue || !ReadInteger(args[++i], 1, kMaxLayers, page.layer)) {
        std::fprintf(stderr, "planaq-cli print: %s takes a layer 1..%d\n", a.c_str(), kMaxLayers);
        return false;
      }
      --page.layer;
      r.graphs.push_back(page);
    } else if (a == "--water" || a == "--contour-lines" || a == "--bottom" || a == "--top") {
      bool& flag = a == "--water"           ? r.options.Water
                   : a == "--contour-lines" ? r.options.Contours
                   : a == "--bottom"        ? r.options.Bottom
                                            : r.options.Top;
      if (!hasValue || !ReadSwitch(args[++i], flag)) {
        std::fprintf(stderr, "planaq-cli print: %s takes on or off\n", a.c_str());
        return false;
      }
    } else if (a == "--png") {
      if (!hasValue) {
        std::fprintf(stderr, "planaq-cli print: --png takes a folder\n");
        return false;
      }
      r.pngFolder = args[++i];
    } else if (IsOption(a)) {
      std::fprintf(stderr, "planaq-cli print: unknown option '%s'\n\n%s", a.c_str(), kPrintUsage);
      return false;
    } else {
      files.push_back(a);
    }
  }
  if (files.size() != 2) {
    std::fprintf(stderr, "%s", kPrintUsage);
    return false;
  }
  r.in = files[0];
  r.out = files[1];
  if (sectionGiven) {
    r.options.General = sections.General;
    r.options.Nodes = sections.Nodes;
    r.options.Elements = sections.Elements;
    r.options.Mesh = sections.Mesh;
  }
  if (noGeneral) r.options.General = false;
  return true;
}

bool AnythingToPrint(const PrintRequest& r) {
  const Options& o = r.options;
  return o.General || o.Nodes || o.Elements || o.Mesh || o.WaterBalance || o.Observations ||
         !r.graphs.empty();
}

// A layer the problem does not have is refused before anything is written.
bool GraphLayersExist(const Problem& problem, const PrintRequest& r) {
  for (const GraphPage& g : r.graphs) {
    if (g.layer >= problem.NL) {
      std::fprintf(stderr, "planaq-cli print: the problem has %d layers, not %d\n", problem.NL,
                   g.layer + 1);
      return false;
    }
  }
  return true;
}

#ifdef PLANAQ_CLI_QTCANVAS
// Everything asked for, in one document: the report, then the graphs in the order given.
void PrintPages(Problem& problem, const PrintRequest& r, PrintJob& job) {
  const Options& o = r.options;
  if (o.General || o.Nodes || o.Elements || o.Mesh || o.WaterBalance || o.Observations)
    PrintReportPages(problem, o, job, &r.observations);
#ifdef PLANAQ_PRINT_GRAPHS
  NoPendingEvents events;
  for (const GraphPage& g : r.graphs) {
    if (g.threeD) {
      PrintGraph3DPage(problem, g.layer, o, job, events);
    } else {
      PrintContourPage(problem, g.layer, o, job, events, &r.observations);
    }
  }
#endif
}

// Qt's notes about its own set-up (such as a missing runtime folder) are no concern of the
// user of a batch tool; its real warnings still go to stderr.
void QtMessage(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtDebugMsg || type == QtInfoMsg) return;
  if (message.startsWith("QStandardPaths:")) return;
  std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

// The same pages once more, each into a PNG file of its own.
bool PrintPageImages(Problem& problem, const PrintRequest& r) {
  const QString folder = QString::fromStdString(r.pngFolder);
  if (!QDir().mkpath(folder)) {
    std::fprintf(stderr, "planaq-cli print: cannot make the folder '%s'\n", r.pngFolder.c_str());
    return false;
  }
  constexpr int kDotsPerInch = 100;
  bool saved = true;
  QtPageImagesCanvas canvas(PrintableWidthAt(kDotsPerInch), PrintableHeightAt(kDotsPerInch),
                            kDotsPerInch, [&](const QImage& page, int number) {
                              const QString path =
                                  QDir(folder).filePath(QString("page-%1.png").arg(number));
                              const Outcome out = SavePng(page, path.toLocal8Bit().toStdString());
                              if (!out.ok) {
                                std::fprintf(stderr, "planaq-cli print: %s\n", out.message.c_str());
                                saved = false;
                              }
                            });
  if (!canvas.BeginDoc()) return false;
  PrintState state;
  PrintJob job(canvas, state);
  job.Start();
  PrintPages(problem, r, job);
  canvas.EndDoc();
  return saved;
}
#endif

}  // namespace

int Print(const Args& args) {
  PrintRequest request;
  if (!ParsePrintArgs(args, request)) return kExitMisuse;
  if (!AnythingToPrint(request)) {
    std::fprintf(stderr, "planaq-cli print: nothing to print\n");
    return kExitMisuse;
  }
  if (OutputIsInput(request.in, request.out)) return 1;
  Problem problem = StartedProblem();
  if (!OpenDatafile(problem, request.in)) return 1;
  if (!GraphLayersExist(problem, request)) return 1;
  if (!request.observationsFile.empty() &&
      !ReadObservationsForCli(request.observationsFile, request.observations))
    return 2;
#ifndef PLANAQ_PRINT_GRAPHS
  if (!request.graphs.empty()) {
    std::fprintf(stderr, "planaq-cli print: this build prints no graphs\n");
    return 1;
  }
#endif
#ifdef PLANAQ_CLI_QTCANVAS
  // fonts and the PDF writer need a GUI application, but no screen
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(QtMessage);
  int argc = 1;
  char name[] = "planaq-cli";
  char* argv[] = {name, nullptr};
  QGuiApplication app(argc, argv);
  QPrinter printer(QPrinter::HighResolution);
  SetUpPdfPrinter(printer, QString::fromStdString(request.out));
  SafePdf pdf(printer, request.out);
  if (!pdf.cause().empty()) {
    std::fprintf(stderr, "planaq-cli print: %s\n", pdf.cause().c_str());
    return 1;
  }
  {
    QtPrinterCanvas canvas(printer);
    if (!canvas.BeginDoc()) {
      std::fprintf(stderr, "planaq-cli print: cannot write '%s'\n", request.out.c_str());
      return 1;
    }
    PrintState state;
    PrintJob job(canvas, state);
    job.Start();
    PrintPages(problem, request, job);
    canvas.EndDoc();
  }
  const Outcome written = pdf.Finish();
  if (!written.ok) {
    std::fprintf(stderr, "planaq-cli print: %s\n", written.message.c_str());
    return 1;
  }
  return request.pngFolder.empty() || PrintPageImages(problem, request) ? 0 : 1;
#else
  std::fprintf(stderr, "planaq-cli print: this build has no PDF printing (Qt was not found)\n");
  return 1;
#endif
}

}  // namespace planaq::cli
