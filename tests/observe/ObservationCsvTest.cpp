// The observation CSV: what it refuses, with the line, and the side file byte for byte.

#include <gtest/gtest.h>

#include "observe/Observations.h"
#include "support/TempDir.h"

namespace planaq {
namespace {

struct BadCsv {
  const char* name;
  const char* text;
  const char* message;
};

class ObservationCsvRefuses : public testing::TestWithParam<BadCsv> {};

TEST_P(ObservationCsvRefuses, NamingTheLine) {
  const ObservationRead read = ParseObservationsCsv(GetParam().text);
  EXPECT_FALSE(read.ok);
  EXPECT_EQ(read.message, GetParam().message);
  EXPECT_TRUE(read.set.empty());
}

const BadCsv kBad[] = {
    {"Empty", "", "Observations: the file is empty"},
    {"Blank", " \n\r\n", "Observations: the file is empty"},
    {"NoHeadColumn", "name,x,y,layer\nP1,1,2,1\n",
     "Observations, line 1: the header has no column \"head\" (it needs name,x,y,layer,head and "
     "may have weight)"},
    {"MissingColumns", "name,x,y,layer,head,weight\nP1,1,2,1,5,1\nP2,1,2\n",
     "Observations, line 3: 3 columns where the header has 6"},
    {"TextInANumber", "name,x,y,layer,head\nP1,1,2,1,5\nP2,1,two,1,5\n",
     "Observations, line 3: \"two\" in column \"y\" is not a number"},
    {"NumberWithTrailingText", "name,x,y,layer,head\nP1,1m,2,1,5\n",
     "Observations, line 2: \"1m\" in column \"x\" is not a number"},
    {"NotFinite", "name,x,y,layer,head\nP1,1,2,1,nan\n",
     "Observations, line 2: \"nan\" in column \"head\" is not a number"},
    {"TooLarge", "name,x,y,layer,head\nP1,1,2e13,1,5\n",
     "Observations, line 2: the y is larger than 1e12 in magnitude"},
    {"LayerZero", "name,x,y,layer,head\nP1,1,2,0,5\n",
     "Observations, line 2: the layer must be a whole number from 1 to 6"},
    {"LayerSeven", "name,x,y,layer,head\nP1,1,2,7,5\n",
     "Observations, line 2: the layer must be a whole number from 1 to 6"},
    {"LayerFraction", "name,x,y,layer,head\nP1,1,2,1.5,5\n",
     "Observations, line 2: the layer must be a whole number from 1 to 6"},
    {"DuplicateName", "name,x,y,layer,head\nP1,1,2,1,5\n\nP1,3,4,1,5\n",
     "Observations, line 4: the name \"P1\" is given twice (line 2)"},
    {"EmptyName", "name,x,y,layer,head\n  ,1,2,1,5\n", "Observations, line 2: the name is empty"},
    {"NegativeWeight", "name,x,y,layer,head,weight\nP1,1,2,1,5,-1\n",
     "Observations, line 2: the weight must not be negative"},
    {"OpenQuote", "name,x,y,layer,head\n\"P1,1,2,1,5\n",
     "Observations, line 2: a quote is not closed"},
};

INSTANTIATE_TEST_SUITE_P(Table, ObservationCsvRefuses, testing::ValuesIn(kBad),
                         [](const testing::TestParamInfo<BadCsv>& info) {
                           return std::string(info.param.name);
                         });

TEST(ObservationCsv, AnyColumnOrderWithoutWeightsAndWithASpreadsheetsBom) {
  const ObservationRead read = ParseObservationsCsv(
      "\xEF\xBB\xBFHead, Layer, Name, X, Y, Remark\r\n"
      "12.5, 2, Well Nord 1, 100, 200, ok\r\n"
      "13, 1, \"Pz, \"\"old\"\"\", 1e2, -0.5, \r\n");
  ASSERT_TRUE(read.ok) << read.message;
  ASSERT_EQ(read.set.size(), 2);
  const Observation& a = read.set.points[0];
  EXPECT_EQ(a.name, "Well Nord 1");
  EXPECT_EQ(a.layer, 1);
  EXPECT_EQ(a.head, 12.5);
  EXPECT_EQ(a.X, 100.0);
  EXPECT_EQ(a.Y, 200.0);
  EXPECT_EQ(a.weight, 1.0);
  EXPECT_EQ(read.set.points[1].name, "Pz, \"old\"");
  EXPECT_EQ(read.set.points[1].Y, -0.5);
}

TEST(ObservationCsv, TheSideFileRoundTripsByteForByte) {
  const std::string text =
      "name,x,y,layer,head,weight\n"
      "P1,100,200.25,1,12.345678901234567,1\n"
      "Brunnen Süd 2,0.1,1e+12,6,-3.5,0.25\n"
      "\"Pz, old\",1999.999,0,2,0,0\n"
      "\" lead\",1,2,3,4,5\n";
  test::TempDir dir;
  const std::string first = dir.Write("a.aqd.obs", text);
  const ObservationRead read = ReadObservationsFile(first);
  ASSERT_TRUE(read.ok) << read.message;
  EXPECT_EQ(read.set.points[3].name, " lead");
  const std::string second = dir.File("b.aqd.obs");
  ASSERT_EQ(WriteObservationsFile(read.set, second), "");
  EXPECT_EQ(test::ReadFile(second), text);
  EXPECT_EQ(ObservationSidePath(dir.File("b.aqd")), second);
  // the values themselves come back, not only the text
  const ObservationRead again = ReadObservationsFile(second);
  ASSERT_TRUE(again.ok);
  EXPECT_EQ(again.set.points[0].head, 12.345678901234567);
  EXPECT_EQ(FormatObservationsCsv(again.set), text);
}

TEST(ObservationCsv, AHeaderWithoutRowsIsAnEmptySet) {
  const ObservationRead read = ParseObservationsCsv("name,x,y,layer,head,weight\n");
  EXPECT_TRUE(read.ok);
  EXPECT_TRUE(read.set.empty());
  EXPECT_EQ(FormatObservationsCsv(read.set), "name,x,y,layer,head,weight\n");
}

}  // namespace
}  // namespace planaq
