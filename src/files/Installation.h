#pragma once
// The installation file "PLANAQ.txt": the user name and the four capacities, and the rules
// of the Installation Grid's rows.

#include <string>

#include "files/Datafile.h"
#include "model/Problem.h"

namespace planaq {

struct InstallationData {
  std::string UserName = "Vivideri re Zerevireder";
  Capacities caps;
  std::string message;  // why capacities of the file were replaced by the defaults
};

std::string InstallationPath(const std::string& folder);

// Reads "PLANAQ.txt" in folder. A missing file gives the defaults; a damaged one gives the
// defaults for what it lacks, and no capacity below what the initial problem needs. Capacities
// beyond the index type, or that together do not fit in usableBytes, are read as the defaults,
// and the message says so.
InstallationData ReadInstallationFile(const std::string& folder, long long usableBytes);
InstallationData ReadInstallationFile(const std::string& folder);
std::string FormatInstallation(const InstallationData& data);
// Replaces the file only when the whole text is written; the message says why not.
Outcome WriteInstallationFile(const std::string& folder, const InstallationData& data);

// Start-up and New: read the file into the problem, allocate the tables, take the snapshot.
// Returns the file's message (empty for none).
std::string ReadInstallation(Problem& problem, const std::string& folder);
// Leaving the Installation Grid: make the tables for the new capacities, write the file, then
// rebuild the problem (the initial problem, default soils and palette). When the tables cannot
// be made, the problem and its previous capacities stay and nothing is written.
Outcome SaveInstallation(Problem& problem, const std::string& folder);
// The same for capacities the problem fits: the tables are made anew around the problem, which
// stays as it is. When they cannot be made, the previous capacities stay and nothing is written.
Outcome ResizeInstallation(Problem& problem, const std::string& folder);
// Only the file, for a new user name.
Outcome WriteInstallation(const Problem& problem, const std::string& folder);

// A row of the Installation Grid after validation: the value to store, the text to write back
// into the cell, and the message to show (empty for none).
struct RowCheck {
  int value = 0;
  std::string text;
  std::string message;
  bool kept = false;  // the value could not be held: the capacity stays as it was
};
std::string CheckUserName(const std::string& text);
RowCheck CheckBMAX(const std::string& text);
RowCheck CheckNMAX(const std::string& text);
RowCheck CheckMMAX(const std::string& text);
RowCheck CheckPMAX(const std::string& text);
// Capacity rows 1 (BMAX) to 4 (PMAX) of the grid: the row's own check, and then a value beyond
// the index type, or one with which the capacities do not fit in usableBytes, keeps the
// current capacity with the message.
RowCheck CheckCapacityRow(const Capacities& current, int row, const std::string& text,
                          long long usableBytes);

}  // namespace planaq
