// UTF-8 <-> CP932 through iconv.
#include "play/cp932.h"

#include <iconv.h>

#include <cerrno>

namespace qz {

namespace {

// glibc knows the Windows code page as "CP932"; older or other iconvs may
// only offer one of the plain Shift_JIS names.
constexpr const char* kCp932Names[] = {"CP932", "WINDOWS-31J", "SHIFT_JIS", "SJIS"};

iconv_t OpenConverter(bool toCp932) {
  for (const char* name : kCp932Names) {
    iconv_t cd = toCp932 ? iconv_open(name, "UTF-8") : iconv_open("UTF-8", name);
    if (cd != reinterpret_cast<iconv_t>(-1)) return cd;
  }
  return reinterpret_cast<iconv_t>(-1);
}

// Converts the whole input. With lenient set, each byte that cannot be
// converted becomes `replacement` and conversion goes on; otherwise the
// first such byte fails the conversion.
std::optional<std::string> Convert(bool toCp932, std::string_view input, bool lenient,
                                   std::string_view replacement = {}) {
  iconv_t cd = OpenConverter(toCp932);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;

  std::string out;
  out.reserve(input.size() * 3 / 2 + 8);
  char* in = const_cast<char*>(input.data());
  size_t inLeft = input.size();
  char buffer[1024];
  bool ok = true;
  while (inLeft > 0) {
    char* o = buffer;
    size_t oLeft = sizeof buffer;
    size_t r = iconv(cd, &in, &inLeft, &o, &oLeft);
    out.append(buffer, static_cast<size_t>(o - buffer));
    if (r != static_cast<size_t>(-1)) continue;
    if (errno == E2BIG) continue;  // buffer full: drain and go on
    // EILSEQ (a bad sequence) or EINVAL (a sequence cut off at the end).
    if (!lenient) {
      ok = false;
      break;
    }
    out.append(replacement);
    ++in;
    --inLeft;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
  }
  if (ok) {
    // Flush any shift state (none for these encodings, but harmless).
    char* o = buffer;
    size_t oLeft = sizeof buffer;
    iconv(cd, nullptr, nullptr, &o, &oLeft);
    out.append(buffer, static_cast<size_t>(o - buffer));
  }
  iconv_close(cd);
  if (!ok) return std::nullopt;
  return out;
}

}  // namespace

std::optional<std::string> Cp932ToUtf8(std::string_view bytes) {
  return Convert(false, bytes, false);
}

std::optional<std::string> Utf8ToCp932(std::string_view text) { return Convert(true, text, false); }

std::string Cp932ToUtf8Lenient(std::string_view bytes) {
  std::optional<std::string> text = Convert(false, bytes, true, "?");
  return text ? *text : std::string();
}

}  // namespace qz
