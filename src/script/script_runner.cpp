#include "script/script_runner.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <memory>
#include <optional>
#include <utility>

#include "script/script_parser.h"
#include "script/transcript_ports.h"
#include "script/transcript_views.h"
#include "shell/game.h"
#include "shell/grid.h"

namespace qz {

namespace {

// One timer interval of the game's clock.
constexpr double kTickSeconds = 0.05;
// Most painted primitives one `show paint` lists (the newest); the canvas
// holds at most twice as many, whatever the script does.
constexpr std::size_t kMaxPaintItems = 50000;

bool ShowsPaint(const ScriptStep& step) {
  return step.kind == ScriptStep::Show &&
         std::find(step.items.begin(), step.items.end(), "paint") != step.items.end();
}

}  // namespace

std::optional<MenuCommand> ScriptMenuCommand(std::string_view name) {
  static constexpr std::pair<const char*, MenuCommand> kMenus[] = {
      {"START", MenuCommand::START},
      {"SENTE", MenuCommand::SENTE},
      {"GOTE", MenuCommand::GOTE},
      {"LEVEL1", MenuCommand::LEVEL1},
      {"LEVEL2", MenuCommand::LEVEL2},
      {"LEVEL3", MenuCommand::LEVEL3},
      {"LEVEL4", MenuCommand::LEVEL4},
      {"LEVEL5", MenuCommand::LEVEL5},
      {"LEVEL6", MenuCommand::LEVEL6},
      {"LEVEL7", MenuCommand::LEVEL7},
      {"LEVEL8", MenuCommand::LEVEL8},
      {"OWARI", MenuCommand::OWARI},
      {"CANCEL", MenuCommand::CANCEL},
      {"REVERSE", MenuCommand::REVERSE},
      {"REPLAY", MenuCommand::REPLAY},
      {"AFTER", MenuCommand::AFTER},
      {"LBEL_UP", MenuCommand::LBEL_UP},
      {"LEBEL_DOWN", MenuCommand::LEBEL_DOWN},
      {"KIFU_READ", MenuCommand::KIFU_READ},
      {"KIFU_WRITE", MenuCommand::KIFU_WRITE},
      {"MIDORI", MenuCommand::MIDORI},
      {"TATAMI", MenuCommand::TATAMI},
      {"TAKE", MenuCommand::TAKE},
      {"UCHU", MenuCommand::UCHU},
      {"RENGA", MenuCommand::RENGA},
      {"SIDOU", MenuCommand::SIDOU},
      {"KEIKA", MenuCommand::KEIKA},
      {"BGM", MenuCommand::BGM},
      {"UREI", MenuCommand::UREI},
      {"SAREI", MenuCommand::SAREI},
      {"KAISETU", MenuCommand::KAISETU},
      {"VER", MenuCommand::VER},
      {"HINT", MenuCommand::HINT},
      {"ANALYSIS", MenuCommand::ANALYSIS},
      {"OPEN_TAIKYOKU", MenuCommand::OPEN_TAIKYOKU},
      {"OPEN_STOP", MenuCommand::OPEN_STOP},
      {"OPEN_OPTION", MenuCommand::OPEN_OPTION},
  };
  for (const auto& [n, command] : kMenus) {
    if (name == n) return command;
  }
  return std::nullopt;
}

namespace {

constexpr std::uint64_t kScriptDeepNodes = 20000;

class Runner {
 public:
  Runner(const std::string& workDir, std::ostream& out)
      : workDir_(workDir), out_(out), ports_(out) {
    // The record panel's lists start in the working folder, as the real
    // directory list starts in the current directory.
    ports_.panel.dirPath = workDir;
    ports_.panel.filesPath = workDir;
    ports_.canvas.opsCeiling = kMaxPaintItems;
    game_ = std::make_unique<Game>(ports_.ports(), workDir);
    // The deep levels think by nodes here, not by time, so that a script
    // plays the same game on every run and on every machine.
    game_->deep.NodeLimit = kScriptDeepNodes;
    ports_.sound.game = game_.get();
  }

  // Tells what the last step left newly shown.
  void Finish() { ports_.log.noticeNewTexts(); }

  // The paint trace is kept only while a later step can still show it.
  void TracePaint(bool wanted) { ports_.canvas.recordOps = wanted; }

  void Start() {
    ports_.log.line("start");
    game_->Load();
    Forget();
  }

  void Run(const ScriptStep& step) {
    RunStep(step);
    Forget();
  }

 private:
  // What the transcript has already told and no step can ask for again, so
  // that a script of any length runs in bounded memory.
  void Forget() {
    ports_.dialogs.shown.clear();
    ports_.sound.calls.clear();
    ports_.browser.calls.clear();
    ports_.browser.addresses.clear();
  }

