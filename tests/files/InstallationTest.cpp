#include "files/Installation.h"

#include <gtest/gtest.h>

#include "support/TempDir.h"

namespace planaq {
namespace {

using test::ReadFile;
using test::TempDir;

TEST(Installation, MissingFileGivesDefaults) {
  TempDir dir;
  const InstallationData d = ReadInstallationFile(dir.path());
  EXPECT_EQ(d.UserName, "Vivideri re Zerevireder");
  EXPECT_EQ(d.caps.BMAX, 48);
  EXPECT_EQ(d.caps.NMAX, 12000);
  EXPECT_EQ(d.caps.MMAX, 20000);
  EXPECT_EQ(d.caps.PMAX, 100);
}

TEST(Installation, WrittenLayoutIsExact) {
  TempDir dir;
  ASSERT_TRUE(WriteInstallationFile(dir.path(), InstallationData{}));
  EXPECT_EQ(ReadFile(dir.File("PLANAQ.txt")),
            "#  PLANAQ -- Finite Element Method for Plane Groundwater Flow\n"
            "#  Installation Data\n"
            "#  User Name\n"
            "Vivideri re Zerevireder,\n"
            "#        BMAX         NMAX         MMAX         PMAX\n"
            "          48,       12000,       20000,         100,\n");
}

TEST(Installation, LongUserNameComesBackAsItsFirst40Characters) {
  TempDir dir;
  InstallationData d;
  d.UserName = std::string(50, 'u');
  WriteInstallationFile(dir.path(), d);
  EXPECT_NE(ReadFile(dir.File("PLANAQ.txt")).find(std::string(50, 'u') + ","), std::string::npos);
  EXPECT_EQ(ReadInstallationFile(dir.path()).UserName, std::string(40, 'u'));
}

TEST(Installation, SemicolonsAndSpacesReadAsTheWrittenForm) {
  TempDir dir;
  dir.Write("PLANAQ.txt", "# c\nMe,\n# caps\n 30 ;; 5000 ;7000  ; 12\n");
  const InstallationData d = ReadInstallationFile(dir.path());
  EXPECT_EQ(d.UserName, "Me");
  EXPECT_EQ(d.caps.BMAX, 30);
  EXPECT_EQ(d.caps.NMAX, 5000);
  EXPECT_EQ(d.caps.MMAX, 7000);
  EXPECT_EQ(d.caps.PMAX, 12);
}

TEST(Installation, DamagedFilesFallBackToDefaults) {
  TempDir dir;
  dir.Write("PLANAQ.txt", "# only comments\n#\n");
  EXPECT_EQ(ReadInstallationFile(dir.path()).caps.NMAX, 12000);
  dir.Write("PLANAQ.txt", "# truncated\nSomebody,\n");
  InstallationData d = ReadInstallationFile(dir.path());
  EXPECT_EQ(d.UserName, "Somebody");
  EXPECT_EQ(d.caps.MMAX, 20000);
  dir.Write("PLANAQ.txt", "Somebody,\n0, -5, 30\n");
  d = ReadInstallationFile(dir.path());
  EXPECT_EQ(d.caps.BMAX, 48);
  EXPECT_EQ(d.caps.NMAX, 12000);
  EXPECT_EQ(d.caps.MMAX, 30);  // kept: enough for the initial problem
  EXPECT_EQ(d.caps.PMAX, 100);  // missing
  dir.Write("PLANAQ.txt", "Somebody,\n30, 200, 300, 0\n");
  EXPECT_EQ(ReadInstallationFile(dir.path()).caps.PMAX, 0);  // no particles is a valid choice
}

TEST(Installation, SaveRebuildsTheProblemWithTheNewCapacities) {
  TempDir dir;
  Problem p;
  p.StartUp(Capacities{});
  p.NN = 77;
  p.FileName = "kept.aqd";
  p.caps = Capacities{20, 200, 300, 5};
  ASSERT_TRUE(SaveInstallation(p, dir.path()).ok);
  EXPECT_EQ(p.nodes.size(), 200u);
  EXPECT_EQ(p.NN, 3);
  EXPECT_EQ(p.FileName, "kept.aqd");
  EXPECT_EQ(p.palette[0], BuildPalette()[0]);  // no blue shades after a save
  Problem q;
  ReadInstallation(q, dir.path());
  EXPECT_EQ(q.caps.MMAX, 300);
  EXPECT_EQ(q.elements.size(), 300u);
}

TEST(Installation, CapacitiesBeyondMemoryOrIndexReadAsTheDefaults) {
  struct Case {
    const char* line;
    const char* named;
  };
  const Case cases[] = {{"48, 100000000, 20000, 100", "memory"},
                        {"48, 3000000000, 20000, 100", "NMAX = 3000000000"},
                        {"48, 12000, 99999999999, 100", "MMAX = 99999999999"}};
  for (const Case& c : cases) {
    TempDir dir;
    dir.Write("PLANAQ.txt", std::string("Me,\n") + c.line + "\n");
    const InstallationData d = ReadInstallationFile(dir.path(), 16LL << 30);
    EXPECT_EQ(d.caps.NMAX, 12000) << c.line;
    EXPECT_EQ(d.caps.MMAX, 20000) << c.line;
    EXPECT_NE(d.message.find(c.named), std::string::npos) << d.message;
    EXPECT_NE(d.message.find("The default capacities are used."), std::string::npos);
    Problem p;
    EXPECT_NE(ReadInstallation(p, dir.path()), "");
    EXPECT_EQ(p.nodes.size(), 12000u);
  }
}

TEST(InstallationGrid, CapacityRowKeepsTheCurrentValueWhenItCannotBeHeld) {
  const Capacities current;
  const long long usable = 16LL << 30;
  RowCheck r = CheckCapacityRow(current, 2, "3000000000", usable);
  EXPECT_EQ(r.value, 12000);
  EXPECT_EQ(r.text, "       12000");
  EXPECT_NE(r.message.find("NMAX = 3000000000"), std::string::npos);
  r = CheckCapacityRow(current, 2, "100000000", usable);
  EXPECT_EQ(r.value, 12000);
  EXPECT_NE(r.message.find("largest NMAX"), std::string::npos);
  r = CheckCapacityRow(current, 3, "4200000", usable);
  EXPECT_EQ(r.value, 4200000);
  EXPECT_EQ(r.message, "");
  r = CheckCapacityRow(current, 2, "100", usable);  // the row's own rule still holds
  EXPECT_EQ(r.value, 10000);
  EXPECT_EQ(r.message, "Enter integer value > 100");
}

TEST(Installation, SaveThatCannotAllocateKeepsTheProblemAndTheFile) {
  TempDir dir;
  Problem p;
  p.StartUp(Capacities{});
  p.NN = 77;
  p.caps.NMAX = 50000;
  p.failNextAllocation = true;
  const Outcome saved = SaveInstallation(p, dir.path());
  EXPECT_FALSE(saved.ok);
  EXPECT_NE(saved.message.find("Capacity too large"), std::string::npos);
  EXPECT_EQ(p.NN, 77);
  EXPECT_EQ(p.caps.NMAX, 12000);
  EXPECT_EQ(p.nodes.size(), 12000u);
  EXPECT_FALSE(std::filesystem::exists(dir.File("PLANAQ.txt")));
}

TEST(InstallationGrid, RowRules) {
  EXPECT_EQ(CheckUserName(std::string(70, 'a')), std::string(60, 'a'));
  RowCheck r = CheckBMAX("19");
  EXPECT_EQ(r.value, 20);
  EXPECT_EQ(r.message, "Enter integer value > 20");
  EXPECT_EQ(r.text, "          20");
  r = CheckBMAX("20");
  EXPECT_EQ(r.value, 20);
  EXPECT_EQ(r.message, "");
  r = CheckBMAX("abc");
  EXPECT_EQ(r.value, 20);
  r = CheckNMAX("100");
  EXPECT_EQ(r.value, 10000);
  EXPECT_EQ(r.message, "Enter integer value > 100");
  r = CheckNMAX("101");
  EXPECT_EQ(r.value, 101);
  EXPECT_EQ(r.message, "");
  r = CheckMMAX("  5000");
  EXPECT_EQ(r.value, 5000);
  r = CheckMMAX("-3");
  EXPECT_EQ(r.value, 10000);
  r = CheckPMAX("-5");
  EXPECT_EQ(r.value, 0);
  EXPECT_EQ(r.message, "");
  r = CheckPMAX("1001");
  EXPECT_EQ(r.value, 1000);
  EXPECT_EQ(r.message, "Enter integer value <= 1000");
  EXPECT_EQ(r.text, "        1000");
}

}  // namespace
}  // namespace planaq
