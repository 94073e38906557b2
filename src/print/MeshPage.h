#pragma once
// The mesh page of the report: every element as a black outlined white triangle, fitted
// into the drawing box with equal scales in x and y.

#include "model/Options.h"
#include "model/Problem.h"
#include "print/GraphicsPage.h"
#include "print/PrintJob.h"

namespace planaq {

// Where the mesh lands on the page: X = trunc(left + k (x - x0)), Y = trunc(bottom - k (y - y0)).
struct MeshPageMapping {
  double left = 0.0;
  double bottom = 0.0;
  double k = 0.0;
  double x0 = 0.0;
  double y0 = 0.0;
  Point Map(double x, double y) const;
};

MeshPageMapping MeshPageMappingOf(const Problem& problem, const DrawingBox& box);

void PrintMeshPage(const Problem& problem, const Options& options, PrintJob& job);

}  // namespace planaq
