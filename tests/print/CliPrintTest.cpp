#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

#include "files/Datafile.h"
#include "support/TempDir.h"

namespace planaq {
namespace {

using test::ReadFile;
using test::TempDir;

// Two layers over a 2000 x 1000 rectangle, the head falling in +x, an extraction well and
// two particles.
Problem Example() {
  Problem p;
  p.StartUp(Capacities{});
  p.ProblemName = "Cli example";
  p.NL = 2;
  p.NA = p.NN = 5;
  p.NB = 1;
  p.NM = 4;
  const double xs[] = {0, 2000, 2000, 0, 1000}, ys[] = {0, 0, 1000, 1000, 500};
  for (int n = 0; n < 5; ++n) {
    p.nodes[n] = Node{xs[n], ys[n], n < 4 ? 6 : 0, 0};
    p.layers[n].B = LayerValues{0.0, -40.0};
    p.layers[n].T = LayerValues{30.0, -10.0};
    p.layers[n].F = LayerValues{20.0 - 0.005 * xs[n], 20.0 - 0.005 * xs[n]};
  }
  p.blocks[0] = Block{{0, 1, 2}, 0};
  const int tri[4][3] = {{0, 1, 4}, {1, 2, 4}, {2, 3, 4}, {3, 0, 4}};
  for (int e = 0; e < 4; ++e) p.elements[e] = Element{{tri[e][0], tri[e][1], tri[e][2]}, 0};
  Soil& s = p.soils[0];
  s.K = LayerValues{10.0, 5.0};
  s.P = LayerValues{0.3, 0.3};
  s.R = LayerValues{1.0, 1.0};
  s.KA = LayerValues{0.0, 0.01};
  s.PA = LayerValues{0.0, 0.3};
  s.RA = LayerValues{0.0, 1.0};
  p.NW = 1;
  p.wells[0] = Well{4, 0, -500.0};
  p.NP = 2;
  p.particles[0].X0 = p.particles[1].X0 = 100.0;
  p.particles[0].Y0 = 300.0;
  p.particles[1].Y0 = 700.0;
  p.particles[0].Z0 = 10.0;
  p.particles[1].Z0 = -20.0;
  return p;
}

int Shell(const std::string& command) { return std::system((command + " 2>/dev/null").c_str()); }

// pdftotext gives one line per printed line, with the runs of blanks made single.
std::string Squeezed(const std::string& text) {
  return std::regex_replace(std::regex_replace(text, std::regex(" +"), " "),
                            std::regex("(^|\n) | (\n|$)"), "$1$2");
}

class CliPrint : public testing::Test {
 protected:
  void SetUp() override {
    Problem p = Example();
    ASSERT_TRUE(WriteDatafile(p, dir_.File("example.aqd")).ok);
  }
  std::string Print(const std::string& options) {
    const std::string pdf = dir_.File("out.pdf");
    std::remove(pdf.c_str());
    status_ = Shell(std::string(PLANAQ_CLI) + " print " + dir_.File("example.aqd") + " " + pdf +
                    " " + options);
    if (status_ != 0) return "";
    const std::string txt = dir_.File("out.txt");
    EXPECT_EQ(Shell(std::string(PDFTOTEXT) + " -raw " + pdf + " " + txt), 0);
    return Squeezed(ReadFile(txt));
  }
  TempDir dir_;
  int status_ = 0;
};

TEST_F(CliPrint, EverySectionAndGraphReadsBackWithItsHeadings) {
  const std::string text =
      Print("--general --nodes --elements --mesh --contours 1 --graph3d 2 --scale 8");
  ASSERT_EQ(status_, 0);
  const char* const lines[] = {
      "Steady plane groundwater flow in a layered system of aquifers and aquitards",
      "General Data",
      "Node X (m) Y (m) Type",
      "B (m) T (m) F (m) Q (m\xC2\xB3/d)",
      "Block Node 1 Node 2 Node 3 Soil",
      "Soil KA (m/d) PA RA K (m/d) P R I (m/d)",
      "Well Node Layer F (m) Q (m\xC2\xB3/d) Type",
      "1 5 1 15.000000 -500.000000 0",
      "Particle X (m) Y (m) Z (m)",
      "2 100.000000 700.000000 -20.000000",
      "Data of Nodes",
      "Node X (m) Y (m) Type B (m) T (m) F (m) Q (m\xC2\xB3/d)",
      "Data of Elements",
      "Element Node 1 Node 2 Node 3 Soil",
      "Mesh of Finite Elements",
      "Contours of Groundwater Head and Pathlines of Particles",
      "Layer 1",
      "Minimum Contour : 10 m, Maximum Contour : 20 m, Contour Interval : 0.5 m",
      "Time interval between marks : 2000 d",
      "Three Dimensional Graph of Groundwater Head and Pathlines of Particles",
      "Layer 2",
  };
  for (const char* line : lines)
    EXPECT_NE(("\n" + text + "\n").find("\n" + std::string(line) + "\n"), std::string::npos)
        << line;
  for (int page = 1; page <= 6; ++page)
    EXPECT_NE(text.find("Page " + std::to_string(page) + "\n"), std::string::npos) << page;
  EXPECT_EQ(text.find("Page 7"), std::string::npos);
}

TEST_F(CliPrint, DefaultsPrintTheGeneralDataOnly) {
  const std::string text = Print("");
  ASSERT_EQ(status_, 0);
  EXPECT_NE(text.find("General Data"), std::string::npos);
  EXPECT_EQ(text.find("Data of Nodes"), std::string::npos);
  EXPECT_EQ(text.find("Page 2"), std::string::npos);
}

TEST_F(CliPrint, AnAccentedFileNameIsKeptInWindows1252AndReadsBackAsTyped) {
  const std::string aqd = dir_.File("Grundwasser \u00FC.aqd");
  const std::string cli = std::string(PLANAQ_CLI) + " ";
  ASSERT_EQ(Shell(cli + "new '" + aqd + "'"), 0);
  EXPECT_NE(ReadFile(aqd).find("\nGrundwasser \xFC.aqd,\n"), std::string::npos);

  ASSERT_EQ(Shell(cli + "info '" + aqd + "' > " + dir_.File("info.txt")), 0);
  EXPECT_NE(ReadFile(dir_.File("info.txt")).find("File Name     Grundwasser \u00FC.aqd\n"),
            std::string::npos);

  ASSERT_EQ(Shell(cli + "print '" + aqd + "' " + dir_.File("out.pdf")), 0);
  ASSERT_EQ(Shell(std::string(PDFTOTEXT) + " -raw " + dir_.File("out.pdf") + " " +
                  dir_.File("out.txt")),
            0);
  EXPECT_NE(Squeezed(ReadFile(dir_.File("out.txt"))).find("File Name : Grundwasser \u00FC.aqd\n"),
            std::string::npos);
}

class CliPrintRefuses : public CliPrint, public testing::WithParamInterface<const char*> {};

TEST_P(CliPrintRefuses, ABadCommandLineWithoutWritingAFile) {
  Print(GetParam());
  EXPECT_NE(status_, 0);
  EXPECT_FALSE(std::ifstream(dir_.File("out.pdf")).good());
}

INSTANTIATE_TEST_SUITE_P(Cli, CliPrintRefuses,
                         testing::Values("--scale 11", "--scale x", "--contours 3", "--graph3d 0",
                                         "--angle -1", "--water maybe", "--no-general",
                                         "--frobnicate"),
                         [](const testing::TestParamInfo<const char*>& i) {
                           return "Case" + std::to_string(i.index);
                         });

TEST_F(CliPrint, BalanceAlonePrintsTheBalancePage) {
  const std::string text = Print("--balance --no-general");
  ASSERT_EQ(status_, 0);
  EXPECT_NE(text.find("Water Balance\n"), std::string::npos) << text;
  EXPECT_EQ(text.find("General Data"), std::string::npos);
}

TEST_F(CliPrint, TheInputIsNeverTheOutput) {
  const std::string in = dir_.File("example.aqd");
  const std::string before = ReadFile(in);
  const std::string cli = std::string(PLANAQ_CLI);
  std::filesystem::create_symlink("example.aqd", dir_.File("link.aqd"));
  EXPECT_EQ(WEXITSTATUS(Shell(cli + " print " + in + " " + in)), 1);
  EXPECT_EQ(WEXITSTATUS(Shell(cli + " print " + in + " " + dir_.File("link.aqd"))), 1);
  EXPECT_EQ(WEXITSTATUS(Shell(cli + " trace " + in + " >> " + in)), 1);
  EXPECT_EQ(WEXITSTATUS(Shell(cli + " balance " + in + " --csv >> " + in)), 1);
  EXPECT_EQ(ReadFile(in), before);
}

// A PDF that the disk cut short is not put in place, and the old file stays.
TEST_F(CliPrint, FullDiskLeavesNoPartialPdf) {
  const std::string disk = dir_.File("disk");
  std::filesystem::create_directory(disk);
  if (std::system(("mount -t tmpfs -o size=16k tmpfs " + disk + " 2>/dev/null").c_str()) != 0)
    GTEST_SKIP() << "a small tmpfs cannot be mounted here";
  test::TempDir::WriteAt(disk + "/out.pdf", "old");
  const std::string cli = std::string(PLANAQ_CLI);
  EXPECT_EQ(WEXITSTATUS(Shell(cli + " manual " + disk + "/out.pdf")), 1);
  EXPECT_EQ(WEXITSTATUS(Shell(cli + " print " + dir_.File("example.aqd") + " " + disk +
                              "/out.pdf --nodes --mesh")),
            1);
  EXPECT_EQ(ReadFile(disk + "/out.pdf"), "old");
  int files = 0;
  for (const auto& e : std::filesystem::directory_iterator(disk)) files += e.exists();
  EXPECT_EQ(files, 1);
  EXPECT_EQ(std::system(("umount " + disk).c_str()), 0);
}

}  // namespace
}  // namespace planaq
