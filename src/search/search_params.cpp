#include "search/search_params.h"

namespace qz::search {

bool SetSearchParam(SearchParams& params, std::string_view name, int value) {
  struct Field {
    std::string_view name;
    int SearchParams::*member;
  };
  static constexpr Field kFields[] = {
      {"aspirationMinDepth", &SearchParams::aspirationMinDepth},
      {"aspirationWindow", &SearchParams::aspirationWindow},
      {"aspirationFullPast", &SearchParams::aspirationFullPast},
      {"iirMinDepth", &SearchParams::iirMinDepth},
      {"rfpMaxDepth", &SearchParams::rfpMaxDepth},
      {"rfpMargin", &SearchParams::rfpMargin},
      {"nullMinDepth", &SearchParams::nullMinDepth},
      {"nullBase", &SearchParams::nullBase},
      {"nullDepthDivisor", &SearchParams::nullDepthDivisor},
      {"nullEvalDivisor", &SearchParams::nullEvalDivisor},
      {"lmpMaxDepth", &SearchParams::lmpMaxDepth},
      {"lmpBase", &SearchParams::lmpBase},
      {"lmpImprovingBase", &SearchParams::lmpImprovingBase},
      {"futilityMaxDepth", &SearchParams::futilityMaxDepth},
      {"futilityBase", &SearchParams::futilityBase},
      {"futilityPerDepth", &SearchParams::futilityPerDepth},
      {"seeQuietMaxDepth", &SearchParams::seeQuietMaxDepth},
      {"seeQuietMargin", &SearchParams::seeQuietMargin},
      {"seeCaptureMaxDepth", &SearchParams::seeCaptureMaxDepth},
      {"seeCaptureMargin", &SearchParams::seeCaptureMargin},
      {"historyPruneMaxDepth", &SearchParams::historyPruneMaxDepth},
      {"historyPruneMargin", &SearchParams::historyPruneMargin},
      {"lmrMinDepth", &SearchParams::lmrMinDepth},
      {"lmrDivisor", &SearchParams::lmrDivisor},
      {"lmrHistoryDivisor", &SearchParams::lmrHistoryDivisor},
      {"lmrChecks", &SearchParams::lmrChecks},
      {"checkExtension", &SearchParams::checkExtension},
      {"singularMinDepth", &SearchParams::singularMinDepth},
      {"singularMargin", &SearchParams::singularMargin},
      {"qsFutilityMargin", &SearchParams::qsFutilityMargin},
      {"qsCheckPlies", &SearchParams::qsCheckPlies},
      {"mateOneMinDepth", &SearchParams::mateOneMinDepth},
      {"mateOneQuiescence", &SearchParams::mateOneQuiescence},
      {"newDepthPercent", &SearchParams::newDepthPercent},
      {"timeSettledDepths", &SearchParams::timeSettledDepths},
      {"timeSettledPercent", &SearchParams::timeSettledPercent},
  };
  for (const Field& f : kFields)
    if (f.name == name) {
      params.*f.member = value;
      return true;
    }
  return false;
}

}  // namespace qz::search
