// Complete-or-nothing file replacement: temporary file, fsync, rename.
#include "play/safe_write.h"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdint>
#include <cstring>
#include <filesystem>

namespace qz {

namespace {

// Links followed before giving up, as the system itself does (ELOOP).
constexpr int kMaxLinkHops = 40;
// Attempts at a free temporary name; each collision is astronomically rare.
constexpr int kMaxTemporaryAttempts = 100;

std::string Describe(int err, const std::string& path, const std::string& folder) {
  std::string what;
  switch (err) {
    case EACCES:
    case EPERM: what = "フォルダに書き込めません: " + folder; break;
    case EROFS: what = "読み取り専用の媒体には書き込めません: " + folder; break;
    case ENOENT:
    case ENOTDIR: what = "フォルダがありません: " + folder; break;
    case ENOSPC:
    case EDQUOT: what = "ディスクの空きが足りません: " + path; break;
    case EISDIR: what = "同じ名前のフォルダがあります: " + path; break;
    case ENAMETOOLONG: what = "ファイル名が長すぎます: " + path; break;
    default: what = "書き込めません: " + path; break;
  }
  return what + " (" + std::strerror(err) + ")";
}

bool WriteAll(int fd, std::string_view bytes) {
  const char* p = bytes.data();
  size_t left = bytes.size();
  while (left > 0) {
    ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) {  // no progress and no error: treat as a full device
      errno = ENOSPC;
      return false;
    }
    p += n;
    left -= static_cast<size_t>(n);
  }
  return true;
}

// The file a write in place would reach: symbolic links are followed to the
// end of their chain, which need not exist yet (an in-place write creates it).
// Returns 0, or ELOOP / ENAMETOOLONG when the chain cannot be followed.
int FollowLinks(const std::string& path, std::string& target) {
  namespace fs = std::filesystem;
  target = path;
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    struct stat st {};
    if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return 0;
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink(target.c_str(), buffer, sizeof buffer);
    if (n < 0) return errno;
    if (static_cast<size_t>(n) >= sizeof buffer) return ENAMETOOLONG;
    const fs::path link(std::string(buffer, static_cast<size_t>(n)));
    // A relative link is taken from the folder that holds it.
    target = link.is_absolute() ? link.string() : (fs::path(target).parent_path() / link).string();
  }
  return ELOOP;
}

// A short name of fixed length whatever the target's, so that every name the
// file system accepts can be saved: ".qz-" + 10 random letters + ".tmp".
std::string TemporaryName(int attempt) {
  std::uint64_t bits = 0;
  if (::getrandom(&bits, sizeof bits, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof bits)) {
    // No entropy yet: the clock and the process still tell writers apart,
    // and O_EXCL settles any collision.
    bits = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
           (static_cast<std::uint64_t>(::getpid()) << 32) ^
           (static_cast<std::uint64_t>(attempt) * 0x9E3779B97F4A7C15ULL);
  }
  static constexpr char kLetters[] = "0123456789abcdefghijklmnopqrstuv";
  std::string name = ".qz-";
  for (int i = 0; i < 10; ++i, bits >>= 5) name += kLetters[bits & 31];
  return name + ".tmp";
}

}  // namespace

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error) {
  auto failWith = [&](const std::string& what) {
    if (error) *error = what;
    return false;
  };
  auto fail = [&](int err, const std::string& folder) {
    return failWith(Describe(err, path, folder));
  };
  namespace fs = std::filesystem;
  // The system would read a name holding a NUL only up to it, and write
  // another file than the one named.
  if (path.find('\0') != std::string::npos) return failWith("ファイル名に使えない文字があります");
  if (path.empty() || !fs::path(path).has_filename()) return fail(ENOENT, path);

  std::string target;
  if (const int err = FollowLinks(path, target); err != 0) return fail(err, path);
  const fs::path folderPath = fs::path(target).parent_path();
  const std::string folder = folderPath.empty() ? std::string(".") : folderPath.string();

  struct stat st {};
  const bool targetExists = ::stat(target.c_str(), &st) == 0;
  if (targetExists) {
    // A directory where the file should go: rename would fail too, but only
    // after the temporary has been written; say so plainly and early.
    if (S_ISDIR(st.st_mode)) return fail(EISDIR, folder);
    // A device or a pipe is no file to replace.
    if (!S_ISREG(st.st_mode)) return failWith("ファイルではありません: " + path);
    // Only what the user could write in place is replaced: a file made
    // read-only stays as it is.
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
      if (errno == EROFS) return fail(EROFS, folder);
      return failWith("書き込みが許可されていないファイルです: " + path + " (" +
                      std::strerror(errno) + ")");
    }
  }

  // A unique name beside the target, so the final rename stays on one file system.
  std::string tempPath;
  int fd = -1;
  for (int attempt = 0; attempt < kMaxTemporaryAttempts && fd < 0; ++attempt) {
    tempPath = (folderPath / TemporaryName(attempt)).string();
    fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) return fail(errno, folder);
  }
  if (fd < 0) return fail(EEXIST, folder);

  // A replaced file keeps its owner where the system lets us (root, or a
  // group of ours) and its permission bits; neither is worth failing the
  // write for. The owner goes first: changing it clears set-id bits.
  if (targetExists) {
    if ((st.st_uid != ::geteuid() || st.st_gid != ::getegid()) &&
        ::fchown(fd, st.st_uid, st.st_gid) != 0) {
      // Not ours to give away: the file becomes the writer's, as a copy would.
    }
    if (::fchmod(fd, st.st_mode & 07777) != 0) {
      // Some file systems keep no modes; the data matters more.
    }
  }

  int err = 0;
  if (!WriteAll(fd, bytes)) err = errno;
  if (err == 0 && ::fsync(fd) != 0) err = errno;
  if (::close(fd) != 0 && err == 0) err = errno;
  if (err == 0 && ::rename(tempPath.c_str(), target.c_str()) != 0) err = errno;
  if (err != 0) {
    ::unlink(tempPath.c_str());
    return fail(err, folder);
  }

  // Make the rename itself durable; a failure here no longer risks the data.
  int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd >= 0) {
    ::fsync(dirFd);
    ::close(dirFd);
  }
  if (error) error->clear();
  return true;
}

}  // namespace qz
