#pragma once
// The node pages and the element pages of the report: one line per node or element.

#include "model/Problem.h"
#include "print/PrintJob.h"

namespace planaq {

// The column heading of the node pages. Type stands fourth, where the rows print it.
extern const char* const kNodePagesHeading;
extern const char* const kElementPagesHeading;

void PrintNodePages(const Problem& problem, PrintJob& job);
void PrintElementPages(const Problem& problem, PrintJob& job);

}  // namespace planaq
