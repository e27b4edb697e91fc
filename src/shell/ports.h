// The small interfaces through which the game is driven and observed. The Qt
// front end implements them; tests and the script runner use recording fakes.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace qz {

// A canvas that keeps what is painted. Positions are in twips (fractions
// allowed); colours are indexes of the 16-colour QBColor palette.
class Canvas {
 public:
  virtual ~Canvas() = default;
  // The picture of a code (piece, KARA_MASU, title, background tile) at its
  // natural size with its top-left corner at (x, y). Unknown codes: nothing.
  virtual void drawPicture(int code, double x, double y) = 0;
  // One-pixel rectangle outline from (x, y) to (x + w, y + h), not filled.
  virtual void drawOutline(int colour, double x, double y, double w, double h) = 0;
  // Text in the window font ("ＭＳ Ｐ明朝") with its top-left corner at (x, y).
  virtual void drawText(std::string_view text, double x, double y, int size, bool bold,
                        int colour) = 0;
  // Make what was painted visible now (used during the computer's turn).
  virtual void refresh() = 0;
};

enum class MessageIcon { None, Warning };
enum class VersionChoice { Ok, HomePage };

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Modal box with one OK button.
  virtual void message(std::string_view title, std::string_view text, MessageIcon icon) = 0;
  // Modal Yes/No question; true for Yes.
  virtual bool askYesNo(std::string_view title, std::string_view text) = 0;
  // The modal version box ("バージョン情報"); returns the button pressed.
  virtual VersionChoice versionBox() = 0;
};

// The playback library's seven operations. Handles are 32-bit; 0 is "none",
// and every call with buffer 0 does nothing.
class SoundLibrary {
 public:
  virtual ~SoundLibrary() = default;
  virtual std::int32_t dsInitialize(std::intptr_t window) = 0;
  virtual std::int32_t dsCreateDSB(std::int32_t system, const void* wave, std::size_t size,
                                   std::int32_t flags) = 0;
  virtual void dsPlay(std::int32_t buffer) = 0;
  virtual void dsPlayLooping(std::int32_t buffer) = 0;
  virtual void dsStop(std::int32_t buffer) = 0;
  virtual void dsFree(std::int32_t buffer) = 0;
  virtual void dsTerminate(std::int32_t system) = 0;
};

// The record panel's standard controls. Text boxes: 1 file name, 2 game
// name, 3 先手, 4 後手.
class RecordPanel {
 public:
  virtual ~RecordPanel() = default;
  virtual void setListsVisible(bool drive, bool directory, bool file) = 0;
  // The four text boxes, their labels and "RETURN".
  virtual void setIoVisible(bool visible) = 0;
  virtual std::string text(int box) = 0;
  virtual void setText(int box, std::string_view text) = 0;
  // Dir1.Path; setting it fails (false) when the drive is not ready.
  virtual std::string directoryPath() = 0;
  virtual bool setDirectoryPath(const std::string& path) = 0;
  // File1.Path: where files are listed, read and written.
  virtual std::string filePath() = 0;
  virtual void setFilePath(const std::string& path) = 0;
  virtual void refreshFileList() = 0;
};

class TimerPort {
 public:
  virtual ~TimerPort() = default;
  virtual void setEnabled(bool enabled) = 0;
};

class TimeSource {
 public:
  virtual ~TimeSource() = default;
  // Seconds since midnight, with fractions.
  virtual double secondsSinceMidnight() = 0;
  // Called in every round of a busy wait (the real one sleeps a moment, a
  // fake advances its time).
  virtual void waitBriefly() {}
};

// The browser automation sequence: create, window options, navigate, wait
// while busy, show. Any false ends the command silently.
class Browser {
 public:
  virtual ~Browser() = default;
  virtual bool create() = 0;
  virtual void setOptions(bool fullScreen, bool toolBar, bool menuBar) = 0;
  virtual bool navigate(const std::string& address) = 0;
  virtual bool busy() = 0;
  virtual void setVisible(bool visible) = 0;
};

// Long work, the deep levels' thinking, run while the window stays alive.
class Thinking {
 public:
  virtual ~Thinking() = default;
  // Runs work to its end, off the interface thread where the platform can,
  // and calls alive() on the caller's thread about every 50 ms meanwhile (the
  // clock ticks, the window repaints). work returns soon after stop becomes
  // true. Returns false when the player ended the program meanwhile (Esc or
  // closing the window): the caller abandons what it was doing.
  virtual bool run(const std::function<void(const std::atomic<bool>& stop)>& work,
                   const std::function<void()>& alive) = 0;
};

// The analysis window (検討ウィンドウ) beside the main window: the move list,
// the live analysis and the evaluation graph. The game tells it when it is
// shown and every hint it finds; the window reads the rest of the game's
// state itself.
class AnalysisWindow {
 public:
  virtual ~AnalysisWindow() = default;
  virtual void setShown(bool shown) = 0;
  // The hint's move as the game plays it (a drop comes from the hand
  // column, 12 or -1), in the notation, and its score from the lower army's
  // side ("123", "-M3").
  virtual void showHint(int fromX, int fromY, int toX, int toY, int code, std::string_view text,
                        std::string_view score) = 0;
};

struct Ports {
  Canvas* canvas = nullptr;
  Dialogs* dialogs = nullptr;
  SoundLibrary* sound = nullptr;
  RecordPanel* panel = nullptr;
  TimerPort* timer = nullptr;
  TimeSource* time = nullptr;
  Browser* browser = nullptr;
  Thinking* thinking = nullptr;        // none: the work runs at once on the caller's thread
  AnalysisWindow* analysis = nullptr;  // none: hints are shown in a message box only
};

}  // namespace qz
