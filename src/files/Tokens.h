#pragma once
// Reading rules shared by the datafile and the installation file: bounded line reads, comment
// skipping, name fields and the leading numbers of tokens.

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace planaq {

// Reads at most maxChars characters, stopping after a line feed (which is kept), like fgets with
// a buffer of maxChars + 1. Returns false at the end of the file with nothing read.
bool ReadChunk(std::FILE* f, int maxChars, std::string& chunk);

// Reads chunks until one does not begin with '#'; counts every chunk read in lineNumber.
bool ReadDataLine(std::FILE* f, int maxChars, std::string& line, int& lineNumber);

// The characters after any leading commas up to the next comma or the line end. The line end
// itself is not part of the name. At most longest characters are kept.
std::string NameField(const std::string& line, std::size_t longest = std::string::npos);

// The line that NameField reads back as name (cut to longest characters). A name that begins
// with '#' would read back as a comment; NameField skips leading commas, so one comma in front
// keeps the name.
std::string NameLine(const std::string& name, std::size_t longest);

// Runs of characters other than space, comma and semicolon.
std::vector<std::string> SplitTokens(const std::string& line);
// The next such run at or after pos, which moves past it; empty when the line has no more.
std::string_view NextToken(std::string_view line, std::size_t& pos);

// The leading decimal number of a token (sign, decimals, exponent); 0 when it has none. The
// value is the correctly rounded one, whatever the C locale; beyond the range of double it is
// an infinity or a zero, as strtod gives.
double LeadingReal(std::string_view token);
// The leading number as LeadingReal reads it, when it is one that a problem may hold (finite
// and within the datafile's limit); false, with value untouched, when it is not.
bool LeadingStorableReal(std::string_view token, double& value);
// The leading optionally signed digits of a token, held to the range of int; 0 when none.
int LeadingInt(std::string_view token);
// The 0-based layer that a layer selector's text names: its leading number less one, held to
// 0..NL-1 (a text without a number names layer 1).
int SelectedLayer(const std::string& text, int NL);
// The same held to the range of long long, for counts that must be refused rather than held.
long long LeadingLong(std::string_view token);

}  // namespace planaq
