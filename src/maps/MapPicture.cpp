// A rectangle of a north-up raster resampled by GDAL onto the pixels of a picture.

#include "maps/MapPicture.h"

#include <algorithm>
#include <cmath>

#include "maps/GdalSession.h"

namespace planaq {

namespace {

constexpr double kMostPixels = 4.0e7;

// The part of the picture the raster covers, in picture pixels and in raster cells.
struct Window {
  int c0 = 0, r0 = 0, cols = 0, rows = 0;     // picture pixels
  double x = 0.0, y = 0.0, w = 0.0, h = 0.0;  // raster cells, fractional
};

std::string Place(GDALDataset& raster, double left, double bottom, double right, double top,
                  int width, int height, Window& win) {
  double gt[6];
  if (raster.GetGeoTransform(gt) != CE_None) return "the map has no georeference";
  if (gt[2] != 0.0 || gt[4] != 0.0 || gt[1] <= 0.0 || gt[5] >= 0.0)
    return "the map is not north-up; only north-up maps can be drawn";
  const double W = raster.GetRasterXSize(), H = raster.GetRasterYSize();
  const double mx0 = gt[0], mx1 = gt[0] + gt[1] * W, my1 = gt[3], my0 = gt[3] + gt[5] * H;
  const double ix0 = std::max(left, mx0), ix1 = std::min(right, mx1);
  const double iy0 = std::max(bottom, my0), iy1 = std::min(top, my1);
  if (!(ix0 < ix1 && iy0 < iy1)) return "the map does not overlap the area";
  const double sx = width / (right - left), sy = height / (top - bottom);
  win.c0 = std::clamp(static_cast<int>(std::floor((ix0 - left) * sx)), 0, width);
  const int c1 = std::clamp(static_cast<int>(std::ceil((ix1 - left) * sx)), 0, width);
  win.r0 = std::clamp(static_cast<int>(std::floor((top - iy1) * sy)), 0, height);
  const int r1 = std::clamp(static_cast<int>(std::ceil((top - iy0) * sy)), 0, height);
  win.cols = c1 - win.c0;
  win.rows = r1 - win.r0;
  if (win.cols <= 0 || win.rows <= 0) return "the map does not overlap the area";
  // the picture pixels' edges in raster cells, held within the raster
  const double x0 = std::clamp((left + win.c0 / sx - gt[0]) / gt[1], 0.0, W);
  const double x1 = std::clamp((left + c1 / sx - gt[0]) / gt[1], 0.0, W);
  const double y0 = std::clamp((top - win.r0 / sy - gt[3]) / gt[5], 0.0, H);
  const double y1 = std::clamp((top - r1 / sy - gt[3]) / gt[5], 0.0, H);
  win.x = x0;
  win.y = y0;
  win.w = std::max(x1 - x0, 1e-9);
  win.h = std::max(y1 - y0, 1e-9);
  return "";
}

// One band of the window at the picture's resolution.
bool ReadWindow(GDALRasterBand& band, const Window& win, std::vector<double>& cells) {
  GDALRasterIOExtraArg extra;
  INIT_RASTERIO_EXTRA_ARG(extra);
  extra.eResampleAlg = GRIORA_NearestNeighbour;
  extra.bFloatingPointWindowValidity = TRUE;
  extra.dfXOff = win.x;
  extra.dfYOff = win.y;
  extra.dfXSize = win.w;
  extra.dfYSize = win.h;
  const int xOff = std::min(static_cast<int>(win.x), band.GetXSize() - 1);
  const int yOff = std::min(static_cast<int>(win.y), band.GetYSize() - 1);
  const int xSize =
      std::clamp(static_cast<int>(std::ceil(win.x + win.w)) - xOff, 1, band.GetXSize() - xOff);
  const int ySize =
      std::clamp(static_cast<int>(std::ceil(win.y + win.h)) - yOff, 1, band.GetYSize() - yOff);
  cells.resize(static_cast<std::size_t>(win.cols) * static_cast<std::size_t>(win.rows));
  return band.RasterIO(GF_Read, xOff, yOff, xSize, ySize, cells.data(), win.cols, win.rows,
                       GDT_Float64, 0, 0, &extra) == CE_None;
}

std::uint8_t Byte(double v) { return static_cast<std::uint8_t>(std::clamp(v, 0.0, 255.0)); }

struct Colours {
  std::vector<std::vector<double>> bands;  // the bands read, 1 to 4
  std::vector<bool> usable;                // not no-data in band 1
};

std::string ReadColours(GDALDataset& raster, const Window& win, Colours& c) {
  const int count = std::min(raster.GetRasterCount(), 4);
  if (count < 1) return "the map has no raster band";
  const int used = count >= 3 ? count : 1;
  c.bands.resize(used);
  for (int b = 0; b < used; ++b) {
    GDALRasterBand& band = *raster.GetRasterBand(b + 1);
    if (!ReadWindow(band, win, c.bands[b]))
      return "the map cannot be read: " + GdalMessage("read error");
    // 16-bit colours (PNG and TIFF have them) to 8 bits
    if (used >= 3 && band.GetRasterDataType() == GDT_UInt16)
      for (double& v : c.bands[b]) v /= 257.0;
  }
  int has = 0;
  const double noData = raster.GetRasterBand(1)->GetNoDataValue(&has);
  c.usable.resize(c.bands[0].size());
  for (std::size_t i = 0; i < c.usable.size(); ++i)
    c.usable[i] = std::isfinite(c.bands[0][i]) && !(has && c.bands[0][i] == noData);
  return "";
}

// r, g, b, a of pixel i of the window
void Colour(GDALDataset& raster, const Colours& c, double lo, double hi, std::size_t i,
            std::uint8_t* out) {
  const GDALColorTable* table = raster.GetRasterBand(1)->GetColorTable();
  if (!c.usable[i]) return;  // stays transparent
  if (c.bands.size() >= 3) {
    for (int k = 0; k < 3; ++k) out[k] = Byte(c.bands[k][i]);
    out[3] = c.bands.size() == 4 ? Byte(c.bands[3][i]) : 255;
  } else if (table) {
    const GDALColorEntry* e = table->GetColorEntry(static_cast<int>(c.bands[0][i]));
    if (!e) return;
    out[0] = Byte(e->c1), out[1] = Byte(e->c2), out[2] = Byte(e->c3), out[3] = Byte(e->c4);
  } else {
    const std::uint8_t g = Byte(hi > lo ? (c.bands[0][i] - lo) / (hi - lo) * 255.0 : 128.0);
    out[0] = out[1] = out[2] = g;
    out[3] = 255;
  }
}

}  // namespace

MapPicture ReadMapPicture(const std::string& path, double left, double bottom, double right,
                          double top, int width, int height) {
  MapPicture picture;
  if (width <= 0 || height <= 0 || static_cast<double>(width) * height > kMostPixels ||
      !(left < right && bottom < top) || !std::isfinite(right - left) ||
      !std::isfinite(top - bottom)) {
    picture.message = "the picture of the map has no size";
    return picture;
  }
  QuietGdal quiet;
  Dataset raster(static_cast<GDALDataset*>(
      GDALOpenEx(path.c_str(), GDAL_OF_RASTER, nullptr, nullptr, nullptr)));
  if (!raster) {
    picture.message = "the map " + path + " cannot be opened as a raster";
    return picture;
  }
  Window win;
  Colours colours;
  picture.message = Place(*raster, left, bottom, right, top, width, height, win);
  if (picture.message.empty()) picture.message = ReadColours(*raster, win, colours);
  if (!picture.message.empty()) return picture;
  double lo = HUGE_VAL, hi = -HUGE_VAL;
  for (std::size_t i = 0; i < colours.usable.size(); ++i)
    if (colours.usable[i])
      lo = std::min(lo, colours.bands[0][i]), hi = std::max(hi, colours.bands[0][i]);
  picture.width = width;
  picture.height = height;
  picture.rgba.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4, 0);
  for (int r = 0; r < win.rows; ++r)
    for (int c = 0; c < win.cols; ++c) {
      const std::size_t i = static_cast<std::size_t>(r) * win.cols + c;
      const std::size_t at =
          (static_cast<std::size_t>(win.r0 + r) * width + static_cast<std::size_t>(win.c0 + c)) * 4;
      Colour(*raster, colours, lo, hi, i, &picture.rgba[at]);
    }
  return picture;
}

}  // namespace planaq
