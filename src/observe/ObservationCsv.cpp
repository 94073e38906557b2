#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "model/Values.h"
#include "observe/Observations.h"

namespace planaq {

namespace {

// The shortest text that reads back to v (fixed or scientific, whichever is shorter).
std::string ShortestNumber(double v) {
  char text[40];
  const std::to_chars_result r = std::to_chars(text, text + sizeof text, v);
  return std::string(text, r.ptr);
}

bool NeedsQuotes(const std::string& name) {
  if (name.empty()) return false;
  return name.find_first_of(",\"\r\n") != std::string::npos || name.front() == ' ' ||
         name.back() == ' ';
}

std::string QuotedName(const std::string& name) {
  if (!NeedsQuotes(name)) return name;
  std::string out = "\"";
  for (char c : name) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

std::string Trimmed(const std::string& s) {
  std::size_t a = 0, b = s.size();
  while (a < b && std::isspace(static_cast<unsigned char>(s[a]))) ++a;
  while (b > a && std::isspace(static_cast<unsigned char>(s[b - 1]))) --b;
  return s.substr(a, b - a);
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// Splits one line at the commas; a field in double quotes may hold commas and doubled quotes
// and keeps its spaces. false for a quote that is not closed.
bool SplitFields(const std::string& line, std::vector<std::string>& fields) {
  fields.clear();
  std::size_t i = 0;
  while (true) {
    std::string field;
    std::size_t j = i;
    while (j < line.size() && line[j] == ' ') ++j;
    if (j < line.size() && line[j] == '"') {
      for (++j;; ++j) {
        if (j >= line.size()) return false;
        if (line[j] == '"') {
          if (j + 1 < line.size() && line[j + 1] == '"') {
            field += '"';
            ++j;
          } else {
            break;
          }
        } else {
          field += line[j];
        }
      }
      ++j;
      while (j < line.size() && line[j] == ' ') ++j;
      if (j < line.size() && line[j] != ',') return false;
    } else {
      const std::size_t comma = line.find(',', i);
      j = comma == std::string::npos ? line.size() : comma;
      field = Trimmed(line.substr(i, j - i));
    }
    fields.push_back(field);
    if (j >= line.size()) return true;
    i = j + 1;
  }
}

std::string At(int line) { return "Observations, line " + std::to_string(line) + ": "; }

// A number that fills the whole field, finite and storable.
bool ParseNumber(const std::string& field, double& v) {
  if (field.empty()) return false;
  char* end = nullptr;
  v = std::strtod(field.c_str(), &end);
  return end == field.c_str() + field.size() && std::isfinite(v);
}

struct Columns {
  int name = -1, x = -1, y = -1, layer = -1, head = -1, weight = -1;
  int count = 0;
};

std::string ReadHeader(const std::vector<std::string>& fields, Columns& c) {
  c.count = static_cast<int>(fields.size());
  std::map<std::string, int*> wanted = {{"name", &c.name}, {"x", &c.x},
                                        {"y", &c.y},       {"layer", &c.layer},
                                        {"head", &c.head}, {"weight", &c.weight}};
  for (int i = 0; i < c.count; ++i) {
    const auto it = wanted.find(Lower(Trimmed(fields[i])));
    if (it != wanted.end() && *it->second < 0) *it->second = i;
  }
  for (const char* column : {"name", "x", "y", "layer", "head"}) {
    if (*wanted[column] < 0)
      return At(1) + "the header has no column \"" + column +
             "\" (it needs name,x,y,layer,head and may have weight)";
  }
  return "";
}

std::string ReadRow(const std::vector<std::string>& fields, const Columns& c, int line,
                    Observation& o) {
  if (static_cast<int>(fields.size()) < c.count)
    return At(line) + std::to_string(fields.size()) + " columns where the header has " +
           std::to_string(c.count);
  o.name = fields[c.name];
  if (Trimmed(o.name).empty()) return At(line) + "the name is empty";
  struct Number {
    int column;
    const char* heading;
    double* value;
  };
  double layer = 0.0;
  const Number numbers[] = {{c.x, "x", &o.X},
                            {c.y, "y", &o.Y},
                            {c.layer, "layer", &layer},
                            {c.head, "head", &o.head},
                            {c.weight, "weight", &o.weight}};
  for (const Number& n : numbers) {
    if (n.column < 0) continue;
    const std::string& field = fields[n.column];
    if (!ParseNumber(field, *n.value))
      return At(line) + "\"" + field + "\" in column \"" + n.heading + "\" is not a number";
    if (!IsStorable(*n.value))
      return At(line) + "the " + n.heading + " is larger than 1e12 in magnitude";
  }
  if (layer != std::floor(layer) || layer < 1 || layer > kMaxObservationLayer)
    return At(line) + "the layer must be a whole number from 1 to 6";
  o.layer = static_cast<int>(layer) - 1;
  if (o.weight < 0.0) return At(line) + "the weight must not be negative";
  return "";
}

}  // namespace

std::string FormatObservationsCsv(const ObservationSet& set) {
  std::string out = "name,x,y,layer,head,weight\n";
  for (const Observation& o : set.points) {
    out += QuotedName(o.name) + "," + ShortestNumber(o.X) + "," + ShortestNumber(o.Y) + "," +
           std::to_string(o.layer + 1) + "," + ShortestNumber(o.head) + "," +
           ShortestNumber(o.weight) + "\n";
  }
  return out;
}

ObservationRead ParseObservationsCsv(const std::string& input) {
  ObservationRead read;
  const auto fail = [&read](std::string message) {
    read.ok = false;
    read.message = std::move(message);
    read.set.points.clear();
    return read;
  };
  std::string text = input;
  if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);  // a spreadsheet's BOM
  if (Trimmed(text).empty()) return fail("Observations: the file is empty");
  Columns columns;
  std::map<std::string, int> firstLine;
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (int line = 1; start < text.size(); ++line) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string row = text.substr(start, end - start);
    start = end + 1;
    if (!row.empty() && row.back() == '\r') row.pop_back();
    if (line > 1 && Trimmed(row).empty()) continue;
    if (!SplitFields(row, fields)) return fail(At(line) + "a quote is not closed");
    if (line == 1) {
      const std::string refused = ReadHeader(fields, columns);
      if (!refused.empty()) return fail(refused);
      continue;
    }
    Observation o;
    const std::string refused = ReadRow(fields, columns, line, o);
    if (!refused.empty()) return fail(refused);
    const auto seen = firstLine.emplace(o.name, line);
    if (!seen.second)
      return fail(At(line) + "the name \"" + o.name + "\" is given twice (line " +
                  std::to_string(seen.first->second) + ")");
    read.set.points.push_back(o);
  }
  return read;
}

}  // namespace planaq
