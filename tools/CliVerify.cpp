// planaq-cli verify: the three test problems of the manual, made, solved and compared with
// their closed forms; one line per test, exit 0 only when every test passes.
//
// planaq-cli manual: the printed manual as a PDF.

#include <cstdio>

#include "Cli.h"
#include "manual/TestProblems.h"

namespace planaq::cli {

int Verify(const Args& args) {
  if (!args.empty()) {
    std::fprintf(stderr, "usage: planaq-cli verify\n");
    return 1;
  }
  std::printf("%-7s %6s %12s %10s  %s\n", "test", "nodes", "error (m)", "tol (m)", "result");
  bool all = true;
  for (const TestOutcome& o : RunTestProblems()) {
    std::printf("%s\n", FormatOutcome(o).c_str());
    if (!o.solved) std::fprintf(stderr, "%s: %s\n", o.name.c_str(), o.message.c_str());
    all = all && o.Passed();
  }
  return all ? 0 : 1;
}

}  // namespace planaq::cli
