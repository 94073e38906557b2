#include "print/ListPages.h"

#include <functional>
#include <string>

#include "print/PageHeader.h"
#include "print/TextFormat.h"

namespace planaq {

const char* const kNodePagesHeading =
    "     Node          X (m)           Y (m) Type      B (m)      T (m)      F (m)     Q "
    "(m\xB3/d)";
const char* const kElementPagesHeading = "  Element   Node 1   Node 2   Node 3     Soil";

namespace {

constexpr int kFirstRowLine = 9;

struct ListLayout {
  const char* section;
  const char* heading;
  const Font& pageMeasureFont;
};

void ListHeader(const Problem& problem, PrintJob& job, const ListLayout& layout) {
  WriteTitleLine(job, PageTitle(problem), layout.pageMeasureFont);
  WriteSectionTitle(job, layout.section);
  job.TextAtLine(job.leftMargin, 7, job.fonts.FontNormal, layout.heading);
  job.line = kFirstRowLine;
}

void PrintList(const Problem& problem, PrintJob& job, const ListLayout& layout, int count,
               const std::function<std::string(int)>& row) {
  job.BreakPage();
  ListHeader(problem, job, layout);
  for (int i = 0; i < count; ++i) {
    if (job.line >= job.linesPerPage) {
      job.NewPage();
      ListHeader(problem, job, layout);
    }
    job.TextAtLine(job.leftMargin, job.line++, job.fonts.FontNormal, row(i));
  }
}

}  // namespace

void PrintNodePages(const Problem& p, PrintJob& job) {
  const ListLayout layout{"Data of Nodes", kNodePagesHeading, job.fonts.FontSmallBold};
  PrintList(p, job, layout, p.NN, [&p](int n) {
    const Node& node = p.nodes[n];
    const NodeLayers& v = p.layers[n];
    return Format("%8d %15.3f %15.3f %4d %10.3f %10.3f %10.3f %10.3f", n + 1, node.X, node.Y,
                  node.Type, v.B[0], v.T[0], v.F[0], v.Q[0]);
  });
}

void PrintElementPages(const Problem& p, PrintJob& job) {
  const ListLayout layout{"Data of Elements", kElementPagesHeading, job.fonts.FontBold};
  PrintList(p, job, layout, p.NM, [&p](int e) {
    const Element& element = p.elements[e];
    return Format("%8d %8d %8d %8d %8d", e + 1, element.Node[0] + 1, element.Node[1] + 1,
                  element.Node[2] + 1, element.Block + 1);
  });
}

}  // namespace planaq
