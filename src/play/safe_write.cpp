// Complete-or-nothing file replacement: temporary file, fsync, rename.
#include "play/safe_write.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>

namespace qz {

namespace {

std::string Describe(int err, const std::string& path, const std::string& folder) {
  std::string what;
  switch (err) {
    case EACCES:
    case EPERM:
      what = "フォルダに書き込めません: " + folder;
      break;
    case EROFS:
      what = "読み取り専用の媒体には書き込めません: " + folder;
      break;
    case ENOENT:
    case ENOTDIR:
      what = "フォルダがありません: " + folder;
      break;
    case ENOSPC:
    case EDQUOT:
      what = "ディスクの空きが足りません: " + path;
      break;
    case EISDIR:
      what = "同じ名前のフォルダがあります: " + path;
      break;
    case ENAMETOOLONG:
      what = "ファイル名が長すぎます: " + path;
      break;
    default:
      what = "書き込めません: " + path;
      break;
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

std::atomic<unsigned> tempCounter{0};

}  // namespace

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error) {
  auto fail = [&](int err, const std::string& folder) {
    if (error) *error = Describe(err, path, folder);
    return false;
  };
  namespace fs = std::filesystem;
  const fs::path target(path);
  if (path.empty() || !target.has_filename()) return fail(ENOENT, path);
  fs::path folderPath = target.parent_path();
  const std::string folder = folderPath.empty() ? std::string(".") : folderPath.string();

  // A directory where the file should go: rename would fail too, but only
  // after the temporary has been written; say so plainly and early.
  struct stat st {};
  bool targetExists = ::stat(path.c_str(), &st) == 0;
  if (targetExists && S_ISDIR(st.st_mode)) return fail(EISDIR, folder);

  // A unique name beside the target, so the final rename stays on one file system.
  std::string tempPath;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    tempPath = (folderPath / ("." + target.filename().string() + "." +
                              std::to_string(::getpid()) + "." +
                              std::to_string(tempCounter.fetch_add(1)) + ".tmp"))
                   .string();
    fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) return fail(errno, folder);
  }
  if (fd < 0) return fail(EEXIST, folder);

  // A replaced file keeps its permissions.
  if (targetExists && S_ISREG(st.st_mode) && ::fchmod(fd, st.st_mode & 07777) != 0) {
    // Not worth failing the write for: the data matters more than the mode.
  }

  int err = 0;
  if (!WriteAll(fd, bytes)) err = errno;
  if (err == 0 && ::fsync(fd) != 0) err = errno;
  if (::close(fd) != 0 && err == 0) err = errno;
  if (err == 0 && ::rename(tempPath.c_str(), path.c_str()) != 0) err = errno;
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
