// The game-script parser: what each step means, where errors are reported,
// and that no input can make it misbehave.
#include "script/script_parser.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>

#include "script/script_runner.h"
#include "shell/game.h"

namespace qz {
namespace {

ScriptStep One(const std::string& line) {
  const ScriptParseResult r = ParseScript(line);
  EXPECT_TRUE(r.ok) << line << " -> " << r.error;
  EXPECT_EQ(r.steps.size(), 1u) << line;
  return r.steps.empty() ? ScriptStep{} : r.steps.front();
}

std::string ErrorOf(const std::string& text) {
  const ScriptParseResult r = ParseScript(text);
  EXPECT_FALSE(r.ok) << text;
  EXPECT_TRUE(r.steps.empty());
  return r.error;
}

TEST(ScriptParser, MenusByNameOrCaption) {
  EXPECT_EQ(One("menu SENTE").name, "SENTE");
  EXPECT_EQ(One("menu 先手").name, "SENTE");
  EXPECT_EQ(One("menu △").name, "LBEL_UP");
  EXPECT_EQ(One("menu ▽").name, "LEBEL_DOWN");
  EXPECT_EQ(One("menu ｵﾌﾟｼｮﾝ").name, "OPEN_OPTION");
  EXPECT_EQ(One("menu OPTION").name, "OPEN_OPTION");
  EXPECT_EQ(One("menu バージョン情報").name, "VER");
  EXPECT_EQ(One("menu LEVEL1").kind, ScriptStep::Menu);
  EXPECT_EQ(One("menu LEVEL8").name, "LEVEL8");
  EXPECT_NE(ErrorOf("menu LEVEL9").find("unknown menu 'LEVEL9'"), std::string::npos);
  EXPECT_NE(ErrorOf("menu sente").find("unknown menu 'sente'"), std::string::npos);
  EXPECT_NE(ErrorOf("menu").find("needs a menu name"), std::string::npos);
  EXPECT_NE(ErrorOf("menu SENTE GOTE").find("one name"), std::string::npos);
}

TEST(ScriptParser, EveryMenuNameReachesOneGameCommand) {
  std::set<int> commands;
  for (const std::string& name : ScriptMenuNames()) {
    const auto command = ScriptMenuCommand(name);
    ASSERT_TRUE(command.has_value()) << name;
    commands.insert(static_cast<int>(*command));
    EXPECT_EQ(One("menu " + name).name, name);
  }
  EXPECT_EQ(commands.size(), ScriptMenuNames().size());
  EXPECT_EQ(commands.size(), static_cast<std::size_t>(MenuCommand::OPEN_OPTION) + 1);
}

TEST(ScriptParser, PressesByCellOrTwips) {
  ScriptStep s = One("press left 5 7");
  EXPECT_EQ(s.kind, ScriptStep::Press);
  EXPECT_EQ(s.button, 1);
  EXPECT_FALSE(s.twips);
  EXPECT_EQ(s.x, 5);
  EXPECT_EQ(s.y, 7);
  s = One("press right -1 9");
  EXPECT_EQ(s.button, 2);
  EXPECT_EQ(s.x, -1);
  s = One("press middle 1 1");
  EXPECT_EQ(s.button, 4);
  s = One("press left @4000,5000");
  EXPECT_TRUE(s.twips);
  EXPECT_EQ(s.x, 4000);
  EXPECT_EQ(s.y, 5000);
  s = One("press left @ 1299 , -20");
  EXPECT_EQ(s.x, 1299);
  EXPECT_EQ(s.y, -20);

  EXPECT_FALSE(ParseScript("press up 1 1").ok);
  EXPECT_FALSE(ParseScript("press left 1").ok);
  EXPECT_FALSE(ParseScript("press left 1 2 3").ok);
  EXPECT_FALSE(ParseScript("press left 1.5 2").ok);
  EXPECT_FALSE(ParseScript("press left @4000").ok);
  EXPECT_FALSE(ParseScript("press left @4000,x").ok);
  EXPECT_FALSE(ParseScript("press left 101 1").ok);
  EXPECT_FALSE(ParseScript("press left @99999999999,1").ok);
}

TEST(ScriptParser, AnswersAndVersionChoicesQueueInOrder) {
  ScriptStep s = One("answer no yes no");
  EXPECT_EQ(s.kind, ScriptStep::Answer);
  EXPECT_EQ(s.answers, (std::vector<bool>{false, true, false}));
  s = One("version homepage ok");
  EXPECT_EQ(s.kind, ScriptStep::Version);
  EXPECT_EQ(s.answers, (std::vector<bool>{true, false}));
  EXPECT_FALSE(ParseScript("answer").ok);
  EXPECT_FALSE(ParseScript("answer maybe").ok);
  EXPECT_FALSE(ParseScript("version yes").ok);
}

TEST(ScriptParser, TypedTextQuotedOrBare) {
  ScriptStep s = One("type 1 \"対局 #1\"");
  EXPECT_EQ(s.kind, ScriptStep::Type);
  EXPECT_EQ(s.box, 1);
  EXPECT_EQ(s.text, "対局 #1");  // '#' inside quotes is text
  s = One("type sente 山田 太郎   # the first player");
  EXPECT_EQ(s.box, 3);
  EXPECT_EQ(s.text, "山田 太郎");
  s = One("type 後手 \"say \\\"hi\\\" \\\\ bye\"");
  EXPECT_EQ(s.box, 4);
  EXPECT_EQ(s.text, "say \"hi\" \\ bye");
  s = One("type game \"\"");
  EXPECT_EQ(s.box, 2);
  EXPECT_EQ(s.text, "");

  EXPECT_NE(ErrorOf("type 5 x").find("needs a box"), std::string::npos);
  EXPECT_NE(ErrorOf("type 1 \"open").find("unterminated"), std::string::npos);
  EXPECT_NE(ErrorOf("type 1 \"a\" b").find("after the closing quote"), std::string::npos);
}

TEST(ScriptParser, PanelSteps) {
  EXPECT_EQ(One("drive /").kind, ScriptStep::Drive);
  ScriptStep s = One("dir \"my games\"");
  EXPECT_EQ(s.kind, ScriptStep::Dir);
  EXPECT_EQ(s.text, "my games");
  s = One("file 名局.棋譜");
  EXPECT_EQ(s.kind, ScriptStep::File);
  EXPECT_EQ(s.text, "名局.棋譜");
  EXPECT_EQ(One("return").kind, ScriptStep::Return);
  EXPECT_EQ(One("notready /media/cd").text, "/media/cd");
  EXPECT_FALSE(ParseScript("file").ok);
  EXPECT_FALSE(ParseScript("file \"\"").ok);
  EXPECT_FALSE(ParseScript("return now").ok);
}

TEST(ScriptParser, TimeSteps) {
  EXPECT_EQ(One("tick").count, 1);
  EXPECT_EQ(One("tick 20").count, 20);
  EXPECT_DOUBLE_EQ(One("wait 2.5").seconds, 2.5);
  EXPECT_DOUBLE_EQ(One("wait 0").seconds, 0);
  EXPECT_DOUBLE_EQ(One("time 23:59:58").seconds, 86398);
  EXPECT_DOUBLE_EQ(One("time 00:00:03.25").seconds, 3.25);

  for (const char* bad :
       {"tick 0", "tick -1", "tick 72001", "tick x", "wait", "wait -1", "wait inf", "wait nan",
        "wait 1e3", "wait 86401", "wait 1.2.3", "time 24:00:00", "time 10:60:00", "time 10:00:60",
        "time 10:00", "time :00:00", "time 10::00"}) {
    EXPECT_FALSE(ParseScript(bad).ok) << bad;
  }
}

TEST(ScriptParser, KeysCloseShowBrowserEcho) {
  EXPECT_EQ(One("key esc").count, 27);
  EXPECT_EQ(One("key 27").count, 27);
  EXPECT_EQ(One("key a").count, 'a');
  EXPECT_EQ(One("key enter").count, 13);
  EXPECT_FALSE(ParseScript("key 256").ok);
  EXPECT_FALSE(ParseScript("key 歩").ok);
  EXPECT_EQ(One("close").kind, ScriptStep::Close);

  ScriptStep s = One("show board flags");
  EXPECT_EQ(s.items, (std::vector<std::string>{"board", "flags"}));
  s = One("show all");
  EXPECT_EQ(s.items.size(), 8u);  // everything but the paint trace and the move list
  EXPECT_EQ(One("show moves board").items, (std::vector<std::string>{"moves", "board"}));
  EXPECT_NE(ErrorOf("show mvoes").find("cannot show 'mvoes'"), std::string::npos);
  EXPECT_FALSE(ParseScript("show").ok);

  EXPECT_FALSE(One("browser off").on);
  EXPECT_TRUE(One("browser on").on);
  EXPECT_FALSE(ParseScript("browser maybe").ok);
  EXPECT_EQ(One("echo == a game # of two ==").text, "== a game");
}

TEST(ScriptParser, CommentsBlanksAndLineEnds) {
  const ScriptParseResult r = ParseScript(
      "\xEF\xBB\xBF# a whole comment\r\n"
      "\r\n"
      "   menu START   # start\r\n"
      "\t\n"
      "press left 5 8#no blank before the hash: not a comment\n"
      "tick");
  // The press line keeps its hash, which makes it a bad cell.
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.errorLine, 5);

