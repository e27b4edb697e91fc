// The groups of the game's state, one per chapter of its procedures. The
// names inside are the game's own; only the grouping is the project's.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "model/pieces.h"
#include "shell/constants.h"

namespace qz {

namespace search {
class Searcher;
}

// Whose turn it is, the mode and the course of the game (commands, input,
// replay, handicap).
struct GameFlags {
  int Turn = NoTurn;
  int LowerSideToken = TurnGote;
  int UpperSideToken = TurnSente;
  int GameMode = ModeTwoHumans;
  int Winner = NoTurn;
  int MoveNumber = 0;
  int RecordMode = 0;
  int Reversed = 0;
  int ResumePending = 0;
  int HandicapSet = 0;
  int HandicapLevel = 0;
  int GuidanceOn = 0;
};

// The human's move in progress: the selected piece and, once chosen, its
// destination and promoted code (input.cpp).
struct MoveInput {
  int InputState = Idle;
  int SelFromX = 0, SelFromY = 0, SelToX = 0, SelToY = 0;
  PieceCode SelPiece = EMPTY;
  PieceCode PromotedCode = EMPTY;
};

// Colours and pictures of the painted window (screen.cpp, options.cpp).
struct ScreenOptions {
  int GridColour = ColourGreen;
  int EraseColour = ColourGreen;
  int GuidanceColour = ColourGreen;
  int CurrentBackground = 0;
  bool FontBold = false;
};

// Both sides' elapsed time and the timing of the current turn (clock.cpp).
struct Clocks {
  float TurnStartTime = 0;  // single precision, as the clock keeps it
  double TurnElapsed = 0;
  int LastShownSecond = 0;
  double UpperClock = 0;
  double LowerClock = 0;
  bool Timer1Enabled = false;
};

// The playback library and the four loaded sounds (sound.cpp).
struct SoundBuffers {
  std::int32_t SoundSystem = 0;
  std::int32_t SndOther = 0, SndForbidden = 0, SndPiece = 0, SndBgm = 0;
};

// The deep levels' search, made on first use (its table is large) and kept
// for the whole run (deep_turn.cpp).
struct DeepLevels {
  std::unique_ptr<search::Searcher> searcher;
  // Nodes instead of time when set, so that scripts and tests play the same
  // game every time.
  std::uint64_t NodeLimit = 0;
  // The table for five seconds of thinking; with the search's 32 MB of move
  // history the whole program stays well under 150 MB.
  std::size_t HashMegabytes = 32;
  // Threads of the search: one unless the front end offers more (scripts and
  // tests then repeat exactly).
  int Threads = 1;
};

// The last hint of 検討 → ヒント, framed on the board until the next press
// (kentou.cpp).
struct HintState {
  bool Shown = false;
  int FromX = 0, FromY = 0, ToX = 0, ToY = 0;
  PieceCode Code = EMPTY;
};

// Where the analysis window stood and how large it was, kept in the
// settings file once it has been placed (kentou.cpp, settings.cpp).
struct AnalysisWindowPlace {
  bool Known = false;
  int X = 0, Y = 0, Width = 0, Height = 0;
};

}  // namespace qz
