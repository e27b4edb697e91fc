#include "shell/recording/transcript_ports.h"

#include "shell/game.h"

namespace qz {

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

void TranscriptDialogs::message(std::string_view title, std::string_view text, MessageIcon icon) {
  RecordingDialogs::message(title, text, icon);
  out_ << "message " << EscapeTranscriptText(title) << " | " << EscapeTranscriptText(text)
       << '\n';
}

bool TranscriptDialogs::askYesNo(std::string_view title, std::string_view text) {
  const bool yes = RecordingDialogs::askYesNo(title, text);
  out_ << "question " << EscapeTranscriptText(title) << " | " << EscapeTranscriptText(text)
       << " -> " << (yes ? "yes" : "no") << '\n';
  return yes;
}

VersionChoice TranscriptDialogs::versionBox() {
  const VersionChoice choice = RecordingDialogs::versionBox();
  out_ << "version -> " << (choice == VersionChoice::HomePage ? "homepage" : "ok") << '\n';
  return choice;
}

std::string TranscriptSound::NameOf(std::int32_t buffer) const {
  if (game != nullptr) {
    if (buffer == game->SndOther) return "その他.wav";
    if (buffer == game->SndForbidden) return "禁止.wav";
    if (buffer == game->SndPiece) return "駒打音.wav";
    if (buffer == game->SndBgm) return "BGM.wav";
  }
  return "#" + std::to_string(buffer);
}

void TranscriptSound::tell(const char* what, std::int32_t buffer) {
  if (buffer == 0) return;
  out_ << what << ' ' << NameOf(buffer) << '\n';
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
  out_ << "browse " << address << '\n';
  return ok;
}

}  // namespace qz
