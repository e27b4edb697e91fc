// Game record files (*.棋譜): three header lines, then one fixed-column line
// per history entry, CP932 text, CR LF line ends.
#pragma once

#include <string>
#include <string_view>

#include "play/history.h"

namespace qz {

struct RecordHeader {
  std::string gameName;   // line 1
  std::string upperName;  // line 2: the player of UE
  std::string lowerName;  // line 3: the player of SITA
};

enum class RecordStatus {
  Ok,
  CannotOpen,     // missing or unreadable file
  CannotWrite,    // could not be created or written
  NoEntries,      // no entry lines
  Truncated,      // more entry lines than the history holds: the first ones were read
  BadHeaderText,  // header text CP932 cannot hold (writing)
};

struct RecordResult {
  RecordStatus status = RecordStatus::Ok;
  int entries = 0;        // entry lines read or written
  int entriesInFile = 0;  // reading: entry lines the file holds (more than entries when Truncated)
  std::string detail;     // human-readable description for messages and the CLI
};

// One entry line of 438 characters (without CR LF). Clocks are written as
// whole seconds, the fraction dropped. Hand counts of 10 or more and clocks
// of 100000 s or more do not fit their fields: the fields then hold the
// clamped values (9 and 99999), so that every field stays in its column for
// any reader, and the full values follow after column 438 as
// ";H=" + the 18 hand counts (SITA 1, UE 1, SITA 2, ... UE 9) and/or
// ";T=" + the 4 clocks, comma-separated. A reader of the fixed columns alone
// sees the clamped values; ParseEntryLine restores the full ones. Squares
// holding anything but a piece code are written as empty.
std::string FormatEntryLine(const HistoryEntry& e);
// Lenient parse of one entry line; never fails, missing fields read 0, a
// field without digits reads 0, a board field that is not a piece code
// reads as empty. The tail after column 438 is used only when it is well
// formed and agrees with the clamped fixed fields.
HistoryEntry ParseEntryLine(std::string_view line);

// A record name as the player types it (without ".棋譜"): one file name in
// the chosen folder. False for an empty name and for a name holding a control
// character (below U+0020, or U+007F), which could cut the name short or hide
// part of it, or a path separator ('/', or a backslash as other systems write it),
// which would reach into another folder.
bool IsRecordFileName(std::string_view name);

// Writes entries 1..lastSnapshot of the history (at most 500) through
// WriteFileAtomically: on any failure the old file stays as it was.
// lastSnapshot < 1: NoEntries, nothing written. A header text that CP932
// cannot hold or that holds a line break: BadHeaderText, nothing written.
RecordResult WriteRecord(const std::string& path, const RecordHeader& header,
                         const History& history, int lastSnapshot);

// Reads a record into history entries 1..n (n returned in entries; at most
// History::Capacity - 1). Entry 0, MoveCount and LastSnapshot are left to
// the caller. Accepts CR LF and LF. Blank lines at the end of the file are
// not entries. More than 500 entry lines: the first 500 are read, Truncated.
// Nothing in the history or the header changes unless the whole file could
// be read (CannotOpen otherwise). Header lines that are not valid CP932 are
// kept as they are where valid UTF-8, else decoded with "?" for each bad
// byte; control characters are dropped.
RecordResult ReadRecord(const std::string& path, RecordHeader& header, History& history);

}  // namespace qz
