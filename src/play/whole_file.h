// Reading a whole file into memory, the one way every reader of the game
// does it: only regular files (a folder cannot be read, a pipe or a device
// could block or never end), never more than a ceiling the caller names.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace qz {

enum class ReadProblem {
  None,
  Missing,     // nothing at that path (or a path under a regular file)
  NotRegular,  // a folder, device, pipe or socket
  TooLarge,    // larger than the ceiling
  CannotRead,  // cannot be opened or a read failed
};

struct WholeFile {
  std::optional<std::string> bytes;  // set on success
  ReadProblem problem = ReadProblem::None;
  int error = 0;  // errno describing the problem (EISDIR, EINVAL, EFBIG, ...)
};

WholeFile ReadWholeFile(const std::string& path, std::size_t maxBytes);

}  // namespace qz
