#include "print/WaterBalancePage.h"

#include <sstream>
#include <string>

#include "print/PageHeader.h"
#include "solver/WaterBalance.h"

namespace planaq {

namespace {

constexpr int kFirstLine = 7;
// seven figures of 13 characters after the label fit the line of the node pages and a bit more
constexpr int kPrintedFigures = 7;

void BalanceHeader(const Problem& problem, PrintJob& job) {
  WriteTitleLine(job, PageTitle(problem), job.fonts.FontSmallBold);
  WriteSectionTitle(job, "Water Balance");
  job.TextAtLine(job.leftMargin, kFirstLine, job.fonts.FontNormal,
                 "Flows in m\xB3/d, positive into the aquifer; leakage positive downward.");
  job.line = kFirstLine + 2;
}

}  // namespace

void PrintWaterBalancePage(const Problem& problem, PrintJob& job) {
  job.BreakPage();
  BalanceHeader(problem, job);
  std::istringstream text(WaterBalanceText(ComputeWaterBalance(problem), kPrintedFigures));
  for (std::string line; std::getline(text, line);) {
    if (job.line >= job.linesPerPage) {
      job.NewPage();
      BalanceHeader(problem, job);
    }
    job.TextAtLine(job.leftMargin, job.line++, job.fonts.FontNormal, line);
  }
}

}  // namespace planaq
