// Writing a file without ever leaving a half-written one where a good one stood.
#pragma once

#include <string>
#include <string_view>

namespace qz {

// Writes bytes to a temporary file in the same folder and renames it over
// path only when complete. On failure the old file is untouched, the
// temporary is removed, and error receives a short description.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error);

}  // namespace qz
