#include "files/Tokens.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>

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
std::size_t SkipBlanks(const std::string& s, std::size_t i) {
  while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i]))) ++i;
  return i;
}
std::size_t Digits(const std::string& s, std::size_t i) {
  while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i;
  return i;
}
}  // namespace

std::vector<std::string> SplitTokens(const std::string& line) {
  std::vector<std::string> tokens;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && IsSeparator(line[i])) ++i;
    std::size_t start = i;
    while (i < line.size() && !IsSeparator(line[i])) ++i;
    if (i > start) tokens.push_back(line.substr(start, i - start));
  }
  return tokens;
}

double LeadingReal(const std::string& token) {
  // Only the decimal form is a number here: no "inf", "nan" or hexadecimal.
  std::size_t i = SkipBlanks(token, 0);
  const std::size_t begin = i;
  if (i < token.size() && (token[i] == '+' || token[i] == '-')) ++i;
  const std::size_t intEnd = Digits(token, i);
  bool hasDigits = intEnd > i;
  i = intEnd;
  if (i < token.size() && token[i] == '.') {
    const std::size_t fracEnd = Digits(token, i + 1);
    hasDigits = hasDigits || fracEnd > i + 1;
    i = fracEnd;
  }
  if (!hasDigits) return 0.0;
  if (i < token.size() && (token[i] == 'e' || token[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < token.size() && (token[j] == '+' || token[j] == '-')) ++j;
    const std::size_t expEnd = Digits(token, j);
    if (expEnd > j) i = expEnd;
  }
  return std::strtod(token.substr(begin, i - begin).c_str(), nullptr);
}

bool LeadingStorableReal(const std::string& token, double& value) {
  const double v = LeadingReal(token);
  if (!IsStorable(v)) return false;
  value = v;
  return true;
}

long long LeadingLong(const std::string& token) {
  std::size_t i = SkipBlanks(token, 0);
  const std::size_t begin = i;
  if (i < token.size() && (token[i] == '+' || token[i] == '-')) ++i;
  const std::size_t end = Digits(token, i);
  if (end == i) return 0;
  // strtoll holds what it cannot represent to LLONG_MIN / LLONG_MAX
  return std::strtoll(token.substr(begin, end - begin).c_str(), nullptr, 10);
}

int LeadingInt(const std::string& token) {
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
