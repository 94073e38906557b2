#pragma once
// The texts of observed and computed heads, shared by planaq-cli, the printed page and the
// windows: one row of cells per observation and the lines of the statistics.

#include <string>
#include <vector>

#include "observe/ObservedHeads.h"

namespace planaq {

// Name, X (m), Y (m), Layer, Observed (m), Computed (m), Residual (m), Note.
std::vector<std::string> ObservationColumns();
// The cells of observation i; computed and residual are empty where the point is not used.
std::vector<std::string> ObservationRow(const ObservationSet& set,
                                        const std::vector<ObservedHead>& heads, int i);
// "Used", "Mean residual (m)", ... with their values formatted.
std::vector<std::pair<std::string, std::string>> StatisticsLines(const ObservationStatistics& s);
// One line: the statistics as the caption of a figure.
std::string StatisticsCaption(const ObservationStatistics& s);

// Fixed-width text of the rows, a blank line, the statistics; ends in a newline.
std::string ObservationsText(const ObservationSet& set, const std::vector<ObservedHead>& heads);
// CSV of the rows (header name,x,y,layer,observed,computed,residual,note).
std::string ObservationsCsv(const ObservationSet& set, const std::vector<ObservedHead>& heads);

}  // namespace planaq
