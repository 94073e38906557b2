#pragma once
// The program's texts (problem name, file name, user name, the headings of the files and of
// the printed pages) are bytes of the Windows-1252 code page, as the datafile and the
// installation file hold them; "m\xB3/d" has the superscript three 0xB3. The screen, the
// terminal and the file system speak UTF-8. These two functions are the only crossing.

#include <string>

namespace planaq {

// The character a byte stands for. The five bytes the code page leaves undefined (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) and the control characters other than tab show as "?".
char32_t Windows1252Char(unsigned char byte);

// Windows-1252 bytes as UTF-8 text, each byte one character.
std::string Windows1252ToUtf8(const std::string& text);

// A message of several lines, which may quote names of the problem: as Windows1252ToUtf8, but
// its line breaks stay line breaks.
std::string Windows1252MessageToUtf8(const std::string& text);

// UTF-8 text as Windows-1252 bytes. A character the code page does not have, a control
// character other than tab, and a byte that is not valid UTF-8 each become one "?".
std::string Utf8ToWindows1252(const std::string& text);

}  // namespace planaq
