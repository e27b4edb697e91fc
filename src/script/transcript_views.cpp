#include "script/transcript_views.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "play/cp932.h"
#include "play/move_notation.h"
#include "script/transcript_ports.h"
#include "shell/game.h"
#include "shell/grid.h"

namespace qz {

namespace {

using grid::CellHeight;
using grid::CellWidth;

std::string Fixed(double v, int decimals) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
  return buf;
}

std::string Quoted(const std::string& s) { return "\"" + EscapeTranscriptText(s) + "\""; }

std::string RelativeTo(const std::string& path, const std::string& workDir) {
  namespace fs = std::filesystem;
  if (path.empty()) return "";
  const fs::path p = fs::path(path).lexically_normal();
  const fs::path base = fs::path(workDir).lexically_normal();
  const fs::path rel = p.lexically_relative(base);
  if (rel.empty()) return path;
  const std::string r = rel.generic_string();
  if (r == ".") return ".";
  if (r.rfind("..", 0) == 0) return path;  // outside the working folder
  return "./" + r;
}

}  // namespace

std::string CellCoordinate(double twips, bool vertical) {
  const double cell =
      vertical ? (twips - grid::Top) / CellHeight : (twips - grid::Left) / CellWidth;
  std::string s = Fixed(std::round(cell * 1000.0) / 1000.0, 3);
  while (!s.empty() && s.back() == '0') s.pop_back();
  if (!s.empty() && s.back() == '.') s.pop_back();
  if (s == "-0") s = "0";
  return s;
}

std::string TimeOfDayText(double seconds) {
  if (!(seconds >= 0) || seconds > 1e9) seconds = 0;
  // Hundredths first, so that 2.6 does not print as 2.59.
  const long hundredths = std::lround(seconds * 100.0);
  const long whole = hundredths / 100;
  char buf[48];
  std::snprintf(buf, sizeof buf, "%02ld:%02ld:%02ld.%02ld", whole / 3600, whole / 60 % 60,
                whole % 60, hundredths % 100);
  return buf;
}

void ShowHands(const Game& g, std::ostream& out) {
  const char* names[2] = {"SITA", "UE"};
  for (Side s : {SITA, UE}) {
    out << "hand " << names[s];
    for (int i = 1; i <= HandKinds; ++i) out << ' ' << g.pos.Hand[s][i];
    out << '\n';
  }
}

void ShowBoard(const Game& g, std::ostream& out) {
  for (int y = 1; y <= 10; ++y) {
    std::string line;
    for (int x = 1; x <= 10; ++x) {
      char cell[16];
      std::snprintf(cell, sizeof cell, "%5d", g.pos.Board[x][y]);
      line += cell;
    }
    out << line << '\n';
  }
  ShowHands(g, out);
}

void ShowFlags(const Game& g, std::ostream& out) {
  out << "flags Turn=" << g.flags.Turn << " LowerSideToken=" << g.flags.LowerSideToken
      << " UpperSideToken=" << g.flags.UpperSideToken << " GameMode=" << g.flags.GameMode
      << " Winner=" << g.flags.Winner << " MoveNumber=" << g.flags.MoveNumber
      << " MoveCount=" << g.hist.MoveCount << " LastSnapshot=" << g.hist.LastSnapshot
      << " RecordMode=" << g.flags.RecordMode << " Reversed=" << g.flags.Reversed
      << " ResumePending=" << g.flags.ResumePending << " HandicapSet=" << g.flags.HandicapSet
      << " HandicapLevel=" << g.flags.HandicapLevel << " InputState=" << g.input.InputState
      << " Level=" << g.com.Level << '\n';
}

void ShowClocks(const Game& g, double now, std::ostream& out) {
  out << "clocks UpperClock=" << Fixed(g.clocks.UpperClock, 2)
      << " LowerClock=" << Fixed(g.clocks.LowerClock, 2)
      << " TurnElapsed=" << Fixed(g.clocks.TurnElapsed, 2)
      << " TurnStart=" << TimeOfDayText(g.clocks.TurnStartTime)
      << " Timer1=" << (g.clocks.Timer1Enabled ? "on" : "off") << " now=" << TimeOfDayText(now)
      << '\n';
}

void ShowChecks(const Game& g, std::ostream& out) {
  const MenuChecks& c = g.checks;
  const std::pair<const char*, bool> marks[] = {
      {"MIDORI", c.MIDORI}, {"TATAMI", c.TATAMI}, {"TAKE", c.TAKE},        {"UCHU", c.UCHU},
      {"RENGA", c.RENGA},   {"SIDOU", c.SIDOU},   {"KEIKA", c.KEIKA},      {"BGM", c.BGM},
      {"UREI", c.UREI},     {"SAREI", c.SAREI},   {"LEVEL1", c.LEVEL1},    {"LEVEL2", c.LEVEL2},
      {"LEVEL3", c.LEVEL3}, {"LEVEL4", c.LEVEL4}, {"LEVEL5", c.LEVEL5},    {"LEVEL6", c.LEVEL6},
      {"LEVEL7", c.LEVEL7}, {"LEVEL8", c.LEVEL8}, {"ANALYSIS", c.ANALYSIS}};
  out << "checks";
  for (const auto& [name, on] : marks) {
    if (on) out << ' ' << name;
  }
  out << '\n';
}

void ShowMoves(const Game& g, std::ostream& out) {
  const std::vector<ListedMove> moves =
      MoveList(PositionsOfLine(g.hist, g.pos), g.flags.MoveNumber - g.hist.MoveCount + 1);
  out << "moves " << moves.size() << '\n';
  for (std::size_t i = 0; i < moves.size(); ++i) {
    const bool current = static_cast<int>(i) + 1 == g.hist.MoveCount;
    out << (current ? "* " : "  ") << moves[i].number << ' ' << moves[i].text << '\n';
  }
}

