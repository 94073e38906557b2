#include "print/DataReport.h"

#include "print/GeneralDataReport.h"
#include "print/ListPages.h"
#include "print/MeshPage.h"
#include "print/WaterBalancePage.h"

namespace planaq {

void PrintReportPages(const Problem& problem, const Options& options, PrintJob& job) {
  job.ResetPageCounter();
  if (options.General) PrintGeneralData(problem, job);
  if (options.Nodes) PrintNodePages(problem, job);
  if (options.Elements) PrintElementPages(problem, job);
  if (options.Mesh) PrintMeshPage(problem, options, job);
  if (options.WaterBalance) PrintWaterBalancePage(problem, job);
}

bool PrintReport(const Problem& problem, const Options& options, PrinterCanvas& canvas,
                 PrintState& state) {
  if (!canvas.BeginDoc()) return false;
  PrintJob job(canvas, state);
  job.Start();
  PrintReportPages(problem, options, job);
  canvas.EndDoc();
  return true;
}

}  // namespace planaq
