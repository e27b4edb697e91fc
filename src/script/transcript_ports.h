// Recording ports that also tell, as it happens, what a player would see and
// hear: message boxes, questions, the version box, sounds, the browser, and
// each new last-move text as it appears beside the board.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "script/recording_ports.h"

namespace qz {

class Game;

// Carriage returns and line feeds shown as \r and \n, so one box is one line.
std::string EscapeTranscriptText(std::string_view text);

// The transcript being written. Before every line it looks at the two
// last-move areas of the canvas and tells a text that has newly appeared
// there ("seen upper last move: ４二王"), so each move reads in the order the
// player sees it. An area that has only been erased is not told.
class TranscriptLog {
 public:
  TranscriptLog(std::ostream& out, const RecordingCanvas& canvas);
  void line(std::string_view text);
  void noticeNewTexts();

 private:
  std::ostream& out_;
  const RecordingCanvas& canvas_;
  std::vector<std::vector<long>> seen_;  // serials of the texts last seen per area
};

class TranscriptDialogs : public RecordingDialogs {
 public:
  explicit TranscriptDialogs(TranscriptLog& log) : log_(log) {}
  void message(std::string_view title, std::string_view text, MessageIcon icon) override;
  bool askYesNo(std::string_view title, std::string_view text) override;
  VersionChoice versionBox() override;

 private:
  TranscriptLog& log_;
};

// Names the buffers through the game's four sound handles; a call with
// buffer 0 is silence and is not told.
class TranscriptSound : public RecordingSound {
 public:
  explicit TranscriptSound(TranscriptLog& log) : log_(log) {}
  void dsPlay(std::int32_t buffer) override;
  void dsPlayLooping(std::int32_t buffer) override;
  void dsStop(std::int32_t buffer) override;
  const Game* game = nullptr;

  // The wave file a buffer was loaded from ("#N" for a handle the game does
  // not hold).
  std::string NameOf(std::int32_t buffer) const;

 private:
  void tell(const char* what, std::int32_t buffer);
  TranscriptLog& log_;
};

class TranscriptBrowser : public RecordingBrowser {
 public:
  explicit TranscriptBrowser(TranscriptLog& log) : log_(log) {}
  bool navigate(const std::string& address) override;

 private:
  TranscriptLog& log_;
};

// The analysis window as a script sees it: told when it is shown or hidden,
// and each hint as "hint FX FY TX TY CODE score S".
class TranscriptAnalysis : public AnalysisWindow {
 public:
  explicit TranscriptAnalysis(TranscriptLog& log) : log_(log) {}
  void setShown(bool shown) override;
  void showHint(int fromX, int fromY, int toX, int toY, int code, std::string_view text,
                std::string_view score) override;
  bool visible = false;

 private:
  TranscriptLog& log_;
};

struct TranscriptPorts {
  explicit TranscriptPorts(std::ostream& out)
      : log(out, canvas), dialogs(log), sound(log), browser(log), analysis(log) {}
  RecordingCanvas canvas;
  TranscriptLog log;
  TranscriptDialogs dialogs;
  TranscriptSound sound;
  RecordingPanel panel;
  RecordingTimer timer;
  FakeTime time;
  TranscriptBrowser browser;
  TranscriptAnalysis analysis;
  Ports ports() {
    Ports p{&canvas, &dialogs, &sound, &panel, &timer, &time, &browser};
    p.analysis = &analysis;
    return p;
  }
};

}  // namespace qz
