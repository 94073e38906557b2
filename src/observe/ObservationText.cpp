#include "observe/ObservationText.h"

#include <cstdio>

namespace planaq {

namespace {

std::string Format(const char* format, double v) {
  char text[64];
  std::snprintf(text, sizeof text, format, v);
  return text;
}

std::string CsvName(const std::string& name) {
  if (name.find_first_of(",\"") == std::string::npos) return name;
  std::string out = "\"";
  for (char c : name) out += c == '"' ? std::string("\"\"") : std::string(1, c);
  return out + "\"";
}

}  // namespace

std::vector<std::string> ObservationColumns() {
  return {"Name",         "X (m)",        "Y (m)",        "Layer",
          "Observed (m)", "Computed (m)", "Residual (m)", "Note"};
}

std::vector<std::string> ObservationRow(const ObservationSet& set,
                                        const std::vector<ObservedHead>& heads, int i) {
  const Observation& o = set.points[i];
  const bool used = i < static_cast<int>(heads.size()) && heads[i].used();
  const std::string note =
      i < static_cast<int>(heads.size()) ? StatusText(heads[i].status) : "not computed";
  return {o.name,
          Format("%.3f", o.X),
          Format("%.3f", o.Y),
          std::to_string(o.layer + 1),
          Format("%.3f", o.head),
          used ? Format("%.3f", heads[i].computed) : "",
          used ? Format("%.3f", heads[i].residual) : "",
          note};
}

std::vector<std::pair<std::string, std::string>> StatisticsLines(const ObservationStatistics& s) {
  return {{"Used", std::to_string(s.used)},
          {"Mean residual (m)", Format("%.4f", s.mean)},
          {"Mean absolute residual (m)", Format("%.4f", s.meanAbsolute)},
          {"RMS (m)", Format("%.4f", s.rms)},
          {"Weighted RMS (m)", Format("%.4f", s.weightedRms)},
          {"RMS / range of observed", s.hasRange ? Format("%.4f", s.rmsOverRange) : "-"},
          {"Largest residual (m)",
           s.largestName.empty() ? "-" : Format("%.4f", s.largest) + "  " + s.largestName}};
}

std::string StatisticsCaption(const ObservationStatistics& s) {
  std::string out = "n = " + std::to_string(s.used) + "   mean " + Format("%.3f", s.mean) +
                    "   RMS " + Format("%.3f", s.rms) + " m";
  if (s.hasRange) out += "   RMS/range " + Format("%.3f", s.rmsOverRange);
  if (!s.largestName.empty())
    out += "   largest " + Format("%.3f", s.largest) + " (" + s.largestName + ")";
  return out;
}

std::string ObservationsText(const ObservationSet& set, const std::vector<ObservedHead>& heads) {
  std::string out;
  char line[512];
  std::snprintf(line, sizeof line, "%-20s %12s %12s %5s %12s %12s %12s  %s\n", "Name", "X (m)",
                "Y (m)", "Layer", "Observed", "Computed", "Residual", "Note");
  out += line;
  for (int i = 0; i < set.size(); ++i) {
    const std::vector<std::string> c = ObservationRow(set, heads, i);
    std::snprintf(line, sizeof line, "%-20s %12s %12s %5s %12s %12s %12s  %s\n", c[0].c_str(),
                  c[1].c_str(), c[2].c_str(), c[3].c_str(), c[4].c_str(), c[5].c_str(),
                  c[6].c_str(), c[7].c_str());
    out += line;
  }
  out += "\n";
  for (const auto& [label, value] : StatisticsLines(ComputeStatistics(set, heads))) {
    std::snprintf(line, sizeof line, "%-28s %s\n", label.c_str(), value.c_str());
    out += line;
  }
  return out;
}

std::string ObservationsCsv(const ObservationSet& set, const std::vector<ObservedHead>& heads) {
  std::string out = "name,x,y,layer,observed,computed,residual,note\n";
  for (int i = 0; i < set.size(); ++i) {
    const std::vector<std::string> c = ObservationRow(set, heads, i);
    out += CsvName(c[0]);
    for (std::size_t k = 1; k < c.size(); ++k) out += "," + c[k];
    out += "\n";
  }
  return out;
}

}  // namespace planaq
