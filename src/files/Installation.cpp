#include "files/Installation.h"

#include <cstdio>
#include <memory>

#include "files/Tokens.h"

namespace planaq {
namespace {

constexpr int kLineChars = 79;

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

int OrDefault(int value, int fallback) { return value > 0 ? value : fallback; }

std::string CapacityText(int v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%12d", v);
  return buf;
}

RowCheck Checked(int value, std::string message) {
  return RowCheck{value, CapacityText(value), std::move(message)};
}

int IntegerOf(const std::string& text) { return LeadingInt(text); }

}  // namespace

std::string InstallationPath(const std::string& folder) {
  return (folder.empty() ? std::string(".") : folder) + "/PLANAQ.txt";
}

InstallationData ReadInstallationFile(const std::string& folder) {
  InstallationData data;
  const Capacities defaults;
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(InstallationPath(folder).c_str(), "rb"));
  if (!file) return data;
  std::string line;
  int lineNumber = 0;
  if (!ReadDataLine(file.get(), kLineChars, line, lineNumber)) return data;
  data.UserName = NameField(line, 40);
  if (ReadDataLine(file.get(), kLineChars, line, lineNumber)) {
    const std::vector<std::string> t = SplitTokens(line);
    // A capacity the file lacks, or holds as 0 or less, takes its default; no particles is a
    // capacity the grid itself accepts.
    auto at = [&t](std::size_t i, int fallback) {
      return i < t.size() ? OrDefault(LeadingInt(t[i]), fallback) : fallback;
    };
    data.caps.BMAX = at(0, defaults.BMAX);
    data.caps.NMAX = at(1, defaults.NMAX);
    data.caps.MMAX = at(2, defaults.MMAX);
    data.caps.PMAX = t.size() > 3 && LeadingInt(t[3]) >= 0 ? LeadingInt(t[3]) : defaults.PMAX;
  }
  data.caps = SafeCapacities(data.caps);
  return data;
}

std::string FormatInstallation(const InstallationData& data) {
  char caps[128];
  std::snprintf(caps, sizeof caps, "%12d,%12d,%12d,%12d,\n", data.caps.BMAX, data.caps.NMAX,
                data.caps.MMAX, data.caps.PMAX);
  return "#  PLANAQ -- Finite Element Method for Plane Groundwater Flow\n"
         "#  Installation Data\n"
         "#  User Name\n" +
         NameLine(data.UserName, 60) + "#        BMAX         NMAX         MMAX         PMAX\n" +
         caps;
}

bool WriteInstallationFile(const std::string& folder, const InstallationData& data) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(InstallationPath(folder).c_str(), "wb"));
  if (!file) return false;
  const std::string text = FormatInstallation(data);
  return std::fwrite(text.data(), 1, text.size(), file.get()) == text.size();
}

void ReadInstallation(Problem& problem, const std::string& folder) {
  const InstallationData data = ReadInstallationFile(folder);
  problem.UserName = data.UserName;
  problem.Allocate(data.caps);
  problem.TakeSnapshot();
}

bool SaveInstallation(Problem& problem, const std::string& folder) {
  const bool written =
      WriteInstallationFile(folder, InstallationData{problem.UserName, problem.caps});
  problem.Allocate(problem.caps);
  problem.InitialiseProblem();
  problem.InitialiseSoilsAndColours();
  return written;
}

std::string CheckUserName(const std::string& text) { return text.substr(0, 60); }

RowCheck CheckBMAX(const std::string& text) {
  const int v = IntegerOf(text);
  if (v < 20) return Checked(20, "Enter integer value > 20");
  return Checked(v, "");
}

RowCheck CheckNMAX(const std::string& text) {
  const int v = IntegerOf(text);
  if (v <= 100) return Checked(10000, "Enter integer value > 100");
  return Checked(v, "");
}

RowCheck CheckMMAX(const std::string& text) {
  const int v = IntegerOf(text);
  if (v <= 100) return Checked(10000, "Enter integer value > 100");
  return Checked(v, "");
}

RowCheck CheckPMAX(const std::string& text) {
  const int v = IntegerOf(text);
  if (v < 0) return Checked(0, "");
  if (v > 1000) return Checked(1000, "Enter integer value <= 1000");
  return Checked(v, "");
}

}  // namespace planaq
