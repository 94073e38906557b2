#include "files/Tokens.h"

#include <gtest/gtest.h>

namespace planaq {
namespace {

TEST(Tokens, SplitOnSpacesCommasAndSemicolonsButNotTabs) {
  EXPECT_EQ(SplitTokens(" ,1;2  ,,3,\n"), (std::vector<std::string>{"1", "2", "3", "\n"}));
  EXPECT_EQ(SplitTokens("a\tb c"), (std::vector<std::string>{"a\tb", "c"}));
  EXPECT_TRUE(SplitTokens(" ,; ").empty());
}

TEST(Tokens, LeadingNumbers) {
  EXPECT_DOUBLE_EQ(LeadingReal("-1.5e3xyz"), -1500.0);
  EXPECT_DOUBLE_EQ(LeadingReal(".5"), 0.5);
  EXPECT_DOUBLE_EQ(LeadingReal("5."), 5.0);
  EXPECT_DOUBLE_EQ(LeadingReal("2e"), 2.0);
  EXPECT_DOUBLE_EQ(LeadingReal("abc"), 0.0);
  EXPECT_DOUBLE_EQ(LeadingReal("inf"), 0.0);
  EXPECT_DOUBLE_EQ(LeadingReal("nan"), 0.0);
  EXPECT_DOUBLE_EQ(LeadingReal("0x10"), 0.0);
  EXPECT_DOUBLE_EQ(LeadingReal(""), 0.0);
  EXPECT_EQ(LeadingInt("12.7"), 12);
  EXPECT_EQ(LeadingInt("-5"), -5);
  EXPECT_EQ(LeadingInt("+7a"), 7);
  EXPECT_EQ(LeadingInt("x7"), 0);
  EXPECT_EQ(LeadingInt("99999999999999"), 2147483647);
  EXPECT_EQ(LeadingInt("\n"), 0);
}

TEST(Tokens, NameField) {
  EXPECT_EQ(NameField(",,My name, rest\n"), "My name");
  EXPECT_EQ(NameField("No comma\r\n"), "No comma");
  EXPECT_EQ(NameField(",\n"), "");
  // carriage returns that the cut brings to the end do not stay in the name
  EXPECT_EQ(NameField(std::string(38, 'a') + "\r\r\r\r\n", 40), std::string(38, 'a'));
}

TEST(Tokens, LayerSelectorTextIsHeldToTheLayers) {
  struct Case { const char* text; int NL; int layer; };
  const Case cases[] = {{"  2", 3, 1}, {"9", 3, 2}, {"0", 3, 0}, {"-4", 3, 0}, {"", 3, 0},
                        {"x", 6, 0}, {"  6 ", 6, 5}, {"-2147483648", 6, 0},
                        {"99999999999", 6, 5}};
  for (const Case& c : cases) EXPECT_EQ(SelectedLayer(c.text, c.NL), c.layer) << c.text;
}

}  // namespace
}  // namespace planaq