const std::vector<CaptionArea>& CaptionAreas() {
  static const std::vector<CaptionArea> areas = {{"upper clock", -2, 0, 11},
                                                 {"lower clock", 13, 15, 11},
                                                 {"upper last move", -2, 0, 10},
                                                 {"lower last move", 14, 16, 4},
                                                 {"move number", 14, 15, 5},
                                                 {"handicap", 14, 17, 3},
                                                 {"level", -2, 0, 0}};
  return areas;
}

std::vector<std::string> VisibleCaptionTexts(const RecordingCanvas& canvas,
                                             const CaptionArea& area) {
  std::vector<std::string> found;
  for (const auto& t : VisibleCaptionTextsWithSerials(canvas, area)) found.push_back(t.text);
  return found;
}

std::vector<RecordingCanvas::ShownText> VisibleCaptionTextsWithSerials(
    const RecordingCanvas& canvas, const CaptionArea& area) {
  const double x0 = grid::TwipsX(area.x0), x1 = grid::TwipsX(area.x1 + 1);
  const double y0 = grid::TwipsY(area.y), y1 = grid::TwipsY(area.y + 1);
  // Only texts in the area or just above and left of it can be main copies
  // of texts in it.
  const auto near = canvas.textsIn(x0 - CellWidth / 10 - 1, y0 - CellHeight / 10 - 1, x1, y1);
  std::vector<RecordingCanvas::ShownText> found;
  for (std::size_t i = 0; i < near.size(); ++i) {
    const auto& t = near[i];
    if (!(t.x >= x0 && t.x < x1 && t.y >= y0 && t.y < y1)) continue;
    bool superseded = false;
    for (std::size_t j = i + 1; j < near.size() && !superseded; ++j) {
      const auto& later = near[j];
      if (later.text != t.text) continue;
      const bool mainOfThis = std::abs(later.x - (t.x - CellWidth / 10)) < 1 &&
                              std::abs(later.y - (t.y - CellHeight / 10)) < 1;
      const bool samePlace = std::abs(later.x - t.x) < 1 && std::abs(later.y - t.y) < 1;
      superseded = mainOfThis || samePlace;
    }
    if (!superseded) found.push_back(t);
  }
  return found;
}

void ShowCaptions(const RecordingCanvas& canvas, std::ostream& out) {
  for (const CaptionArea& area : CaptionAreas()) {
    out << "caption " << area.name << ':';
    for (const std::string& text : VisibleCaptionTexts(canvas, area)) out << ' ' << Quoted(text);
    out << '\n';
  }
}

void ShowPanel(const RecordingPanel& panel, const std::string& workDir, std::ostream& out) {
  auto shown = [](bool v) { return v ? "shown" : "hidden"; };
  out << "panel drive=" << shown(panel.driveVisible) << " dir=" << shown(panel.directoryVisible)
      << " file=" << shown(panel.fileVisible) << " boxes=" << shown(panel.ioVisible) << '\n';
  out << "panel 対局名=" << Quoted(panel.texts[2]) << " 先手=" << Quoted(panel.texts[3])
      << " 後手=" << Quoted(panel.texts[4]) << " ﾌｧｲﾙ名=" << Quoted(panel.texts[1]) << '\n';
  out << "panel Dir1=" << RelativeTo(panel.dirPath, workDir)
      << " File1=" << RelativeTo(panel.filesPath, workDir) << '\n';
}

void ShowSettings(const std::string& workDir, std::ostream& out) {
  std::ifstream in(workDir + "/" + SettingsFileName, std::ios::binary);
  if (!in) {
    out << "settings (no file)\n";
    return;
  }
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (bytes.empty()) {
    out << "settings (empty file)\n";
    return;
  }
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    const bool lastWithoutEnd = end == std::string::npos;
    if (lastWithoutEnd) end = bytes.size();
    std::string line = bytes.substr(start, end - start);
    const bool crlf = !line.empty() && line.back() == '\r';
    if (crlf) line.pop_back();
    out << "settings " << Cp932ToUtf8Lenient(line);
    if (!crlf) out << (lastWithoutEnd ? "  (no line end)" : "  (LF only)");
    out << '\n';
    start = end + 1;
  }
}

void ShowPaint(RecordingCanvas& canvas, std::ostream& out) {
  const std::size_t first = canvas.opsCeiling > 0 && canvas.ops.size() > canvas.opsCeiling
                                ? canvas.ops.size() - canvas.opsCeiling
                                : 0;
  const long dropped = canvas.opsDropped + static_cast<long>(first);
  if (dropped > 0) out << "paint (" << dropped << " earlier items not kept)\n";
  for (std::size_t i = first; i < canvas.ops.size(); ++i) {
    const PaintOp& op = canvas.ops[i];
    const std::string at = " at " + CellCoordinate(op.x, false) + "," + CellCoordinate(op.y, true);
    switch (op.kind) {
      case PaintOp::Picture: out << "paint picture " << op.code << at << '\n'; break;
      case PaintOp::Outline:
        out << "paint outline " << op.colour << at;
        if (op.w != CellWidth || op.h != CellHeight) out << " size " << op.w << "x" << op.h;
        out << '\n';
        break;
      case PaintOp::Text:
        out << "paint text " << Quoted(op.text) << " size " << op.size << (op.bold ? " bold" : "")
            << " colour " << op.colour << at << '\n';
        break;
      case PaintOp::Refresh: out << "paint refresh\n"; break;
    }
  }
  canvas.clearOps();
}

}  // namespace qz
