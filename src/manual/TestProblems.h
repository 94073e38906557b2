#pragma once
// The three test problems of the manual and of `planaq-cli verify`. Each is made the way a
// user makes a problem: a rectangle of two blocks, refined by Split 4, with data on the
// nodes; solved by the program's own Solve; and compared with its solution in closed form.
//
//   Test 1  confined strip with uniform infiltration between two fixed heads (parabola)
//   Test 2  well in a leaky aquifer under a layer of fixed head (De Glee, K0(r / lambda))
//   Test 3  unconfined strip with infiltration between two fixed heads (Dupuit)

#include <functional>
#include <string>
#include <vector>

#include "model/Problem.h"

namespace planaq {

constexpr int kTestProblems = 3;

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

const TestProblemSpec& TestProblem(int test);  // test 1..3

// The problem of test 1..3, not yet solved.
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
  bool solved = false;
  std::string message;  // why Solve refused, when it did
  bool Passed() const { return solved && maxError <= tolerance; }
};

// Largest head error of a solved test problem against its closed form.
TestOutcome CompareWithClosedForm(int test, const Problem& solved);

// Makes, solves and compares test 1..3. beforeSolve, when given, may change the problem first.
TestOutcome RunTestProblem(int test, const std::function<void(Problem&)>& beforeSolve = {});
std::vector<TestOutcome> RunTestProblems(const std::function<void(Problem&)>& beforeSolve = {});

// "%-7s %6d %12.6f %10.6f  pass" (or "FAIL"), the line `planaq-cli verify` prints.
std::string FormatOutcome(const TestOutcome& outcome);

}  // namespace planaq
