#pragma once
// What must hold for any installation file: reading it ends with capacities the program can
// start with, and what is written from them reads back the same.

#include <cstdio>
#include <string>

#include "files/Installation.h"

namespace planaq::fuzz {

inline bool WriteBytes(const std::string& path, const std::string& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && written;
}

inline bool SameInstallation(const InstallationData& a, const InstallationData& b) {
  return a.UserName == b.UserName && a.caps.BMAX == b.caps.BMAX && a.caps.NMAX == b.caps.NMAX &&
         a.caps.MMAX == b.caps.MMAX && a.caps.PMAX == b.caps.PMAX;
}

// folder is a scratch folder of the caller's; returns an empty string when the property holds.
inline std::string CheckInstallationBytes(const std::string& bytes, const std::string& folder) {
  if (!WriteBytes(InstallationPath(folder), bytes)) return "";
  const InstallationData read = ReadInstallationFile(folder);
  const Capacities& c = read.caps;
  if (c.BMAX < 1 || c.NMAX < 3 || c.MMAX < 1 || c.PMAX < 0)
    return "capacities below what the initial problem needs";
  if (read.UserName.size() > 60) return "a user name longer than 60 characters";
  if (read.UserName.find('\n') != std::string::npos) return "a line feed in the user name";
  if (!WriteInstallationFile(folder, read)) return "";
  const InstallationData again = ReadInstallationFile(folder);
  if (!SameInstallation(read, again)) return "a written installation file reads back differently";
  return "";
}

}  // namespace planaq::fuzz
