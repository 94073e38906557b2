#include "model/Windows1252.h"

namespace planaq {
namespace {

constexpr char32_t kUndefined = U'?';

// 0x80..0x9F; the rest of the code page is Latin-1, which is the start of Unicode.
constexpr char32_t kHighControls[32] = {
    0x20AC, kUndefined, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030,     0x0160, 0x2039, 0x0152, kUndefined, 0x017D, kUndefined,
    kUndefined, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122,     0x0161, 0x203A, 0x0153, kUndefined, 0x017E, 0x0178};

bool IsControl(char32_t c) { return (c < 0x20 && c != U'\t') || (c >= 0x7F && c < 0xA0); }

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {  // the code page reaches no further than the Basic Multilingual Plane
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// The byte of a character, or "?" where the code page has none.
char ByteOf(char32_t c) {
  if (IsControl(c)) return '?';
  if (c < 0x100) return static_cast<char>(c);
  for (int i = 0; i < 32; ++i)
    if (kHighControls[i] == c) return static_cast<char>(0x80 + i);
  return '?';
}

// The code point of the UTF-8 sequence at text[i], advancing i past it; a byte that does not
// start a well-formed, shortest sequence is taken alone and gives U+FFFD.
char32_t NextCodePoint(const std::string& text, std::size_t& i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  int length = 0;
  char32_t c = 0;
  if (lead < 0x80) {
    ++i;
    return lead;
  } else if (lead >= 0xC2 && lead < 0xE0) {
    length = 2;
    c = lead & 0x1F;
  } else if (lead >= 0xE0 && lead < 0xF0) {
    length = 3;
    c = lead & 0x0F;
  } else if (lead >= 0xF0 && lead < 0xF5) {
    length = 4;
    c = lead & 0x07;
  }
  if (length == 0 || i + length > text.size()) {
    ++i;
    return 0xFFFD;
  }
  for (int k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) {
      ++i;
      return 0xFFFD;
    }
    c = (c << 6) | (byte(i + k) & 0x3F);
  }
  const char32_t shortest[5] = {0, 0, 0x80, 0x800, 0x10000};
  if (c < shortest[length] || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) {
    ++i;
    return 0xFFFD;
  }
  i += static_cast<std::size_t>(length);
  return c;
}

}  // namespace

char32_t Windows1252Char(unsigned char byte) {
  if (byte >= 0x80 && byte < 0xA0) return kHighControls[byte - 0x80];
  return IsControl(byte) ? kUndefined : char32_t{byte};
}

std::string Windows1252ToUtf8(const std::string& text) {
  std::string out;
  out.reserve(text.size() + text.size() / 4);
  for (const char b : text) AppendUtf8(out, Windows1252Char(static_cast<unsigned char>(b)));
  return out;
}

std::string Windows1252MessageToUtf8(const std::string& text) {
  std::string out;
  out.reserve(text.size() + text.size() / 4);
  for (const char b : text) {
    if (b == '\n')
      out += b;
    else
      AppendUtf8(out, Windows1252Char(static_cast<unsigned char>(b)));
  }
  return out;
}

std::string Utf8ToWindows1252(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) out += ByteOf(NextCodePoint(text, i));
  return out;
}

}  // namespace planaq
