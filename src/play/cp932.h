// Conversion between the program's UTF-8 text and the CP932 (Shift_JIS) of
// record and settings files.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qz {

// nullopt when the bytes are not valid CP932.
std::optional<std::string> Cp932ToUtf8(std::string_view bytes);
// nullopt when the text has a character CP932 cannot hold.
std::optional<std::string> Utf8ToCp932(std::string_view text);
// Best-effort reading: every byte that does not start a valid CP932
// character becomes "?"; the rest is converted as usual.
std::string Cp932ToUtf8Lenient(std::string_view bytes);

}  // namespace qz
