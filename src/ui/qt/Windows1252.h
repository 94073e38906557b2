#pragma once
// The program's Windows-1252 texts (model/Windows1252.h) as Qt's Unicode strings and back.

#include <QString>
#include <string>

namespace planaq {

QString FromWindows1252(const std::string& text);
// Characters the code page does not have become "?".
std::string ToWindows1252(const QString& text);

}  // namespace planaq
