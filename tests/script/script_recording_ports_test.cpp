// The recording ports: what the canvas counts as visible, the scripted
// answers, the sound library's bookkeeping, the fake clock and browser, and
// how the transcript reads captions off the canvas.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "script/recording_ports.h"
#include "script/transcript_ports.h"
#include "script/transcript_views.h"
#include "shell/grid.h"

namespace qz {
namespace {

double Tx(double x) { return grid::TwipsX(x); }
double Ty(double y) { return grid::TwipsY(y); }

std::vector<std::string> Texts(const RecordingCanvas& c) {
  std::vector<std::string> v;
  for (const auto& t : c.shownTexts) v.push_back(t.text);
  return v;
}

TEST(RecordingCanvas, PictureHidesTextsWhoseCornerItCovers) {
  RecordingCanvas c;
  c.drawText("corner", Tx(3), Ty(4), 12, true, 15);              // on the corner: covered
  c.drawText("inside", Tx(3) + 614, Ty(4) + 689, 12, true, 15);  // last twip: covered
  c.drawText("right", Tx(4), Ty(4) + 10, 12, true, 15);          // next cell: stays
  c.drawText("below", Tx(3) + 10, Ty(5), 12, true, 15);          // next row: stays
  c.drawText("left", Tx(3) - 1, Ty(4) + 10, 12, true, 15);       // one twip left: stays
  c.drawPicture(2, Tx(3), Ty(4));
  EXPECT_EQ(Texts(c), (std::vector<std::string>{"right", "below", "left"}));
  // Text whose corner is elsewhere survives even if it would overlap the picture.
  c.drawText("overlaps", Tx(3) - 100, Ty(4) + 100, 12, true, 15);
  c.drawPicture(0, Tx(3), Ty(4));
  EXPECT_EQ(Texts(c), (std::vector<std::string>{"right", "below", "left", "overlaps"}));
}

TEST(RecordingCanvas, RemembersLastPictureAndOutlinePerCorner) {
  RecordingCanvas c;
  c.drawPicture(-10, Tx(5), Ty(7));
  c.drawPicture(0, Tx(5), Ty(7));
  c.drawOutline(12, Tx(5), Ty(7), grid::CellWidth, grid::CellHeight);
  c.drawOutline(2, Tx(5), Ty(7), grid::CellWidth, grid::CellHeight);
  c.drawOutline(15, Tx(6), Ty(7), grid::CellWidth, grid::CellHeight);
  EXPECT_EQ(c.pictureAt.at({std::lround(Tx(5)), std::lround(Ty(7))}), 0);
  EXPECT_EQ(c.outlineAt.at({std::lround(Tx(5)), std::lround(Ty(7))}), 2);
  EXPECT_EQ(c.outlineAt.at({std::lround(Tx(6)), std::lround(Ty(7))}), 15);
  ASSERT_EQ(c.ops.size(), 5u);
  EXPECT_EQ(c.ops[2].kind, PaintOp::Outline);
  EXPECT_EQ(c.ops[2].colour, 12);

  // Without the trace the visible state is still kept.
  c.recordOps = false;
  c.clearOps();
  c.drawText("x", Tx(1), Ty(1), 10, false, 0);
  c.drawPicture(3, Tx(1), Ty(1));
  c.refresh();
  EXPECT_TRUE(c.ops.empty());
  EXPECT_TRUE(c.shownTexts.empty());
  EXPECT_EQ(c.pictureAt.at({std::lround(Tx(1)), std::lround(Ty(1))}), 3);
}

TEST(RecordingCanvas, TextsInAreaInPaintingOrder) {
  RecordingCanvas c;
  c.drawText("b", Tx(14.5), Ty(4.5), 12, true, 0);
  c.drawText("a", Tx(14.4), Ty(4.4), 12, true, 15);
  c.drawText("out", Tx(17), Ty(4.4), 12, true, 15);
  const auto in = c.textsIn(Tx(14), Ty(4), Tx(17), Ty(5));
  ASSERT_EQ(in.size(), 2u);
  EXPECT_EQ(in[0].text, "b");
  EXPECT_EQ(in[1].text, "a");
  EXPECT_EQ(in[1].colour, 15);
}

TEST(TranscriptCaptions, ShowOnlyTheMainCopyOfEachShadowedText) {
  RecordingCanvas c;
  const CaptionArea moveNumber{"move number", 14, 15, 5};
  // Move 9: number and suffix, shadow first. The suffix's shadow lies right
  // of the tile that later erases the number, so it is never painted over.
  c.drawText(" 9 ", Tx(14.3), Ty(5.4), 12, true, 0);
  c.drawText(" 9 ", Tx(14.2), Ty(5.3), 12, true, 15);
  c.drawText("手目", Tx(14.9) + 120, Ty(5.2) + 160, 10, true, 0);
  c.drawText("手目", Tx(14.8) + 120, Ty(5.1) + 160, 10, true, 15);
  EXPECT_EQ(VisibleCaptionTexts(c, moveNumber), (std::vector<std::string>{" 9 ", "手目"}));

  // Move 10: the tile at (14, 5) hides the old number and the suffix itself.
  c.drawPicture(3, Tx(14), Ty(5));
  c.drawText(" 10 ", Tx(14.2), Ty(5.4), 12, true, 0);
  c.drawText(" 10 ", Tx(14.1), Ty(5.3), 12, true, 15);
  c.drawText("手目", Tx(14.9) + 120, Ty(5.2) + 160, 10, true, 0);
  c.drawText("手目", Tx(14.8) + 120, Ty(5.1) + 160, 10, true, 15);
  EXPECT_EQ(VisibleCaptionTexts(c, moveNumber), (std::vector<std::string>{" 10 ", "手目"}));

  // A lone shadow (its main copy painted over) still shows: it is visible.
  c.drawPicture(3, Tx(14), Ty(5));
  EXPECT_EQ(VisibleCaptionTexts(c, moveNumber), (std::vector<std::string>{"手目"}));

  std::ostringstream out;
  ShowCaptions(c, out);
  EXPECT_NE(out.str().find("caption move number: \"手目\"\n"), std::string::npos);
  EXPECT_NE(out.str().find("caption level:\n"), std::string::npos);
}

TEST(TranscriptCaptions, AreasFollowTheLayout) {
  RecordingCanvas c;
  c.drawText("LEVEL", Tx(-1.4), Ty(0.2), 10, true, 0);
  c.drawText("LEVEL", Tx(-1.5), Ty(0.1), 10, true, 15);
  c.drawText(" 3 ", Tx(0.1), Ty(0.1), 12, true, 0);
  c.drawText(" 3 ", Tx(0), Ty(0), 12, true, 15);
  c.drawText("00:00:07", Tx(14.1), Ty(11.3), 12, true, 0);
  c.drawText("00:00:07", Tx(14), Ty(11.2), 12, true, 15);
  c.drawText("思考中", Tx(-1.5), Ty(10.5), 12, true, 0);
  c.drawText("思考中", Tx(-1.6), Ty(10.4), 12, true, 15);
  std::ostringstream out;
  ShowCaptions(c, out);
  EXPECT_EQ(out.str(),
            "caption upper clock:\n"
            "caption lower clock: \"00:00:07\"\n"
            "caption upper last move: \"思考中\"\n"
            "caption lower last move:\n"
            "caption move number:\n"
            "caption handicap:\n"
            "caption level: \"LEVEL\" \" 3 \"\n");
}

TEST(TranscriptViews, CellCoordinatesAndTimes) {
  EXPECT_EQ(CellCoordinate(Tx(5), false), "5");
  EXPECT_EQ(CellCoordinate(Tx(-1.6), false), "-1.6");
  EXPECT_EQ(CellCoordinate(Ty(11.2), true), "11.2");
  EXPECT_EQ(CellCoordinate(Tx(14) + 120, false), "14.195");
  EXPECT_EQ(CellCoordinate(Tx(0), false), "0");
  EXPECT_EQ(TimeOfDayText(36000), "10:00:00.00");
  EXPECT_EQ(TimeOfDayText(86399.5), "23:59:59.50");
  EXPECT_EQ(TimeOfDayText(36000.0 + 2.6), "10:00:02.60");
  EXPECT_EQ(TimeOfDayText(static_cast<float>(36002.6)), "10:00:02.60");
}

TEST(TranscriptViews, PaintTraceEmptiesItself) {
  RecordingCanvas c;
  c.drawPicture(-950, Tx(5), Ty(10));
  c.drawOutline(12, Tx(5), Ty(10), grid::CellWidth, grid::CellHeight);
  c.drawText("思考中", Tx(-1.6), Ty(10.4), 12, true, 15);
  c.refresh();
  std::ostringstream out;
  ShowPaint(c, out);
  EXPECT_EQ(out.str(),
            "paint picture -950 at 5,10\n"
            "paint outline 12 at 5,10\n"
            "paint text \"思考中\" size 12 bold colour 15 at -1.6,10.4\n"
            "paint refresh\n");
  std::ostringstream again;
  ShowPaint(c, again);
  EXPECT_EQ(again.str(), "");
}

TEST(RecordingDialogs, AnswersFromTheQueueThenYesAndOk) {
  RecordingDialogs d;
  d.answers = {false, true};
  d.versionChoices = {VersionChoice::HomePage};
  EXPECT_FALSE(d.askYesNo("棋譜", "q1"));
  EXPECT_TRUE(d.askYesNo("棋譜", "q2"));
  EXPECT_TRUE(d.askYesNo("棋譜", "q3"));
  EXPECT_EQ(d.versionBox(), VersionChoice::HomePage);
  EXPECT_EQ(d.versionBox(), VersionChoice::Ok);
  d.message("QZ嶺将棋.dll", "no device", MessageIcon::Warning);
  ASSERT_EQ(d.shown.size(), 6u);
  EXPECT_FALSE(d.shown[0].answer);
  EXPECT_EQ(d.shown[2].text, "q3");
  EXPECT_EQ(d.shown[3].kind, RecordingDialogs::Shown::Version);
  EXPECT_EQ(d.shown[3].choice, VersionChoice::HomePage);
  EXPECT_EQ(d.shown[5].icon, MessageIcon::Warning);
}

TEST(RecordingSound, BuffersCallsAndMissingDevice) {
  RecordingSound s;
  const auto sys = s.dsInitialize(1);
  ASSERT_NE(sys, 0);
  const std::string wave = "RIFF....WAVE";
  const auto a = s.dsCreateDSB(sys, wave.data(), wave.size(), 3);
  const auto b = s.dsCreateDSB(sys, "xy", 2, 1);
  EXPECT_NE(a, 0);
  EXPECT_NE(a, b);
  EXPECT_EQ(s.bufferData[a], wave);
  EXPECT_EQ(s.bufferFlags[b], 1);
  s.dsPlay(0);
  s.dsPlayLooping(b);
  EXPECT_TRUE(s.looping[b]);
  s.dsStop(b);
  EXPECT_FALSE(s.looping.count(b));
  s.dsFree(a);
  EXPECT_FALSE(s.bufferData.count(a));
  s.dsTerminate(sys);
  std::vector<std::string> ops;
  for (const auto& c : s.calls) ops.push_back(c.op + " " + std::to_string(c.handle == 0 ? 0 : 1));
  EXPECT_EQ(ops, (std::vector<std::string>{"initialize 0", "create 1", "create 1", "play 0",
                                           "loop 1", "stop 1", "free 1", "terminate 1"}));

  RecordingSound none;
  none.deviceAvailable = false;
  EXPECT_EQ(none.dsInitialize(1), 0);
  EXPECT_EQ(none.dsCreateDSB(0, wave.data(), wave.size(), 3), 0);
  EXPECT_TRUE(none.bufferData.empty());
}

TEST(TranscriptSound, NamesTheWaveAndKeepsSilenceSilent) {
  std::ostringstream out;
  RecordingCanvas canvas;
  TranscriptLog log(out, canvas);
  TranscriptSound s(log);
  s.dsPlay(0);
  s.dsPlayLooping(0);
  s.dsStop(0);
  EXPECT_EQ(out.str(), "");
  EXPECT_EQ(s.calls.size(), 3u);  // still recorded
  s.dsPlay(7);
  EXPECT_EQ(out.str(), "sound #7\n");  // a handle the game does not hold
}

TEST(TranscriptDialogs, OneLinePerBox) {
  std::ostringstream out;
  RecordingCanvas canvas;
  TranscriptLog log(out, canvas);
  TranscriptDialogs d(log);
  d.answers = {false};
  d.message("ﾊﾝﾃﾞｨｷｬｯﾌﾟ設定", "対局途中ではできません\r\r局面→最初にして下さい", MessageIcon::None);
  d.askYesNo("棋譜", "棋譜を '進 'で進めて下さい");
  d.versionBox();
  EXPECT_EQ(out.str(),
            "message ﾊﾝﾃﾞｨｷｬｯﾌﾟ設定 | 対局途中ではできません\\r\\r局面→最初にして下さい\n"
            "question 棋譜 | 棋譜を '進 'で進めて下さい -> no\n"
            "version -> ok\n");
}

TEST(FakeTime, AdvancesAndWrapsAtMidnight) {
  FakeTime t;
  t.now = 86399.0;
  t.advance(3.5);
  EXPECT_DOUBLE_EQ(t.now, 2.5);
  t.advance(-5);
  EXPECT_DOUBLE_EQ(t.now, 86397.5);
  t.step = 0.25;
  t.waitBriefly();
  EXPECT_DOUBLE_EQ(t.now, 86397.75);
}

TEST(RecordingBrowser, BusyForTheGivenPollsAfterEachNavigation) {
  RecordingBrowser b;
  b.busyPolls = 2;
  EXPECT_TRUE(b.create());
  EXPECT_TRUE(b.navigate("/w/QZ嶺将棋.htm"));
  EXPECT_TRUE(b.busy());
  EXPECT_TRUE(b.busy());
  EXPECT_FALSE(b.busy());
  EXPECT_TRUE(b.navigate("x"));
  EXPECT_TRUE(b.busy());
  EXPECT_EQ(b.addresses, (std::vector<std::string>{"/w/QZ嶺将棋.htm", "x"}));
  b.available = false;
  EXPECT_FALSE(b.create());
}

TEST(RecordingPanel, DrivesThatAreNotReadyKeepThePath) {
  RecordingPanel p;
  p.notReadyDrives = {"/media/cd"};
  EXPECT_TRUE(p.setDirectoryPath("/home"));
  EXPECT_FALSE(p.setDirectoryPath("/media/cd/games"));
  EXPECT_EQ(p.directoryPath(), "/home");
  p.setText(1, "名前");
  p.setText(0, "ignored");
  p.setText(5, "ignored");
  EXPECT_EQ(p.text(1), "名前");
  EXPECT_EQ(p.text(0), "");
  EXPECT_EQ(p.text(5), "");
}

TEST(TranscriptLog, TellsEachNewLastMoveTextOnceBeforeTheNextLine) {
  std::ostringstream out;
  RecordingCanvas c;
  TranscriptLog log(out, c);
  auto printMove = [&](double bx, double by, const char* file, const char* rank, const char* name) {
    for (int x = 14; x <= 16; ++x) c.drawPicture(3, Tx(bx < 0 ? x - 16 : x), Ty(by < 5 ? 4 : 10));
    c.drawText(file, Tx(bx), Ty(by), 12, true, 0);
    c.drawText(file, Tx(bx - 0.1), Ty(by - 0.1), 12, true, 15);
    c.drawText(rank, Tx(bx + 0.4), Ty(by), 12, true, 0);
    c.drawText(rank, Tx(bx + 0.3), Ty(by - 0.1), 12, true, 15);
    c.drawText(name, Tx(bx + 1.0), Ty(by), 12, true, 0);
    c.drawText(name, Tx(bx + 0.9), Ty(by - 0.1), 12, true, 15);
  };
  printMove(14.5, 4.5, "７", "三", "歩");
  log.line("sound 駒打音.wav");
  log.line("sound 駒打音.wav");
  // The computer's area: erased, then the same words as before printed again.
  printMove(-1.5, 10.5, "４", "二", "王");
  log.noticeNewTexts();
  for (int x = -2; x <= 0; ++x) c.drawPicture(3, Tx(x), Ty(10));
  log.line("message  |    ** 王手 **");
  printMove(-1.5, 10.5, "４", "二", "王");
  log.noticeNewTexts();
  log.noticeNewTexts();
  EXPECT_EQ(out.str(),
            "seen lower last move: ７三歩\n"
            "sound 駒打音.wav\n"
            "sound 駒打音.wav\n"
            "seen upper last move: ４二王\n"
            "message  |    ** 王手 **\n"
            "seen upper last move: ４二王\n");
}

}  // namespace
}  // namespace qz
