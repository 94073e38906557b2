#pragma once
// The datafile (.aqd): the writer used by Save and after Solve, and the reader of Open.

#include <cstdio>
#include <string>

#include "files/DatafileProgress.h"
#include "files/Outcome.h"
#include "model/Problem.h"
#include "model/Values.h"

namespace planaq {

constexpr double kLargestDatafileValue = kLargestValue;
// Names are held to 60 characters; longer ones would not read back from their line.
constexpr std::size_t kLongestName = 60;

// The whole datafile text of the problem, with the file name line as it stands in memory;
// progress hears of the lines formatted so far.
std::string FormatDatafile(const Problem& problem, DatafileProgress* progress = nullptr);

// Empty when every value and count of the problem is one the reader accepts, so that what is
// written can be opened again; otherwise "Writing datafile failed." with what and where. Two
// distinct nodes that the file would write at the same coordinates are refused as well.
std::string CheckWritable(const Problem& problem);

// Save: nothing is written when CheckWritable refuses the problem. Otherwise the path becomes
// the file name, then its base name once the file could be created.
// The text goes to a temporary file in the target's folder that is renamed over the target,
// so a failed save leaves an existing file as it was.
Outcome WriteDatafile(Problem& problem, const std::string& path,
                      DatafileProgress* progress = nullptr);

// Open: reads the file at path into the problem. A capacity check that fails restores the
// general data as the program always did; a damaged file is refused and the problem stays
// exactly as it was. Particles and the mean discharge are left to the caller.
Outcome ReadDatafile(Problem& problem, const std::string& path,
                     DatafileProgress* progress = nullptr);
// The same reading from an open file; the file name in memory is not touched first.
Outcome ReadDatafileFrom(Problem& problem, std::FILE* file, DatafileProgress* progress = nullptr);

}  // namespace planaq
