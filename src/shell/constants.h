// Named values of the game shell: turn tokens, modes, colours, pictures.
#pragma once

namespace qz {

// Turn tokens: which side moves first. NoTurn also means "no winner".
constexpr int TurnSente = 1, TurnGote = -1, NoTurn = 0;

constexpr int ModeTwoHumans = 0, ModeComputer = 1;

constexpr int LeftButton = 1, RightButton = 2;

// QBColor palette indexes.
constexpr int ColourBlack = 0, ColourGreen = 2, ColourGrey = 8, ColourLightRed = 12,
              ColourWhite = 15;

// Picture codes besides the piece codes (0 is KARA_MASU).
constexpr int TitleCode = 1, MIDORI = 2, TATAMI = 3, TAKE = 4, UCHU = 5, RENGA = 6;
// The version box's picture, never drawn on the board.
constexpr int VersionPictureCode = 7;

enum InputStateValue { Idle = 0, PieceSelected = 1 };

// The program's files, relative to the working folder.
constexpr const char* SettingsFileName = "QZ嶺将棋.ini";
constexpr const char* HelpPageName = "QZ嶺将棋.htm";
constexpr const char* RecordExtension = ".棋譜";

}  // namespace qz
