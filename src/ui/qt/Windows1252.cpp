#include "ui/qt/Windows1252.h"

#include "model/Windows1252.h"

namespace planaq {

QString FromWindows1252(const std::string& text) {
  return QString::fromStdString(Windows1252ToUtf8(text));
}

std::string ToWindows1252(const QString& text) { return Utf8ToWindows1252(text.toStdString()); }

}  // namespace planaq
