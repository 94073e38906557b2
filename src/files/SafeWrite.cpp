#include "files/SafeWrite.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <random>

namespace planaq {
namespace {

constexpr int kLinkLimit = 40;  // as the kernel's own limit on nested links

std::string FolderOf(const std::string& path) {
  const auto pos = path.find_last_of('/');
  if (pos == std::string::npos) return ".";
  return pos == 0 ? std::string("/") : path.substr(0, pos);
}

std::string ErrnoText(int error) { return std::strerror(error); }

// The name the bytes finally land on: each symbolic link replaced by what it names.
bool FollowLinks(std::string& path, std::string& cause) {
  for (int hop = 0; hop < kLinkLimit; ++hop) {
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return true;
    std::string link(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 256) + 1, '\0');
    const ssize_t n = readlink(path.c_str(), link.data(), link.size());
    if (n < 0) {
      cause = "cannot follow the link " + path + ": " + ErrnoText(errno);
      return false;
    }
    link.resize(static_cast<std::size_t>(n));
    path = !link.empty() && link[0] == '/' ? link : FolderOf(path) + "/" + link;
  }
  cause = "cannot follow the link " + path + ": " + ErrnoText(ELOOP);
  return false;
}

// Read-only by its mode bits for root too, who may write anything the kernel would allow.
bool ReadOnly(const std::string& path, const struct stat& st) {
  if (geteuid() == 0) return (st.st_mode & 0222) == 0;
  return faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0 && errno == EACCES;
}

// A short name, so that a target name of 255 bytes still has its temporary beside it.
std::string TemporaryName(std::mt19937& random) {
  static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::string name = ".pq";
  for (int i = 0; i < 8; ++i) name += kLetters[random() % (sizeof kLetters - 1)];
  return name;
}

int CreateExclusive(const std::string& folder, std::string& path) {
  std::random_device device;
  std::mt19937 random(device() ^ static_cast<unsigned>(getpid()));
  for (int attempt = 0; attempt < 100; ++attempt) {
    path = (folder == "/" ? std::string() : folder) + "/" + TemporaryName(random);
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

std::string SystemTemporaryFolder() {
  const char* dir = std::getenv("TMPDIR");
  return dir && *dir ? dir : "/tmp";
}

bool WriteAll(int fd, const char* data, std::size_t size, off_t at, bool positioned) {
  while (size > 0) {
    const ssize_t n = positioned ? pwrite(fd, data, size, at) : write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = ENOSPC;
      return false;
    }
    data += n;
    size -= static_cast<std::size_t>(n);
    at += n;
  }
  return true;
}

bool ReadWhole(const std::string& path, std::string& bytes) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  char buf[65536];
  ssize_t n = 0;
  while ((n = read(fd, buf, sizeof buf)) != 0) {
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) break;
    bytes.append(buf, static_cast<std::size_t>(n));
  }
  const int error = errno;
  close(fd);
  errno = error;
  return n == 0;
}

mode_t CurrentUmask() {
  const mode_t mask = umask(0);
  umask(mask);
  return mask;
}

// The replaced file's owner where the kernel allows it, then its mode (a change of owner
// clears the set-id bits, so the mode comes last).
void TakeOver(int fd, bool existed, const struct stat& old) {
  if (existed) {
    struct stat now {};
    if (fstat(fd, &now) == 0 && (now.st_uid != old.st_uid || now.st_gid != old.st_gid)) {
      if (fchown(fd, old.st_uid, old.st_gid) != 0 &&
          fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) {
        // a plain user may not give a file away; the new file stays theirs
      }
    }
    fchmod(fd, old.st_mode & 07777);
  } else {
    fchmod(fd, 0666 & ~CurrentUmask());
  }
}

void SyncFolder(const std::string& folder) {
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);  // a folder that cannot be synced still holds the new name
  close(fd);
}

}  // namespace

