#pragma once
// What the map tests share: the example problem read from its datafile, and an exported vector
// file opened with GDAL itself, closed when it goes.

#include <gdal_priv.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "files/Datafile.h"
#include "model/Problem.h"

namespace planaq::test {

inline Problem ExampleProblem() {
  Problem p;
  p.StartUp(Capacities{});
  const Outcome read = ReadDatafile(p, PLANAQ_EXAMPLES "/Example.aqd");
  EXPECT_TRUE(read.ok) << read.message;
  return p;
}

struct DatasetCloser {
  void operator()(GDALDataset* d) const { GDALClose(d); }
};
using Dataset = std::unique_ptr<GDALDataset, DatasetCloser>;

inline Dataset OpenVector(const std::string& path) {
  GDALAllRegister();
  return Dataset(
      GDALDataset::FromHandle(GDALOpenEx(path.c_str(), GDAL_OF_VECTOR, nullptr, nullptr, nullptr)));
}

}  // namespace planaq::test
