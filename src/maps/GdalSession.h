#pragma once
// What every GDAL user of the maps folder needs: the drivers registered, GDAL's own messages
// kept out of stderr (they go into the outcome instead), and datasets closed on every path.

#include <gdal_priv.h>

#include <memory>
#include <string>

namespace planaq {

class QuietGdal {
 public:
  QuietGdal() {
    GDALAllRegister();
    CPLPushErrorHandler(CPLQuietErrorHandler);
    CPLErrorReset();
  }
  ~QuietGdal() { CPLPopErrorHandler(); }
  QuietGdal(const QuietGdal&) = delete;
  QuietGdal& operator=(const QuietGdal&) = delete;
};

struct DatasetCloser {
  void operator()(GDALDataset* d) const { GDALClose(d); }
};
using Dataset = std::unique_ptr<GDALDataset, DatasetCloser>;

// GDAL's last message, or the fallback when it has none.
inline std::string GdalMessage(const char* fallback) {
  const char* m = CPLGetLastErrorMsg();
  return m != nullptr && *m != '\0' ? std::string(m) : std::string(fallback);
}

}  // namespace planaq
