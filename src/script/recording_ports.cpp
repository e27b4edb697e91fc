#include "script/recording_ports.h"

#include <algorithm>
#include <cmath>

#include "shell/grid.h"

namespace qz {

namespace {

// Size of one cell picture in twips: what a picture painted at a corner hides.
constexpr double kPictureWidth = grid::CellWidth;
constexpr double kPictureHeight = grid::CellHeight;

std::pair<long, long> CornerKey(double x, double y) { return {std::lround(x), std::lround(y)}; }

}  // namespace

// ---------------------------------------------------------------- canvas

void RecordingCanvas::drawPicture(int code, double x, double y) {
  if (recordOps) {
    PaintOp op;
    op.kind = PaintOp::Picture;
    op.code = code;
    op.x = x;
    op.y = y;
    record(std::move(op));
  }
  pictureAt[CornerKey(x, y)] = code;
  // A picture hides every text whose top-left point it covers.
  std::erase_if(shownTexts, [&](const ShownText& t) {
    return t.x >= x && t.x < x + kPictureWidth && t.y >= y && t.y < y + kPictureHeight;
  });
}

void RecordingCanvas::drawOutline(int colour, double x, double y, double w, double h) {
  if (recordOps) {
    PaintOp op;
    op.kind = PaintOp::Outline;
    op.colour = colour;
    op.x = x;
    op.y = y;
    op.w = w;
    op.h = h;
    record(std::move(op));
  }
  outlineAt[CornerKey(x, y)] = colour;
}

void RecordingCanvas::drawText(std::string_view text, double x, double y, int size, bool bold,
                               int colour) {
  if (recordOps) {
    PaintOp op;
    op.kind = PaintOp::Text;
    op.text = std::string(text);
    op.x = x;
    op.y = y;
    op.size = size;
    op.bold = bold;
    op.colour = colour;
    record(std::move(op));
  }
  shownTexts.push_back(ShownText{x, y, std::string(text), size, bold, colour, ++textsPrinted});
}

void RecordingCanvas::refresh() {
  if (recordOps) {
    PaintOp op;
    op.kind = PaintOp::Refresh;
    record(std::move(op));
  }
}

void RecordingCanvas::record(PaintOp op) {
  ops.push_back(std::move(op));
  if (opsCeiling > 0 && ops.size() >= 2 * opsCeiling) {
    const std::size_t drop = ops.size() - opsCeiling;
    ops.erase(ops.begin(), ops.begin() + static_cast<std::ptrdiff_t>(drop));
    opsDropped += static_cast<long>(drop);
  }
}

std::vector<RecordingCanvas::ShownText> RecordingCanvas::textsIn(double x0, double y0, double x1,
                                                                 double y1) const {
  std::vector<ShownText> found;
  for (const ShownText& t : shownTexts) {
    if (t.x >= x0 && t.x < x1 && t.y >= y0 && t.y < y1) found.push_back(t);
  }
  return found;
}

// ---------------------------------------------------------------- dialogs

void RecordingDialogs::message(std::string_view title, std::string_view text, MessageIcon icon) {
  Shown s;
  s.kind = Shown::Message;
  s.title = std::string(title);
  s.text = std::string(text);
  s.icon = icon;
  shown.push_back(std::move(s));
}

bool RecordingDialogs::askYesNo(std::string_view title, std::string_view text) {
  bool answer = true;
  if (!answers.empty()) {
    answer = answers.front();
    answers.pop_front();
  }
  Shown s;
  s.kind = Shown::Question;
  s.title = std::string(title);
  s.text = std::string(text);
  s.answer = answer;
  shown.push_back(std::move(s));
  return answer;
}

VersionChoice RecordingDialogs::versionBox() {
  VersionChoice choice = VersionChoice::Ok;
  if (!versionChoices.empty()) {
    choice = versionChoices.front();
    versionChoices.pop_front();
  }
  Shown s;
  s.kind = Shown::Version;
  s.title = "バージョン情報";
  s.choice = choice;
  shown.push_back(std::move(s));
  return choice;
}

// ---------------------------------------------------------------- sound

std::int32_t RecordingSound::dsInitialize(std::intptr_t /*window*/) {
  calls.push_back({"initialize", 0});
  if (!deviceAvailable) return 0;
  system = 1;
  return system;
}

std::int32_t RecordingSound::dsCreateDSB(std::int32_t sys, const void* wave, std::size_t size,
                                         std::int32_t flags) {
  if (sys == 0 || sys != system || wave == nullptr || size == 0) {
    calls.push_back({"create", 0});
    return 0;
  }
  const std::int32_t handle = nextHandle++;
  bufferData[handle] = std::string(static_cast<const char*>(wave), size);
  bufferFlags[handle] = flags;
  calls.push_back({"create", handle});
  return handle;
}

void RecordingSound::dsPlay(std::int32_t buffer) { calls.push_back({"play", buffer}); }

void RecordingSound::dsPlayLooping(std::int32_t buffer) {
  calls.push_back({"loop", buffer});
  if (buffer != 0 && bufferData.count(buffer)) looping[buffer] = true;
}

void RecordingSound::dsStop(std::int32_t buffer) {
  calls.push_back({"stop", buffer});
  if (buffer != 0) looping.erase(buffer);
}

void RecordingSound::dsFree(std::int32_t buffer) {
  calls.push_back({"free", buffer});
  if (buffer == 0) return;
  bufferData.erase(buffer);
  bufferFlags.erase(buffer);
  looping.erase(buffer);
}

void RecordingSound::dsTerminate(std::int32_t sys) {
  calls.push_back({"terminate", sys});
  if (sys != 0 && sys == system) system = 0;
}

// ---------------------------------------------------------------- record panel

void RecordingPanel::setListsVisible(bool drive, bool directory, bool file) {
  driveVisible = drive;
  directoryVisible = directory;
  fileVisible = file;
}

void RecordingPanel::setIoVisible(bool visible) { ioVisible = visible; }

std::string RecordingPanel::text(int box) {
  if (box < 1 || box > 4) return {};
  return texts[box];
}

void RecordingPanel::setText(int box, std::string_view value) {
  if (box < 1 || box > 4) return;
  texts[box] = std::string(value);
}

std::string RecordingPanel::directoryPath() { return dirPath; }

bool RecordingPanel::setDirectoryPath(const std::string& path) {
  for (const std::string& drive : notReadyDrives) {
    if (!drive.empty() && path.compare(0, drive.size(), drive) == 0) return false;
  }
  dirPath = path;
  return true;
}

std::string RecordingPanel::filePath() { return filesPath; }

void RecordingPanel::setFilePath(const std::string& path) { filesPath = path; }

void RecordingPanel::refreshFileList() { ++refreshCount; }

// ---------------------------------------------------------------- time

void FakeTime::advance(double seconds) {
  now = std::fmod(now + seconds, 86400.0);
  if (now < 0) now += 86400.0;
}

// ---------------------------------------------------------------- browser

bool RecordingBrowser::create() {
  calls.push_back("create");
  return available;
}

void RecordingBrowser::setOptions(bool fullScreen, bool toolBar, bool menuBar) {
  calls.push_back(std::string("options fullscreen=") + (fullScreen ? "1" : "0") +
                  " toolbar=" + (toolBar ? "1" : "0") + " menubar=" + (menuBar ? "1" : "0"));
}

bool RecordingBrowser::navigate(const std::string& address) {
  calls.push_back("navigate " + address);
  addresses.push_back(address);
  busyLeft_ = busyPolls;
  return true;
}

bool RecordingBrowser::busy() {
  calls.push_back("busy");
  if (busyLeft_ > 0) {
    --busyLeft_;
    return true;
  }
  return false;
}

void RecordingBrowser::setVisible(bool visible) {
  calls.push_back(std::string("visible ") + (visible ? "1" : "0"));
}

}  // namespace qz
