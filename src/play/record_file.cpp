// Record files: header lines and fixed-column entry lines in CP932.
#include "play/record_file.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

#include "play/cp932.h"
#include "play/safe_write.h"
#include "play/whole_file.h"

namespace qz {

namespace {

constexpr size_t kBoardWidth = 4, kClockWidth = 5;
constexpr size_t kHandStart = 400, kClockStart = 418, kFixedLength = 438;
constexpr int kMaxEntries = History::Capacity - 1;  // entries 1..500
// Longer lines are garbage; keeping their heads is enough to read them.
constexpr size_t kMaxKeptLine = 4096;
// A full record is about 220 KB; the ceiling leaves room to count the
// entries of records far longer than the history holds.
constexpr size_t kMaxRecordBytes = 64u * 1024 * 1024;
// The widest values the fixed fields can hold.
constexpr int kMaxHandDigit = 9;
constexpr long long kMinClockField = -9999, kMaxClockField = 99999;
constexpr long long kMaxExtendedClock = 999999999, kMaxExtendedHand = 99;
constexpr const char* kHandExtension = ";H=";
constexpr const char* kClockExtension = ";T=";

bool IsPieceCode(int code) {
  switch (Abs(code)) {
    case 10:
    case 11:
    case 20:
    case 21:
    case 30:
    case 31:
    case 40:
    case 41:
    case 100:
    case 101:
    case 110:
    case 111:
    case 210:
    case 211:
    case 800:
    case 801:
    case 900:
    case 901:
    case 950: return true;
    default: return false;
  }
}

long long WholeSeconds(double seconds) {
  if (!std::isfinite(seconds)) return 0;
  if (seconds > 1e15) return static_cast<long long>(1e15);
  if (seconds < -1e15) return static_cast<long long>(-1e15);
  return static_cast<long long>(std::trunc(seconds));
}

long long Clamp(long long v, long long lo, long long hi) { return v < lo ? lo : v > hi ? hi : v; }

double ClockOf(const HistoryEntry& e, int n) {
  return n == 0 ? e.SitaBefore : n == 1 ? e.SitaAfter : n == 2 ? e.UeBefore : e.UeAfter;
}

double& ClockOf(HistoryEntry& e, int n) {
  return n == 0 ? e.SitaBefore : n == 1 ? e.SitaAfter : n == 2 ? e.UeBefore : e.UeAfter;
}

// The lenient decimal reading of one field: leading blanks skipped, an
// optional sign, then digits up to the first non-digit; no digits read 0.
long long LenientField(std::string_view line, size_t start, size_t width) {
  if (start >= line.size()) return 0;
  std::string_view f = line.substr(start, width);
  size_t i = 0;
  while (i < f.size() && (f[i] == ' ' || f[i] == '\t')) ++i;
  bool negative = false;
  if (i < f.size() && (f[i] == '-' || f[i] == '+')) negative = f[i++] == '-';
  long long v = 0;
  while (i < f.size() && f[i] >= '0' && f[i] <= '9') v = v * 10 + (f[i++] - '0');
  return negative ? -v : v;
}

// Reads `count` comma-separated integers in [lo, hi] starting at s; the list
// must end at the end of s or at the next ';'.
bool ParseList(std::string_view s, int count, long long lo, long long hi, long long* out) {
  size_t i = 0;
  for (int n = 0; n < count; ++n) {
    if (n > 0) {
      if (i >= s.size() || s[i] != ',') return false;
      ++i;
    }
    bool negative = false;
    if (i < s.size() && s[i] == '-') negative = true, ++i;
    size_t digits = 0;
    long long v = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9' && digits < 12)
      v = v * 10 + (s[i++] - '0'), ++digits;
    if (digits == 0 || (i < s.size() && s[i] >= '0' && s[i] <= '9')) return false;
    v = negative ? -v : v;
    if (v < lo || v > hi) return false;
    out[n] = v;
  }
  return i == s.size() || s[i] == ';';
}

// The extension after the fixed columns, when present and well formed.
bool FindExtension(std::string_view line, const char* tag, int count, long long lo, long long hi,
                   long long* out) {
  if (line.size() <= kFixedLength) return false;
  std::string_view tail = line.substr(kFixedLength);
  size_t at = tail.find(tag);
  if (at == std::string_view::npos) return false;
  return ParseList(tail.substr(at + std::strlen(tag)), count, lo, hi, out);
}

bool ValidUtf8(std::string_view s) {
  size_t i = 0;
  while (i < s.size()) {
    auto c = static_cast<unsigned char>(s[i]);
    size_t n;
    if (c < 0x80)
      n = 0;
    else if (c >= 0xC2 && c <= 0xDF)
      n = 1;
    else if (c >= 0xE0 && c <= 0xEF)
      n = 2;
    else if (c >= 0xF0 && c <= 0xF4)
      n = 3;
    else
      return false;
    if (s.size() - i - 1 < n) return false;
    for (size_t k = 1; k <= n; ++k)
      if ((static_cast<unsigned char>(s[i + k]) >> 6) != 2) return false;
    i += n + 1;
  }
  return true;
}

// A header line as text, whatever it holds: CP932 as written, else UTF-8 as
// some other tool may have written, else CP932 with the bad bytes as "?".
// Control characters are dropped so that the text draws on one line.
std::string DecodeHeader(std::string_view bytes) {
  std::string text;
  if (std::optional<std::string> cp = Cp932ToUtf8(bytes))
    text = std::move(*cp);
  else if (ValidUtf8(bytes))
    text = std::string(bytes);
  else
    text = Cp932ToUtf8Lenient(bytes);
  std::string clean;
  clean.reserve(text.size());
  for (char c : text)
    if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) clean += c;
  return clean;
}

// Lines of a record in memory: LF or CR LF ends a line, a last line without
// an end counts, and at most kMaxKeptLine bytes of a line are kept.
class LineReader {
 public:
  explicit LineReader(std::string_view bytes) : rest_(bytes) {}