SafeFile::SafeFile(const std::string& path) : target_(path) {
  if (path.empty()) {
    Fail("no file name given");
    return;
  }
  if (!FollowLinks(target_, cause_)) return;
  struct stat st {};
  const bool exists = stat(target_.c_str(), &st) == 0;
  if (exists && !S_ISREG(st.st_mode)) {
    Fail(target_ + " is not a regular file");
    return;
  }
  if (exists && ReadOnly(target_, st)) {
    Fail(target_ + " is read-only");
    return;
  }
  const std::string folder = FolderOf(target_);
  fd_ = CreateExclusive(folder, temporary_);
  if (fd_ >= 0) return;
  const int error = errno;
  // a writable file in a folder that takes no new file is written in place
  if (exists && (error == EACCES || error == EPERM)) {
    inPlace_ = true;
    fd_ = CreateExclusive(SystemTemporaryFolder(), temporary_);
    if (fd_ >= 0) return;
  }
  temporary_.clear();
  Fail("cannot create a file in " + folder + ": " + ErrnoText(error));
}

SafeFile::~SafeFile() {
  if (fd_ >= 0) close(fd_);
  if (!committed_ && !temporary_.empty()) unlink(temporary_.c_str());
}

bool SafeFile::Fail(const std::string& cause) {
  if (cause_.empty()) cause_ = cause;
  return false;
}

bool SafeFile::Write(const std::string& bytes) {
  if (!ok()) return false;
  if (!WriteAll(fd_, bytes.data(), bytes.size(), 0, false))
    return Fail("cannot write " + target_ + ": " + ErrnoText(errno));
  return true;
}

bool SafeFile::Commit() {
  if (!ok() || committed_) return ok();
  if (inPlace_) return CommitInPlace();
  const auto failed = [this](const char* step) {
    return Fail("cannot " + std::string(step) + " " + target_ + ": " + ErrnoText(errno));
  };
  if (fsync(fd_) != 0) return failed("write");
  struct stat old {};
  const bool existed = stat(target_.c_str(), &old) == 0;
  TakeOver(fd_, existed, old);
  const int fd = fd_;
  fd_ = -1;
  if (close(fd) != 0) return failed("write");
  if (rename(temporary_.c_str(), target_.c_str()) != 0) return failed("replace");
  committed_ = true;
  SyncFolder(FolderOf(target_));
  return true;
}

// The target keeps its inode: room for the new bytes is reserved first, so a full disk fails
// before the old text is touched.
bool SafeFile::CommitInPlace() {
  std::string bytes;
  if (!ReadWhole(temporary_, bytes))
    return Fail("cannot write " + target_ + ": " + ErrnoText(errno));
  const int fd = open(target_.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) return Fail("cannot write " + target_ + ": " + ErrnoText(errno));
  struct stat old {};
  fstat(fd, &old);
  const off_t size = static_cast<off_t>(bytes.size());
  const int reserved = size > old.st_size ? posix_fallocate(fd, 0, size) : 0;
  if (reserved != 0) {
    if (ftruncate(fd, old.st_size) != 0) {
      // the old bytes are still there; only the reserved tail could not be given back
    }
    close(fd);
    return Fail("cannot write " + target_ + ": " + ErrnoText(reserved));
  }
  const bool written = WriteAll(fd, bytes.data(), bytes.size(), 0, true) &&
                       ftruncate(fd, size) == 0 && fsync(fd) == 0;
  const int error = errno;
  const bool closed = close(fd) == 0;
  if (!written || !closed) return Fail("cannot write " + target_ + ": " + ErrnoText(error));
  return true;
}

Outcome WriteFileSafely(const std::string& path, const std::string& bytes) {
  SafeFile file(path);
  if (file.Write(bytes) && file.Commit()) return Outcome{};
  return Outcome::Fail(file.cause());
}

std::string WithCause(const std::string& firstLine, const std::string& cause) {
  return cause.empty() ? firstLine : firstLine + "\n\n" + cause;
}

}  // namespace planaq
