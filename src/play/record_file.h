// Game record files (*.棋譜): three header lines, then one fixed-column line
// per history entry, CP932 text, CR LF line ends.
#pragma once

#include <string>

#include "play/history.h"

namespace qz {

struct RecordHeader {
  std::string gameName;   // line 1
  std::string upperName;  // line 2: the player of UE
  std::string lowerName;  // line 3: the player of SITA
};

enum class RecordStatus {
  Ok,
  CannotOpen,      // missing or unreadable file
  CannotWrite,     // could not be created or written
  NoEntries,       // no entry lines
  Truncated,       // more entry lines than the history holds: the first ones were read
  BadHeaderText,   // header text CP932 cannot hold (writing)
};

struct RecordResult {
  RecordStatus status = RecordStatus::Ok;
  int entries = 0;        // entry lines read or written
  std::string detail;     // human-readable description for messages and the CLI
};

// One entry line of 438 characters (without CR LF). Hand counts and clocks
// that do not fit their fields are clamped (9 and 99999).
std::string FormatEntryLine(const HistoryEntry& e);
// Lenient parse of one entry line; never fails, missing fields read 0.
HistoryEntry ParseEntryLine(std::string_view line);

// Writes entries 1..lastSnapshot of the history.
RecordResult WriteRecord(const std::string& path, const RecordHeader& header,
                         const History& history, int lastSnapshot);

// Reads a record into history entries 1..n (n returned in entries; at most
// History::Capacity - 1). Entry 0 is left alone. Accepts CR LF and LF.
// Header lines that are not valid CP932 are kept byte for byte where valid
// UTF-8, else replaced by their printable ASCII.
RecordResult ReadRecord(const std::string& path, RecordHeader& header, History& history);

}  // namespace qz
