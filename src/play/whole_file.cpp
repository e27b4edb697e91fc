#include "play/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace qz {

namespace {

WholeFile Failure(ReadProblem problem, int error) {
  WholeFile f;
  f.problem = problem;
  f.error = error;
  return f;
}

}  // namespace

WholeFile ReadWholeFile(const std::string& path, std::size_t maxBytes) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    // A path under a regular file names nothing, as a missing file does.
    const bool missing = errno == ENOENT || errno == ENOTDIR;
    return Failure(missing ? ReadProblem::Missing : ReadProblem::CannotRead, errno);
  }
  if (!S_ISREG(st.st_mode))
    return Failure(ReadProblem::NotRegular, S_ISDIR(st.st_mode) ? EISDIR : EINVAL);
  if (static_cast<unsigned long long>(st.st_size) > maxBytes)
    return Failure(ReadProblem::TooLarge, EFBIG);

  // O_NONBLOCK: should the path be swapped for a pipe after the check, the
  // open does not wait for a writer; the second check below refuses it.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return Failure(ReadProblem::CannotRead, errno);
  struct stat opened {};
  if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
    ::close(fd);
    return Failure(ReadProblem::NotRegular, EINVAL);
  }
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(opened.st_size));
  char chunk[65536];
  for (;;) {
    const ssize_t got = ::read(fd, chunk, sizeof chunk);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      ::close(fd);
      return Failure(ReadProblem::CannotRead, error);
    }
    // A file that grows while it is read is held to the same ceiling.
    if (bytes.size() + static_cast<std::size_t>(got) > maxBytes) {
      ::close(fd);
      return Failure(ReadProblem::TooLarge, EFBIG);
    }
    bytes.append(chunk, static_cast<std::size_t>(got));
  }
  ::close(fd);
  WholeFile f;
  f.bytes = std::move(bytes);
  return f;
}

}  // namespace qz
