#include "players/match_game.h"

#include <chrono>

#include "model/make_move.h"

namespace qz {

MatchGameEnd PlayMatchGame(Player* const byArmy[2], const std::string labels[2], Position& pos,
                           int plies, const MatchGameSettings& settings, MoveBuffer& buffer,
                           MatchGameWatcher* watcher) {
  using How = MatchGameEnd::How;
  Side side = plies % 2 == 0 ? SITA : UE;
  auto lose = [&](How how, std::string reason) {
    return MatchGameEnd{how, Opponent(side), std::move(reason), plies};
  };
  for (;;) {
    if (plies >= settings.maxPlies) return MatchGameEnd{How::MoveLimit, -1, "move limit", plies};
    ListMoves(pos, side, buffer);
    const std::string& label = labels[side];
    if (buffer.size == 0) return lose(How::NoMove, label + " has no move");
    const auto start = std::chrono::steady_clock::now();
    const PlayerMove answer =
        byArmy[side]->Play(pos, side, plies, settings.limits[side], nullptr, nullptr);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    switch (answer.kind) {
      case PlayerMove::Kind::Failed: return lose(How::Failed, label + ": " + answer.problem);
      case PlayerMove::Kind::NoMove:
        return lose(How::NoAnswer, label + ": no move given though the rules allow " +
                                       std::to_string(buffer.size));
      case PlayerMove::Kind::Move: break;
    }
    const std::string refusal = RefusalOf(pos, side, answer.move);
    if (!refusal.empty())
      return lose(How::Illegal, label + ": illegal move " + answer.text + " (" + refusal + ")");
    const GameMove& m = answer.move;
    駒移動(pos, m.fromX, m.fromY, m.toX, m.toY, m.code);
    ++plies;
    if (watcher) watcher->onMove(pos, side, plies, seconds);
    if (KingCaptured(pos)) return MatchGameEnd{How::KingCaptured, side, "king captured", plies};
    side = Opponent(side);
  }
}

}  // namespace qz
