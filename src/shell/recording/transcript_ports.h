// Recording ports that also tell, as it happens, what a player would see and
// hear: message boxes, questions, the version box, sounds and the browser.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

#include "shell/recording/recording_ports.h"

namespace qz {

class Game;

// Carriage returns and line feeds shown as \r and \n, so one box is one line.
std::string EscapeTranscriptText(std::string_view text);

class TranscriptDialogs : public RecordingDialogs {
 public:
  explicit TranscriptDialogs(std::ostream& out) : out_(out) {}
  void message(std::string_view title, std::string_view text, MessageIcon icon) override;
  bool askYesNo(std::string_view title, std::string_view text) override;
  VersionChoice versionBox() override;

 private:
  std::ostream& out_;
};

// Names the buffers through the game's four sound handles; a call with
// buffer 0 is silence and is not told.
class TranscriptSound : public RecordingSound {
 public:
  explicit TranscriptSound(std::ostream& out) : out_(out) {}
  void dsPlay(std::int32_t buffer) override;
  void dsPlayLooping(std::int32_t buffer) override;
  void dsStop(std::int32_t buffer) override;
  const Game* game = nullptr;

  // The wave file a buffer was loaded from ("#N" for a handle the game does
  // not hold).
  std::string NameOf(std::int32_t buffer) const;

 private:
  void tell(const char* what, std::int32_t buffer);
  std::ostream& out_;
};

class TranscriptBrowser : public RecordingBrowser {
 public:
  explicit TranscriptBrowser(std::ostream& out) : out_(out) {}
  bool navigate(const std::string& address) override;

 private:
  std::ostream& out_;
};

struct TranscriptPorts {
  explicit TranscriptPorts(std::ostream& out) : dialogs(out), sound(out), browser(out) {}
  RecordingCanvas canvas;
  TranscriptDialogs dialogs;
  TranscriptSound sound;
  RecordingPanel panel;
  RecordingTimer timer;
  FakeTime time;
  TranscriptBrowser browser;
  Ports ports() {
    return Ports{&canvas, &dialogs, &sound, &panel, &timer, &time, &browser};
  }
};

}  // namespace qz
