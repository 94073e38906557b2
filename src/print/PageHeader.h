#pragma once
// The header lines that every printed page starts with.

#include <string>

#include "model/Problem.h"
#include "print/PrintJob.h"

namespace planaq {

// "PLANAQ : <problem name>", the title of every page but the first of the general data.
std::string PageTitle(const Problem& problem);

// Line 2: the title at the left margin in FontBold and "Page %d" in FontSmallBold, right
// aligned as wide as "Page 9999" measured in pageMeasureFont. Takes the page number.
void WriteTitleLine(PrintJob& job, const std::string& title, const Font& pageMeasureFont);

// Line 5: the section title at the left margin in FontBold.
void WriteSectionTitle(PrintJob& job, const std::string& section);

}  // namespace planaq
