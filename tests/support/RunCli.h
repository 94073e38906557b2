#pragma once
// Runs planaq-cli (the PLANAQ_CLI of the test target) in a test's folder; its standard output
// is left in out.txt there, its standard error in err.txt. Returns the exit status, -1 when
// it did not exit.

#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "support/TempDir.h"

namespace planaq::test {

inline int RunCli(const TempDir& dir, const std::string& arguments) {
  const std::string command =
      "cd '" + dir.path() + "' && '" PLANAQ_CLI "' " + arguments + " > out.txt 2> err.txt";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace planaq::test
