#include "files/Installation.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>

#include "files/SafeWrite.h"
#include "files/Tokens.h"
#include "model/Memory.h"

namespace planaq {
namespace {

constexpr int kLineChars = 79;

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

std::string CapacityText(int v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%12d", v);
  return buf;
}

RowCheck Checked(int value, std::string message) {
  return RowCheck{value, CapacityText(value), std::move(message)};
}

RowCheck Kept(int value, std::string message) {
  RowCheck check = Checked(value, std::move(message));
  check.kept = true;
  return check;
}

int IntegerOf(const std::string& text) { return LeadingInt(text); }

constexpr const char* kCapacityNames[4] = {"BMAX", "NMAX", "MMAX", "PMAX"};

int& CapacityAt(Capacities& c, int index) {
  int* const fields[4] = {&c.BMAX, &c.NMAX, &c.MMAX, &c.PMAX};
  return *fields[index];
}

int DefaultCapacity(int index) {
  Capacities d;
  return CapacityAt(d, index);
}

long long OrDefault(long long value, int fallback) { return value > 0 ? value : fallback; }

// The four capacities as the file holds them, before any is held to the index type.
std::array<long long, 4> FileCapacities(const std::vector<std::string>& t) {
  const Capacities d;
  auto at = [&t](std::size_t i, int fallback) {
    return i < t.size() ? OrDefault(LeadingLong(t[i]), fallback) : fallback;
  };
  // no particles is a capacity the grid itself accepts
  const long long pmax = t.size() > 3 && LeadingLong(t[3]) >= 0 ? LeadingLong(t[3]) : d.PMAX;
  return {at(0, d.BMAX), at(1, d.NMAX), at(2, d.MMAX), pmax};
}

// A capacity beyond the index type is read as its default.
Capacities WithinIndexType(const std::array<long long, 4>& v, std::string& message) {
  Capacities c;
  for (int i = 0; i < 4; ++i) {
    const std::string refused = CapacityRangeMessage(kCapacityNames[i], v[i]);
    if (message.empty()) message = refused;
    CapacityAt(c, i) = refused.empty() ? static_cast<int>(v[i]) : DefaultCapacity(i);
  }
  return c;
}

// Capacities that do not fit: every one raised above its default is read as the default.
Capacities FittingCapacities(const Capacities& c, long long usableBytes, std::string& message) {
  const std::string refused = CapacitiesMessage(c, usableBytes);
  if (refused.empty()) return c;
  if (message.empty()) message = refused;
  Capacities fitted = c;
  for (int i = 0; i < 4; ++i) CapacityAt(fitted, i) = std::min(CapacityAt(fitted, i), DefaultCapacity(i));
  return fitted;
}

}  // namespace

std::string InstallationPath(const std::string& folder) {
  return (folder.empty() ? std::string(".") : folder) + "/PLANAQ.txt";
}

InstallationData ReadInstallationFile(const std::string& folder) {
  return ReadInstallationFile(folder, AvailableMemoryBytes());
}

InstallationData ReadInstallationFile(const std::string& folder, long long usableBytes) {
  InstallationData data;
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(InstallationPath(folder).c_str(), "rb"));
  if (!file) return data;
  std::string line;
  int lineNumber = 0;
  if (!ReadDataLine(file.get(), kLineChars, line, lineNumber)) return data;
  data.UserName = NameField(line, 40);
  std::string refused;
  if (ReadDataLine(file.get(), kLineChars, line, lineNumber)) {
    // A capacity the file lacks, or holds as 0 or less, takes its default.
    data.caps = WithinIndexType(FileCapacities(SplitTokens(line)), refused);
  }
  data.caps = FittingCapacities(SafeCapacities(data.caps), usableBytes, refused);
  if (!refused.empty())
    data.message = "PLANAQ.txt: " + refused + "\n\nThe default capacities are used.";
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

Outcome WriteInstallationFile(const std::string& folder, const InstallationData& data) {
  return WriteFileSafely(InstallationPath(folder), FormatInstallation(data));
}

std::string ReadInstallation(Problem& problem, const std::string& folder) {
  const InstallationData data = ReadInstallationFile(folder);
  problem.UserName = data.UserName;
  std::string message = data.message;
  const std::string failed = problem.Allocate(data.caps);
  if (!failed.empty()) message += (message.empty() ? "" : "\n\n") + failed;
  problem.TakeSnapshot();
  return message;
}

Outcome SaveInstallation(Problem& problem, const std::string& folder) {
  const std::string failed = problem.Allocate(problem.caps);
  if (!failed.empty()) {
    problem.caps = problem.AllocatedCapacities();
    return Outcome::Fail(failed);
  }
  const Outcome written =
      WriteInstallationFile(folder, InstallationData{problem.UserName, problem.caps, ""});
  problem.InitialiseProblem();
  problem.InitialiseSoilsAndColours();
  if (!written.ok)
    return Outcome::Fail(
        WithCause("Writing " + InstallationPath(folder) + " failed.", written.message));
  return Outcome{};
}

Outcome WriteInstallation(const Problem& problem, const std::string& folder) {
  if (WriteInstallationFile(folder, InstallationData{problem.UserName, problem.caps, ""}))
    return Outcome{};
  return Outcome::Fail("Writing " + InstallationPath(folder) + " failed.");
}

Outcome ResizeInstallation(Problem& problem, const std::string& folder) {
  const std::string failed = problem.Reallocate(problem.caps);
  if (!failed.empty()) {
    problem.caps = problem.AllocatedCapacities();
    return Outcome::Fail(failed);
  }
  return WriteInstallation(problem, folder);
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

namespace planaq {

RowCheck CheckCapacityRow(const Capacities& current, int row, const std::string& text,
                          long long usableBytes) {
  if (row < 1 || row > 4) return RowCheck{0, text, ""};
  const int index = row - 1;
  Capacities kept = current;
  const int old = CapacityAt(kept, index);  // the value the cell shows again when refused
  const std::string range = CapacityRangeMessage(kCapacityNames[index], LeadingLong(text));
  if (!range.empty()) return Kept(old, range);
  static RowCheck (*const kChecks[4])(const std::string&) = {CheckBMAX, CheckNMAX, CheckMMAX,
                                                              CheckPMAX};
  const RowCheck check = kChecks[index](text);
  Capacities wanted = current;
  CapacityAt(wanted, index) = check.value;
  const std::string tooLarge = CapacitiesMessage(SafeCapacities(wanted), usableBytes);
  if (!tooLarge.empty()) return Kept(old, tooLarge);
  return check;
}

}  // namespace planaq
