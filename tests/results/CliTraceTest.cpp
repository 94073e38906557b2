#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <sstream>

#include "Strip.h"
#include "files/Datafile.h"
#include "support/TempDir.h"

namespace planaq {
namespace {

using test::AddParticle;
using test::MakeStrip;
using test::SetHeads;
using test::StripShape;

struct Row {
  int particle = 0;
  long long step = 0;
  double x = 0, y = 0, z = 0;
  int layer = 0;
  int mark = 0;
};

// Runs planaq-cli in the folder and returns what it printed.
std::string RunCli(const test::TempDir& dir, const std::string& arguments, int& status) {
  const std::string command = "cd '" + dir.path() + "' && '" PLANAQ_CLI "' " + arguments;
  std::FILE* pipe = popen(command.c_str(), "r");
  std::string out;
  char buffer[4096];
  std::size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  status = pclose(pipe);
  return out;
}

std::vector<Row> TraceRows(const std::string& csv) {
  std::istringstream in(csv);
  std::string line;
  std::getline(in, line);
  EXPECT_EQ(line, "particle,step,x,y,z,layer,mark");
  std::vector<Row> rows;
  while (std::getline(in, line)) {
    Row r;
    EXPECT_EQ(std::sscanf(line.c_str(), "%d,%lld,%lf,%lf,%lf,%d,%d", &r.particle, &r.step, &r.x,
                          &r.y, &r.z, &r.layer, &r.mark),
              7)
        << line;
    rows.push_back(r);
  }
  return rows;
}

// One confined aquifer, K = 10 m/d, gradient 0.005, P = 0.4, R = 1, TM = 2000 d.
Problem UniformFlow() {
  Problem p = MakeStrip(StripShape{2000, 1000, 4, 2, 1});
  SetHeads(p, 0, [](double x, double) { return 20.0 - 0.005 * x; });
  return p;
}

std::string Save(const test::TempDir& dir, Problem& p) {
  const std::string path = dir.File("flow.aqd");
  EXPECT_TRUE(WriteDatafile(p, path).ok);
  return path;
}

TEST(CliTrace, TimeMarksStandTwoHundredFiftyMetresApart) {
  test::TempDir dir;
  Problem p = UniformFlow();
  AddParticle(p, 50.0, 300.0, 5.0);
  AddParticle(p, 50.0, 700.0, 5.0);
  const std::string path = Save(dir, p);
  int status = 0;
  const std::vector<Row> rows = TraceRows(RunCli(dir, "trace '" + path + "'", status));
  EXPECT_EQ(status, 0);
  // q = 0.05 m/d, v = 0.125 m/d; h = 0.1 sqrt((2000^2 + 1000^2) / 16), dt = 0.01 h / 0.05
  const double step = 0.125 * 0.01 * 0.1 * std::sqrt(5.0e6 / 16.0) / 0.05;
  for (int particle = 1; particle <= 2; ++particle) {
    std::vector<Row> marks;
    for (const Row& r : rows)
      if (r.particle == particle && r.mark) marks.push_back(r);
    ASSERT_GE(marks.size(), 7u);
    for (std::size_t i = 1; i < marks.size(); ++i) {
      EXPECT_NEAR(marks[i].x - marks[i - 1].x, 250.0, step);
      EXPECT_NEAR(marks[i].y, marks[0].y, 1e-6);
      EXPECT_EQ(marks[i].layer, 1);
    }
  }
  // both advance together: their marks come at the same steps
  std::vector<long long> first, second;
  for (const Row& r : rows)
    if (r.mark) (r.particle == 1 ? first : second).push_back(r.step);
  EXPECT_EQ(first, second);
}

TEST(CliTrace, AStandingParticleEndsAndAPassLimitIsReported) {
  test::TempDir dir;
  Problem still = MakeStrip(StripShape{});
  AddParticle(still, 300.0, 300.0, 5.0);
  int status = 0;
  const std::vector<Row> rows = TraceRows(RunCli(dir, "trace '" + Save(dir, still) + "'", status));
  EXPECT_EQ(status, 0);
  ASSERT_EQ(rows.size(), 2u);  // its start and the one step that found it standing
  EXPECT_EQ(rows[1].mark, 1);

  Problem moving = UniformFlow();
  AddParticle(moving, 50.0, 300.0, 5.0);
  const std::vector<Row> bounded =
      TraceRows(RunCli(dir, "trace '" + Save(dir, moving) + "' --max-passes 5", status));
  EXPECT_EQ(status, 0);
  EXPECT_EQ(bounded.size(), 6u);
}

TEST(CliContours, PrintsTheLegendAndTheSegmentsInWorldCoordinates) {
  test::TempDir dir;
  Problem p = MakeStrip(StripShape{2000, 1000, 1, 1, 2});
  SetHeads(p, 1, [](double x, double) { return 10.0 + x / 2000.0; });
  const std::string path = Save(dir, p);
  int status = 0;
  const std::string out = RunCli(dir, "contours '" + path + "' --layer 2", status);
  EXPECT_EQ(status, 0);
  std::istringstream in(out);
  std::string line;
  std::getline(in, line);
  EXPECT_EQ(line, "Minimum Contour : 10 m, Maximum Contour : 11 m, Contour Interval : 0.1 m");
  std::getline(in, line);
  EXPECT_EQ(line, "element,level,x1,y1,x2,y2");
  int segments = 0;
  while (std::getline(in, line)) {
    int e = 0;
    double level = 0, x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    ASSERT_EQ(std::sscanf(line.c_str(), "%d,%lf,%lf,%lf,%lf,%lf", &e, &level, &x1, &y1, &x2, &y2),
              6);
    // the heads rise by 1 m over 2000 m: each level stands at x = 2000 (level - 10)
    EXPECT_NEAR(x1, 2000.0 * (level - 10.0), 1e-3);
    EXPECT_NEAR(x2, x1, 1e-3);
    ++segments;
  }
  EXPECT_EQ(segments, 22);
}

TEST(CliContours, RefusesALayerBeyondTheProblem) {
  test::TempDir dir;
  Problem p = UniformFlow();
  const std::string path = Save(dir, p);
  int status = 0;
  RunCli(dir, "contours '" + path + "' --layer 3 2>/dev/null", status);
  EXPECT_NE(status, 0);
}

}  // namespace
}  // namespace planaq
