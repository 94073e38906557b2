#include "model/Windows1252.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

namespace planaq {
namespace {

// The C library's own table of the code page, as an independent reference; empty where it
// has no character.
std::string ByIconv(unsigned char byte) {
  iconv_t cd = iconv_open("UTF-8", "WINDOWS-1252");
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string();
  char in[1] = {static_cast<char>(byte)};
  char out[8] = {};
  char* inp = in;
  char* outp = out;
  std::size_t inLeft = 1, outLeft = sizeof out;
  const std::size_t done = iconv(cd, &inp, &inLeft, &outp, &outLeft);
  iconv_close(cd);
  if (done == static_cast<std::size_t>(-1)) return std::string();
  return std::string(out, sizeof out - outLeft);
}

bool Undefined(int b) { return b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D; }

TEST(Windows1252, EveryPrintableByteDecodesAsTheCLibrarySaysAndEncodesBackToItself) {
  for (int b = 0x20; b < 0x100; ++b) {
    if (Undefined(b) || b == 0x7F) continue;
    const std::string byte(1, static_cast<char>(b));
    ASSERT_FALSE(ByIconv(static_cast<unsigned char>(b)).empty()) << b;
    EXPECT_EQ(Windows1252ToUtf8(byte), ByIconv(static_cast<unsigned char>(b))) << b;
    EXPECT_EQ(Utf8ToWindows1252(Windows1252ToUtf8(byte)), byte) << b;
  }
}

TEST(Windows1252, UndefinedBytesAndControlsShowAsQuestionMarks) {
  for (int b = 0; b < 0x100; ++b) {
    const bool control = (b < 0x20 && b != '\t') || b == 0x7F;
    if (!Undefined(b) && !control) continue;
    EXPECT_EQ(Windows1252ToUtf8(std::string(1, static_cast<char>(b))), "?") << b;
  }
  EXPECT_EQ(Windows1252ToUtf8("a\tb"), "a\tb");
}

struct EncodeCase {
  const char* utf8;
  std::string windows1252;
};

class Utf8Encoding : public testing::TestWithParam<EncodeCase> {};

TEST_P(Utf8Encoding, GivesWindows1252WithQuestionMarksForTheRest) {
  EXPECT_EQ(Utf8ToWindows1252(GetParam().utf8), GetParam().windows1252);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Utf8Encoding,
    testing::Values(
        EncodeCase{"Grundwasser D\u00FCsseldorf \u2013 \u00D8 3 m\u00B3",
                   "Grundwasser D\xFCsseldorf \x96 \xD8 3 m\xB3"},
        EncodeCase{"Zo\u00EB's polder \u2260 5", "Zo\xEB's polder ? 5"},
        EncodeCase{"\u20AC \u0178 \u017E", "\x80 \x9F \x9E"},
        EncodeCase{"\U0001F30A wave", "? wave"},                     // beyond the plane
        EncodeCase{"a\nb\rc\u0081d", "a?b?c?d"},                     // controls, C1 included
        EncodeCase{"bad \xC3 \xE2\x82 \xC0\xAF \xED\xA0\x80 end",  // cut, overlong, surrogate
                   "bad ? ?? ?? ??? end"}));

}  // namespace
}  // namespace planaq
