// What every command of planaq-cli checks in its command line.

#include <sys/stat.h>

#include <cstdio>

#include "Cli.h"

namespace planaq::cli {
namespace {

bool SameInode(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

void RefuseOverInput(const std::string& in) {
  std::fprintf(stderr, "planaq-cli: the output would overwrite the input '%s'\n", in.c_str());
}

}  // namespace

int Misuse(const char* usage) {
  std::fprintf(stderr, "usage: planaq-cli %s\n", usage);
  return kExitMisuse;
}

bool IsOption(const std::string& arg) { return arg.size() > 1 && arg[0] == '-'; }

bool FileArgs(const Args& args, std::size_t count, const char* usage, int& status) {
  bool fine = args.size() == count;
  for (const std::string& a : args) fine = fine && !IsOption(a);
  if (!fine) status = Misuse(usage);
  return fine;
}

bool OutputIsInput(const std::string& in, const std::string& out) {
  struct stat a {
  }, b{};
  const bool same = stat(in.c_str(), &a) == 0 && stat(out.c_str(), &b) == 0 && SameInode(a, b);
  if (same) RefuseOverInput(in);
  return same;
}

bool StdoutIsInput(const std::string& in) {
  struct stat a {
  }, b{};
  const bool same = stat(in.c_str(), &a) == 0 && fstat(1, &b) == 0 && SameInode(a, b);
  if (same) RefuseOverInput(in);
  return same;
}

}  // namespace planaq::cli
