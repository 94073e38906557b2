#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "files/Datafile.h"
#include "support/TempDir.h"

namespace planaq {
namespace {

using test::ReadFile;
using test::TempDir;

Problem Started() {
  Problem p;
  p.StartUp(Capacities{});
  return p;
}

std::string Reference() { return ReadFile(std::string(PLANAQ_TEST_DATA) + "/Data1.aqd"); }

TEST(DatafileWriter, InitialProblemIsTheSeventyLineFile) {
  TempDir dir;
  Problem p = Started();
  ASSERT_TRUE(WriteDatafile(p, dir.File("Data1.aqd")).ok);
  EXPECT_EQ(ReadFile(dir.File("Data1.aqd")), Reference());
  EXPECT_EQ(p.FileName, "Data1.aqd");
  EXPECT_EQ(Reference().find("\xB3"), Reference().find("Q (m") + 4);
}

TEST(DatafileWriter, SavedFileNameIsTheBaseName) {
  TempDir dir;
  Problem p = Started();
  ASSERT_TRUE(WriteDatafile(p, dir.File("other.aqd")).ok);
  EXPECT_EQ(p.FileName, "other.aqd");
  EXPECT_NE(ReadFile(dir.File("other.aqd")).find("\nother.aqd,\n"), std::string::npos);
}

TEST(DatafileWriter, FailedSaveLeavesTheOldFileAndThePath) {
  TempDir dir;
  Problem p = Started();
  const std::string missing = dir.File("no/such/folder/x.aqd");
  const Outcome out = WriteDatafile(p, missing);
  EXPECT_FALSE(out.ok);
  EXPECT_EQ(out.message, "Writing datafile failed.  Disk full ?\n\ncannot create a file in " +
                             dir.File("no/such/folder") + ": No such file or directory");
  EXPECT_EQ(p.FileName, missing);
}

TEST(DatafileWriter, ReplacesAnExistingFileWithoutLeavingTemporaries) {
  TempDir dir;
  const std::string path = dir.Write("a.aqd", "old");
  Problem p = Started();
  ASSERT_TRUE(WriteDatafile(p, path).ok);
  EXPECT_EQ(ReadFile(path).substr(0, 3), "#  ");
  int files = 0;
  for (auto& e : std::filesystem::directory_iterator(dir.path())) files += e.is_regular_file();
  EXPECT_EQ(files, 1);
}

TEST(DatafileReader, InitialProblemRoundTrip) {
  TempDir dir;
  Problem p = Started();
  p.ProblemName = "Round trip";
  p.layers[2].F[3] = 12.345678901;
  p.soils[0].KA[4] = 0.000123;
  ASSERT_TRUE(WriteDatafile(p, dir.File("r.aqd")).ok);
  Problem q = Started();
  q.NL = 2;
  ASSERT_TRUE(ReadDatafile(q, dir.File("r.aqd")).ok);
  EXPECT_EQ(q.FileName, "r.aqd");
  EXPECT_EQ(q.ProblemName, "Round trip");
  EXPECT_EQ(q.NL, 6);
  EXPECT_EQ(q.NN, 3);
  EXPECT_DOUBLE_EQ(q.layers[2].F[3], 12.345678901);
  EXPECT_DOUBLE_EQ(q.soils[0].KA[4], 0.000123);
  EXPECT_EQ(q.elements[0].Node, (std::array<int, 3>{0, 1, 2}));
  EXPECT_EQ(q.blocks[0].Soil, 0);
  EXPECT_EQ(FormatDatafile(q), FormatDatafile(p));
}

// A small two-element problem written by hand, free in its separators.
std::string HandWritten(const std::string& countsLine, const std::string& tail = "") {
  return "# comment\n"
         "Name.aqd,\n"
         "Problem  with spaces,\n"
         "100.0 ; 50.0\n"
         "# counts\n" +
         countsLine +
         "\n"
         "3, 10.0, 0.0, 2\n"
         " 12 ;20; 5; 0\n"
         "1 0 0 2\n"
         "  0, 10, 20, 0,\n"
         "# a comment between data lines\n"
         "2 ,0.0, 50.0 ,0\n"
         "  0, 10, 6, 1.5,\n"
         "1, 1, 3, 2, 1,\n"
         "1, 5.0, 0.3, 1.0, 0.001,\n"
         "1, 1, 3, 2, 1,\n" +
         tail;
}

TEST(DatafileReader, SeparatorsCommentsAndFileOrder) {
  TempDir dir;
  Problem p = Started();
  const auto path =
      dir.Write("h.aqd", HandWritten("3;1;3;1;1;1;1;500", "1,3,1,15.0,-200.0,6,\n1 5 6 7\n"));
  const Outcome out = ReadDatafile(p, path);
  ASSERT_TRUE(out.ok) << out.message;
  EXPECT_EQ(p.FileName, "Name.aqd");
  EXPECT_EQ(p.ProblemName, "Problem  with spaces");
  EXPECT_DOUBLE_EQ(p.LY, 50.0);
  EXPECT_EQ(p.NL, 1);
  EXPECT_DOUBLE_EQ(p.TM, 500.0);
  EXPECT_DOUBLE_EQ(p.nodes[0].X, 10.0);  // stored in file order
  EXPECT_DOUBLE_EQ(p.layers[0].B[0], 12.0);
  EXPECT_DOUBLE_EQ(p.layers[2].F[0], 15.0);  // from the well line
  EXPECT_EQ(p.nodes[2].Type, 6);              // from the well line
  EXPECT_DOUBLE_EQ(p.layers[2].Q[0], 1.5);
  EXPECT_EQ(p.wells[0].Node, 2);
  EXPECT_DOUBLE_EQ(p.wells[0].Q, -200.0);
  EXPECT_DOUBLE_EQ(p.particles[0].Z0, 7.0);
  EXPECT_DOUBLE_EQ(p.soils[0].I, 0.001);
  EXPECT_EQ(p.elements[0].Node, (std::array<int, 3>{0, 2, 1}));
  EXPECT_EQ(p.previous.NN, 3);
  EXPECT_TRUE(p.waterLevelWarning);  // node 1 has F 5 below B 12 in layer 1
}

TEST(DatafileReader, NameCutTo40AndLineEndDropped) {
  TempDir dir;
  Problem p = Started();
  std::string text = Reference();
  const std::string name45(45, 'n');
  text.replace(text.find("Default Datafile,"), 17, name45 + ",");
  text.replace(text.find("Data1.aqd,"), 10, "NoComma");
  ASSERT_TRUE(ReadDatafile(p, dir.Write("n.aqd", text)).ok);
  EXPECT_EQ(p.ProblemName, std::string(40, 'n'));
  EXPECT_EQ(p.FileName, "NoComma");
}

TEST(DatafileReader, UnknownFile) {
  Problem p = Started();
  const Outcome out = ReadDatafile(p, "/no/such/file.aqd");
  EXPECT_EQ(out.message, "Reading datafile failed.  Unknown name ?");
  EXPECT_EQ(p.FileName, "/no/such/file.aqd");
}

struct CapacityCase {
  const char* name;
  const char* counts;
  const char* middle;
  const char* closing;
};

class DatafileCapacity : public testing::TestWithParam<CapacityCase> {};

TEST_P(DatafileCapacity, RefusedWithItsMessageAndRestored) {
  TempDir dir;
  Problem p = Started();
  p.caps = Capacities{48, 12000, 20000, 100};
  p.nodes[2].X = 123.0;
  const auto path = dir.Write("c.aqd", HandWritten(GetParam().counts));
  const Outcome out = ReadDatafile(p, path);
  EXPECT_FALSE(out.ok);
  EXPECT_EQ(out.message, std::string("Capacity exceeded\n\n") + GetParam().middle +
                             "The capacity of the program can be increased by increasing the "
                             "value of " +
                             GetParam().closing);
  EXPECT_EQ(p.FileName, "Data1.aqd");
  EXPECT_EQ(p.ProblemName, "Example 1");
  EXPECT_EQ(p.NN, 3);
  EXPECT_EQ(p.NP, 0);
  EXPECT_DOUBLE_EQ(p.LX, 2000.0);
  EXPECT_EQ(p.NL, 1);  // NL and TM from the file
  EXPECT_DOUBLE_EQ(p.TM, 500.0);
  EXPECT_DOUBLE_EQ(p.nodes[2].X, 123.0);
}

INSTANTIATE_TEST_SUITE_P(
    Counts, DatafileCapacity,
    testing::Values(
        CapacityCase{"particles", "3,1,3,1,1,200,200,500",
                     "The number of particles in the problem is too large.\n\n", "PMAX in the Installation Grid."},
        CapacityCase{"wells", "3,1,3,1,1,49,0,500",
                     "The number of wells in the problem is too large.\n\n", "BMAX in the Installation Grid."},
        CapacityCase{"nodes", "3,1,12001,1,1,0,0,500",
                     "The number of nodes in the problem is too large.\n\n", "NMAX in the Installation Grid."},
        CapacityCase{"elements", "3,1,3,20001,1,0,0,500",
                     "The number of elements in the problem is too large.\n\n", "MMAX in the Installation Grid."},
        CapacityCase{"blocks", "3,49,3,1,1,0,0,500",
                     "The number of blocks in the problem is too large.\n\n", "BMAX in the Installation Grid."}),
    [](const testing::TestParamInfo<CapacityCase>& info) { return std::string(info.param.name); });

TEST(DatafileReader, MainNodesAboveNmaxWithNodesWithinIsTheNodesMessage) {
  // NA > NN is a damaged file, so the main-node capacity is seen with NN above NMAX as well.
  TempDir dir;
  Problem p;
  p.StartUp(Capacities{48, 200, 20000, 100});
  const Outcome out = ReadDatafile(p, dir.Write("c.aqd", HandWritten("201,1,201,1,1,0,0,500")));
  EXPECT_NE(out.message.find("number of nodes"), std::string::npos);
}

struct DamageCase {
  const char* name;
  std::string text;
  const char* says;
};

class DatafileDamage : public testing::TestWithParam<DamageCase> {};

TEST_P(DatafileDamage, RefusedAndTheProblemIsUnchanged) {
  TempDir dir;
  Problem p = Started();
  p.ProblemName = "Before";
  p.layers[1].F[0] = 42.0;
  const std::string before = FormatDatafile(p);
  const Outcome out = ReadDatafile(p, dir.Write("d.aqd", GetParam().text));
  EXPECT_FALSE(out.ok);
  EXPECT_EQ(out.message.rfind("Reading datafile failed.", 0), 0u) << out.message;
  EXPECT_NE(out.message.find(GetParam().says), std::string::npos) << out.message;
  EXPECT_EQ(FormatDatafile(p), before);
  EXPECT_EQ(p.ProblemName, "Before");
  EXPECT_FALSE(p.waterLevelWarning);
}

std::string Cut(const std::string& text, const std::string& upTo) {
  return text.substr(0, text.find(upTo));
}
std::string Replace(std::string text, const std::string& what, const std::string& by) {
  return text.replace(text.find(what), what.size(), by);
}

INSTANTIATE_TEST_SUITE_P(
    Classes, DatafileDamage,
    testing::Values(
        DamageCase{"EarlyEnd", Cut(HandWritten("3,1,3,1,1,0,0,500"), "1, 5.0"), "ends early"},
        DamageCase{"EmptyFile", "", "ends early"},
        DamageCase{"NineLayers", HandWritten("3,1,3,1,9,0,0,500"), "Line 6: the number of layers 9"},
        DamageCase{"ZeroLayers", HandWritten("3,1,3,1,0,0,0,500"), "layers 0"},
        DamageCase{"NegativeCount", HandWritten("3,1,3,-1,1,0,0,500"), "negative"},
        DamageCase{"MoreMainNodesThanNodes", HandWritten("4,1,3,1,1,0,0,500"), "main nodes"},
        DamageCase{"ElementNodeOutside",
                   HandWritten("3,1,3,1,1,0,0,500").substr(0, HandWritten("3,1,3,1,1,0,0,500").rfind("1, 1, 3, 2, 1,")) + "1, 1, 4, 2, 1,\n",
                   "element node 4 is outside 1..3"},
        DamageCase{"ElementBlockAboveNB",
                   HandWritten("3,1,3,1,1,0,0,500").substr(0, HandWritten("3,1,3,1,1,0,0,500").rfind("1, 1, 3, 2, 1,")) + "1, 1, 3, 2, 2,\n",
                   "element block 2"},
        DamageCase{"BlockNode", Replace(HandWritten("3,1,3,1,1,0,0,500"), "1, 1, 3, 2, 1,", "1, 1, 3, 0, 1,"), "block node 0"},
        DamageCase{"BlockSoil", Replace(HandWritten("3,1,3,1,1,0,0,500"), "1, 1, 3, 2, 1,", "1, 1, 3, 2, 5,"), "soil 5"},
        DamageCase{"WellNode", HandWritten("3,1,3,1,1,1,0,500", "1,9,1,15.0,-200.0,6,\n"), "well node 9"},
        DamageCase{"WellLayer", HandWritten("3,1,3,1,1,1,0,500", "1,3,2,15.0,-200.0,6,\n"), "well layer 2"},
        DamageCase{"NotFinite", Replace(HandWritten("3,1,3,1,1,0,0,500"), "3, 10.0, 0.0, 2", "3, 1e999, 0.0, 2"), "X is not a finite number"},
        DamageCase{"ZeroLX", Replace(HandWritten("3,1,3,1,1,0,0,500"), "100.0 ; 50.0", "0 ; 50.0"), "Line 4: LX is not greater than 0"},
        DamageCase{"NegativeLY", Replace(HandWritten("3,1,3,1,1,0,0,500"), "100.0 ; 50.0", "100 ; 0.0004"), "LY is not greater than 0"},
        DamageCase{"MissingParticle", HandWritten("3,1,3,1,1,0,2,500", "1 5 6 7\n"), "ends early"}),
    [](const testing::TestParamInfo<DamageCase>& info) { return std::string(info.param.name); });

TEST(DatafileReader, WellLineSetsTheHeadOnlyWhereItDiffersAtSixDecimals) {
  TempDir dir;
  const struct {
    const char* nodeHead;
    const char* wellHead;
    double expected;
  } cases[] = {{"1.444444444", "1.444444", 1.444444444},  // as written: the node keeps nine
               {"1.444444444", "1.444445", 1.444445},     // edited by hand
               {"1.4444446", "1.444445", 1.4444446},      // rounds up to the well line's text
               {"20", "15.0", 15.0}};
  for (const auto& c : cases) {
    std::string text = HandWritten("3,1,3,1,1,1,0,500",
                                   std::string("1,2,1,") + c.wellHead + ",-200.0,6,\n");
    text = Replace(text, "  0, 10, 20, 0,", std::string("  0, 10, ") + c.nodeHead + ", 0,");
    Problem p = Started();
    ASSERT_TRUE(ReadDatafile(p, dir.Write("w.aqd", text)).ok) << c.wellHead;
    EXPECT_EQ(p.layers[1].F[0], c.expected) << c.nodeHead << " " << c.wellHead;
  }
}

TEST(DatafileReader, ElementWithBlockZeroIsKeptAsNoBlock) {
  TempDir dir;
  Problem p = Started();
  std::string text = HandWritten("3,1,3,1,1,0,0,500");
  text = text.substr(0, text.rfind("1, 1, 3, 2, 1,")) + "1, 1, 3, 2, 0,\n";
  ASSERT_TRUE(ReadDatafile(p, dir.Write("z.aqd", text)).ok);
  EXPECT_EQ(p.elements[0].Block, -1);
  EXPECT_FALSE(p.HasValidBlock(0));
}

TEST(DatafileReader, CarriageReturnsAreHarmless) {
  TempDir dir;
  std::string text = Reference();
  std::string crlf;
  for (char c : text) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  Problem p = Started();
  ASSERT_TRUE(ReadDatafile(p, dir.Write("crlf.aqd", crlf)).ok);
  EXPECT_EQ(FormatDatafile(p), text);
}

TEST(DatafileReader, LongLinesAreReadIn99CharacterPieces) {
  // A comment longer than 99 characters continues as a data line, as with a bounded read.
  TempDir dir;
  std::string text = Reference();
  const std::string original = "#  File Name\nData1.aqd,\n";
  text.replace(text.find(original), original.size(),
               "#" + std::string(98, 'x') + "Other.aqd,\n");
  Problem p = Started();
  const Outcome out = ReadDatafile(p, dir.Write("long.aqd", text));
  ASSERT_TRUE(out.ok) << out.message;
  EXPECT_EQ(p.FileName, "Other.aqd");
}

}  // namespace
}  // namespace planaq

