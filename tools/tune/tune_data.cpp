#include "tune/tune_data.h"

#include <cstdio>
#include <cstring>
#include <memory>

namespace qz::tune {

namespace {

constexpr char kMagic[] = "QZTUNE 1\n";
constexpr std::size_t kMagicBytes = sizeof kMagic - 1;
constexpr std::size_t kHeaderBytes = kMagicBytes + 8;

// The game's code of a fast piece byte, or 0 when the byte is no piece.
PieceCode CodeOf(std::uint8_t p) {
  const int side = p & 0x60;
  const int kind = p & 0x1F;
  if ((side != 0x20 && side != 0x40) || (p & 0x80) != 0) return 0;
  PieceCode code;
  if (kind >= Pawn && kind <= Rook)
    code = HandKindCode[kind];
  else if (kind == King)
    code = OU;
  else if (kind > King && kind < KindCount && kind != 16)
    code = HandKindCode[kind - 10] + 1;
  else
    return 0;
  return side == 0x20 ? -code : code;
}

void Pack(const Sample& s, unsigned char* out) {
  std::memcpy(out, s.board, 100);
  for (int side = 0; side < 2; ++side) std::memcpy(out + 100 + side * 9, &s.hand[side][1], 9);
  out[118] = s.side;
  out[119] = s.result;
  const auto score = static_cast<std::uint16_t>(s.score);
  out[120] = static_cast<unsigned char>(score & 0xFF);
  out[121] = static_cast<unsigned char>(score >> 8);
}

Sample Unpack(const unsigned char* in) {
  Sample s;
  std::memcpy(s.board, in, 100);
  for (int side = 0; side < 2; ++side) std::memcpy(&s.hand[side][1], in + 100 + side * 9, 9);
  s.side = in[118];
  s.result = in[119];
  s.score = static_cast<std::int16_t>(static_cast<std::uint16_t>(in[120] | in[121] << 8));
  return s;
}

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

Sample SampleOf(const FastPosition& pos, int result, int score) {
  Sample s;
  for (int i = 0; i < 100; ++i) s.board[i] = pos.at(SqOfIndex(i));
  for (const Side side : {SITA, UE})
    for (int kind = 1; kind <= HandKinds; ++kind)
      s.hand[side][kind] = static_cast<std::uint8_t>(pos.hand(side, kind));
  s.side = static_cast<std::uint8_t>(pos.sideToMove());
  s.result = static_cast<std::uint8_t>(result);
  s.score = static_cast<std::int16_t>(score);
  return s;
}

bool ToPosition(const Sample& sample, Position& pos, Side& toMove, std::string& problem) {
  pos = Position{};
  int kings[2] = {};
  for (int i = 0; i < 100; ++i) {
    const std::uint8_t p = sample.board[i];
    if (p == 0) continue;
    const PieceCode code = CodeOf(p);
    if (code == 0) {
      problem = "a square holds byte " + std::to_string(p) + ", which is no piece";
      return false;
    }
    if (Abs(code) == OU) ++kings[IsSita(code) ? 0 : 1];
    pos.at(i % 10 + 1, i / 10 + 1) = code;
  }
  if (kings[0] != 1 || kings[1] != 1) {
    problem = "each army needs one king";
    return false;
  }
  for (int side = 0; side < 2; ++side)
    for (int kind = 1; kind <= HandKinds; ++kind) {
      if (sample.hand[side][kind] > kMaxHandCount) {
        problem = "a hand holds more than " + std::to_string(kMaxHandCount) + " of a kind";
        return false;
      }
      pos.Hand[side][kind] = sample.hand[side][kind];
    }
  if (sample.side > 1 || sample.result > 2) {
    problem = "side to move or result out of range";
    return false;
  }
  problem = PositionProblem(pos);
  if (!problem.empty()) return false;
  toMove = sample.side == 0 ? SITA : UE;
  return true;
}

bool WriteSamples(const std::string& path, const std::vector<Sample>& samples,
                  std::string& problem) {
  const std::string temp = path + ".part";
  std::unique_ptr<std::FILE, FileCloser> out(std::fopen(temp.c_str(), "wb"));
  if (!out) {
    problem = temp + ": cannot be written";
    return false;
  }
  unsigned char header[kHeaderBytes];
  std::memcpy(header, kMagic, kMagicBytes);
  const std::uint64_t count = samples.size();
  for (int i = 0; i < 8; ++i)
    header[kMagicBytes + i] = static_cast<unsigned char>(count >> (8 * i));
  bool ok = std::fwrite(header, 1, kHeaderBytes, out.get()) == kHeaderBytes;
  unsigned char record[kRecordBytes];
  for (const Sample& s : samples) {
    if (!ok) break;
    Pack(s, record);
    ok = std::fwrite(record, 1, kRecordBytes, out.get()) == kRecordBytes;
  }
  ok = std::fclose(out.release()) == 0 && ok;
  if (!ok || std::rename(temp.c_str(), path.c_str()) != 0) {
    std::remove(temp.c_str());
    problem = path + ": writing failed";
    return false;
  }
  return true;
}

bool ReadSamples(const std::string& path, std::vector<Sample>& out, std::string& problem) {
  std::unique_ptr<std::FILE, FileCloser> in(std::fopen(path.c_str(), "rb"));
  if (!in) {
    problem = path + ": cannot be read";
    return false;
  }
  unsigned char header[kHeaderBytes];
  if (std::fread(header, 1, kHeaderBytes, in.get()) != kHeaderBytes ||
      std::memcmp(header, kMagic, kMagicBytes) != 0) {
    problem = path + ": not a file of tuning positions (QZTUNE 1)";
    return false;
  }
  std::uint64_t count = 0;
  for (int i = 0; i < 8; ++i)
    count |= static_cast<std::uint64_t>(header[kMagicBytes + i]) << (8 * i);
  if (std::fseek(in.get(), 0, SEEK_END) != 0) {
    problem = path + ": cannot be read";
    return false;
  }
  const long size = std::ftell(in.get());
  if (size < 0 || count > (static_cast<std::uint64_t>(size) - kHeaderBytes) / kRecordBytes ||
      kHeaderBytes + count * kRecordBytes != static_cast<std::uint64_t>(size)) {
    problem = path + ": announces " + std::to_string(count) + " positions but holds " +
              std::to_string(size < 0 ? 0 : (size - static_cast<long>(kHeaderBytes))) +
              " bytes of them (" + std::to_string(kRecordBytes) + " each)";
    return false;
  }
  std::fseek(in.get(), static_cast<long>(kHeaderBytes), SEEK_SET);
  const std::size_t first = out.size();
  out.reserve(first + count);
  unsigned char record[kRecordBytes];
  Position pos;
  Side side;
  for (std::uint64_t i = 0; i < count; ++i) {
    if (std::fread(record, 1, kRecordBytes, in.get()) != kRecordBytes) {
      problem = path + ": cut short at position " + std::to_string(i + 1);
      out.resize(first);
      return false;
    }
    out.push_back(Unpack(record));
    if (!ToPosition(out.back(), pos, side, problem)) {
      problem = path + ": position " + std::to_string(i + 1) + ": " + problem;
      out.resize(first);
      return false;
    }
  }
  return true;
}

}  // namespace qz::tune
