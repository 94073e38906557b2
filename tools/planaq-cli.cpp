// planaq-cli: the headless batch tool. It reads and writes the same datafiles as the program
// and runs the same core operations.

#include <cstdio>
#include <cstring>
#include <new>
#include <string>

#include "Cli.h"

namespace {

struct Command {
  const char* name;
  int (*run)(const planaq::cli::Args&);
  const char* usage;
};

const Command kCommands[] = {
    {"info", planaq::cli::Info, "info FILE.aqd            print the general data of a datafile"},
    {"new", planaq::cli::New, "new FILE.aqd             write the initial problem"},
#ifdef PLANAQ_CLI_SOLVE
    {"solve", planaq::cli::Solve,
     "solve [--amg] IN.aqd OUT.aqd  solve and write the solved problem (--amg: algebraic "
     "multigrid)"},
#endif
#ifdef PLANAQ_CLI_REFINE
    {"refine", planaq::cli::Refine,
     "refine IN.aqd OUT.aqd [--reset-blocks] [--split4 N] [--split2 N] [--well X,Y]..."},
#endif
#ifdef PLANAQ_CLI_TRACE
    {"trace", planaq::cli::Trace,
     "trace IN.aqd [--layer L]  pathlines of the contour figure (CSV)"},
    {"contours", planaq::cli::Contours, "contours IN.aqd --layer L  legend and contour segments"},
#endif
#ifdef PLANAQ_CLI_BALANCE
    {"balance", planaq::cli::Balance, "balance IN.aqd [--csv]   solve and print the water balance"},
#endif
#ifdef PLANAQ_CLI_OBSERVE
    {"observe", planaq::cli::Observe,
     "observe IN.aqd OBS.csv [--csv] [--solved]  heads at the observations, residuals"},
#endif
#ifdef PLANAQ_CLI_FIT
    {"fit", planaq::cli::Fit,
     "fit IN.aqd OBS.csv OUT.aqd --param K:B:L|KA:B:L|I:B ... [--bounds LO,HI] [--max-solves N]"},
#endif
#ifdef PLANAQ_CLI_PRINT
    {"print", planaq::cli::Print, "print IN.aqd OUT.pdf [options]  the printed report as PDF"},
#endif
#ifdef PLANAQ_CLI_VERIFY
    {"verify", planaq::cli::Verify,
     "verify                   solve the four test problems, check them"},
    {"examples", planaq::cli::Examples,
     "examples DIR             write the example datafiles, solved"},
#endif
#ifdef PLANAQ_CLI_MANUAL
    {"manual", planaq::cli::Manual, "manual OUT.pdf           print the manual (12 pages) as PDF"},
#endif
};

void PrintUsage() {
  std::fprintf(stderr, "usage: planaq-cli COMMAND ARGS\n\ncommands:\n");
  for (const Command& c : kCommands) std::fprintf(stderr, "  %s\n", c.usage);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
    PrintUsage();
    return argc < 2 ? 1 : 0;
  }
  const planaq::cli::Args args(argv + 2, argv + argc);
  for (const Command& c : kCommands) {
    if (std::strcmp(argv[1], c.name) != 0) continue;
    try {
      return c.run(args);
    } catch (const std::bad_alloc&) {
      // the capacities are checked against the memory; this is the machine running short
      std::fprintf(stderr, "planaq-cli: not enough memory for '%s'\n", argv[1]);
      return 1;
    }
  }
  std::fprintf(stderr, "planaq-cli: unknown command '%s'\n\n", argv[1]);
  PrintUsage();
  return 1;
}
