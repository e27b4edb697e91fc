#include "script/transcript_ports.h"

#include <cmath>

#include "script/transcript_views.h"
#include "shell/game.h"

namespace qz {

namespace {

// The areas whose new texts are told as they appear.
constexpr const char* kWatchedAreas[] = {"lower last move", "upper last move"};

const CaptionArea* AreaNamed(std::string_view name) {
  for (const CaptionArea& a : CaptionAreas()) {
    if (name == a.name) return &a;
  }
  return nullptr;
}

}  // namespace

std::string EscapeTranscriptText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else {
      out.push_back(c);
    }
  }
  return out;
}

TranscriptLog::TranscriptLog(std::ostream& out, const RecordingCanvas& canvas)
    : out_(out), canvas_(canvas), seen_(std::size(kWatchedAreas)) {}

void TranscriptLog::noticeNewTexts() {
  for (std::size_t i = 0; i < std::size(kWatchedAreas); ++i) {
    const CaptionArea* area = AreaNamed(kWatchedAreas[i]);
    if (area == nullptr) continue;
    std::vector<long> serials;
    std::string joined;
    for (const auto& t : VisibleCaptionTextsWithSerials(canvas_, *area)) {
      serials.push_back(t.serial);
      joined += t.text;
    }
    if (serials == seen_[i]) continue;
    seen_[i] = serials;
    if (!joined.empty())
      out_ << "seen " << area->name << ": " << EscapeTranscriptText(joined) << '\n';
  }
}

void TranscriptLog::line(std::string_view text) {
  noticeNewTexts();
  out_ << text << '\n';
}

void TranscriptDialogs::message(std::string_view title, std::string_view text, MessageIcon icon) {
  RecordingDialogs::message(title, text, icon);
  log_.line("message " + EscapeTranscriptText(title) + " | " + EscapeTranscriptText(text));
}

bool TranscriptDialogs::askYesNo(std::string_view title, std::string_view text) {
  const bool yes = RecordingDialogs::askYesNo(title, text);
  log_.line("question " + EscapeTranscriptText(title) + " | " + EscapeTranscriptText(text) +
            " -> " + (yes ? "yes" : "no"));
  return yes;
}

VersionChoice TranscriptDialogs::versionBox() {
  const VersionChoice choice = RecordingDialogs::versionBox();
  log_.line(std::string("version -> ") + (choice == VersionChoice::HomePage ? "homepage" : "ok"));
  return choice;
}

std::string TranscriptSound::NameOf(std::int32_t buffer) const {
  if (game != nullptr) {
    if (buffer == game->sounds.SndOther) return "その他.wav";
    if (buffer == game->sounds.SndForbidden) return "禁止.wav";
    if (buffer == game->sounds.SndPiece) return "駒打音.wav";
    if (buffer == game->sounds.SndBgm) return "BGM.wav";
  }
  return "#" + std::to_string(buffer);
}

void TranscriptSound::tell(const char* what, std::int32_t buffer) {
  if (buffer == 0) return;
  log_.line(std::string(what) + " " + NameOf(buffer));
}

void TranscriptSound::dsPlay(std::int32_t buffer) {
  RecordingSound::dsPlay(buffer);
  tell("sound", buffer);
}

void TranscriptSound::dsPlayLooping(std::int32_t buffer) {
  RecordingSound::dsPlayLooping(buffer);
  tell("loop", buffer);
}

void TranscriptSound::dsStop(std::int32_t buffer) {
  RecordingSound::dsStop(buffer);
  tell("stop", buffer);
}

bool TranscriptBrowser::navigate(const std::string& address) {
  const bool ok = RecordingBrowser::navigate(address);
  log_.line("browse " + address);
  return ok;
}

void TranscriptAnalysis::setShown(bool shown) {
  visible = shown;
  log_.line(shown ? "analysis window shown" : "analysis window hidden");
}

void TranscriptAnalysis::showHint(int fromX, int fromY, int toX, int toY, int code,
                                  std::string_view /*text*/, std::string_view score) {
  std::string text = "hint";
  for (int v : {fromX, fromY, toX, toY, code}) text.append(" ").append(std::to_string(v));
  text.append(" score ").append(score);
  log_.line(text);
}

}  // namespace qz
