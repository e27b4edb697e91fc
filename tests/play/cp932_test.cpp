#include "play/cp932.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace qz {
namespace {

TEST(Cp932, RoundTripOfKanjiKanaAndAscii) {
  const std::string text = "嶺将棋 対局名：ﾌｧｲﾙ名 １０ ABC-123";
  auto bytes = Utf8ToCp932(text);
  ASSERT_TRUE(bytes);
  // 嶺 is 0x97E4, half-width ﾌ a single byte 0xCC.
  EXPECT_EQ(bytes->substr(0, 2), "\x97\xE4");
  EXPECT_NE(bytes->find('\xCC'), std::string::npos);
  EXPECT_LT(bytes->size(), text.size());
  auto back = Cp932ToUtf8(*bytes);
  ASSERT_TRUE(back);
  EXPECT_EQ(*back, text);

  EXPECT_EQ(Utf8ToCp932(""), std::string());
  EXPECT_EQ(Cp932ToUtf8("plain"), std::string("plain"));
}

TEST(Cp932, TextCp932CannotHoldIsRefused) {
  EXPECT_FALSE(Utf8ToCp932("将棋\xF0\x9F\x98\x80"));  // an emoji
  EXPECT_FALSE(Utf8ToCp932("ok\xFF"));                // not UTF-8 at all
  EXPECT_FALSE(Utf8ToCp932("\xE5\xB6"));              // UTF-8 cut off
}

TEST(Cp932, InvalidBytesAreRefusedOrReplaced) {
  EXPECT_FALSE(Cp932ToUtf8("A\x81"));     // lead byte at the end
  EXPECT_FALSE(Cp932ToUtf8("\x81\x0A"));  // lead byte without a trail byte
  EXPECT_FALSE(Cp932ToUtf8("\xA0"));      // unassigned byte
  EXPECT_EQ(Cp932ToUtf8Lenient("A\x81"), "A?");
  EXPECT_EQ(Cp932ToUtf8Lenient("\xA0\x97\xE4!"), "?嶺!");
}

TEST(Cp932, GarbageNeverBreaksTheConverters) {
  std::uint32_t seed = 12345;
  for (int round = 0; round < 2000; ++round) {
    std::string junk;
    int n = static_cast<int>(seed % 40);
    for (int i = 0; i < n; ++i) {
      seed = seed * 1664525u + 1013904223u;
      junk += static_cast<char>(seed >> 24);
    }
    Utf8ToCp932(junk);
    auto decoded = Cp932ToUtf8(junk);
    std::string lenient = Cp932ToUtf8Lenient(junk);
    // Lenient decoding agrees with strict decoding when that succeeds, and
    // its result is always text CP932 could write again (up to the "?").
    if (decoded) {
      EXPECT_EQ(lenient, *decoded);
    }
    EXPECT_TRUE(Utf8ToCp932(lenient).has_value()) << round;
    seed = seed * 1664525u + 1013904223u;
  }
}

}  // namespace
}  // namespace qz
