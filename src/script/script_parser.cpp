#include "script/script_parser.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <utility>

namespace qz {

namespace {

// Menu names a script may use: the canonical name first, then the captions
// the player sees in the menu bar.
struct MenuAlias {
  const char* canonical;
  const char* alias;
};

constexpr MenuAlias kMenuAliases[] = {
    {"START", "スタート"},
    {"SENTE", "先手"},
    {"GOTE", "後手"},
    {"LEVEL1", nullptr},
    {"LEVEL2", nullptr},
    {"LEVEL3", nullptr},
    {"LEVEL4", nullptr},
    {"LEVEL5", nullptr},
    {"LEVEL6", nullptr},
    {"LEVEL7", nullptr},
    {"LEVEL8", nullptr},
    {"OWARI", "終わり"},
    {"CANCEL", "最初"},
    {"REVERSE", "反転"},
    {"REPLAY", "戻"},
    {"AFTER", "進"},
    {"LBEL_UP", "△"},
    {"LEBEL_DOWN", "▽"},
    {"KIFU_READ", "読込"},
    {"KIFU_WRITE", "書込"},
    {"MIDORI", "桜"},
    {"TATAMI", "畳"},
    {"TAKE", "竹"},
    {"UCHU", "宇宙"},
    {"RENGA", "煉瓦"},
    {"SIDOU", "移動指導"},
    {"KEIKA", "経過時間"},
    {"BGM", nullptr},
    {"UREI", "右嶺"},
    {"SAREI", "左嶺"},
    {"KAISETU", "解説"},
    {"VER", "バージョン情報"},
    {"HINT", "ヒント"},
    {"ANALYSIS", "検討ウィンドウ"},
    {"OPEN_TAIKYOKU", "対局"},
    {"OPEN_STOP", "局面"},
    {"OPEN_OPTION", "ｵﾌﾟｼｮﾝ"},
};

// The menus that only open a submenu may also be named by their own name.
constexpr std::pair<const char*, const char*> kOpenMenuNames[] = {
    {"TAIKYOKU", "OPEN_TAIKYOKU"}, {"STOP", "OPEN_STOP"}, {"OPTION", "OPEN_OPTION"}};

constexpr const char* kShowItems[] = {"board",    "hands", "flags",    "clocks", "checks",
                                      "captions", "panel", "settings", "paint",  "moves"};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// A word quoted in an error message, cut short (on a character boundary) so
// that a message stays one readable line whatever the input.
std::string Quote(std::string_view word) {
  constexpr std::size_t kMax = 40;
  if (word.size() > kMax) {
    std::size_t cut = kMax;
    while (cut > 0 && (static_cast<unsigned char>(word[cut]) & 0xC0) == 0x80) --cut;
    return "'" + std::string(word.substr(0, cut)) + "...'";
  }
  return "'" + std::string(word) + "'";
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (IsBlank(s.front()) || s.front() == '\r')) s.remove_prefix(1);
  while (!s.empty() && (IsBlank(s.back()) || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

// Cuts a comment: '#' at the start or after a blank, outside double quotes.
std::string_view StripComment(std::string_view line) {
  bool inQuote = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (inQuote) {
      if (c == '\\' && i + 1 < line.size()) {
        ++i;
      } else if (c == '"') {
        inQuote = false;
      }
    } else if (c == '"') {
      inQuote = true;
    } else if (c == '#' && (i == 0 || IsBlank(line[i - 1]))) {
      return line.substr(0, i);
    }
  }
  return line;
}

// Splits off the first blank-separated word.
std::string_view NextWord(std::string_view& rest) {
  rest = Trim(rest);
  std::size_t end = 0;
  while (end < rest.size() && !IsBlank(rest[end])) ++end;
  std::string_view word = rest.substr(0, end);
  rest = Trim(rest.substr(end));
  return word;
}

std::optional<long> ParseWhole(std::string_view s, long lo, long hi) {
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  long value = 0;
  const char* first = s.data();
  const char* last = first + s.size();
  auto [p, ec] = std::from_chars(first, last, value);
  if (s.empty() || ec != std::errc() || p != last || value < lo || value > hi) return std::nullopt;
  return value;
}

std::optional<double> ParseDecimal(std::string_view s, double lo, double hi) {
  if (s.empty()) return std::nullopt;
  // Plain decimals only: from_chars would also take "inf", "nan" and exponents.
  for (char c : s) {
    if (!((c >= '0' && c <= '9') || c == '.')) return std::nullopt;
  }
  double value = 0;
  auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (ec != std::errc() || p != s.data() + s.size() || !std::isfinite(value) || value < lo ||
      value > hi) {
    return std::nullopt;
  }
  return value;
}

// A text argument: a double-quoted string (\" and \\ escapes) or the rest of
// the line as it stands. Sets error on a malformed quote.
std::optional<std::string> ParseText(std::string_view rest, std::string& error) {
  rest = Trim(rest);
  if (rest.empty() || rest.front() != '"') return std::string(rest);
  std::string out;
  std::size_t i = 1;
  for (; i < rest.size(); ++i) {
    const char c = rest[i];
    if (c == '\\' && i + 1 < rest.size() && (rest[i + 1] == '"' || rest[i + 1] == '\\')) {
      out.push_back(rest[++i]);
    } else if (c == '"') {
      break;
    } else {
      out.push_back(c);
    }
  }
  if (i >= rest.size()) {
    error = "unterminated quoted text";
    return std::nullopt;
  }
  if (!Trim(rest.substr(i + 1)).empty()) {
    error = "unexpected text after the closing quote";
    return std::nullopt;
  }
  return out;
}

std::optional<double> ParseTimeOfDay(std::string_view s) {
  const std::size_t c1 = s.find(':');
  if (c1 == std::string_view::npos) return std::nullopt;
  const std::size_t c2 = s.find(':', c1 + 1);
  if (c2 == std::string_view::npos) return std::nullopt;
  const auto h = ParseWhole(s.substr(0, c1), 0, 23);
  const auto m = ParseWhole(s.substr(c1 + 1, c2 - c1 - 1), 0, 59);
  const auto sec = ParseDecimal(s.substr(c2 + 1), 0, 59.999999);
  if (!h || !m || !sec || c1 == 0 || c2 == c1 + 1) return std::nullopt;
  return static_cast<double>(*h * 3600 + *m * 60) + *sec;
}

std::optional<std::string> CanonicalMenu(std::string_view word) {
  for (const MenuAlias& m : kMenuAliases) {
    if (word == m.canonical || (m.alias != nullptr && word == m.alias)) return m.canonical;
  }
  for (const auto& [name, canonical] : kOpenMenuNames) {
    if (word == name) return canonical;
  }
  return std::nullopt;
}

std::optional<int> ParseButton(std::string_view word) {
  if (word == "left") return 1;
  if (word == "right") return 2;
  if (word == "middle") return 4;
  if (auto n = ParseWhole(word, 0, 255)) return static_cast<int>(*n);
  return std::nullopt;
}

std::optional<int> ParseBox(std::string_view word) {
  if (word == "file") return 1;
  if (word == "game") return 2;
  if (word == "sente" || word == "先手") return 3;
  if (word == "gote" || word == "後手") return 4;
  if (auto n = ParseWhole(word, 1, 4)) return static_cast<int>(*n);
  return std::nullopt;
}

std::optional<int> ParseKey(std::string_view word) {
  if (word == "esc" || word == "escape") return 27;
  if (word == "enter" || word == "return") return 13;
  if (word == "space") return 32;
  if (auto n = ParseWhole(word, 0, 255)) return static_cast<int>(*n);
  if (word.size() == 1 && static_cast<unsigned char>(word[0]) < 0x80) {
    return static_cast<int>(word[0]);
  }
  return std::nullopt;
}

// Parses one non-empty step; returns the error text, empty on success.
std::string ParseStep(std::string_view body, ScriptStep& step) {
  std::string_view rest = body;
  const std::string_view command = NextWord(rest);
  std::string error;

  if (command == "menu") {
    const std::string_view word = NextWord(rest);
    if (word.empty()) return "menu needs a menu name";
    if (!rest.empty()) return "menu takes one name";
    auto canonical = CanonicalMenu(word);
    if (!canonical) return "unknown menu " + Quote(word);
    step.kind = ScriptStep::Menu;
    step.name = *canonical;
    return {};
  }
  if (command == "press") {
    const std::string_view buttonWord = NextWord(rest);
    auto button = ParseButton(buttonWord);
    if (!button) return "press needs a button: left, right or middle";
    step.kind = ScriptStep::Press;
    step.button = *button;
    if (!rest.empty() && rest.front() == '@') {
      std::string joined;
      for (char c : rest.substr(1)) {
        if (!IsBlank(c)) joined.push_back(c);
      }
      const std::size_t comma = joined.find(',');
      if (comma == std::string::npos) return "press @X,Y needs two twip values";
      auto x =
          ParseWhole(std::string_view(joined).substr(0, comma), -kMaxPressTwips, kMaxPressTwips);
      auto y =
          ParseWhole(std::string_view(joined).substr(comma + 1), -kMaxPressTwips, kMaxPressTwips);
      if (!x || !y) return "press @X,Y needs two whole twip values";
      step.twips = true;
      step.x = static_cast<int>(*x);
      step.y = static_cast<int>(*y);
      return {};
    }
    const std::string_view xs = NextWord(rest);
    const std::string_view ys = NextWord(rest);
    auto x = ParseWhole(xs, -kMaxPressCell, kMaxPressCell);
    auto y = ParseWhole(ys, -kMaxPressCell, kMaxPressCell);
    if (!x || !y || !rest.empty()) return "press needs a cell as two whole numbers X Y, or @X,Y";
    step.x = static_cast<int>(*x);
    step.y = static_cast<int>(*y);
    return {};
  }
  if (command == "answer" || command == "version") {
    const bool isAnswer = command == "answer";
    step.kind = isAnswer ? ScriptStep::Answer : ScriptStep::Version;
    while (!rest.empty()) {
      const std::string_view word = NextWord(rest);
      if (isAnswer && (word == "yes" || word == "no")) {
        step.answers.push_back(word == "yes");
      } else if (!isAnswer && (word == "ok" || word == "homepage")) {
        step.answers.push_back(word == "homepage");
      } else {
        return isAnswer ? "answer takes yes or no" : "version takes ok or homepage";
      }
    }
    if (step.answers.empty()) {
      return isAnswer ? "answer needs yes or no" : "version needs ok or homepage";
    }
    return {};
  }
  if (command == "type") {
    auto box = ParseBox(NextWord(rest));
    if (!box) return "type needs a box: 1 file, 2 game, 3 sente, 4 gote";
    auto text = ParseText(rest, error);
    if (!text) return error;
    step.kind = ScriptStep::Type;
    step.box = *box;
    step.text = std::move(*text);
    return {};
  }
  if (command == "drive" || command == "dir" || command == "file" || command == "notready") {
    auto text = ParseText(rest, error);
    if (!text) return error;
    if (text->empty()) return std::string(command) + " needs a name";
    step.kind = command == "drive"  ? ScriptStep::Drive
                : command == "dir"  ? ScriptStep::Dir
                : command == "file" ? ScriptStep::File
                                    : ScriptStep::NotReady;
    step.text = std::move(*text);
    return {};
  }
  if (command == "echo") {
    step.kind = ScriptStep::Echo;
    step.text = std::string(rest);
    return {};
  }
  if (command == "return" || command == "close") {
    if (!rest.empty()) return std::string(command) + " takes no argument";
    step.kind = command == "return" ? ScriptStep::Return : ScriptStep::Close;
    return {};
  }
  if (command == "tick") {
    step.kind = ScriptStep::Tick;
    step.count = 1;
    if (!rest.empty()) {
      auto n = ParseWhole(NextWord(rest), 1, kMaxScriptTicks);
      if (!n || !rest.empty())
        return "tick takes a count from 1 to " + std::to_string(kMaxScriptTicks);
      step.count = static_cast<int>(*n);
    }
    return {};
  }
  if (command == "wait") {
    auto s = ParseDecimal(NextWord(rest), 0, kMaxScriptWaitSeconds);
    if (!s || !rest.empty()) return "wait takes seconds from 0 to 86400";
    step.kind = ScriptStep::Wait;
    step.seconds = *s;
    return {};
  }
  if (command == "time") {
    auto t = ParseTimeOfDay(NextWord(rest));
    if (!t || !rest.empty()) return "time takes HH:MM:SS";
    step.kind = ScriptStep::Time;
    step.seconds = *t;
    return {};
  }
  if (command == "key") {
    auto k = ParseKey(NextWord(rest));
    if (!k || !rest.empty()) return "key takes esc, enter, space, a character or a code 0 to 255";
    step.kind = ScriptStep::Key;
    step.count = *k;
    return {};
  }
  if (command == "browser") {
    const std::string_view word = NextWord(rest);
    if ((word != "on" && word != "off") || !rest.empty()) return "browser takes on or off";
    step.kind = ScriptStep::Browser;
    step.on = word == "on";
    return {};
  }
  if (command == "show") {
    step.kind = ScriptStep::Show;
    while (!rest.empty()) {
      const std::string_view word = NextWord(rest);
      bool known = false;
      if (word == "all") {
        // Everything but the paint trace, which is long and resets itself,
        // and the move list, which came later than the scripts that show all.
        for (const char* item : kShowItems) {
          if (std::string_view(item) != "paint" && std::string_view(item) != "moves")
            step.items.emplace_back(item);
        }
        known = true;
      }
      for (const char* item : kShowItems) {
        if (word == item) {
          step.items.emplace_back(item);
          known = true;
        }
      }
      if (!known) return "show cannot show " + Quote(word);
    }
    if (step.items.empty()) {
      return "show needs what: board hands flags clocks checks captions panel settings paint moves "
             "all";
    }
    return {};
  }
  return "unknown command " + Quote(command);
}

}  // namespace

const std::vector<std::string>& ScriptMenuNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> v;
    for (const MenuAlias& m : kMenuAliases) v.emplace_back(m.canonical);
    return v;
  }();
  return names;
}

ScriptParseResult ParseScript(std::string_view text) {
  ScriptParseResult result;
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);  // UTF-8 byte order mark
  int lineNumber = 0;
  while (!text.empty()) {
    ++lineNumber;
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);

    const std::string_view body = Trim(StripComment(line));
    if (body.empty()) continue;
    ScriptStep step;
    step.line = lineNumber;
    step.source = std::string(body);
    const std::string error = ParseStep(body, step);
    if (!error.empty()) {
      result.ok = false;
      result.errorLine = lineNumber;
      result.error = "line " + std::to_string(lineNumber) + ": " + error;
      result.steps.clear();
      return result;
    }
    result.steps.push_back(std::move(step));
  }
  return result;
}

}  // namespace qz
