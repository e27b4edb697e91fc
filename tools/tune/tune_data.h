// The positions the evaluation is fitted on: quiet positions of self-play
// games with the game's result and the search's score, and the file that
// holds them ("QZTUNE 1\n", the count as 8 bytes little end first, then
// kRecordBytes a position).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/fast_position.h"
#include "model/position.h"

namespace qz::tune {

struct Sample {
  std::uint8_t board[100] = {};   // the fast position's piece bytes, squares by IndexOf
  std::uint8_t hand[2][10] = {};  // by side and hand kind 1..9
  std::uint8_t side = 0;          // to move
  std::uint8_t result = 1;        // for the lower army: 0 lost, 1 drawn or unfinished, 2 won
  std::int16_t score = 0;         // the search's, from the lower army's view
};

constexpr int kRecordBytes = 100 + 18 + 1 + 1 + 2;

Sample SampleOf(const FastPosition& pos, int result, int score);
// The game's form of the sample; false, with the problem, when its bytes do
// not make a position with both kings.
bool ToPosition(const Sample& sample, Position& pos, Side& toMove, std::string& problem);

bool WriteSamples(const std::string& path, const std::vector<Sample>& samples,
                  std::string& problem);
// Appends the file's samples; false, with the problem (and out as it was),
// when the file is missing, not of this kind, cut short or holds a
// position that is not one.
bool ReadSamples(const std::string& path, std::vector<Sample>& out, std::string& problem);

}  // namespace qz::tune
