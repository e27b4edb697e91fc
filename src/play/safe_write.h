// Writing a file without ever leaving a half-written one where a good one stood.
#pragma once

#include <string>
#include <string_view>

namespace qz {

// Writes bytes to a temporary file in the same folder and renames it over
// path only when complete. On failure the old file is untouched, the
// temporary is removed, and error receives a short description.
//
// The replacement does what a write in place would, and nothing more: a
// symbolic link is followed and its target replaced (the link stays); a file
// the user could not write in place (read-only, or not theirs) is refused and
// left alone; a replaced file keeps its permission bits and, where the
// system allows, its owner. A path holding a NUL byte, naming a folder or
// naming anything but a regular file is refused.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error);

}  // namespace qz
