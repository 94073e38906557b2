// planaq-cli: the headless batch tool. It reads and writes the same datafiles as the program
// and runs the same core operations.

#include <cerrno>
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
     "solve [--amg] [--phases] IN.aqd OUT.aqd  solve and write the solved problem (--amg: "
     "algebraic multigrid; --phases: seconds and memory of each part on stderr)"},
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
#ifdef PLANAQ_CLI_ASSIGN
    {"assign", planaq::cli::Assign,
     "assign IN.aqd OUT.aqd --polygon|--line|--rect ... [--layer L|all] values  set data at once\n"
     "  assign IN.aqd OUT.aqd --layer L --top-map|--bottom-map|--head-map FROM [--field NAME] "
     "[--origin X0,Y0 [--remember]]  B, T or F from a raster or points"},
#endif
#ifdef PLANAQ_CLI_EXPORT
    {"export", planaq::cli::Export,
     "export IN.aqd OUT.gpkg|.geojson|.shp|.dxf [--origin X0,Y0] [--crs CRS] [--remember] "
     "[--layers 1,2] [--interval DH] [--raster CELL]  the mesh, nodes, contours, wells, "
     "pathlines and balance as map layers, the heads as a raster"},
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

void PrintUsage(std::FILE* to) {
  std::fprintf(to, "usage: planaq-cli COMMAND ARGS\n\ncommands:\n");
  for (const Command& c : kCommands) std::fprintf(to, "  %s\n", c.usage);
}

bool AsksForHelp(const char* arg) {
  return std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0;
}

// Output that did not reach standard output (a full disk, a closed pipe) fails the command.
int WithStdoutChecked(int status) {
  if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return status;
  std::fprintf(stderr, "planaq-cli: cannot write the standard output: %s\n", std::strerror(errno));
  return status == 0 ? 1 : status;
}

int Run(const Command& c, const planaq::cli::Args& args) {
  for (const std::string& a : args) {
    if (!AsksForHelp(a.c_str())) continue;
    std::printf("usage: planaq-cli %s\n", c.usage);
    return 0;
  }
  try {
    return c.run(args);
  } catch (const std::bad_alloc&) {
    // the capacities are checked against the memory; this is the machine running short
    std::fprintf(stderr, "planaq-cli: not enough memory for '%s'\n", c.name);
    return 1;
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    PrintUsage(stderr);
    return planaq::cli::kExitMisuse;
  }
  if (AsksForHelp(argv[1])) {
    PrintUsage(stdout);
    return WithStdoutChecked(0);
  }
  const planaq::cli::Args args(argv + 2, argv + argc);
  for (const Command& c : kCommands)
    if (std::strcmp(argv[1], c.name) == 0) return WithStdoutChecked(Run(c, args));
  std::fprintf(stderr, "planaq-cli: unknown command '%s'\n\n", argv[1]);
  PrintUsage(stderr);
  return planaq::cli::kExitMisuse;
}