namespace planaq {
namespace {

TEST(DatafileWriter, NamesThatLookLikeCommentsOrAreTooLongStillReadBack) {
  TempDir dir;
  Problem p = Started();
  p.ProblemName = "#1 in the valley";
  ASSERT_TRUE(WriteDatafile(p, dir.File(std::string(70, 'f') + ".aqd")).ok);
  Problem q = Started();
  ASSERT_TRUE(ReadDatafile(q, dir.File(std::string(70, 'f') + ".aqd")).ok);
  EXPECT_EQ(q.ProblemName, "#1 in the valley");
  EXPECT_EQ(q.FileName, std::string(40, 'f'));
  EXPECT_EQ(q.NN, 3);
}

TEST(DatafileReader, ValuesTooLargeToWriteBackAreRefused) {
  TempDir dir;
  std::string text = test::ReadFile(std::string(PLANAQ_TEST_DATA) + "/Data1.aqd");
  text.replace(text.find("    2000.000,\n"), 13, "  1.0e13,\n");
  Problem p = Started();
  const Outcome out = ReadDatafile(p, dir.Write("big.aqd", text));
  EXPECT_FALSE(out.ok);
  EXPECT_NE(out.message.find("Line 9: TM is too large"), std::string::npos) << out.message;
}

}  // namespace
}  // namespace planaq