  void RunStep(const ScriptStep& step) {
    if (step.kind == ScriptStep::Echo) {
      ports_.log.line(step.text);
      return;
    }
    ports_.log.line("> " + step.source);
    if (ended_ && step.kind != ScriptStep::Show) {
      ports_.log.line("(the program has ended)");
      return;
    }
    Game& g = *game_;
    switch (step.kind) {
      case ScriptStep::Menu:
        if (auto command = ScriptMenuCommand(step.name)) {
          if (g.Menu(*command)) End();
        }
        break;
      case ScriptStep::Press: {
        // A cell is pressed in its middle.
        const int X = step.twips ? step.x : grid::CentreX(step.x);
        const int Y = step.twips ? step.y : grid::CentreY(step.y);
        g.MouseDown(step.button, 0, X, Y);
        break;
      }
      case ScriptStep::Answer:
        for (bool yes : step.answers) ports_.dialogs.answers.push_back(yes);
        break;
      case ScriptStep::Version:
        for (bool homePage : step.answers) {
          ports_.dialogs.versionChoices.push_back(homePage ? VersionChoice::HomePage
                                                           : VersionChoice::Ok);
        }
        break;
      case ScriptStep::Type:
        if (!ports_.panel.ioVisible) {
          ports_.log.line("(the text boxes are hidden: nothing typed)");
          break;
        }
        ports_.panel.setText(step.box, step.text);
        break;
      case ScriptStep::Drive:
        if (!ports_.panel.driveVisible) {
          ports_.log.line("(the drive list is hidden)");
          break;
        }
        g.Drive1Change(Resolve(step.text));
        break;
      case ScriptStep::Dir:
        if (!ports_.panel.directoryVisible) {
          ports_.log.line("(the directory list is hidden)");
          break;
        }
        // The list offers only directories that exist.
        if (std::error_code ec; !std::filesystem::is_directory(Resolve(step.text), ec)) {
          ports_.log.line("(no such directory in the list)");
          break;
        }
        if (!ports_.panel.setDirectoryPath(Resolve(step.text))) {
          ports_.log.line("(the directory cannot be opened)");
          break;
        }
        g.Dir1Change();
        break;
      case ScriptStep::File:
        if (!ports_.panel.fileVisible) {
          ports_.log.line("(the file list is hidden)");
          break;
        }
        // The list offers only the record files of its folder.
        if (!IsListedRecord(step.text)) {
          ports_.log.line("(no such file in the list)");
          break;
        }
        g.File1Click(step.text);
        break;
      case ScriptStep::Return:
        if (!ports_.panel.ioVisible) {
          ports_.log.line("(the RETURN button is hidden)");
          break;
        }
        g.Command1Click();
        break;
      case ScriptStep::Tick:
        for (int i = 0; i < step.count && !ended_; ++i) Tick(kTickSeconds);
        break;
      case ScriptStep::Wait: Tick(step.seconds); break;
      case ScriptStep::Time: ports_.time.now = step.seconds; break;
      case ScriptStep::Key:
        if (g.KeyPress(step.count)) End();
        break;
      case ScriptStep::Close:
        g.Close();
        End();
        break;
      case ScriptStep::Browser: ports_.browser.available = step.on; break;
      case ScriptStep::NotReady: ports_.panel.notReadyDrives.push_back(Resolve(step.text)); break;
      case ScriptStep::Show:
        for (const std::string& item : step.items) Show(item);
        break;
      case ScriptStep::Echo: break;
    }
  }

  void End() {
    ended_ = true;
    ports_.log.line("end");
  }

  // The timer fires only while it is enabled, as the real one does.
  void Tick(double seconds) {
    ports_.time.advance(seconds);
    if (ports_.timer.enabled) game_->TimerTick();
  }

  bool IsListedRecord(const std::string& name) const {
    const std::string extension = RecordExtension;
    if (name.find('/') != std::string::npos || name.size() <= extension.size() ||
        name.compare(name.size() - extension.size(), extension.size(), extension) != 0) {
      return false;
    }
    std::error_code ec;
    return std::filesystem::is_regular_file(std::filesystem::path(ports_.panel.filesPath) / name,
                                            ec);
  }

  std::string Resolve(const std::string& path) const {
    const std::filesystem::path p(path);
    if (p.is_absolute()) return path;
    return (std::filesystem::path(workDir_) / p).lexically_normal().string();
  }

  void Show(const std::string& item) {
    const Game& g = *game_;
    if (item == "board")
      ShowBoard(g, out_);
    else if (item == "hands")
      ShowHands(g, out_);
    else if (item == "flags")
      ShowFlags(g, out_);
    else if (item == "clocks")
      ShowClocks(g, ports_.time.now, out_);
    else if (item == "checks")
      ShowChecks(g, out_);
    else if (item == "captions")
      ShowCaptions(ports_.canvas, out_);
    else if (item == "panel")
      ShowPanel(ports_.panel, workDir_, out_);
    else if (item == "settings")
      ShowSettings(workDir_, out_);
    else if (item == "paint")
      ShowPaint(ports_.canvas, out_);
    else if (item == "moves")
      ShowMoves(g, out_);
  }

  std::string workDir_;
  std::ostream& out_;
  TranscriptPorts ports_;
  std::unique_ptr<Game> game_;
  bool ended_ = false;
};

}  // namespace

int RunScript(std::string_view scriptText, const std::string& workDir, std::ostream& out) {
  const ScriptParseResult parsed = ParseScript(scriptText);
  if (!parsed.ok) {
    out << "script: " << parsed.error << '\n';
    return 2;
  }
  for (const ScriptStep& step : parsed.steps) {
    if (step.kind == ScriptStep::Menu && !ScriptMenuCommand(step.name)) {
      out << "script: line " << step.line << ": menu '" << step.name << "' is not in the game\n";
      return 2;
    }
  }
  try {
    // Large (the whole game state); kept off the stack.
    auto runner = std::make_unique<Runner>(workDir, out);
    const auto& steps = parsed.steps;
    const auto lastPaint = std::find_if(steps.rbegin(), steps.rend(), ShowsPaint);
    const std::size_t paintUntil = static_cast<std::size_t>(steps.rend() - lastPaint);
    runner->TracePaint(paintUntil > 0);
    runner->Start();
    for (std::size_t i = 0; i < steps.size(); ++i) {
      runner->TracePaint(i < paintUntil);
      runner->Run(steps[i]);
    }
    runner->Finish();
  } catch (const std::exception& e) {
    out << "script: the game failed: " << e.what() << '\n';
    return 1;
  }
  return 0;
}

}  // namespace qz
