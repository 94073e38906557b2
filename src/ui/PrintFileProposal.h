#pragma once
// The PDF file the print dialog proposes when there is no printer to print on: named after
// what is printed, in the folder of the datafile, not a fixed name in the home folder.

#include <string>

class QPrinter;

namespace planaq::ui {

// stem.pdf beside the file name (in folder when name has no folder of its own), stem being the
// name without its extension; with a printer to print on the dialog stays as it is (a file
// name would turn printing to a file on).
void ProposePdfFile(QPrinter& printer, const std::string& folder, const std::string& name);

}  // namespace planaq::ui
