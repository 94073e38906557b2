// The background map in a build without GDAL: it says so and gives no picture.

#include "maps/MapPicture.h"

namespace planaq {

MapPicture ReadMapPicture(const std::string&, double, double, double, double, int, int) {
  return {"this build of PLANAQ has no map support (GDAL was not found)", 0, 0, {}};
}

}  // namespace planaq
