#include "files/Tokens.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <system_error>

#include "model/Values.h"

namespace planaq {

bool ReadChunk(std::FILE* f, int maxChars, std::string& chunk) {
  chunk.clear();
  int c = 0;
  while (static_cast<int>(chunk.size()) < maxChars && (c = std::fgetc(f)) != EOF) {
    chunk.push_back(static_cast<char>(c));
    if (c == '\n') break;
  }
  return !chunk.empty();
}

bool ReadDataLine(std::FILE* f, int maxChars, std::string& line, int& lineNumber) {
  while (ReadChunk(f, maxChars, line)) {
    ++lineNumber;
    if (line[0] != '#') return true;
  }
  return false;
}

std::string NameField(const std::string& line, std::size_t longest) {
  std::size_t start = 0;
  while (start < line.size() && line[start] == ',') ++start;
  std::size_t end = line.find(',', start);
  std::string name = line.substr(start, end == std::string::npos ? std::string::npos : end - start);
  name = name.substr(0, longest);
  while (!name.empty() && (name.back() == '\n' || name.back() == '\r')) name.pop_back();
  return name;
}

namespace {
bool IsSeparator(char c) { return c == ' ' || c == ',' || c == ';'; }
// The blanks of the "C" locale, fixed here so that no locale changes what a file holds.
bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
std::size_t SkipBlanks(std::string_view s, std::size_t i) {
  while (i < s.size() && IsBlank(s[i])) ++i;
  return i;
}
std::size_t Digits(std::string_view s, std::size_t i) {
  while (i < s.size() && IsDigit(s[i])) ++i;
  return i;
}

// The end of the decimal number that starts at i (digits, a point, an exponent with digits),
// or i when there is none.
std::size_t DecimalEnd(std::string_view s, std::size_t i) {
  const std::size_t intEnd = Digits(s, i);
  bool hasDigits = intEnd > i;
  std::size_t end = intEnd;
  if (end < s.size() && s[end] == '.') {
    const std::size_t fracEnd = Digits(s, end + 1);
    hasDigits = hasDigits || fracEnd > end + 1;
    end = fracEnd;
  }
  if (!hasDigits) return i;
  if (end < s.size() && (s[end] == 'e' || s[end] == 'E')) {
    std::size_t j = end + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    const std::size_t expEnd = Digits(s, j);
    if (expEnd > j) end = expEnd;
  }
  return end;
}

// What strtod gives for an unsigned decimal beyond the range of double: infinity when its
// leading digit stands at a power of ten of at least 0, else zero. Out of range means beyond
// 1e308 or below 1e-323, so the power's sign decides.
double OutOfRange(std::string_view number) {
  long long power = -1;
  bool seenPoint = false, leading = false;
  std::size_t i = 0;
  for (; i < number.size() && number[i] != 'e' && number[i] != 'E'; ++i) {
    if (number[i] == '.') {
      seenPoint = true;
    } else if (!leading) {
      if (number[i] != '0')
        leading = true;
      else if (seenPoint)
        --power;
      if (leading && !seenPoint) power = 0;
    } else if (!seenPoint) {
      ++power;
    }
  }
  long long exponent = 0;
  if (i < number.size()) {
    std::size_t j = i + 1;
    const bool negative = j < number.size() && number[j] == '-';
    if (j < number.size() && (number[j] == '+' || number[j] == '-')) ++j;
    for (; j < number.size() && exponent < 1000000000; ++j)
      exponent = exponent * 10 + (number[j] - '0');
    if (negative) exponent = -exponent;
  }
  return power + exponent >= 0 ? HUGE_VAL : 0.0;
}
}  // namespace

std::vector<std::string> SplitTokens(const std::string& line) {
  std::vector<std::string> tokens;
  std::size_t pos = 0;
  for (std::string_view t = NextToken(line, pos); !t.empty(); t = NextToken(line, pos))
    tokens.emplace_back(t);
  return tokens;
}

std::string_view NextToken(std::string_view line, std::size_t& pos) {
  while (pos < line.size() && IsSeparator(line[pos])) ++pos;
  const std::size_t start = pos;
  while (pos < line.size() && !IsSeparator(line[pos])) ++pos;
  return line.substr(start, pos - start);
}

double LeadingReal(std::string_view token) {
  // Only the decimal form is a number here: no "inf", "nan" or hexadecimal.
  std::size_t i = SkipBlanks(token, 0);
  const bool negative = i < token.size() && token[i] == '-';
  if (i < token.size() && (token[i] == '+' || token[i] == '-')) ++i;
  const std::size_t end = DecimalEnd(token, i);
  if (end == i) return 0.0;
  // from_chars takes no '+', so the magnitude is read and the sign put on it; rounding to
  // nearest is symmetric, so that is the value of the signed text (-0 included)
  const std::string_view number = token.substr(i, end - i);
  double v = 0.0;
  const auto read = std::from_chars(number.data(), number.data() + number.size(), v);
  if (read.ec == std::errc::result_out_of_range) v = OutOfRange(number);
  return negative ? -v : v;
}

bool LeadingStorableReal(std::string_view token, double& value) {
  const double v = LeadingReal(token);
  if (!IsStorable(v)) return false;
  value = v;
  return true;
}

long long LeadingLong(std::string_view token) {
  std::size_t i = SkipBlanks(token, 0);
  const bool negative = i < token.size() && token[i] == '-';
  if (i < token.size() && (token[i] == '+' || token[i] == '-')) ++i;
  const std::size_t end = Digits(token, i);
  if (end == i) return 0;
  // held to LLONG_MIN / LLONG_MAX where it cannot be represented, as strtoll does
  const char* first = token.data() + i - (negative ? 1 : 0);
  long long v = 0;
  if (std::from_chars(first, token.data() + end, v).ec == std::errc::result_out_of_range)
    return negative ? LLONG_MIN : LLONG_MAX;
  return v;
}

int LeadingInt(std::string_view token) {
  const long long v = LeadingLong(token);
  if (v > INT_MAX) return INT_MAX;
  if (v < INT_MIN) return INT_MIN;
  return static_cast<int>(v);
}

int SelectedLayer(const std::string& text, int NL) {
  const long long layer = static_cast<long long>(LeadingInt(text)) - 1;
  if (layer > NL - 1) return std::max(NL - 1, 0);
  return layer < 0 ? 0 : static_cast<int>(layer);
}

std::string NameLine(const std::string& name, std::size_t longest) {
  return (!name.empty() && name[0] == '#' ? "," : "") + name.substr(0, longest) + ",\n";
}

}  // namespace planaq
