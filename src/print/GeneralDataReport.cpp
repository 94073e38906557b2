#include "print/GeneralDataReport.h"

#include <string>
#include <vector>

#include "print/PageHeader.h"
#include "print/TextFormat.h"

namespace planaq {

const char* const kReportCreditLine =
    "Steady plane groundwater flow in a layered system of aquifers and aquitards";

namespace {

constexpr int kContinuationFirstLine = 8;
// a table starts on a new page when fewer than this many lines remain
constexpr int kTableReserve = 10;

void FirstPageHeader(const Problem& problem, PrintJob& job) {
  WriteTitleLine(job, "PLANAQ -- Finite Element Method for Plane Groundwater Flow",
                 job.fonts.FontBold);
  job.TextAtLine(job.leftMargin, 4, job.fonts.FontSmallBold, kReportCreditLine);
  job.TextAtLine(job.leftMargin, 6, job.fonts.FontBold,
                 Format("%s, %s", problem.UserName.c_str(), problem.ProblemName.c_str()));
}

struct Entry {
  const char* label;
  std::string value;
};

std::vector<Entry> GeneralEntries(const Problem& p) {
  return {
      {"User Name", Format(": %s", p.UserName.c_str())},
      {"File Name", Format(": %s", p.FileName.c_str())},
      {"Problem Name", Format(": %s", p.ProblemName.c_str())},
      {"LX (m)", Format(": %g", p.LX)},
      {"LY (m)", Format(": %g", p.LY)},
      {"Number of Main Nodes", Format(": %d", p.NA)},
      {"Number of Blocks", Format(": %d", p.NB)},
      {"Number of Wells", Format(": %d", p.NW)},
      {"Number of Particles", Format(": %d", p.NP)},
      {"Time between marks (d)", Format(": %g", p.TM)},
      {"Number of Nodes", Format(": %d", p.NN)},
      {"Number of Elements", Format(": %d", p.NM)},
      {"Number of Layers", Format(": %d", p.NL)},
  };
}

// The first page down to the definition of Type; leaves the line counter below it.
void FirstPage(const Problem& problem, PrintJob& job) {
  const Font& normal = job.fonts.FontNormal;
  FirstPageHeader(problem, job);
  int shift = 0;
  if (problem.waterLevelWarning) {
    job.TextAtLine(job.leftMargin, 9, job.fonts.FontBold,
                   "Warning : Water level locally below bottom of aquifer. Results invalid.");
    shift = 3;
  }
  job.TextAtLine(job.leftMargin, 9 + shift, job.fonts.FontBold, "General Data");
  job.canvas.SetFont(normal);
  const int valueX = job.leftMargin + job.canvas.TextWidth("Number of Main Nodes  ");
  int line = 12 + shift;
  for (const Entry& e : GeneralEntries(problem)) {
    job.TextAtLine(job.leftMargin, line, normal, e.label);
    job.TextAtLine(valueX, line, normal, e.value);
    ++line;
  }
  job.TextAtLine(job.leftMargin, 26 + shift, normal, "Definition of Type parameter of nodes :");
  job.TextAtLine(job.leftMargin, 27 + shift, normal,
                 "   if (Type&1) : Top of layer 1 open, else Top of layer 1 closed");
  job.TextAtLine(
      job.leftMargin, 28 + shift, normal,
      "   if ((Type>>L)&1) : Groundwater head (F) given in layer L, else Discharge (Q) given");
  job.line = 30 + shift;
}

void ContinuationPage(const Problem& problem, PrintJob& job, const std::string& section) {
  job.NewPage();
  WriteTitleLine(job, PageTitle(problem), job.fonts.FontSmallBold);
  WriteSectionTitle(job, section);
  job.canvas.SetFont(job.fonts.FontNormal);
  job.line = kContinuationFirstLine;
}

// Title, blank line, column heading, blank line. A table that would start too low on the
// page starts on a new one, headed "General Data".
void StartTable(const Problem& problem, PrintJob& job, const char* title,
                const std::vector<std::string>& heading) {
  if (job.line > job.linesPerPage - kTableReserve) ContinuationPage(problem, job, "General Data");
  job.TextAtLine(job.leftMargin, job.line, job.fonts.FontBold, title);
  job.line += 2;
  for (const std::string& text : heading)
    job.TextAtLine(job.leftMargin, job.line++, job.fonts.FontNormal, text);
  ++job.line;
}

// A row of rowLines lines stands on this page only below the limit; the heading is not
// repeated on the new page.
void BeforeRow(const Problem& problem, PrintJob& job, const char* section, int limit) {
  if (job.line >= limit) ContinuationPage(problem, job, section);
}

void RowLine(PrintJob& job, const std::string& text) {
  job.TextAtLine(job.leftMargin, job.line++, job.fonts.FontNormal, text);
}

void MainNodesTable(const Problem& p, PrintJob& job) {
  std::vector<std::string> heading{"     Node          X (m)           Y (m)   Type"};
  for (int L = 0; L < p.NL; ++L)
    heading.push_back(
        "                   B (m)           T (m)           F (m)          Q (m\xB3/d)");
  StartTable(p, job, "Main Nodes", heading);
  // a node's block of NL + 1 lines is never split over two pages
  const int limit = job.linesPerPage - p.NL;
  for (int n = 0; n < p.NA; ++n) {
    BeforeRow(p, job, "Main Nodes", limit);
    const Node& node = p.nodes[n];
    RowLine(job, Format("%8d %15.3f %15.3f %4d", n + 1, node.X, node.Y, node.Type));
    const NodeLayers& v = p.layers[n];
    for (int L = 0; L < p.NL; ++L)
      RowLine(job, Format("         %15.3f %15.3f %15.3f %15.3f", v.B[L], v.T[L], v.F[L], v.Q[L]));
  }
}

void BlocksTable(const Problem& p, PrintJob& job) {
  ++job.line;
  StartTable(p, job, "Blocks", {"    Block   Node 1   Node 2   Node 3     Soil"});
  for (int b = 0; b < p.NB; ++b) {
    BeforeRow(p, job, "Blocks", job.linesPerPage);
    const Block& block = p.blocks[b];
    RowLine(job, Format("%8d %8d %8d %8d %8d ", b + 1, block.Node[0] + 1, block.Node[1] + 1,
                        block.Node[2] + 1, block.Soil + 1));
  }
}

void SoilsTable(const Problem& p, PrintJob& job) {
  ++job.line;
  StartTable(p, job, "Soils",
             {"     Soil    KA (m/d)     PA           RA           K (m/d)       P            R  "
              "         I (m/d)"});
  for (int s = 0; s < p.NB; ++s) {
    const Soil& soil = p.soils[s];
    // the lines of one soil may be split over two pages
    BeforeRow(p, job, "Soils", job.linesPerPage);
    RowLine(job, Format("%8d                                        %12.6f %12.6f %12.6f %12.6f",
                        s + 1, soil.K[0], soil.P[0], soil.R[0], soil.I));
    for (int L = 1; L < p.NL; ++L) {
      BeforeRow(p, job, "Soils", job.linesPerPage);
      RowLine(job, Format("         %12.6f %12.6f %12.6f %12.6f %12.6f %12.6f", soil.KA[L],
                          soil.PA[L], soil.RA[L], soil.K[L], soil.P[L], soil.R[L]));
    }
  }
}

void WellsTable(const Problem& p, PrintJob& job) {
  ++job.line;
  StartTable(p, job, "Wells", {"     Well     Node    Layer    F (m)        Q (m\xB3/d)   Type"});
  for (int w = 0; w < p.NW; ++w) {
    BeforeRow(p, job, "Wells", job.linesPerPage);
    const Well& well = p.wells[w];
    // a well that names no node or layer of the problem prints its own numbers only
    const bool known = well.Node >= 0 && well.Node < p.NN && well.Layer >= 0 && well.Layer < p.NL;
    const double F = known ? p.layers[well.Node].F[well.Layer] : 0.0;
    const int type = known ? p.nodes[well.Node].Type : 0;
    RowLine(job, Format("%8d %8d %8d %12.6f %12.6f %4d ", w + 1, well.Node + 1, well.Layer + 1, F,
                        well.Q, type));
  }
}

void ParticlesTable(const Problem& p, PrintJob& job) {
  ++job.line;
  StartTable(p, job, "Particles", {"   Particle   X (m)        Y (m)        Z (m)"});
  for (int i = 0; i < p.NP; ++i) {
    BeforeRow(p, job, "Particles", job.linesPerPage);
    const Particle& particle = p.particles[i];
    RowLine(job, Format("%8d %12.6f %12.6f %12.6f ", i + 1, particle.X0, particle.Y0, particle.Z0));
  }
}

}  // namespace

void PrintGeneralData(const Problem& problem, PrintJob& job) {
  job.BreakPage();
  FirstPage(problem, job);
  MainNodesTable(problem, job);
  BlocksTable(problem, job);
  SoilsTable(problem, job);
  if (problem.NW > 0) WellsTable(problem, job);
  if (problem.NP >= 1) ParticlesTable(problem, job);
}

}  // namespace planaq
