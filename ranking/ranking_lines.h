// The texts of the ranking lists: the round ranking, the overall ranking
// with its best-speed lines, and one competitor's round-by-round detail.
// Lines are UTF-8 with tabs where the list expands them.
#pragma once

#include "ranking/ranking.h"

#include "text/text.h"

#include <string>
#include <vector>

namespace r7t {

// Round ranking: the heading, then one line per filled record of the sorted
// array, ranked by position.
std::string roundRankingHeading();
std::string roundRankingLine(int position, const RoundScore& score);
std::vector<std::string> roundRankingLines(const std::vector<RoundScore>& sorted);
// The competitor number of a round ranking line (the integer after its first tab).
int roundRankingLineNumber(const std::string& line);

// Round columns shown in the overall list; later rounds end in "....".
inline constexpr int kShownRoundColumns = 24;

// Overall ranking: the heading, then one line per entry of the order.
std::vector<std::string> overallRankingLines(const Contest& contest, const OverallRanking& ranking);
// The competitor number of an overall line (the integer after the rank or "NC").
int overallRankingLineNumber(const std::string& line);

// "Meilleure vitesse : ..." for each holder, without line ends.
std::vector<std::string> bestSpeedLines(const Contest& contest, const OverallRanking& ranking);
// The same lines, each ended by "\r\n", as the ranking window shows them.
std::string bestSpeedText(const Contest& contest, const OverallRanking& ranking);

// One competitor's detail: "name - total pts", then the heading and one line
// per counted round.
std::string detailTitle(const Contest& contest, const OverallRanking& ranking, int32_t number);
std::vector<std::string> detailLines(const OverallRanking& ranking, int32_t number);

} // namespace r7t
