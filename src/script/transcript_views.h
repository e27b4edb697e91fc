// What `show ...` prints: the board, the game flags, the clocks, the check
// marks, the captions visible on the canvas, the record panel, the settings
// file and the painted primitives.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "script/recording_ports.h"

namespace qz {

class Game;

// Ten lines of %5d codes, row 1 first, then "hand SITA ..." and "hand UE ...".
void ShowBoard(const Game& g, std::ostream& out);
void ShowHands(const Game& g, std::ostream& out);
void ShowFlags(const Game& g, std::ostream& out);
void ShowClocks(const Game& g, double now, std::ostream& out);
void ShowChecks(const Game& g, std::ostream& out);
// The analysis window's move list: "moves N" (the moves of the line), then
// one line per move in the notation, "*" before the move that leads to the
// position on the board.
void ShowMoves(const Game& g, std::ostream& out);
void ShowCaptions(const RecordingCanvas& canvas, std::ostream& out);
// Paths inside workDir are shown relative to it ("." for workDir itself).
void ShowPanel(const RecordingPanel& panel, const std::string& workDir, std::ostream& out);
void ShowSettings(const std::string& workDir, std::ostream& out);
// The primitives painted since the last call; the trace is then emptied.
// Under the canvas's ceiling only its newest opsCeiling are listed, after a
// line "paint (N earlier items not kept)".
void ShowPaint(RecordingCanvas& canvas, std::ostream& out);

// A caption area: whole cells x0..x1 of row y.
struct CaptionArea {
  const char* name;
  int x0, x1, y;
};
const std::vector<CaptionArea>& CaptionAreas();

// The texts visible in an area, main copies only: a text printed again later
// 0.1 cell up and to the left (its main copy) is a shadow and left out, and
// of two identical texts at one place only the later counts. Painting order.
std::vector<std::string> VisibleCaptionTexts(const RecordingCanvas& canvas,
                                             const CaptionArea& area);
// The same texts with their print serials, which tell a reprint of the same
// words from the words left standing.
std::vector<RecordingCanvas::ShownText> VisibleCaptionTextsWithSerials(
    const RecordingCanvas& canvas, const CaptionArea& area);

// A twip position as a cell coordinate, at most three decimals ("14.2").
std::string CellCoordinate(double twips, bool vertical);
// Seconds since midnight as HH:MM:SS.ss.
std::string TimeOfDayText(double seconds);

}  // namespace qz
