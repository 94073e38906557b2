// planaq-cli export with input it cannot use: exit 2, a message, nothing written.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

#include "support/TempDir.h"

namespace planaq {
namespace {

struct BadCase {
  const char* name;
  const char* arguments;  // after IN.aqd
  const char* message;
};

class CliExportBadInput : public testing::TestWithParam<BadCase> {};

TEST_P(CliExportBadInput, ExitsWithTwoAndWritesNothing) {
  test::TempDir dir;
  const std::string command = "cd '" + dir.path() +
                              "' && '" PLANAQ_CLI "' export '" PLANAQ_EXAMPLES "/Example.aqd' " +
                              GetParam().arguments + " 2>err.txt";
  const int raw = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(raw));
  EXPECT_EQ(WEXITSTATUS(raw), 2);
#ifdef PLANAQ_HAVE_MAPS
  const std::string expected = GetParam().message;
#else
  const std::string expected = "no map support";
#endif
  EXPECT_NE(test::ReadFile(dir.File("err.txt")).find(expected), std::string::npos)
      << test::ReadFile(dir.File("err.txt"));
  std::filesystem::remove(dir.File("err.txt"));
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

INSTANTIATE_TEST_SUITE_P(
    Table, CliExportBadInput,
    testing::Values(BadCase{"UnknownExtension", "out.txt", "unknown map format"},
                    BadCase{"NoExtension", "out", "unknown map format"},
                    BadCase{"UnreadableCrs", "out.gpkg --crs EPSG:99999999", "cannot be read"},
                    BadCase{"CrsFromAFile", "out.gpkg --crs /etc/hostname", "cannot be read"},
                    BadCase{"TextInTheOrigin", "out.gpkg --origin 10,abc", "--origin"},
                    BadCase{"OneOriginNumber", "out.gpkg --origin 10", "--origin"},
                    BadCase{"InfiniteOrigin", "out.gpkg --origin inf,0", "--origin"},
                    BadCase{"HugeOrigin", "out.gpkg --origin 1e13,0", "--origin"},
                    BadCase{"ZeroInterval", "out.gpkg --interval 0", "--interval"},
                    BadCase{"TinyInterval", "out.gpkg --interval 1e-9", "more than 10000"},
                    BadCase{"LayerBeyondNL", "out.gpkg --layers 3", "outside 1..2"},
                    BadCase{"LayerTwice", "out.gpkg --layers 1,1", "--layers"},
                    BadCase{"UnknownOption", "out.gpkg --rasters 5", "unknown option"},
                    BadCase{"ZeroRasterCell", "out.gpkg --raster 0", "--raster"},
                    BadCase{"TextRasterCell", "out.gpkg --raster fine", "--raster"},
                    BadCase{"TinyRasterCell", "out.gpkg --raster 0.01", "more than 50000000"},
                    BadCase{"NoFolder", "nowhere/out.gpkg", "does not exist"},
                    BadCase{"RememberAlone", "out.gpkg --remember", "--remember goes with"}),
    [](const auto& info) { return std::string(info.param.name); });

#ifdef PLANAQ_HAVE_MAPS
// Runs the command in dir on a copy of the example; returns the exit status.
int ExportCopy(const test::TempDir& dir, const std::string& arguments) {
  std::filesystem::copy_file(PLANAQ_EXAMPLES "/Example.aqd", dir.File("x.aqd"),
                             std::filesystem::copy_options::overwrite_existing);
  const std::string command = "cd '" + dir.path() + "' && '" PLANAQ_CLI "' export x.aqd " +
                              arguments + " >out.txt 2>err.txt";
  const int raw = std::system(command.c_str());
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

TEST(CliExportGeoreference, RememberKeepsItBesideTheDatafile) {
  test::TempDir dir;
  EXPECT_EQ(ExportCopy(dir, "a.gpkg --origin 155000,463000.5 --crs EPSG:28992 --remember"), 0);
  EXPECT_EQ(test::ReadFile(dir.File("x.aqd.geo")), "origin 155000 463000.5\ncrs EPSG:28992\n");
}

TEST(CliExportGeoreference, TheRememberedOneIsReadWhenNoneIsGiven) {
  test::TempDir dir;
  dir.Write("x.aqd.geo", "origin 1 2\ncrs EPSG:99999999\n");
  EXPECT_EQ(ExportCopy(dir, "a.gpkg"), 2);  // read: its CRS is refused
  EXPECT_NE(test::ReadFile(dir.File("err.txt")).find("cannot be read"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir.File("a.gpkg")));
  // one given on the command line replaces it, and without --remember the file stays
  EXPECT_EQ(ExportCopy(dir, "a.gpkg --origin 0,0"), 0);
  EXPECT_EQ(test::ReadFile(dir.File("x.aqd.geo")), "origin 1 2\ncrs EPSG:99999999\n");
}
#endif

}  // namespace
}  // namespace planaq
