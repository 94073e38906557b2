#pragma once
// The installation file "PLANAQ.txt": the user name and the four capacities, and the rules
// of the Installation Grid's rows.

#include <string>

#include "model/Problem.h"

namespace planaq {

struct InstallationData {
  std::string UserName = "Vivideri re Zerevireder";
  Capacities caps;
};

std::string InstallationPath(const std::string& folder);

// Reads "PLANAQ.txt" in folder. A missing file gives the defaults; a damaged one gives the
// defaults for what it lacks, and no capacity below what the initial problem needs.
InstallationData ReadInstallationFile(const std::string& folder);
std::string FormatInstallation(const InstallationData& data);
bool WriteInstallationFile(const std::string& folder, const InstallationData& data);

// Start-up and New: read the file into the problem, allocate the tables, take the snapshot.
void ReadInstallation(Problem& problem, const std::string& folder);
// Leaving the Installation Grid: write the file, then rebuild the problem with the new
// capacities (the initial problem, default soils and palette). Returns whether it was written.
bool SaveInstallation(Problem& problem, const std::string& folder);

// A row of the Installation Grid after validation: the value to store, the text to write back
// into the cell, and the message to show (empty for none).
struct RowCheck {
  int value = 0;
  std::string text;
  std::string message;
};
std::string CheckUserName(const std::string& text);
RowCheck CheckBMAX(const std::string& text);
RowCheck CheckNMAX(const std::string& text);
RowCheck CheckMMAX(const std::string& text);
RowCheck CheckPMAX(const std::string& text);

}  // namespace planaq