  const ScriptParseResult good =
      ParseScript("# comment\r\n\r\n   menu START   # start\r\n\t\ntick");
  ASSERT_TRUE(good.ok) << good.error;
  ASSERT_EQ(good.steps.size(), 2u);
  EXPECT_EQ(good.steps[0].line, 3);
  EXPECT_EQ(good.steps[0].source, "menu START");
  EXPECT_EQ(good.steps[1].line, 5);
  EXPECT_TRUE(ParseScript("").ok);
  EXPECT_TRUE(ParseScript("\n\n# only comments\n").steps.empty());
}

TEST(ScriptParser, ErrorsNameTheLine) {
  const ScriptParseResult r = ParseScript("menu SENTE\n\n# fine so far\nfly away\nmenu GOTE\n");
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.errorLine, 4);
  EXPECT_EQ(r.error, "line 4: unknown command 'fly'");
  EXPECT_EQ(ParseScript("tick\ntick\r\ntick 0").errorLine, 3);
}

TEST(ScriptParser, SurvivesArbitraryBytes) {
  std::mt19937 rng(12345);
  const std::string alphabet = "menu press left right @,0123456789-.:\"\\#\r\n\t show tick 先手";
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    const int length = static_cast<int>(rng() % 200);
    for (int i = 0; i < length; ++i) {
      text.push_back(round % 2 == 0 ? alphabet[rng() % alphabet.size()]
                                    : static_cast<char>(rng() % 256));
    }
    const ScriptParseResult r = ParseScript(text);
    std::size_t lines = 1;
    for (char c : text) lines += c == '\n';
    EXPECT_LE(r.steps.size(), lines);
    if (!r.ok) {
      EXPECT_GE(r.errorLine, 1);
      EXPECT_LE(static_cast<std::size_t>(r.errorLine), lines);
    }
  }
  // A very long line and a line of quotes and backslashes.
  EXPECT_FALSE(ParseScript(std::string(1 << 20, 'x')).ok);
  EXPECT_FALSE(ParseScript("type 1 \"" + std::string(100000, '\\')).ok);
}

}  // namespace
}  // namespace qz
