#pragma once
// The lines of a file as the bounded line read gives them (at most maxChars characters, a
// line feed kept), taken from large blocks instead of one character at a time.

#include <cstdio>
#include <string_view>
#include <vector>

#include "files/DatafileProgress.h"

namespace planaq {

class BlockLines {
 public:
  // progress, when given, hears of every block read, with the file's size where it has one.
  explicit BlockLines(std::FILE* f, DatafileProgress* progress = nullptr);
  // The next chunk, valid until the following call; false at the end with nothing left.
  bool NextChunk(std::size_t maxChars, std::string_view& chunk);
  // Chunks until one does not begin with '#'; every chunk read is counted in lineNumber.
  bool NextDataLine(std::size_t maxChars, std::string_view& line, int& lineNumber);

 private:
  void Refill();

  std::FILE* f_;
  DatafileProgress* progress_;
  std::vector<char> buffer_;
  std::size_t begin_ = 0, end_ = 0;
  long long read_ = 0, size_ = 0;
  bool atEnd_ = false;
};

}  // namespace planaq
