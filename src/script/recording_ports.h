// Recording implementations of every port: they remember what the game did
// (messages, sounds, painted primitives, panel state) and answer from
// scripted values. Used by the tests and by `qzreishogi-cli script`.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "shell/ports.h"

namespace qz {

// One painted primitive, in order.
struct PaintOp {
  enum Kind { Picture, Outline, Text, Refresh } kind = Picture;
  int code = 0;         // Picture: picture code
  int colour = 0;       // Outline / Text
  double x = 0, y = 0;  // twips
  double w = 0, h = 0;  // Outline
  std::string text;     // Text
  int size = 0;         // Text
  bool bold = false;    // Text
};

class RecordingCanvas : public Canvas {
 public:
  void drawPicture(int code, double x, double y) override;
  void drawOutline(int colour, double x, double y, double w, double h) override;
  void drawText(std::string_view text, double x, double y, int size, bool bold,
                int colour) override;
  void refresh() override;

  std::vector<PaintOp> ops;
  // What is visible now: the last picture painted at each twip corner, the
  // last outline colour of each rectangle, the texts printed (with where).
  // Text is "visible" until a picture is painted over its corner point.
  std::map<std::pair<long, long>, int> pictureAt;  // (round x, round y) -> code
  std::map<std::pair<long, long>, int> outlineAt;  // (round x, round y) -> colour
  struct ShownText {
    double x, y;
    std::string text;
    int size;
    bool bold;
    int colour;
    long serial = 0;  // 1 for the first text printed, 2 for the next...
  };
  std::vector<ShownText> shownTexts;
  long textsPrinted = 0;
  bool recordOps = true;
  // With a ceiling (0: none), ops holds at most twice that many primitives:
  // the oldest are dropped in batches, and counted in opsDropped, so that a
  // long run keeps a bounded trace whose newest opsCeiling are all there.
  std::size_t opsCeiling = 0;
  long opsDropped = 0;

  // Texts whose top-left point lies in the rectangle [x0, x1) x [y0, y1) twips,
  // in painting order (shadow copies included).
  std::vector<ShownText> textsIn(double x0, double y0, double x1, double y1) const;
  void clearOps() {
    ops.clear();
    opsDropped = 0;
  }

 private:
  void record(PaintOp op);
};

class RecordingDialogs : public Dialogs {
 public:
  struct Shown {
    enum Kind { Message, Question, Version } kind = Message;
    std::string title, text;
    MessageIcon icon = MessageIcon::None;
    bool answer = false;                       // Question
    VersionChoice choice = VersionChoice::Ok;  // Version
  };
  void message(std::string_view title, std::string_view text, MessageIcon icon) override;
  bool askYesNo(std::string_view title, std::string_view text) override;
  VersionChoice versionBox() override;

  std::vector<Shown> shown;
  std::deque<bool> answers;                  // queued Yes/No answers; Yes when empty
  std::deque<VersionChoice> versionChoices;  // OK when empty
};

class RecordingSound : public SoundLibrary {
 public:
  std::int32_t dsInitialize(std::intptr_t window) override;
  std::int32_t dsCreateDSB(std::int32_t system, const void* wave, std::size_t size,
                           std::int32_t flags) override;
  void dsPlay(std::int32_t buffer) override;
  void dsPlayLooping(std::int32_t buffer) override;
  void dsStop(std::int32_t buffer) override;
  void dsFree(std::int32_t buffer) override;
  void dsTerminate(std::int32_t system) override;

  bool deviceAvailable = true;  // false: dsInitialize fails
  struct Call {
    std::string op;
    std::int32_t handle = 0;
  };
  std::vector<Call> calls;  // every call, in order (calls on buffer 0 included)
  // Buffers: handle -> the wave bytes it was created from, and its flags.
  std::map<std::int32_t, std::string> bufferData;
  std::map<std::int32_t, std::int32_t> bufferFlags;
  std::map<std::int32_t, bool> looping;  // currently looping
  std::int32_t system = 0;
  std::int32_t nextHandle = 100;
};

class RecordingPanel : public RecordPanel {
 public:
  void setListsVisible(bool drive, bool directory, bool file) override;
  void setIoVisible(bool visible) override;
  std::string text(int box) override;
  void setText(int box, std::string_view text) override;
  std::string directoryPath() override;
  bool setDirectoryPath(const std::string& path) override;
  std::string filePath() override;
  void setFilePath(const std::string& path) override;
  void refreshFileList() override;

  bool driveVisible = false, directoryVisible = false, fileVisible = false, ioVisible = false;
  std::string texts[5];  // 1..4
  std::string dirPath, filesPath;
  std::vector<std::string> notReadyDrives;  // setDirectoryPath fails for these
  int refreshCount = 0;
};

class RecordingTimer : public TimerPort {
 public:
  void setEnabled(bool enabled) override {
    this->enabled = enabled;
    ++changes;
  }
  bool enabled = false;
  int changes = 0;
};

// A clock that moves only when told, and by `step` in each busy-wait round.
class FakeTime : public TimeSource {
 public:
  double secondsSinceMidnight() override { return now; }
  void waitBriefly() override { advance(step); }
  void advance(double seconds);  // wraps at midnight
  double now = 36000.0;          // 10:00:00
  double step = 0.05;
};

class RecordingBrowser : public Browser {
 public:
  bool create() override;
  void setOptions(bool fullScreen, bool toolBar, bool menuBar) override;
  bool navigate(const std::string& address) override;
  bool busy() override;
  void setVisible(bool visible) override;

  bool available = true;  // false: create fails
  int busyPolls = 2;      // busy() answers true this many times per navigation
  std::vector<std::string> calls;
  std::vector<std::string> addresses;

 private:
  int busyLeft_ = 0;
};

// All of them together, wired into a Ports value.
struct RecordingPorts {
  RecordingCanvas canvas;
  RecordingDialogs dialogs;
  RecordingSound sound;
  RecordingPanel panel;
  RecordingTimer timer;
  FakeTime time;
  RecordingBrowser browser;
  Ports ports() { return Ports{&canvas, &dialogs, &sound, &panel, &timer, &time, &browser}; }
};

}  // namespace qz
