#include "ranking/ranking.h"

#include <algorithm>

namespace r7t {

namespace {

bool higherTotal(const RoundScore& a, const RoundScore& b) { return a.total > b.total; }

// Steps common to both overall rankings: counters, empty selection.
RankingStatus setUp(Contest& contest, OverallRanking& ranking, RankingMode mode)
{
    ranking = OverallRanking{};
    ranking.mode = mode;
    contest.updateCompleteRounds();
    ranking.maxNumber = contest.highestCompetitorNumber();
    ranking.completeRounds = contest.completeRoundCount;
    ranking.lastRound = std::clamp(contest.lastCompleteRound, 0, kMaxRounds);
    ranking.selected.assign(static_cast<size_t>(ranking.lastRound) + 1, 0);
    if (ranking.completeRounds < 1 || ranking.lastRound < 1)
        return RankingStatus::NoCompleteRound;
    return RankingStatus::Ok;
}

void fillMatrix(Contest& contest, OverallRanking& ranking)
{
    const int C = ranking.maxNumber;
    const int n = ranking.lastRound;
    ranking.matrix.assign(static_cast<size_t>(C + 1) * static_cast<size_t>(n), RoundScore{});
    // Every registered competitor takes part, also one who flew no chosen round.
    for (const Pilot& p : contest.pilots)
        if (p.number >= 1 && p.number <= C)
            for (int r = 1; r <= n; ++r)
                ranking.score(p.number, r).number = p.number;
    for (int r = 1; r <= n; ++r) {
        if (!contest.roundComplete[r] || !ranking.isSelected(r))
            continue;
        for (const RoundScore& s : CalculManche(contest, r))
            // A result of a number above C (its pilot removed) has no place.
            if (s.number >= 1 && s.number <= C)
                ranking.score(s.number, r) = s;
    }
}

void buildRanking(Contest& contest, OverallRanking& ranking)
{
    fillMatrix(contest, ranking);
    CalculTotaux(ranking);
    MeilleureVitesse(contest, ranking);
}

int cappedDiscard(int typed, int selectedCount)
{
    if (typed <= 0)
        return 0;
    return std::min(typed, std::max(0, selectedCount - 1));
}

} // namespace

std::vector<RoundScore> rankRound(Contest& contest, int32_t round)
{
    std::vector<RoundScore> scores = CalculManche(contest, round);
    std::stable_sort(scores.begin(), scores.end(), higherTotal);
    return scores;
}

int finalDiscardCount(int completeRounds)
{
    if (completeRounds <= 2)
        return 0;
    if (completeRounds <= 4)
        return 1;
    if (completeRounds <= 8)
        return 2;
    return 3;
}

RankingStatus openFinalRanking(Contest& contest, OverallRanking& ranking)
{
    RankingStatus status = setUp(contest, ranking, RankingMode::Final);
    if (status != RankingStatus::Ok)
        return status;
    for (int r = 1; r <= ranking.lastRound; ++r)
        if (contest.roundComplete[r]) {
            ranking.selected[static_cast<size_t>(r)] = 1;
            ++ranking.selectedCount;
        }
    ranking.discardCount = finalDiscardCount(ranking.completeRounds);
    buildRanking(contest, ranking);
    return RankingStatus::Ok;
}

RankingStatus openChosenRanking(Contest& contest, OverallRanking& ranking, const std::vector<int32_t>& rounds,
                                int discard, bool skipZeroTotals)
{
    RankingStatus status = setUp(contest, ranking, RankingMode::Chosen);
    if (status != RankingStatus::Ok)
        return status;
    for (int32_t r : rounds) {
        if (r < 1 || r > ranking.lastRound || !contest.roundComplete[r])
            return RankingStatus::RoundNotComplete;
        if (!ranking.selected[static_cast<size_t>(r)]) {
            ranking.selected[static_cast<size_t>(r)] = 1;
            ++ranking.selectedCount;
        }
    }
    if (ranking.selectedCount == 0)
        return RankingStatus::NoRoundSelected;
    ranking.discardCount = cappedDiscard(discard, ranking.selectedCount);
    ranking.skipZeroTotals = skipZeroTotals;
    buildRanking(contest, ranking);
    return RankingStatus::Ok;
}

void CalculTotaux(OverallRanking& ranking)
{
    const int C = ranking.maxNumber;
    const int n = ranking.lastRound;
    const int a = ranking.selectedCount;
    const int D = ranking.discardCount;
    ranking.totals.assign(static_cast<size_t>(C) + 1, TotalScore{});

    struct RoundPoints {
        int32_t round;
        float points;
    };
    std::vector<RoundPoints> list;
    list.reserve(static_cast<size_t>(n));
    for (int i = 1; i <= C; ++i) {
        for (int r = 1; r <= n; ++r)
            ranking.score(i, r).discarded = 0;
        if (D > 0 && D < a) {
            // The selected rounds only: an unselected round (0 points) must
            // never take the place of a selected round with 0 points.
            list.clear();
            for (int r = 1; r <= n; ++r)
                if (ranking.isSelected(r)) {
                    const RoundScore& s = ranking.score(i, r);
                    list.push_back({r, s.number != 0 ? s.total : 0.0f});
                }
            std::stable_sort(list.begin(), list.end(),
                             [](const RoundPoints& x, const RoundPoints& y) { return x.points > y.points; });
            for (int k = a - D; k < a && k < static_cast<int>(list.size()); ++k)
                ranking.score(i, list[static_cast<size_t>(k)].round).discarded = 1;
        }
        // Summed as single floats in increasing round order.
        float total = 0.0f;
        bool present = false;
        for (int r = 1; r <= n; ++r) {
            const RoundScore& s = ranking.score(i, r);
            if (s.number != 0)
                present = true;
            if (!s.discarded)
                total += s.total;
        }
        TotalScore& entry = ranking.totals[static_cast<size_t>(i)];
        entry.total = total;
        entry.number = present ? i : 0;
    }
    // Stable: equal totals stay in competitor-number order.
    std::stable_sort(ranking.totals.begin(), ranking.totals.end(),
                     [](const TotalScore& x, const TotalScore& y) { return x.total > y.total; });
}

int changeDiscardCount(OverallRanking& ranking, int typed)
{
    ranking.discardCount = cappedDiscard(typed, ranking.selectedCount);
    CalculTotaux(ranking);
    return ranking.discardCount;
}

void MeilleureVitesse(Contest& contest, OverallRanking& ranking)
{
    ranking.bestSpeedHolders.fill(0);
    auto counts = [&](const FlightResult& r) {
        // A void flight never holds the best speed, whatever time it kept.
        return r.isReflight == 0 && ranking.isSelected(r.round) && r.speedTime > 0 && !r.speedVoid;
    };
    for (const FlightResult& r : contest.results)
        if (counts(r) && r.speedTime < ranking.bestSpeed)
            ranking.bestSpeed = r.speedTime;
    size_t holders = 0;
    for (const FlightResult& r : contest.results) {
        if (holders == ranking.bestSpeedHolders.size())
            break;
        if (counts(r) && r.speedTime == ranking.bestSpeed)
            ranking.bestSpeedHolders[holders++] = r.number;
    }
}

bool isNotClassified(const FixedText<16>& licence)
{
    auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
    const std::string_view text = licence.raw();
    return text.size() >= 2 && upper(text[0]) == 'N' && upper(text[1]) == 'C';
}

bool isNotClassified(const Pilot& pilot) { return isNotClassified(pilot.licence); }

std::vector<RankedEntry> overallOrder(const Contest& contest, const OverallRanking& ranking)
{
    std::vector<RankedEntry> order;
    order.reserve(ranking.totals.size());
    int rank = 0;
    for (const TotalScore& t : ranking.totals) {
        if (t.number == 0)
            continue;
        if (ranking.skipZeroTotals && t.total == 0.0f)
            continue;
        RankedEntry entry;
        entry.number = t.number;
        entry.total = t.total;
        entry.pilot = contest.findPilot(t.number);
        entry.rank = entry.pilot && isNotClassified(*entry.pilot) ? 0 : ++rank;
        order.push_back(entry);
    }
    return order;
}

double percentOfLeader(float total, float leader)
{
    if (leader == 0.0f)
        return 0.0;
    return 100.0 * static_cast<double>(total) / static_cast<double>(leader);
}

} // namespace r7t
