#include "play/notation.h"

#include <gtest/gtest.h>

#include <climits>

namespace qz {
namespace {

TEST(Notation, Numerals) {
  EXPECT_EQ(文字列変換(2001), "１");
  EXPECT_EQ(文字列変換(2007), "７");
  EXPECT_EQ(文字列変換(2009), "９");
  EXPECT_EQ(文字列変換(2010), "10");  // two ordinary digits
  EXPECT_EQ(文字列変換(1001), "一");
  EXPECT_EQ(文字列変換(1003), "三");
  EXPECT_EQ(文字列変換(1010), "十");
  for (int code : {2000, 2011, 1000, 1011, 0, 1, -2005, INT_MIN, INT_MAX})
    EXPECT_EQ(文字列変換(code), "") << code;
}

TEST(Notation, PieceNamesIgnoreTheSide) {
  const std::pair<PieceCode, const char*> names[] = {
      {10, "歩"},    {11, "と"},  {20, "香"},    {21, "香成"}, {30, "桂"},  {31, "桂成"},
      {40, "嶺"},    {100, "銀"}, {101, "銀成"}, {110, "金"},  {210, "銅"}, {800, "角"},
      {801, "角成"}, {900, "飛"}, {901, "飛成"}, {950, "王"}};
  for (auto [code, name] : names) {
    EXPECT_EQ(文字列変換(code), name) << code;
    EXPECT_EQ(文字列変換(-code), name) << -code;
  }
  // Promoted 嶺 and 銅 have no name; a promoted gold does not exist.
  for (int code : {41, -41, 211, -211, 111, -111, 951}) EXPECT_EQ(文字列変換(code), "") << code;
}

TEST(Notation, TextsOfMoveCountFilesFromTheRight) {
  MoveTexts pawn = TextsOfMove(4, 3, -10);
  EXPECT_EQ(pawn.file, "７");
  EXPECT_EQ(pawn.rank, "三");
  EXPECT_EQ(pawn.name, "歩");

  MoveTexts left = TextsOfMove(1, 10, 801);
  EXPECT_EQ(left.file, "10");
  EXPECT_EQ(left.rank, "十");
  EXPECT_EQ(left.name, "角成");

  MoveTexts right = TextsOfMove(10, 1, 41);
  EXPECT_EQ(right.file, "１");
  EXPECT_EQ(right.rank, "一");
  EXPECT_EQ(right.name, "");

  // No moved piece found: no square and no code print nothing.
  MoveTexts none = TextsOfMove(0, 0, 0);
  EXPECT_EQ(none.file + none.rank + none.name, "");
}

}  // namespace
}  // namespace qz
