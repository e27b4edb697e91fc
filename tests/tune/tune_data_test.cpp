// The file of tuning positions: what is written is read back, and a file
// that is not whole or holds no positions is refused with a message.
#include "tune/tune_data.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tune/generate.h"
#include "tune_positions.h"

namespace qz::tune {
namespace {

std::string TempPath(const char* name) {
  return (std::string(::testing::TempDir()) + "qz_tune_" + name);
}

std::string Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Put(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<Sample> SomeSamples() {
  std::vector<Sample> out;
  int i = 0;
  for (const FastPosition& pos : RandomGamePositions(3, 2))
    out.push_back(SampleOf(pos, i % 3, (i * 37) % 4001 - 2000)), ++i;
  return out;
}

TEST(TuneData, WrittenSamplesReadBackEqual) {
  const std::vector<Sample> samples = SomeSamples();
  ASSERT_GT(samples.size(), 50u);
  const std::string path = TempPath("round.bin");
  std::string problem;
  ASSERT_TRUE(WriteSamples(path, samples, problem)) << problem;
  std::vector<Sample> read(1);  // appended after what is there
  ASSERT_TRUE(ReadSamples(path, read, problem)) << problem;
  ASSERT_EQ(read.size(), samples.size() + 1);
  for (std::size_t i = 0; i < samples.size(); ++i) {
    const Sample &a = samples[i], &b = read[i + 1];
    EXPECT_EQ(std::memcmp(a.board, b.board, sizeof a.board), 0) << i;
    EXPECT_EQ(std::memcmp(a.hand, b.hand, sizeof a.hand), 0) << i;
    EXPECT_EQ(a.side, b.side);
    EXPECT_EQ(a.result, b.result);
    EXPECT_EQ(a.score, b.score);
  }
  // And the game's form of a sample is the position it came from.
  const FastPosition original = RandomGamePositions(3, 2)[7];
  Position pos;
  Side side;
  ASSERT_TRUE(ToPosition(read[8], pos, side, problem)) << problem;
  FastPosition again;
  again.Set(pos, side);
  EXPECT_EQ(again.key(), original.key());
  std::remove(path.c_str());
}

TEST(TuneData, BrokenFilesAreRefusedWithAMessage) {
  const std::vector<Sample> samples = SomeSamples();
  const std::string good = TempPath("good.bin"), bad = TempPath("bad.bin");
  std::string problem;
  ASSERT_TRUE(WriteSamples(good, samples, problem));
  const std::string bytes = Bytes(good);
  const std::size_t header = 9 + 8;
  auto refused = [&](const std::string& content, const char* what) {
    Put(bad, content);
    std::vector<Sample> out(2);
    std::string message;
    EXPECT_FALSE(ReadSamples(bad, out, message)) << what;
    EXPECT_FALSE(message.empty()) << what;
    EXPECT_EQ(out.size(), 2u) << what;
  };
  refused("", "empty");
  refused("QZTUNE 2\n" + bytes.substr(9), "another version");
  refused(bytes.substr(0, bytes.size() - 5), "cut short");
  refused(bytes + "x", "trailing bytes");
  std::string count = bytes;
  count[9] = static_cast<char>(0xFF), count[16] = 0x7F;  // a count far beyond the file
  refused(count, "a count beyond the file");
  std::string piece = bytes;
  piece[header + kRecordBytes + 44] = 0x3F;  // no kind 31
  refused(piece, "a byte that is no piece");
  std::string kingless = bytes;
  for (int i = 0; i < 100; ++i)
    if ((kingless[header + i] & 0x1F) == King) kingless[header + i] = 0;
  refused(kingless, "no kings");
  std::string hand = bytes;
  hand[header + 100 + 3] = 40;  // more than a hand holds
  refused(hand, "a full hand");
  std::string result = bytes;
  result[header + 119] = 3;
  refused(result, "a result beyond a win");
  std::vector<Sample> none;
  EXPECT_FALSE(ReadSamples(TempPath("missing.bin"), none, problem));
  std::remove(good.c_str());
  std::remove(bad.c_str());
}

TEST(TuneQuiet, TheQuietEndOfACaptureLineIsQuietAndTakenBack) {
  const search::Evaluator eval;
  std::vector<Move> scratch(kQuietScratch);
  int quiet = 0, lines = 0;
  for (FastPosition pos : RandomGamePositions(4, 11)) {
    pos.SetTable(&eval.table());
    const std::uint64_t key = pos.key();
    CaptureLine line;
    const bool wasQuiet = IsQuiet(pos, eval, scratch.data());
    if (ToQuietLeaf(pos, eval, scratch.data(), line)) {
      EXPECT_TRUE(IsQuiet(pos, eval, scratch.data()));
      EXPECT_EQ(line.length == 0, wasQuiet);
      quiet += line.length == 0;
      lines += line.length > 0;
    }
    TakeBack(pos, line);
    EXPECT_EQ(pos.key(), key);
    EXPECT_EQ(pos.incremental(), pos.ComputeIncremental());
  }
  EXPECT_GT(quiet, 10);
  EXPECT_GT(lines, 10);
}

}  // namespace
}  // namespace qz::tune

namespace qz::tune {
namespace {

// A short self-play on two threads: every game counted once, every kept
// position a quiet one of a real game, its score within the kept band.
TEST(TuneGenerate, KeepsQuietPositionsOfEveryGame) {
  GenerateSettings s;
  s.games = 4;
  s.nodes = 300;
  s.threads = 2;
  s.maxPlies = 120;
  std::vector<Sample> samples;
  const GenerateReport r = Generate(s, samples);
  EXPECT_EQ(r.games, 4);
  EXPECT_EQ(r.lowerWins + r.upperWins + r.unfinished, 4);
  ASSERT_GT(samples.size(), 20u);
  const search::Evaluator eval;
  std::vector<Move> scratch(kQuietScratch);
  for (const Sample& sample : samples) {
    Position pos;
    Side side;
    std::string problem;
    ASSERT_TRUE(ToPosition(sample, pos, side, problem)) << problem;
    FastPosition fast;
    fast.Set(pos, side);
    fast.SetTable(&eval.table());
    EXPECT_TRUE(IsQuiet(fast, eval, scratch.data()));
    EXPECT_LE(std::abs(sample.score), s.maxScore);
  }
}

}  // namespace
}  // namespace qz::tune
