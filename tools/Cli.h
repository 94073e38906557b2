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

// Exit statuses beside 0 (done) and 1 (failed): the command line was wrong; the iteration
// ended without reaching its tolerance (the solved file is written all the same).
constexpr int kExitMisuse = 2;
constexpr int kExitNotConverged = 3;

// Prints "usage: planaq-cli " and the usage to stderr; returns kExitMisuse.
int Misuse(const char* usage);
// An argument that starts like an option ("-x", "--x"), which is never taken as a file name.
bool IsOption(const std::string& arg);
// Exactly `count` file names and no option, or the usage and kExitMisuse in status.
bool FileArgs(const Args& args, std::size_t count, const char* usage, int& status);
// True when the output would replace or grow the input file itself (also through links);
// prints the refusal.
bool OutputIsInput(const std::string& in, const std::string& out);
bool StdoutIsInput(const std::string& in);

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
int Assign(const Args& args);
int Export(const Args& args);
// Reads an observation CSV with at least one row; prints the message and returns false.
bool ReadObservationsForCli(const std::string& path, ObservationSet& set);
int Observe(const Args& args);
int Fit(const Args& args);

}  // namespace planaq::cli
