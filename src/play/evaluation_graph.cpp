// Evaluations, losses and the evaluation graph of a game.
#include "play/evaluation_graph.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace qz {

int GraphValue(const Evaluation& e) {
  if (e.mateMoves > 0) return kGraphLimit;
  if (e.mateMoves < 0) return -kGraphLimit;
  return std::clamp(e.centipawns, -kGraphLimit, kGraphLimit);
}

double GraphFraction(const Evaluation& e) {
  return (kGraphLimit - GraphValue(e)) / (2.0 * kGraphLimit);
}

double WinningChance(const Evaluation& e) {
  if (e.mateMoves > 0) return 100.0;
  if (e.mateMoves < 0) return 0.0;
  // 500 hundredths (five pawns) are worth about three games in four.
  return 100.0 / (1.0 + std::exp(-static_cast<double>(e.centipawns) / 455.0));
}

std::string ScoreText(const Evaluation& e) {
  if (e.mateMoves > 0) return "M" + std::to_string(e.mateMoves);
  if (e.mateMoves < 0) return "-M" + std::to_string(-e.mateMoves);
  return std::to_string(e.centipawns);
}

int LossOf(const Evaluation& best, const Evaluation& played, Side mover) {
  const int sign = mover == SITA ? 1 : -1;
  return std::max(0, sign * (GraphValue(best) - GraphValue(played)));
}

const char* MarkOfLoss(int loss) {
  if (loss >= kBlunderLoss) return "??";
  if (loss >= kMistakeLoss) return "?";
  return "-";
}

std::vector<int> SharpDrops(const std::vector<Evaluation>& points,
                            const std::vector<Side>& movers) {
  std::vector<int> drops;
  for (std::size_t k = 1; k < points.size() && k - 1 < movers.size(); ++k) {
    if (!points[k - 1].known || !points[k].known) continue;
    if (LossOf(points[k - 1], points[k], movers[k - 1]) >= kBlunderLoss)
      drops.push_back(static_cast<int>(k));
  }
  return drops;
}

namespace {

std::string Number(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", v);
  return text;
}

}  // namespace

std::string EvaluationGraphSvg(const std::vector<Evaluation>& points, const std::vector<int>& drops,
                               int present, int firstNumber, int width, int height) {
  width = std::max(width, 200);
  height = std::max(height, 120);
  // Room on the left for the scale, below for the move numbers.
  const double left = 56, right = 12, top = 12, bottom = 28;
  const double plotW = width - left - right, plotH = height - top - bottom;
  const int gaps = std::max<int>(1, static_cast<int>(points.size()) - 1);
  auto px = [&](int i) { return left + plotW * i / gaps; };
  auto py = [&](const Evaluation& e) { return top + plotH * GraphFraction(e); };
  auto pyValue = [&](int v) { return py(Evaluation{true, v, 0}); };

  std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(width) +
         "\" height=\"" + std::to_string(height) + "\" viewBox=\"0 0 " + std::to_string(width) +
         " " + std::to_string(height) + "\" font-family=\"sans-serif\" font-size=\"11\">\n";
  svg += "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";
  // The lower army's half below the line at 0 is shaded, as its share.
  svg += "<rect x=\"" + Number(left) + "\" y=\"" + Number(top + plotH / 2) + "\" width=\"" +
         Number(plotW) + "\" height=\"" + Number(plotH / 2) + "\" fill=\"#f2f2f2\"/>\n";
  // Scale: ±20 pawns, ±10, 0, in pawns; M at the ends.
  for (int v : {-kGraphLimit, -kGraphLimit / 2, 0, kGraphLimit / 2, kGraphLimit}) {
    const double y = pyValue(v);
    svg += "<line x1=\"" + Number(left) + "\" y1=\"" + Number(y) + "\" x2=\"" +
           Number(left + plotW) + "\" y2=\"" + Number(y) + "\" stroke=\"" +
           (v == 0 ? "#000000" : "#cccccc") + "\" stroke-width=\"" + (v == 0 ? "1.2" : "0.6") +
           "\"/>\n";
    const std::string label = v == kGraphLimit    ? "+20"
                              : v == -kGraphLimit ? "-20"
                              : v > 0             ? "+" + std::to_string(v / 100)
                                                  : std::to_string(v / 100);
    svg += "<text x=\"" + Number(left - 6) + "\" y=\"" + Number(y + 4) + "\" text-anchor=\"end\">" +
           label + "</text>\n";
  }
  svg += "<text x=\"" + Number(left + 4) + "\" y=\"" + Number(top + 11) +
         "\">▲ lower army ahead</text>\n";
  svg += "<text x=\"" + Number(left + 4) + "\" y=\"" + Number(top + plotH - 4) +
         "\">△ upper army ahead</text>\n";
  // Move numbers along the bottom, about every tenth of the width.
  const int step = std::max(1, (gaps + 9) / 10);
  for (int i = 0; i <= gaps && i < static_cast<int>(points.size()); i += step) {
    svg += "<text x=\"" + Number(px(i)) + "\" y=\"" + Number(top + plotH + 16) +
           "\" text-anchor=\"middle\">" + std::to_string(firstNumber - 1 + i) + "</text>\n";
  }
  svg += "<text x=\"" + Number(left + plotW) + "\" y=\"" + Number(height - 2) +
         "\" text-anchor=\"end\">moves / score in pawns</text>\n";
  // The line through the known points.
  std::string path;
  for (std::size_t i = 0; i < points.size(); ++i) {
    if (!points[i].known) continue;
    path +=
        (path.empty() ? "M" : " L") + Number(px(static_cast<int>(i))) + " " + Number(py(points[i]));
  }
  if (!path.empty())
    svg += "<path d=\"" + path + "\" fill=\"none\" stroke=\"#1f4e9c\" stroke-width=\"1.6\"/>\n";
  for (int k : drops) {
    if (k < 0 || k >= static_cast<int>(points.size()) || !points[k].known) continue;
    svg += "<circle cx=\"" + Number(px(k)) + "\" cy=\"" + Number(py(points[k])) +
           "\" r=\"4\" fill=\"none\" stroke=\"#d01010\" stroke-width=\"1.6\"/>\n";
  }
  if (present >= 0 && present < static_cast<int>(points.size())) {
    svg += "<line x1=\"" + Number(px(present)) + "\" y1=\"" + Number(top) + "\" x2=\"" +
           Number(px(present)) + "\" y2=\"" + Number(top + plotH) +
           "\" stroke=\"#e08000\" stroke-width=\"1.2\"/>\n";
  }
  svg += "</svg>\n";
  return svg;
}

}  // namespace qz
