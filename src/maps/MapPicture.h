#pragma once
// A georeferenced raster (GeoTIFF, PNG with a world file, any GDAL raster) as a picture of a
// rectangle of the map, for drawing a background map under a figure: RGB(A) rasters as they
// are, a paletted one through its colour table, a single band of values as grey from its
// lowest to its highest value in the rectangle.

#include <cstdint>
#include <string>
#include <vector>

namespace planaq {

struct MapPicture {
  std::string message;  // empty when the picture could be made
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;  // r, g, b, a of each pixel, rows from the top; a = 0: no map
};

// The rectangle left..right, bottom..top of the map's coordinates on width x height pixels.
MapPicture ReadMapPicture(const std::string& path, double left, double bottom, double right,
                          double top, int width, int height);

}  // namespace planaq
