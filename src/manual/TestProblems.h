#pragma once
// The four test problems of the manual and of `planaq-cli verify`. Each is made the way a
// user makes a problem: a rectangle of two blocks, refined by Split 4, with data on the
// nodes; solved by the program's own Solve; and compared with its solution in closed form.
//
//   Test 1  confined strip with uniform infiltration between two fixed heads (parabola)
//   Test 2  well in a leaky aquifer under a layer of fixed head (De Glee, K0(r / lambda))
//   Test 3  unconfined strip with infiltration between two fixed heads (Dupuit)
//   Test 4  seepage from a strip whose open top the mound would rise above

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "model/Problem.h"

namespace planaq {

constexpr int kTestProblems = 4;

// What a test problem is: its data and the closed form it is compared with.
struct TestProblemSpec {
  std::string name;   // "Test 1"
  std::string title;  // what it is, in a few words
  double LX = 0.0, LY = 0.0;
  int splits = 4;  // Split 4 refinements of the two blocks
  int NL = 1;
  int layer = 0;           // the layer whose heads are compared (0-based)
  double rMin = 0.0;       // nodes closer than this to the well are not compared (m)
  double tolerance = 0.0;  // largest head error accepted (m)
};

const TestProblemSpec& TestProblem(int test);  // test 1..4

// The problem of test 1..4, not yet solved.
Problem MakeTestProblem(int test);

// The head of the closed form at (x, y) in the compared layer.
double ClosedFormHead(int test, double x, double y);

// One line of the verification.
struct TestOutcome {
  std::string name;
  int nodes = 0;
  int compared = 0;       // nodes compared with the closed form
  double maxError = 0.0;  // largest |F - closed form| over the compared nodes (m)
  double tolerance = 0.0;
  // test 4: what seeps through the open top per metre of width (m2/d), computed and closed
  // form, and the relative difference accepted
  double seepage = 0.0, exactSeepage = 0.0, seepageTolerance = 0.0;
  bool solved = false;
  std::string message;  // why Solve refused, when it did
  bool SeepageWithin() const {
    return std::fabs(seepage - exactSeepage) <= seepageTolerance * exactSeepage;
  }
  bool Passed() const { return solved && maxError <= tolerance && SeepageWithin(); }
};

// Largest head error of a solved test problem against its closed form.
TestOutcome CompareWithClosedForm(int test, const Problem& solved);

// The seepage per metre of width of test 4 in closed form (m2/d); 0 for the others.
double ClosedFormSeepage(int test);

// Makes, solves and compares test 1..4. beforeSolve, when given, may change the problem first.
TestOutcome RunTestProblem(int test, const std::function<void(Problem&)>& beforeSolve = {});
std::vector<TestOutcome> RunTestProblems(const std::function<void(Problem&)>& beforeSolve = {});

// "%-7s %6d %12.6f %10.6f  pass" (or "FAIL"), the line `planaq-cli verify` prints.
std::string FormatOutcome(const TestOutcome& outcome);
// For test 4 the seepage beside it: "        seepage %8.4f m2/d per m, closed form %8.4f",
// empty for the others.
std::string FormatSeepage(const TestOutcome& outcome);

}  // namespace planaq
