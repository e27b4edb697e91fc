// Numerals and piece names of the last-move display.
#include "play/notation.h"

namespace qz {

std::string 文字列変換(int code) {
  static constexpr const char* kFiles[] = {"１", "２", "３", "４", "５",
                                           "６", "７", "８", "９", "10"};
  static constexpr const char* kRanks[] = {"一", "二", "三", "四", "五",
                                           "六", "七", "八", "九", "十"};
  if (code >= 2001 && code <= 2010) return kFiles[code - 2001];
  if (code >= 1001 && code <= 1010) return kRanks[code - 1001];
  if (code < -OU || code > OU) return "";
  // The side is not part of the name. The promoted 嶺 and 銅 have no name.
  switch (Abs(code)) {
    case HU: return "歩";
    case HU + 1: return "と";
    case KYOU: return "香";
    case KYOU + 1: return "香成";
    case KEI: return "桂";
    case KEI + 1: return "桂成";
    case REI: return "嶺";
    case GIN: return "銀";
    case GIN + 1: return "銀成";
    case KIN: return "金";
    case DOU: return "銅";
    case KAKU: return "角";
    case KAKU + 1: return "角成";
    case SYA: return "飛";
    case SYA + 1: return "飛成";
    case OU: return "王";
    default: return "";
  }
}

MoveTexts TextsOfMove(int toX, int toY, PieceCode code) {
  // Files are counted from the right edge of the screen, ranks from the top.
  return MoveTexts{文字列変換(2000 + 11 - toX), 文字列変換(1000 + toY), 文字列変換(code)};
}

}  // namespace qz