  bool Next(std::string& out) {
    out.clear();
    if (rest_.empty()) return false;
    const size_t lf = rest_.find('\n');
    std::string_view line = rest_.substr(0, lf);
    rest_ = lf == std::string_view::npos ? std::string_view{} : rest_.substr(lf + 1);
    if (lf != std::string_view::npos && !line.empty() && line.back() == '\r') line.remove_suffix(1);
    out.assign(line.substr(0, kMaxKeptLine));
    return true;
  }

 private:
  std::string_view rest_;
};

}  // namespace

std::string FormatEntryLine(const HistoryEntry& e) {
  std::string line;
  line.reserve(kFixedLength + 80);
  char field[32];
  for (int x = 1; x <= 10; ++x)
    for (int y = 1; y <= 10; ++y) {
      int code = e.Board[x][y];
      // Only piece codes stand on a board; anything else is written empty.
      std::snprintf(field, sizeof field, "%4d", IsPieceCode(code) ? code : 0);
      line += field;
    }

  bool handOverflow = false;
  for (int i = 1; i <= HandKinds; ++i)
    for (Side s : {SITA, UE}) {
      int count = e.Hand[s][i];
      line += static_cast<char>('0' + Clamp(count, 0, kMaxHandDigit));
      if (count > kMaxHandDigit) handOverflow = true;
    }

  bool clockOverflow = false;
  for (int n = 0; n < 4; ++n) {
    long long whole = WholeSeconds(ClockOf(e, n));
    std::snprintf(field, sizeof field, "%5lld", Clamp(whole, kMinClockField, kMaxClockField));
    line += field;
    if (whole != Clamp(whole, kMinClockField, kMaxClockField)) clockOverflow = true;
  }

  // Values too wide for their fields keep their clamped digits in the fixed
  // columns, so that every reader still finds every field where it belongs,
  // and are given in full after column 438, where a reader of the fixed
  // columns alone never looks.
  if (handOverflow) {
    line += kHandExtension;
    for (int i = 1; i <= HandKinds; ++i)
      for (Side s : {SITA, UE}) {
        if (i > 1 || s == UE) line += ',';
        line += std::to_string(Clamp(e.Hand[s][i], 0, kMaxExtendedHand));
      }
  }
  if (clockOverflow) {
    line += kClockExtension;
    for (int n = 0; n < 4; ++n) {
      if (n > 0) line += ',';
      line += std::to_string(Clamp(WholeSeconds(ClockOf(e, n)), kMinClockField, kMaxExtendedClock));
    }
  }
  return line;
}

HistoryEntry ParseEntryLine(std::string_view line) {
  HistoryEntry e;
  for (int x = 1; x <= 10; ++x)
    for (int y = 1; y <= 10; ++y) {
      auto code = static_cast<int>(LenientField(
          line, kBoardWidth * static_cast<size_t>(10 * (x - 1) + (y - 1)), kBoardWidth));
      // Whatever is not a piece code reads as an empty square, so that no
      // rule ever meets a code it does not know.
      e.Board[x][y] = IsPieceCode(code) ? code : EMPTY;
    }
  for (int i = 1; i <= HandKinds; ++i) {
    e.Hand[SITA][i] =
        static_cast<int>(Clamp(LenientField(line, kHandStart + 2 * (i - 1), 1), 0, 9));
    e.Hand[UE][i] =
        static_cast<int>(Clamp(LenientField(line, kHandStart + 2 * (i - 1) + 1, 1), 0, 9));
  }
  // A clock total is never below zero: a minus sign in the field reads as 0,
  // so that stepping through such a record never turns a clock back.
  for (int n = 0; n < 4; ++n)
    ClockOf(e, n) = static_cast<double>(
        std::max(0LL, LenientField(line, kClockStart + kClockWidth * n, kClockWidth)));

  // Full values of clamped fields, trusted only where they agree with the
  // fixed columns (a stale or garbled tail changes nothing).
  long long hands[18];
  if (FindExtension(line, kHandExtension, 18, 0, kMaxExtendedHand, hands)) {
    bool agrees = true;
    for (int k = 0; k < 18; ++k)
      if (Clamp(hands[k], 0, kMaxHandDigit) != e.Hand[k % 2][1 + k / 2]) agrees = false;
    if (agrees)
      for (int k = 0; k < 18; ++k) e.Hand[k % 2][1 + k / 2] = static_cast<int>(hands[k]);
  }
  long long clocks[4];
  if (FindExtension(line, kClockExtension, 4, kMinClockField, kMaxExtendedClock, clocks)) {
    bool agrees = true;
    for (int n = 0; n < 4; ++n)
      if (Clamp(clocks[n], kMinClockField, kMaxClockField) != static_cast<long long>(ClockOf(e, n)))
        agrees = false;
    if (agrees)
      for (int n = 0; n < 4; ++n) ClockOf(e, n) = static_cast<double>(std::max(0LL, clocks[n]));
  }
  return e;
}

