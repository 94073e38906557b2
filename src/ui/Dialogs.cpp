#include "ui/Dialogs.h"

namespace planaq::ui {

std::string QtNameFilter(const std::string& filter) {
  // "Description|pattern" pairs become "Description (pattern)"; Qt separates filters by ";;"
  std::string out;
  std::size_t at = 0;
  while (at < filter.size()) {
    const std::size_t bar = filter.find('|', at);
    if (bar == std::string::npos) break;
    std::size_t end = filter.find('|', bar + 1);
    if (end == std::string::npos) end = filter.size();
    std::string description = filter.substr(at, bar - at);
    const std::string pattern = filter.substr(bar + 1, end - bar - 1);
    const std::size_t paren = description.find('(');
    if (paren != std::string::npos) description = description.substr(0, paren);
    if (!out.empty()) out += ";;";
    out += description + " (" + pattern + ")";
    at = end + 1;
  }
  return out.empty() ? filter : out;
}

std::string WithDefaultExtension(const std::string& path, const std::string& defaultExt) {
  const std::size_t slash = path.find_last_of("/\\");
  const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
  if (base.empty() || base.find('.') != std::string::npos) return path;
  std::string ext = defaultExt;
  if (!ext.empty() && ext[0] == '*') ext.erase(0, 1);
  if (!ext.empty() && ext[0] != '.') ext.insert(0, ".");
  return path + ext;
}

}  // namespace planaq::ui
