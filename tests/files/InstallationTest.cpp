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
  ASSERT_TRUE(SaveInstallation(p, dir.path()));
  EXPECT_EQ(p.nodes.size(), 200u);
  EXPECT_EQ(p.NN, 3);
  EXPECT_EQ(p.FileName, "kept.aqd");
  EXPECT_EQ(p.palette[0], BuildPalette()[0]);  // no blue shades after a save
  Problem q;
  ReadInstallation(q, dir.path());
  EXPECT_EQ(q.caps.MMAX, 300);
  EXPECT_EQ(q.elements.size(), 300u);
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