namespace planaq {
namespace {

// Every value the reader would refuse is refused by Save before a byte is written.
TEST(DatafileWriter, RefusesWhatTheReaderWouldRefuseAndWritesNothing) {
  struct Case {
    const char* where;
    void (*spoil)(Problem&);
  };
  const Case cases[] = {
      {"LX (m) in the General Grid is inf", [](Problem& p) { p.LX = HUGE_VAL; }},
      {"LY (m) in the General Grid is 0.0001", [](Problem& p) { p.LY = 0.0001; }},
      {"TM (d) in the General Grid is 1e+13", [](Problem& p) { p.TM = 1e13; }},
      {"X of node 2 is nan", [](Problem& p) { p.nodes[1].X = std::nan(""); }},
      {"F of node 3, layer 6 is -1.4e+19", [](Problem& p) { p.layers[2].F[5] = -1.4e19; }},
      {"K' of block 1, layer 2 is 2e+12", [](Problem& p) { p.soils[0].KA[1] = 2e12; }},
      {"A node of element 1 is 4, outside 1..3", [](Problem& p) { p.elements[0].Node[2] = 3; }},
      {"Q of well 1 is inf",
       [](Problem& p) {
         p.NW = 1;
         p.wells[0] = Well{0, 0, HUGE_VAL};
       }},
      {"Node 1 and node 3 would both be written at (0.000, 0.000)",
       [](Problem& p) { p.nodes[2].X = 0.0003; }},
      // "-0.000" reads back as 0
      {"Node 1 and node 3 would both be written at (-0.000, 0.000)",
       [](Problem& p) { p.nodes[2].X = -0.0003; }},
      // 0.0025 is a little more than its decimal: written as 0.003, where 2.5 would be rounded
      // to the even 2
      {"Node 1 and node 3 would both be written at (0.003, 0.000)",
       [](Problem& p) {
         p.nodes[0].X = 0.003;
         p.nodes[2].X = 0.0025;
       }},
  };
  for (const Case& c : cases) {
    TempDir dir;
    const std::string path = dir.Write("a.aqd", "before");
    Problem p = Started();
    c.spoil(p);
    const Outcome out = WriteDatafile(p, path);
    EXPECT_FALSE(out.ok) << c.where;
    EXPECT_EQ(out.message.rfind(std::string("Writing datafile failed.\n\n") + c.where, 0), 0u)
        << out.message;
    EXPECT_EQ(ReadFile(path), "before") << c.where;
    EXPECT_EQ(p.FileName, "Data1.aqd");
  }
}

TEST(DatafileWriter, NodesAtTheSamePlaceInMemoryAndUnusedLayersAreNoReason) {
  TempDir dir;
  Problem p = Started();
  p.nodes[2].X = p.nodes[0].X;
  p.nodes[2].Y = p.nodes[0].Y;
  p.NL = 2;
  p.layers[0].F[4] = HUGE_VAL;  // a layer beyond NL is not written
  p.soils[0].KA[0] = HUGE_VAL;  // nor the aquitard above layer 1
  EXPECT_TRUE(WriteDatafile(p, dir.File("a.aqd")).ok);
}

// A positive value that the writer would turn into 0 changes what the problem means (no
// conduction, no porosity); it is refused where it comes in, naming what the file can keep.
struct ZeroWritten {
  const char* name;
  const char* line;  // the line of the initial problem's file that is replaced
  const char* with;
  const char* message;  // "" when the file is read
};

class DatafileZeroWritten : public testing::TestWithParam<ZeroWritten> {};

TEST_P(DatafileZeroWritten, RefusedOnReadNamingTheSmallestKept) {
  const ZeroWritten& c = GetParam();
  TempDir dir;
  std::string text = Reference();
  ASSERT_NE(text.find(c.line), std::string::npos);
  text.replace(text.find(c.line), std::strlen(c.line), c.with);
  Problem p = Started();
  p.ProblemName = "kept";
  const Outcome out = ReadDatafile(p, dir.Write("z.aqd", text));
  if (*c.message == '\0') {
    EXPECT_TRUE(out.ok) << out.message;
    return;
  }
  EXPECT_FALSE(out.ok);
  EXPECT_NE(out.message.find(c.message), std::string::npos) << out.message;
  EXPECT_EQ(p.ProblemName, "kept");
}

const char kSoil1[] = "       1,   10.000000,  0.4000,  1.0000,    0.000000,";
const char kAquitard2[] = "0.000100,  0.4000,  1.0000,";
const char kCounts[] =
    "        3,        1,        3,        1,        6,        0,        0,    2000.000,";

INSTANTIATE_TEST_SUITE_P(
    Values, DatafileZeroWritten,
    testing::Values(
        ZeroWritten{"K", kSoil1, "1, 4e-7, 0.4, 1, 0,",
                    "K = 4e-07 would be written as 0; the smallest positive K a datafile keeps is "
                    "0.000001"},
        ZeroWritten{"KSmallestKept", kSoil1, "1, 0.000001, 0.4, 1, 0,", ""},
        ZeroWritten{"P", kSoil1, "1, 10, 0.00004, 1, 0,",
                    "P = 4e-05 would be written as 0; the smallest positive P a datafile keeps is "
                    "0.0001"},
        ZeroWritten{"R", kSoil1, "1, 10, 0.4, 1e-9, 0,", "the smallest positive R"},
        ZeroWritten{"KA", kAquitard2, "4e-7, 0.4, 1,", "the smallest positive K' a datafile"},
        ZeroWritten{"PA", kAquitard2, "0.0001, 1e-6, 1,", "the smallest positive P'"},
        ZeroWritten{"RA", kAquitard2, "0.0001, 0.4, 1e-6,", "the smallest positive R'"},
        ZeroWritten{"TM", kCounts, "3, 1, 3, 1, 6, 0, 0, 0.0004,",
                    "TM = 0.0004 would be written as 0; the smallest positive TM a datafile keeps "
                    "is 0.001"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DatafileWriter, RefusesAValueItWouldWriteAsZero) {
  TempDir dir;
  Problem p = Started();
  p.soils[0].K[2] = 4e-7;
  const Outcome out = WriteDatafile(p, dir.File("z.aqd"));
  EXPECT_EQ(out.message,
            "Writing datafile failed.\n\nK = 4e-07 of block 1, layer 3 would be written as 0; the "
            "smallest positive K a datafile keeps is 0.000001.");
  EXPECT_FALSE(std::filesystem::exists(dir.File("z.aqd")));
}

// What is no regular file is refused before a byte is read: a FIFO without a writer would
// otherwise hold the program.
class DatafileNotRegular : public testing::TestWithParam<const char*> {};

TEST_P(DatafileNotRegular, RefusedWithoutWaiting) {
  TempDir dir;
  const std::string path = dir.File(GetParam());
  const std::string kind = GetParam();
  int made = 0;
  if (kind == "fifo") made = mkfifo(path.c_str(), 0600);
  if (kind == "folder") made = std::filesystem::create_directory(path) ? 0 : -1;
  if (kind == "device") made = mknod(path.c_str(), S_IFCHR | 0600, makedev(1, 3));
  ASSERT_EQ(made, 0);
  Problem p = Started();
  const Outcome out = ReadDatafile(p, path);
  EXPECT_EQ(out.message, "Reading datafile failed.\n\n" + path + " is not a regular file");
  EXPECT_EQ(p.ProblemName, "Default Datafile");
}

INSTANTIATE_TEST_SUITE_P(Kinds, DatafileNotRegular, testing::Values("fifo", "folder", "device"));

}  // namespace
}  // namespace planaq
