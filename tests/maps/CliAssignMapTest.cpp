// planaq-cli assign from a map: the datafile written holds the map's values, the counts are
// printed, and a map it cannot use exits with 2 and writes nothing.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "Cli.h"
#include "files/Datafile.h"
#include "support/TempDir.h"

namespace planaq {
namespace {

double Plane(double x, double y) { return 60.0 + 0.01 * x + 0.005 * y; }

// An ASCII grid of the plane (in map coordinates) from x = x0 - 5 to x0 + 1015 m and over
// the whole height of the example, 10 m cells centred on multiples of 10 m.
std::string PlaneGrid(double x0, double y0) {
  const int cols = 102, rows = 102;
  std::string text = "ncols " + std::to_string(cols) + "\nnrows " + std::to_string(rows) +
                     "\nxllcorner " + std::to_string(x0 - 5.0) + "\nyllcorner " +
                     std::to_string(y0 - 15.0) + "\ncellsize 10\nNODATA_value -9999\n";
  char value[32];
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < cols; ++c) {
      std::snprintf(value, sizeof value, "%.9f ", Plane(x0 + 10.0 * c, y0 + 1000.0 - 10.0 * r));
      text += value;
    }
    text += "\n";
  }
  return text;
}

struct CliAssignMap : testing::Test {
  int Run(std::vector<std::string> args) {
    args.insert(args.begin(), {PLANAQ_EXAMPLES "/Example.aqd", dir.File("out.aqd")});
    return cli::Assign(args);
  }
  Problem Written() {
    Problem p = cli::StartedProblem();
    EXPECT_TRUE(ReadDatafile(p, dir.File("out.aqd")).ok);
    return p;
  }
  test::TempDir dir;
};

TEST_F(CliAssignMap, ARasterFillsTheSelectedNodesAndTheCountsArePrinted) {
  dir.Write("plane.asc", PlaneGrid(155000.0, 463000.0));
  testing::internal::CaptureStdout();
  ASSERT_EQ(Run({"--layer", "1", "--top-map", dir.File("plane.asc"), "--origin", "155000,463000",
                 "--rect", "0,0,1500,600"}),
            0);
  const std::string printed = testing::internal::GetCapturedStdout();
  Problem in = cli::StartedProblem();
  ASSERT_TRUE(ReadDatafile(in, PLANAQ_EXAMPLES "/Example.aqd").ok);
  const Problem out = Written();
  int selected = 0, left = 0;
  for (int n = 0; n < in.NN; ++n) {
    const double x = in.nodes[n].X, y = in.nodes[n].Y;
    const bool inRect = x <= 1500.0 && y <= 600.0;
    selected += inRect;
    left += inRect && x > 1015.0;  // beyond the raster
    // the datafile keeps T to the millimetre
    const double want =
        inRect && x <= 1015.0 ? Plane(x + 155000.0, y + 463000.0) : in.layers[n].T[0];
    EXPECT_NEAR(out.layers[n].T[0], want, 6e-4) << n;
  }
  EXPECT_GT(left, 0);
  EXPECT_EQ(printed, "Selected : " + std::to_string(selected) +
                         " nodes\nChanged  : " + std::to_string(selected - left) +
                         " nodes\nLeft     : " + std::to_string(left) +
                         " nodes (outside the map or on no-data)\n");
}

TEST_F(CliAssignMap, RememberKeepsTheOriginBesideOutAndAnAssignFromOutReadsIt) {
  dir.Write("plane.asc", PlaneGrid(155000.0, 463000.0));
  dir.Write("out.aqd.geo", "stale\n");  // replaced through the safe writer
  testing::internal::CaptureStdout();
  ASSERT_EQ(Run({"--layer", "1", "--bottom-map", dir.File("plane.asc"), "--origin", "155000,463000",
                 "--remember"}),
            0);
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(test::ReadFile(dir.File("out.aqd.geo")), "origin 155000 463000\n");
  // no --origin: the one beside IN (out.aqd) is taken
  testing::internal::CaptureStdout();
  ASSERT_EQ(cli::Assign({dir.File("out.aqd"), dir.File("again.aqd"), "--layer", "1", "--top-map",
                         dir.File("plane.asc")}),
            0);
  testing::internal::GetCapturedStdout();
  Problem again = cli::StartedProblem();
  ASSERT_TRUE(ReadDatafile(again, dir.File("again.aqd")).ok);
  for (int n = 0; n < again.NN; ++n) {
    if (again.nodes[n].X > 1015.0) continue;  // beyond the raster
    EXPECT_NEAR(again.layers[n].T[0],
                Plane(again.nodes[n].X + 155000.0, again.nodes[n].Y + 463000.0), 6e-4)
        << n;
  }
}

TEST_F(CliAssignMap, AMapItCannotUseExitsWithTwoAndWritesNothing) {
  dir.Write("bare.pgm", std::string("P5\n2 2\n255\n\1\2\3\4"));  // no georeference
  dir.Write("text.csv", "x,y,z\n0,0,1\n2000,0,2\n0,1000,high\n");
  dir.Write("plane.asc", PlaneGrid(0.0, 0.0));
  const std::string raster = dir.File("plane.asc");
  const struct {
    std::vector<std::string> args;
    const char* says;
  } cases[] = {
      {{"--layer", "1", "--top-map", dir.File("bare.pgm")}, "has no georeference"},
      {{"--layer", "1", "--top-map", dir.File("text.csv")}, "'high' is not a number"},
      {{"--layer", "1", "--top-map", dir.File("text.csv"), "--field", "h"}, "no column 'h'"},
      {{"--layer", "1", "--top-map", dir.File("none.tif")}, "not a readable file"},
      {{"--layer", "1", "--top-map", raster, "--head-map", raster}, "one of --top-map"},
      {{"--layer", "all", "--top-map", raster}, "one layer"},
      {{"--top-map", raster}, "one layer"},
      {{"--layer", "3", "--top-map", raster}, "layer must be 1..2"},
      {{"--layer", "1", "--top-map", raster, "--top", "5"}, "assigned alone"},
      {{"--layer", "1", "--top-map", raster, "--origin", "5"}, "--origin needs"},
      {{"--layer", "1", "--top-map", raster, "--rect", "0,0,5000,10"}, "outside the area"},
      {{"--layer", "1", "--top", "5", "--rect", "0,0,50,50", "--field", "z"}, "with a map"},
      {{"--layer", "1", "--top", "5", "--rect", "0,0,50,50", "--origin", "1,1"}, "with a map"},
  };
  for (const auto& c : cases) {
    testing::internal::CaptureStderr();
    testing::internal::CaptureStdout();
    const int status = Run(c.args);
    testing::internal::GetCapturedStdout();
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(status, 2) << c.says;
    EXPECT_NE(err.find(c.says), std::string::npos) << c.says << ": " << err;
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.aqd"))) << c.says;
  }
}

}  // namespace
}  // namespace planaq