bool IsRecordFileName(std::string_view name) {
  if (name.empty()) return false;
  for (char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F || c == '/' || c == '\\') return false;
  }
  return true;
}

RecordResult WriteRecord(const std::string& path, const RecordHeader& header,
                         const History& history, int lastSnapshot) {
  RecordResult result;
  if (lastSnapshot < 1) {
    result.status = RecordStatus::NoEntries;
    result.detail = "保存するデータがありません";
    return result;
  }
  if (lastSnapshot > kMaxEntries) lastSnapshot = kMaxEntries;

  struct Line {
    const std::string* text;
    const char* what;
  };
  const Line lines[] = {{&header.gameName, "対局名"},
                        {&header.upperName, "上手側の対局者名"},
                        {&header.lowerName, "下手側の対局者名"}};
  std::string bytes;
  bytes.reserve(static_cast<size_t>(lastSnapshot) * (kFixedLength + 2) + 256);
  for (const Line& l : lines) {
    // A line break inside a name would shift every later line of the file.
    std::optional<std::string> cp;
    if (l.text->find_first_of("\r\n") == std::string::npos) cp = Utf8ToCp932(*l.text);
    if (!cp) {
      result.status = RecordStatus::BadHeaderText;
      result.detail = std::string(l.what) + "に棋譜ファイルで使えない文字があります";
      return result;
    }
    bytes += *cp;
    bytes += "\r\n";
  }
  for (int k = 1; k <= lastSnapshot; ++k) {
    bytes += FormatEntryLine(history.entries[k]);
    bytes += "\r\n";
  }

  std::string error;
  if (!WriteFileAtomically(path, bytes, &error)) {
    result.status = RecordStatus::CannotWrite;
    result.detail = "棋譜ファイルを書き込めません: " + error;
    return result;
  }
  result.entries = lastSnapshot;
  return result;
}

RecordResult ReadRecord(const std::string& path, RecordHeader& header, History& history) {
  RecordResult result;
  const WholeFile file = ReadWholeFile(path, kMaxRecordBytes);
  if (!file.bytes) {
    result.status = RecordStatus::CannotOpen;
    switch (file.problem) {
      case ReadProblem::NotRegular: result.detail = "棋譜ファイルではありません: " + path; break;
      case ReadProblem::TooLarge: result.detail = "棋譜ファイルが大きすぎます: " + path; break;
      case ReadProblem::CannotRead:
        result.detail =
            "棋譜ファイルを読み込めません: " + path + " (" + std::strerror(file.error) + ")";
        break;
      default:
        result.detail =
            "棋譜ファイルを開けません: " + path + " (" + std::strerror(file.error) + ")";
    }
    return result;
  }

  // Everything is read into a staging area first, so that a read error
  // leaves the history exactly as it was.
  LineReader reader(*file.bytes);
  auto staged = std::make_unique<HistoryEntry[]>(kMaxEntries);
  RecordHeader read;
  std::string* headerLines[] = {&read.gameName, &read.upperName, &read.lowerName};
  std::string line;
  int lineNo = 0, stored = 0, total = 0, pendingBlank = 0;
  while (reader.Next(line)) {
    if (lineNo < 3) {
      *headerLines[lineNo++] = DecodeHeader(line);
      continue;
    }
    // Blank lines count as (empty) entries only when an entry follows them:
    // an editor's extra line end at the bottom adds no position.
    if (line.empty()) {
      ++pendingBlank;
      continue;
    }
    for (; pendingBlank > 0; --pendingBlank, ++total)
      if (stored < kMaxEntries) staged[stored++] = HistoryEntry{};
    ++total;
    if (stored < kMaxEntries) staged[stored++] = ParseEntryLine(line);
  }
  header = std::move(read);
  for (int k = 0; k < stored; ++k) history.entries[k + 1] = staged[k];
  result.entries = stored;
  result.entriesInFile = total;
  if (stored == 0) {
    result.status = RecordStatus::NoEntries;
    result.detail = "棋譜ﾌｧｲﾙにﾃﾞｰﾀがありません";
  } else if (total > stored) {
    result.status = RecordStatus::Truncated;
    result.detail = "局面が多すぎるため、最初の" + std::to_string(stored) +
                    "局面だけを読み込みました（全" + std::to_string(total) + "局面）";
  }
  return result;
}

}  // namespace qz
