#pragma once
// The settings of the options window, read by the figures and the printed report when they
// next paint or print. They start from these defaults at every program start.

#include <string>

namespace planaq {

struct Options {
  // print options
  bool General = true;
  bool Nodes = false;
  bool Elements = false;
  bool Mesh = false;
  bool WaterBalance = false;
  bool Observations = false;  // the observations page, when the problem has observations
  int GraphScale = 5;  // track bar 0..10
  // 3D graph options
  bool Water = true;
  bool Contours = true;
  bool Bottom = true;
  bool Top = true;
  int AngleScale = 5;  // track bar 0..10
  // solver: the cycles' linear systems by algebraic multigrid instead of conjugate gradients
  bool Multigrid = false;
  // a georeferenced raster drawn under the mesh and the contours; the origin is added to the
  // model's coordinates to find the area on the map
  bool BackgroundMap = false;
  std::string BackgroundFile;
  double MapX0 = 0.0;
  double MapY0 = 0.0;

  static constexpr int kTrackMin = 0;
  static constexpr int kTrackMax = 10;

  // fraction of the page width and height given to a printed graph's box
  double GraphFraction() const { return GraphScale / ((kTrackMax - kTrackMin) * 1.1); }
  // viewing angle of the 3D graph in degrees, held to 1..89
  double ViewingAngleDegrees() const {
    const double a = static_cast<double>(AngleScale) / (kTrackMax - kTrackMin) * 90.0;
    return a < 1.0 ? 1.0 : (a > 89.0 ? 89.0 : a);
  }
};

}  // namespace planaq
