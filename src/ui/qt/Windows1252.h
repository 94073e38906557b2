#pragma once
// The program's texts are bytes of the Windows-1252 code page (the superscript three of
// "m³/d" is 0xB3); Qt draws Unicode.

#include <QString>
#include <string>

namespace planaq {

QString FromWindows1252(const std::string& text);

}  // namespace planaq
