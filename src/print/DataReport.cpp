#include "print/DataReport.h"

#include "print/GeneralDataReport.h"
#include "print/ListPages.h"
#include "print/MeshPage.h"
#include "print/ObservationsPage.h"
#include "print/WaterBalancePage.h"

namespace planaq {

void PrintReportPages(const Problem& problem, const Options& options, PrintJob& job,
                      const ObservationSet* observations) {
  job.ResetPageCounter();
  if (options.General) PrintGeneralData(problem, job);
  if (options.Nodes) PrintNodePages(problem, job);
  if (options.Elements) PrintElementPages(problem, job);
  if (options.Mesh) PrintMeshPage(problem, options, job);
  if (options.WaterBalance) PrintWaterBalancePage(problem, job);
  if (options.Observations && observations && !observations->empty())
    PrintObservationsPage(problem, *observations, job);
}

bool PrintReport(const Problem& problem, const Options& options, PrinterCanvas& canvas,
                 PrintState& state, const ObservationSet* observations) {
  if (!canvas.BeginDoc()) return false;
  PrintJob job(canvas, state);
  job.Start();
  PrintReportPages(problem, options, job, observations);
  canvas.EndDoc();
  return true;
}

}  // namespace planaq
