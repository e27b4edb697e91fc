// LEVEL4 and LEVEL5 as match and uci players: the deep search.
#pragma once

#include <cstddef>
#include <memory>

#include "cli/match_player.h"

namespace qz::cli {

std::unique_ptr<MatchPlayer> MakeDeepLevelPlayer(int level, std::size_t hashMegabytes,
                                                 int threads = 1);

}  // namespace qz::cli
