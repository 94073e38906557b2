// The one writer against every kind of target a careless or hostile user may give it.

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <functional>

#include "files/SafeWrite.h"
#include "support/TempDir.h"

namespace planaq {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::TempDir;

const std::string kOld = "old text\n";
const std::string kNew = "new text, longer than the old one\n";

mode_t ModeOf(const std::string& path) {
  struct stat st {};
  lstat(path.c_str(), &st);
  return st.st_mode;
}

// Everything in the folder but the names listed: a left-over temporary file shows here.
std::vector<std::string> Strays(const std::string& folder, const std::vector<std::string>& known) {
  std::vector<std::string> strays;
  for (const auto& e : fs::directory_iterator(folder)) {
    const std::string name = e.path().filename().string();
    if (std::find(known.begin(), known.end(), name) == known.end()) strays.push_back(name);
  }
  return strays;
}

struct TargetCase {
  const char* name;
  // Makes the target in the folder and returns the path given to the writer.
  std::function<std::string(const TempDir&)> make;
  const char* refusal;  // part of the cause, or nullptr when the write must succeed
  // What must hold afterwards (the path the writer was given).
  std::function<void(const TempDir&, const std::string&)> check;
};

std::string OldFile(const TempDir& d, const std::string& name, mode_t mode) {
  const std::string path = d.Write(name, kOld);
  chmod(path.c_str(), mode);
  return path;
}

class SafeWriteTarget : public testing::TestWithParam<TargetCase> {};

TEST_P(SafeWriteTarget, WritesOrRefusesAndLeavesNoTemporary) {
  const TargetCase& c = GetParam();
  TempDir dir;
  const std::string path = c.make(dir);
  const Outcome out = WriteFileSafely(path, kNew);
  if (c.refusal) {
    EXPECT_FALSE(out.ok);
    EXPECT_NE(out.message.find(c.refusal), std::string::npos) << out.message;
  } else {
    EXPECT_TRUE(out.ok) << out.message;
  }
  c.check(dir, path);
  std::vector<std::string> known;
  for (const auto& e : fs::directory_iterator(dir.path()))
    if (e.path().filename().string().rfind(".pq", 0) != 0) known.push_back(e.path().filename());
  EXPECT_TRUE(Strays(dir.path(), known).empty());
}

const TargetCase kTargets[] = {
    {"Device",
     [](const TempDir& d) {
       const std::string p = d.File("null");
       EXPECT_EQ(mknod(p.c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
       return p;
     },
     "null is not a regular file",
     [](const TempDir&, const std::string& p) { EXPECT_TRUE(S_ISCHR(ModeOf(p))); }},
    {"Fifo",
     [](const TempDir& d) {
       const std::string p = d.File("fifo");
       EXPECT_EQ(mkfifo(p.c_str(), 0666), 0);
       return p;
     },
     "fifo is not a regular file",
     [](const TempDir&, const std::string& p) { EXPECT_TRUE(S_ISFIFO(ModeOf(p))); }},
    {"Directory",
     [](const TempDir& d) {
       fs::create_directory(d.File("sub"));
       return d.File("sub");
     },
     "sub is not a regular file",
     [](const TempDir&, const std::string& p) { EXPECT_TRUE(fs::is_directory(p)); }},
    {"SymlinkKeptAndFollowed",
     [](const TempDir& d) {
       OldFile(d, "real.aqd", 0644);
       fs::create_symlink("real.aqd", d.File("link.aqd"));
       return d.File("link.aqd");
     },
     nullptr,
     [](const TempDir& d, const std::string& p) {
       EXPECT_TRUE(fs::is_symlink(p));
       EXPECT_EQ(ReadFile(d.File("real.aqd")), kNew);
     }},
    {"PrivateModeKept", [](const TempDir& d) { return OldFile(d, "private.aqd", 0600); }, nullptr,
     [](const TempDir&, const std::string& p) {
       EXPECT_EQ(ModeOf(p) & 07777, 0600u);
       EXPECT_EQ(ReadFile(p), kNew);
     }},
    {"ReadOnlyFile", [](const TempDir& d) { return OldFile(d, "locked.aqd", 0444); },
     "locked.aqd is read-only",
     [](const TempDir&, const std::string& p) {
       EXPECT_EQ(ReadFile(p), kOld);
       EXPECT_EQ(ModeOf(p) & 07777, 0444u);
     }},
    {"WritableFileInReadOnlyFolder",
     [](const TempDir& d) {
       fs::create_directory(d.File("ro"));
       const std::string p = d.Write("ro/kept.aqd", kOld);
       chmod(d.File("ro").c_str(), 0555);
       return p;
     },
     nullptr,
     [](const TempDir& d, const std::string& p) {
       EXPECT_EQ(ReadFile(p), kNew);
       EXPECT_TRUE(Strays(d.File("ro"), {"kept.aqd"}).empty());
       chmod(d.File("ro").c_str(), 0755);
     }},
    {"NameOf255Bytes", [](const TempDir& d) { return d.File(std::string(251, 'n') + ".aqd"); },
     nullptr, [](const TempDir&, const std::string& p) { EXPECT_EQ(ReadFile(p), kNew); }},
    {"MissingFolder", [](const TempDir& d) { return d.File("nowhere/x.aqd"); },
     "cannot create a file in ",
     [](const TempDir& d, const std::string&) { EXPECT_FALSE(fs::exists(d.File("nowhere"))); }},
};

INSTANTIATE_TEST_SUITE_P(Targets, SafeWriteTarget, testing::ValuesIn(kTargets),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SafeWrite, OwnerOfTheReplacedFileKept) {
  if (geteuid() != 0) GTEST_SKIP() << "only root may give a file to another user";
  TempDir dir;
  const std::string path = OldFile(dir, "theirs.aqd", 0640);
  ASSERT_EQ(chown(path.c_str(), 1234, 4321), 0);
  ASSERT_TRUE(WriteFileSafely(path, kNew).ok);
  struct stat st {};
  stat(path.c_str(), &st);
  EXPECT_EQ(st.st_uid, 1234u);
  EXPECT_EQ(st.st_gid, 4321u);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST(SafeWrite, FullDiskKeepsTheOldFileAndLeavesNothing) {
  TempDir dir;
  const std::string disk = dir.File("disk");
  fs::create_directory(disk);
  if (mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=64k") != 0)
    GTEST_SKIP() << "a small tmpfs cannot be mounted here: " << std::strerror(errno);
  const std::string path = disk + "/full.aqd";
  test::TempDir::WriteAt(path, kOld);
  const Outcome out = WriteFileSafely(path, std::string(1 << 20, 'x'));
  EXPECT_FALSE(out.ok);
  EXPECT_NE(out.message.find("No space left on device"), std::string::npos) << out.message;
  EXPECT_NE(out.message.find(path), std::string::npos) << out.message;
  EXPECT_EQ(ReadFile(path), kOld);
  EXPECT_TRUE(Strays(disk, {"full.aqd"}).empty());
  umount(disk.c_str());
}

// Each writer saves its own text again and again; the file is always one of them, whole.
TEST(SafeWrite, TwoWritersAtOnceNeverTearTheFile) {
  TempDir dir;
  const std::string path = dir.File("shared.aqd");
  const std::string texts[2] = {std::string(300000, 'a'), std::string(200000, 'b')};
  pid_t children[2];
  for (int w = 0; w < 2; ++w) {
    children[w] = fork();
    if (children[w] == 0) {
      bool all = true;
      for (int i = 0; i < 40; ++i) all = WriteFileSafely(path, texts[w]).ok && all;
      _exit(all ? 0 : 1);
    }
  }
  for (pid_t child : children) {
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  const std::string text = ReadFile(path);
  EXPECT_TRUE(text == texts[0] || text == texts[1]) << text.size();
  EXPECT_TRUE(Strays(dir.path(), {"shared.aqd"}).empty());
}

TEST(SafeWrite, NewFileTakesTheUmask) {
  TempDir dir;
  const mode_t old = umask(027);
  const Outcome out = WriteFileSafely(dir.File("fresh.aqd"), kNew);
  umask(old);
  ASSERT_TRUE(out.ok) << out.message;
  EXPECT_EQ(ModeOf(dir.File("fresh.aqd")) & 07777, 0640u);
}

// Where the folder takes no new file but the file itself may be written, the bytes go into the
// file in place (its inode, and so its hard links, stay). Root may create files anywhere, so
// there the write runs as an unprivileged user.
TEST(SafeWrite, AWritableFileInAFolderThatTakesNoNewFileIsWrittenInPlace) {
  TempDir dir;
  const std::string folder = dir.File("shut");
  fs::create_directory(folder);
  const std::string path = folder + "/open.aqd";
  test::TempDir::WriteAt(path, kOld);
  struct stat before {};
  stat(path.c_str(), &before);
  const bool asRoot = geteuid() == 0;
  constexpr uid_t kNobody = 65534;
  if (asRoot) {
    ASSERT_EQ(chown(path.c_str(), kNobody, kNobody), 0);
  } else {
    chmod(folder.c_str(), 0555);
  }
  const pid_t child = fork();
  if (child == 0) {
    if (asRoot && (setgid(kNobody) != 0 || setuid(kNobody) != 0)) _exit(2);
    _exit(WriteFileSafely(path, kNew).ok ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  chmod(folder.c_str(), 0755);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_EQ(ReadFile(path), kNew);
  struct stat after {};
  stat(path.c_str(), &after);
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_TRUE(Strays(folder, {"open.aqd"}).empty());
}

}  // namespace
}  // namespace planaq
