#include "play/record_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "model/placement.h"
#include "play/cp932.h"
#include "temp_folder.h"

namespace qz {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

HistoryEntry StartingEntry() {
  Position pos;
  SetUpStartingPosition(pos, false);
  History h;
  h.SetEntry(0, pos);
  return h.entries[0];
}

bool SameEntry(const HistoryEntry& a, const HistoryEntry& b) {
  for (int x = 1; x <= 10; ++x)
    for (int y = 1; y <= 10; ++y)
      if (a.Board[x][y] != b.Board[x][y]) return false;
  for (int s = 0; s < 2; ++s)
    for (int i = 1; i <= 9; ++i)
      if (a.Hand[s][i] != b.Hand[s][i]) return false;
  return a.SitaBefore == b.SitaBefore && a.SitaAfter == b.SitaAfter && a.UeBefore == b.UeBefore &&
         a.UeAfter == b.UeAfter;
}

// A small game: entry k differs from the start by k pawn steps and some
// hand pieces, with clocks that carry fractions.
void FillGame(History& h, int n) {
  for (int k = 1; k <= n; ++k) {
    HistoryEntry e = StartingEntry();
    e.Board[1 + k % 10][8] = EMPTY;
    e.Board[1 + k % 10][7] = -10;
    e.Hand[SITA][1 + k % 9] = k % 3;
    e.Hand[UE][9 - k % 9] = 1;
    e.SitaBefore = k * 10.75;
    e.SitaAfter = k * 10.75 + 3.5;
    e.UeBefore = e.UeAfter = k * 7.25;
    h.entries[k] = e;
  }
}

HistoryEntry WithoutFractions(HistoryEntry e) {
  e.SitaBefore = static_cast<long long>(e.SitaBefore);
  e.SitaAfter = static_cast<long long>(e.SitaAfter);
  e.UeBefore = static_cast<long long>(e.UeBefore);
  e.UeAfter = static_cast<long long>(e.UeAfter);
  return e;
}

TEST(RecordLine, FixedColumnsOfAStartingPosition) {
  HistoryEntry e = StartingEntry();
  e.SitaBefore = 59.9;
  e.SitaAfter = 1234.5;
  e.UeBefore = 0;
  e.UeAfter = 99999.99;
  std::string line = FormatEntryLine(e);
  ASSERT_EQ(line.size(), 438u);
  EXPECT_EQ(line.substr(0, 40), "  20   0  10   0   0   0   0 -10   0 -20");
  EXPECT_EQ(line.substr(400, 18), std::string(18, '0'));
  EXPECT_EQ(line.substr(418), "   59 1234    099999");
  // The field of (x, y) starts at 4 * (10 * (x - 1) + (y - 1)): (6, 10) holds 左嶺's king.
  EXPECT_EQ(line.substr(4 * (10 * 5 + 9), 4), "-950");
}

TEST(RecordLine, HandDigitsAlternateSides) {
  HistoryEntry e;
  e.Hand[SITA][1] = 3;
  e.Hand[UE][1] = 4;
  e.Hand[UE][9] = 1;
  std::string line = FormatEntryLine(e);
  EXPECT_EQ(line.substr(400, 18), "340000000000000001");
  HistoryEntry back = ParseEntryLine(line);
  EXPECT_TRUE(SameEntry(back, e));
}

TEST(RecordLine, ValuesTooWideKeepEveryFieldInItsColumn) {
  HistoryEntry e = StartingEntry();
  e.Hand[SITA][1] = 12;
  e.Hand[UE][1] = 20;
  e.Hand[UE][2] = 2;
  e.SitaBefore = 123456.8;
  e.SitaAfter = 123460;
  e.UeBefore = 77;
  e.UeAfter = 77;
  std::string line = FormatEntryLine(e);
  // The fixed columns hold clamped values, so a reader of the fixed columns
  // alone finds every later field where it belongs.
  HistoryEntry fixedOnly = ParseEntryLine(line.substr(0, 438));
  EXPECT_EQ(fixedOnly.Hand[SITA][1], 9);
  EXPECT_EQ(fixedOnly.Hand[UE][1], 9);
  EXPECT_EQ(fixedOnly.Hand[UE][2], 2);
  EXPECT_EQ(fixedOnly.SitaBefore, 99999);
  EXPECT_EQ(fixedOnly.UeBefore, 77);
  EXPECT_EQ(fixedOnly.Board[6][10], -950);
  // The full values come back from the tail.
  EXPECT_TRUE(SameEntry(ParseEntryLine(line), WithoutFractions(e)));
}

TEST(RecordLine, ATailThatDisagreesOrIsGarbledIsIgnored) {
  HistoryEntry e;
  e.Hand[SITA][1] = 5;
  std::string fixed = FormatEntryLine(e);
  std::string zeros = "0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0";
  for (const std::string& tail : std::vector<std::string>{
           ";H=12," + zeros, ";H=5,x", ";H=", ";T=1,2,3", ";H=5," + zeros + "9"}) {
    HistoryEntry back = ParseEntryLine(fixed + tail);
    EXPECT_EQ(back.Hand[SITA][1], 5) << tail;
    EXPECT_EQ(back.SitaBefore, 0) << tail;
  }
}

TEST(RecordLine, LenientReadingOfBadFields) {
  EXPECT_TRUE(SameEntry(ParseEntryLine(""), HistoryEntry{}));
  // Short line: what is there is read, the rest is 0.
  HistoryEntry shortLine = ParseEntryLine("  20 -10x  a+110-20");
  EXPECT_EQ(shortLine.Board[1][1], 20);
  EXPECT_EQ(shortLine.Board[1][2], -10);
  EXPECT_EQ(shortLine.Board[1][3], EMPTY);  // no digits
  EXPECT_EQ(shortLine.Board[1][4], 110);    // "+110": explicit sign
  EXPECT_EQ(shortLine.Board[1][5], -20);    // a cut-off field reads what it has
  EXPECT_EQ(shortLine.Board[1][6], EMPTY);
  // Numbers that are not piece codes never reach the board.
  HistoryEntry bad = ParseEntryLine("   5 999-999  12  41");
  EXPECT_EQ(bad.Board[1][1], EMPTY);
  EXPECT_EQ(bad.Board[1][2], EMPTY);
  EXPECT_EQ(bad.Board[1][3], EMPTY);
  EXPECT_EQ(bad.Board[1][4], EMPTY);
  EXPECT_EQ(bad.Board[1][5], 41);
  // Signs and letters in the one-digit hand fields, letters in the clocks.
  std::string line(400, ' ');
  line += "-7x2" + std::string(14, '0') + "  4.5 abcd   -3";
  HistoryEntry odd = ParseEntryLine(line);
  EXPECT_EQ(odd.Hand[SITA][1], 0);
  EXPECT_EQ(odd.Hand[UE][1], 7);
  EXPECT_EQ(odd.Hand[SITA][2], 0);
  EXPECT_EQ(odd.Hand[UE][2], 2);
  EXPECT_EQ(odd.SitaBefore, 4);
  EXPECT_EQ(odd.SitaAfter, 0);
  EXPECT_EQ(odd.UeBefore, 0);  // a clock is never negative: "-3" reads as 0
}

class RecordFile : public ::testing::Test {
 protected:
  TempFolder dir;
  History history;
  RecordHeader header{"第1局 嶺将棋ﾀｲﾄﾙ戦", "上手 花子", "下手 太郎"};
};

TEST_F(RecordFile, WriteAndReadBackAJapaneseRecord) {
  FillGame(history, 19);
  const std::string path = dir.file("対局.棋譜");
  RecordResult w = WriteRecord(path, header, history, 19);
  ASSERT_EQ(w.status, RecordStatus::Ok) << w.detail;
  EXPECT_EQ(w.entries, 19);

  // On disk: CP932 header lines, CR LF everywhere, 3 + 19 lines of fixed width.
  std::string bytes = ReadBytes(path);
  EXPECT_EQ(bytes.substr(0, bytes.find("\r\n")), *Utf8ToCp932(header.gameName));
  int lines = 0;
  size_t start = 0;
  for (size_t at; (at = bytes.find('\n', start)) != std::string::npos; start = at + 1) {
    ASSERT_GT(at, 0u);
    EXPECT_EQ(bytes[at - 1], '\r') << "line " << lines + 1;
    if (lines >= 3) {
      EXPECT_EQ(at - 1 - start, 438u) << "line " << lines + 1;
    }
    ++lines;
  }
  EXPECT_EQ(start, bytes.size());  // nothing after the last CR LF
  EXPECT_EQ(lines, 22);
  size_t line4 = bytes.find("\r\n", bytes.find("\r\n", bytes.find("\r\n") + 2) + 2) + 2;
  EXPECT_EQ(bytes.substr(line4, 40).substr(0, 8), "  20   0");

  History read;
  read.entries[0].Board[5][5] = 950;  // entry 0 is not the file's business
  read.entries[0].SitaAfter = 42;
  RecordHeader h;
  RecordResult r = ReadRecord(path, h, read);
  ASSERT_EQ(r.status, RecordStatus::Ok) << r.detail;
  EXPECT_EQ(r.entries, 19);
  EXPECT_EQ(h.gameName, header.gameName);
  EXPECT_EQ(h.upperName, header.upperName);
  EXPECT_EQ(h.lowerName, header.lowerName);
  for (int k = 1; k <= 19; ++k)
    EXPECT_TRUE(SameEntry(read.entries[k], WithoutFractions(history.entries[k]))) << k;
  EXPECT_EQ(read.entries[0].Board[5][5], 950);
  EXPECT_EQ(read.entries[0].SitaAfter, 42);
  EXPECT_EQ(read.MoveCount, 0);
  EXPECT_EQ(read.LastSnapshot, 0);
}

TEST_F(RecordFile, WriteRefusalsLeaveTheOldFileAlone) {
  FillGame(history, 3);
  const std::string path = dir.file("old.棋譜");
  WriteBytes(path, "old");

  RecordResult none = WriteRecord(path, header, history, 0);
  EXPECT_EQ(none.status, RecordStatus::NoEntries);

  for (RecordHeader bad :
       {RecordHeader{"絵文字\xF0\x9F\x98\x80", "", ""}, RecordHeader{"", "two\r\nlines", ""},
        RecordHeader{"", "", "lf\n"}, RecordHeader{"", "", "\xFF"}}) {
    RecordResult r = WriteRecord(path, bad, history, 3);
    EXPECT_EQ(r.status, RecordStatus::BadHeaderText);
    EXPECT_FALSE(r.detail.empty());
  }
  EXPECT_EQ(ReadBytes(path), "old");
  EXPECT_EQ(dir.count(), 1);
}

TEST_F(RecordFile, WriteFailuresAreNeverReportedAsSuccess) {
  FillGame(history, 3);
  std::filesystem::create_directory(dir.file("folder.棋譜"));
  RecordResult onDir = WriteRecord(dir.file("folder.棋譜"), header, history, 3);
  EXPECT_EQ(onDir.status, RecordStatus::CannotWrite);
  EXPECT_FALSE(onDir.detail.empty());
  EXPECT_TRUE(std::filesystem::is_directory(dir.file("folder.棋譜")));

  RecordResult noFolder = WriteRecord(dir.file("missing/a.棋譜"), header, history, 3);
  EXPECT_EQ(noFolder.status, RecordStatus::CannotWrite);
  EXPECT_EQ(noFolder.entries, 0);
}

TEST_F(RecordFile, LineFeedOnlyFilesAndTrailingBlankLines) {
  HistoryEntry e = StartingEntry();
  std::string body = FormatEntryLine(e);
  const std::string path = dir.file("lf.棋譜");
  // One interior blank line is an (empty) entry; blank lines at the end are not.
  WriteBytes(path, "game\nup\nlow\n" + body + "\n\n" + body + "\r\n\n\r\n");
  RecordHeader h;
  RecordResult r = ReadRecord(path, h, history);
  ASSERT_EQ(r.status, RecordStatus::Ok);
  EXPECT_EQ(r.entries, 3);
  EXPECT_EQ(h.upperName, "up");
  EXPECT_TRUE(SameEntry(history.entries[1], e));
  EXPECT_TRUE(SameEntry(history.entries[2], HistoryEntry{}));
  EXPECT_TRUE(SameEntry(history.entries[3], e));

  // A last line without its line end still counts.
  WriteBytes(path, "g\r\nu\r\nl\r\n" + body);
  EXPECT_EQ(ReadRecord(path, h, history).entries, 1);
}

TEST_F(RecordFile, MissingUnreadableAndEmptyFiles) {
  history.entries[1].Board[1][1] = 20;
  RecordHeader h{"keep", "keep", "keep"};
  RecordResult missing = ReadRecord(dir.file("none.棋譜"), h, history);
  EXPECT_EQ(missing.status, RecordStatus::CannotOpen);
  EXPECT_FALSE(missing.detail.empty());
  EXPECT_EQ(ReadRecord(dir.path().string(), h, history).status, RecordStatus::CannotOpen);
  // A device that never ends is refused instead of read forever.
  EXPECT_EQ(ReadRecord("/dev/zero", h, history).status, RecordStatus::CannotOpen);
  EXPECT_EQ(h.gameName, "keep");
  EXPECT_EQ(history.entries[1].Board[1][1], 20);

  for (std::string content :
       {std::string(), std::string("only a name\r\n"), std::string("a\r\nb\r\nc\r\n"),
        std::string("a\r\nb\r\nc\r\n\r\n\r\n")}) {
    WriteBytes(dir.file("empty.棋譜"), content);
    RecordResult r = ReadRecord(dir.file("empty.棋譜"), h, history);
    EXPECT_EQ(r.status, RecordStatus::NoEntries);
    EXPECT_EQ(r.entries, 0);
  }
  EXPECT_EQ(history.entries[1].Board[1][1], 20);
}

TEST_F(RecordFile, MoreEntriesThanTheHistoryHolds) {
  std::string bytes = "a\r\nb\r\nc\r\n";
  for (int k = 1; k <= 503; ++k) {
    HistoryEntry e;
    e.SitaBefore = k;
    bytes += FormatEntryLine(e) + "\r\n";
  }
  WriteBytes(dir.file("long.棋譜"), bytes);
  RecordHeader h;
  RecordResult r = ReadRecord(dir.file("long.棋譜"), h, history);
  EXPECT_EQ(r.status, RecordStatus::Truncated);
  EXPECT_EQ(r.entries, 500);
  EXPECT_NE(r.detail.find("503"), std::string::npos) << r.detail;
  EXPECT_EQ(history.entries[500].SitaBefore, 500);
  EXPECT_EQ(history.entries[1].SitaBefore, 1);
}

TEST_F(RecordFile, GarbageIsReadWithoutHarm) {
  std::string junk;
  for (int i = 0; i < 3000; ++i) junk += static_cast<char>((i * 131 + 7) % 256);
  std::string huge(200000, '9');
  std::string bytes = "\x81\xA0\x97\xE4\r\n嶺将棋\r\nok\x81\r\n" + junk + "\r\n" + huge + "\n";
  WriteBytes(dir.file("junk.棋譜"), bytes);
  RecordHeader h;
  RecordResult r = ReadRecord(dir.file("junk.棋譜"), h, history);
  ASSERT_TRUE(r.status == RecordStatus::Ok || r.status == RecordStatus::Truncated);
  EXPECT_GT(r.entries, 0);
  // Headers that are not CP932: UTF-8 kept, otherwise "?" for the bad bytes.
  EXPECT_EQ(h.upperName, "嶺将棋");
  EXPECT_EQ(h.lowerName, "ok?");
  for (int k = 1; k <= r.entries; ++k)
    for (int x = 1; x <= 10; ++x)
      for (int y = 1; y <= 10; ++y) {
        int c = history.entries[k].Board[x][y];
        EXPECT_TRUE(c == 0 || (Abs(c) >= 10 && Abs(c) <= 950)) << c;
      }
  for (int i = 1; i <= 9; ++i) EXPECT_LE(history.entries[r.entries].Hand[SITA][i], 9);
}

}  // namespace
}  // namespace qz
