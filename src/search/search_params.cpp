#include "search/search_params.h"

#include <charconv>

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
      {"nullMargin", &SearchParams::nullMargin},
      {"nullMarginPerDepth", &SearchParams::nullMarginPerDepth},
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
      {"captureHistoryDivisor", &SearchParams::captureHistoryDivisor},
      {"checkExtension", &SearchParams::checkExtension},
      {"checkExtensionMinDepth", &SearchParams::checkExtensionMinDepth},
      {"checksUnpruned", &SearchParams::checksUnpruned},
      {"singularMinDepth", &SearchParams::singularMinDepth},
      {"singularMargin", &SearchParams::singularMargin},
      {"qsFutilityMargin", &SearchParams::qsFutilityMargin},
      {"qsCheckPlies", &SearchParams::qsCheckPlies},
      {"qsMoveCount", &SearchParams::qsMoveCount},
      {"razorMaxDepth", &SearchParams::razorMaxDepth},
      {"razorMargin", &SearchParams::razorMargin},
      {"probCutMinDepth", &SearchParams::probCutMinDepth},
      {"probCutMargin", &SearchParams::probCutMargin},
      {"mateOneMinDepth", &SearchParams::mateOneMinDepth},
      {"mateOneQuiescence", &SearchParams::mateOneQuiescence},
      {"solverPlies", &SearchParams::solverPlies},
      {"solverShare", &SearchParams::solverShare},
      {"solverNodes", &SearchParams::solverNodes},
      {"solverTreeDepth", &SearchParams::solverTreeDepth},
      {"solverTreePlies", &SearchParams::solverTreePlies},
      {"solverTreeNodes", &SearchParams::solverTreeNodes},
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

bool SetSearchParams(SearchParams& params, std::string_view list) {
  while (!list.empty()) {
    const std::size_t comma = list.find(',');
    const std::string_view item = list.substr(0, comma);
    list = comma == std::string_view::npos ? std::string_view{} : list.substr(comma + 1);
    const std::size_t eq = item.find('=');
    if (eq == std::string_view::npos) return false;
    const std::string_view digits = item.substr(eq + 1);
    int value = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (ec != std::errc() || end != digits.data() + digits.size() || digits.empty() ||
        !SetSearchParam(params, item.substr(0, eq), value))
      return false;
  }
  return true;
}

}  // namespace qz::search
