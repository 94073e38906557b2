#pragma once
// The commands of planaq-cli. Each takes the arguments after its name and returns the exit
// status; messages go to stderr.

#include <string>
#include <vector>

#include "model/Problem.h"

namespace planaq {
struct ObservationSet;
}

namespace planaq::cli {

using Args = std::vector<std::string>;

// The problem as the program has it right after start-up, with the capacities of
// "PLANAQ.txt" in the working directory (or the defaults).
Problem StartedProblem();
// Reads a datafile as Open does (particles and mean discharge set up afterwards). Prints the
// message and returns false on failure.
bool OpenDatafile(Problem& problem, const std::string& path);
// Writes as Save does; prints the message and returns false on failure.
bool SaveDatafile(Problem& problem, const std::string& path);

int Info(const Args& args);
int New(const Args& args);
int Solve(const Args& args);
int Refine(const Args& args);
int Trace(const Args& args);
int Contours(const Args& args);
int Print(const Args& args);
int Verify(const Args& args);
int Examples(const Args& args);
int Manual(const Args& args);
int Balance(const Args& args);
// Reads an observation CSV with at least one row; prints the message and returns false.
bool ReadObservationsForCli(const std::string& path, ObservationSet& set);
int Observe(const Args& args);
int Fit(const Args& args);

}  // namespace planaq::cli
