#include "files/BlockLines.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstring>

namespace planaq {
namespace {

constexpr std::size_t kBlock = 1 << 20;

long long SizeOf(std::FILE* f) {
  struct stat info {};
  const int fd = fileno(f);
  if (fd < 0 || fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) return 0;
  return static_cast<long long>(info.st_size);
}

}  // namespace

BlockLines::BlockLines(std::FILE* f, DatafileProgress* progress)
    : f_(f), progress_(progress), buffer_(kBlock), size_(progress ? SizeOf(f) : 0) {}

void BlockLines::Refill() {
  // what is left moves to the front, so a chunk never straddles two blocks
  std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
  end_ -= begin_;
  begin_ = 0;
  while (end_ < buffer_.size() && !atEnd_) {
    const std::size_t got = std::fread(buffer_.data() + end_, 1, buffer_.size() - end_, f_);
    if (got == 0) atEnd_ = true;
    end_ += got;
    read_ += static_cast<long long>(got);
  }
  if (progress_) progress_->Advanced(read_, size_);
}

bool BlockLines::NextChunk(std::size_t maxChars, std::string_view& chunk) {
  if (end_ - begin_ < maxChars && !atEnd_) {
    const char* at =
        static_cast<const char*>(std::memchr(buffer_.data() + begin_, '\n', end_ - begin_));
    if (!at) Refill();
  }
  const std::size_t available = std::min(maxChars, end_ - begin_);
  if (available == 0) return false;
  const char* first = buffer_.data() + begin_;
  const char* feed = static_cast<const char*>(std::memchr(first, '\n', available));
  const std::size_t length = feed ? static_cast<std::size_t>(feed - first) + 1 : available;
  chunk = std::string_view(first, length);
  begin_ += length;
  return true;
}

bool BlockLines::NextDataLine(std::size_t maxChars, std::string_view& line, int& lineNumber) {
  while (NextChunk(maxChars, line)) {
    ++lineNumber;
    if (line[0] != '#') return true;
  }
  return false;
}

}  // namespace planaq
