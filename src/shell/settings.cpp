// The settings file: five options, one "key=value" line each, in CP932 with
// CR LF line ends. Read once at start-up, rewritten whole on every change.
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "play/cp932.h"
#include "play/safe_write.h"
#include "play/whole_file.h"
#include "shell/game.h"

namespace qz {

namespace {

constexpr const char* kDefaultLines[] = {"背景画=嶺", "移動指導=OFF", "経過時間=ON", "BGM=ON",
                                         "初期配置=右嶺"};

struct BackgroundName {
  int code;
  const char* value;
};
// In the order the file is written: the first checked entry wins.
constexpr BackgroundName kBackgroundNames[] = {
    {MIDORI, "嶺"}, {TAKE, "竹"}, {TATAMI, "畳"}, {UCHU, "宇宙"}, {RENGA, "煉瓦"}};

std::string SettingsPath(const std::string& dir) { return dir + "/" + SettingsFileName; }

// Five short lines; anything much larger is not a settings file.
constexpr std::size_t kMaxSettingsBytes = 64 * 1024;

// Joins the lines with CR LF (after the last one too) in CP932.
std::optional<std::string> EncodeLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  return Utf8ToCp932(text);
}

bool WriteLines(const std::string& path, const std::vector<std::string>& lines) {
  const std::optional<std::string> bytes = EncodeLines(lines);
  if (!bytes) return false;
  std::string error;
  return WriteFileAtomically(path, *bytes, &error);
}

// "A,B": two whole numbers, each within ±20000.
bool ParsePair(std::string_view text, int& a, int& b) {
  const std::size_t comma = text.find(',');
  if (comma == std::string_view::npos) return false;
  auto number = [](std::string_view t, int& out) {
    if (t.empty() || t.size() > 6) return false;
    int v = 0;
    std::size_t i = t[0] == '-' ? 1 : 0;
    if (i == t.size()) return false;
    for (; i < t.size(); ++i) {
      if (t[i] < '0' || t[i] > '9') return false;
      v = v * 10 + (t[i] - '0');
    }
    out = t[0] == '-' ? -v : v;
    return out >= -20000 && out <= 20000;
  };
  return number(text.substr(0, comma), a) && number(text.substr(comma + 1), b);
}

// The analysis window's two keys; a size that cannot be a window is ignored.
constexpr const char* kAnalysisPlaceKey = "検討ウィンドウ位置";
constexpr const char* kAnalysisSizeKey = "検討ウィンドウ大きさ";

// Applies one "key=value" line; false when the line has no "=".
bool ApplySettingLine(Game& g, std::string_view line) {
  const std::size_t p = line.find('=');
  if (p == std::string_view::npos) return false;
  const std::string_view key = line.substr(0, p);
  const std::string_view value = line.substr(p + 1);
  if (key == "背景画") {
    for (const BackgroundName& b : kBackgroundNames) {
      if (value == b.value) {
        g.チェック設定(b.code);
        g.描画_背景(b.code);
        g.screen.CurrentBackground = b.code;
        break;
      }
    }
  } else if (key == "移動指導") {
    const bool on = value == "ON";
    g.checks.SIDOU = on;
    g.flags.GuidanceOn = on ? 1 : 0;
    g.screen.GuidanceColour = on ? ColourWhite : ColourGreen;
  } else if (key == "経過時間") {
    g.checks.KEIKA = value == "ON";
  } else if (key == "BGM") {
    if (value == "ON") {
      g.checks.BGM = true;
      g.ports.sound->dsPlayLooping(g.sounds.SndBgm);
    } else {
      // A later "off" line silences what an earlier "ON" line started, so
      // the music always matches its check mark.
      if (g.checks.BGM) g.ports.sound->dsStop(g.sounds.SndBgm);
      g.checks.BGM = false;
    }
  } else if (key == "初期配置") {
    const bool right = value == "右嶺";
    g.checks.UREI = right;
    g.checks.SAREI = !right;
  } else if (key == kAnalysisPlaceKey) {
    int x = 0, y = 0;
    if (ParsePair(value, x, y)) {
      g.analysisPlace.X = x;
      g.analysisPlace.Y = y;
    }
  } else if (key == kAnalysisSizeKey) {
    int w = 0, h = 0;
    if (ParsePair(value, w, h) && w >= 200 && h >= 150) {
      g.analysisPlace.Width = w;
      g.analysisPlace.Height = h;
      g.analysisPlace.Known = true;
    }
  }
  return true;
}

}  // namespace

void Game::読込_環境設定ファイル() {
  const std::string path = SettingsPath(StartDir);
  bool intact = false;
  if (const std::optional<std::string> bytes = ReadWholeFile(path, kMaxSettingsBytes).bytes) {
    intact = true;
    std::string_view rest = *bytes;
    while (!rest.empty()) {
      const std::size_t end = rest.find('\n');
      std::string_view line = rest.substr(0, end);
      rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      // CP932 never uses LF or CR as a trail byte, so splitting first is safe.
      const std::optional<std::string> text = Cp932ToUtf8(line);
      if (!text || !ApplySettingLine(*this, *text)) {
        intact = false;
        break;
      }
    }
  }
  if (intact) return;

  // Recovery: write the defaults and apply them on top of what was applied.
  const std::vector<std::string> defaults(std::begin(kDefaultLines), std::end(kDefaultLines));
  WriteLines(path, defaults);  // a failure here is not reported
  for (const std::string& line : defaults) ApplySettingLine(*this, line);
}

void Game::書込_環境設定ファイル() {
  std::vector<std::string> lines;
  const bool checked[] = {checks.MIDORI, checks.TAKE, checks.TATAMI, checks.UCHU, checks.RENGA};
  for (int i = 0; i < 5; ++i) {
    if (checked[i]) {
      lines.push_back(std::string("背景画=") + kBackgroundNames[i].value);
      break;
    }
  }
  lines.push_back(checks.SIDOU ? "移動指導=ON" : "移動指導=OFF");
  lines.push_back(checks.KEIKA ? "経過時間=ON" : "経過時間=OFF");
  lines.push_back(checks.BGM ? "BGM=ON" : "BGM=OFF");
  lines.push_back(checks.UREI ? "初期配置=右嶺" : "初期配置=左嶺");
  if (analysisPlace.Known) {
    lines.push_back(std::string(kAnalysisPlaceKey) + "=" + std::to_string(analysisPlace.X) + "," +
                    std::to_string(analysisPlace.Y));
    lines.push_back(std::string(kAnalysisSizeKey) + "=" + std::to_string(analysisPlace.Width) +
                    "," + std::to_string(analysisPlace.Height));
  }

  const std::string path = SettingsPath(StartDir);
  if (WriteLines(path, lines)) return;

  // The save failed: try the defaults and show them in the menu. The running
  // background, guidance colour and music stay as they are.
  WriteLines(path, std::vector<std::string>(std::begin(kDefaultLines), std::end(kDefaultLines)));
  チェック設定(MIDORI);
  checks.SIDOU = false;
  checks.KEIKA = true;
  checks.BGM = true;
  checks.UREI = true;
  checks.SAREI = false;
}

}  // namespace qz
