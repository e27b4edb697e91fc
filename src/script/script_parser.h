// The game-script language: one step per line, '#' starts a comment. The
// parser knows nothing of the game, so it can be fed any bytes: it never
// throws, never loops without progress, and allocates at most in proportion
// to its input.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qz {

struct ScriptStep {
  enum Kind {
    Menu,      // menu NAME               (canonical menu name in `name`)
    Press,     // press BUTTON X Y | press BUTTON @X,Y
    Answer,    // answer yes|no ...       (queued for the next questions)
    Version,   // version ok|homepage ... (queued for the next version boxes)
    Type,      // type BOX "TEXT"
    Drive,     // drive PATH
    Dir,       // dir PATH
    File,      // file NAME
    Return,    // return
    Tick,      // tick [N]
    Wait,      // wait SECONDS
    Time,      // time HH:MM:SS
    Key,       // key esc | key CODE | key C
    Close,     // close
    Show,      // show WHAT ...
    Browser,   // browser on|off
    NotReady,  // notready DRIVE
    Echo,      // echo TEXT
  };

  Kind kind = Echo;
  int line = 0;        // 1-based line of the script
  std::string source;  // the step as written, without comment and blanks

  std::string name;                // Menu: canonical name
  int button = 0;                  // Press: 1 left, 2 right, 4 middle
  bool twips = false;              // Press: x, y are twips (else board cells)
  int x = 0, y = 0;                // Press
  std::vector<bool> answers;       // Answer: true = yes; Version: true = homepage
  int box = 0;                     // Type: 1 file name, 2 game name, 3 先手, 4 後手
  std::string text;                // Type, Drive, Dir, File, NotReady, Echo
  int count = 0;                   // Tick: number of ticks; Key: character code
  double seconds = 0;              // Wait: seconds to advance; Time: seconds since midnight
  bool on = false;                 // Browser
  std::vector<std::string> items;  // Show: board, hands, flags, ... in the order asked
};

struct ScriptParseResult {
  bool ok = true;
  int errorLine = 0;  // 1-based, when !ok
  std::string error;  // "line N: ..." when !ok
  std::vector<ScriptStep> steps;
};

ScriptParseResult ParseScript(std::string_view text);

// The canonical menu names, in the order of the game's menu command list.
const std::vector<std::string>& ScriptMenuNames();

// Upper bounds that keep one step from running for ever.
constexpr int kMaxScriptTicks = 72000;             // one hour of 50 ms ticks
constexpr double kMaxScriptWaitSeconds = 86400.0;  // one day
constexpr int kMaxPressCell = 100;                 // |cell| bound of press X Y
constexpr int kMaxPressTwips = 1000000;            // |twips| bound of press @X,Y

}  // namespace qz
