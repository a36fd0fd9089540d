#include "ranking/ranking_lines.h"

#include "scoring/time_formats.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace r7t {

namespace {

const char* gliderText(const FlightResult* flight) { return flight && flight->glider == 2 ? "PL2" : "PL1"; }

std::string roundTotalText(const RoundScore& score)
{
    return score.discarded ? stringPrintf("(%7.2f)", double(score.total)) : stringPrintf(" %7.2f ", double(score.total));
}

// The integer at the start of the text, as the list's readers take it.
int leadingInteger(const std::string& text, size_t from)
{
    if (from >= text.size())
        return 0;
    return static_cast<int>(std::strtol(text.c_str() + from, nullptr, 10));
}

} // namespace

std::string roundRankingHeading() { return "Rg\t N°\tVitesse\t(G) Durée\t\tTotal"; }

std::string roundRankingLine(int position, const RoundScore& score)
{
    const FlightResult& flight = *score.durationResult;
    return stringPrintf(" %2i\t%2i |\t%4s\t%7.2f |\t(%i) %s\t%7.2f |\t%7.2f  %s", position, score.number,
                      FormatVitesse(flight.speedTime).c_str(), double(score.speedPoints), score.group,
                      FormatDuree(flight.durationTime).c_str(), double(score.durationPoints), double(score.total),
                      gliderText(&flight));
}

std::vector<std::string> roundRankingLines(const std::vector<RoundScore>& sorted)
{
    std::vector<std::string> lines;
    lines.reserve(sorted.size() + 1);
    lines.push_back(roundRankingHeading());
    for (size_t p = 0; p < sorted.size(); ++p)
        if (sorted[p].durationResult)
            lines.push_back(roundRankingLine(static_cast<int>(p) + 1, sorted[p]));
    return lines;
}

int roundRankingLineNumber(const std::string& line)
{
    const size_t tab = line.find('\t');
    return tab == std::string::npos ? 0 : leadingInteger(line, tab + 1);
}

std::vector<std::string> overallRankingLines(const Contest& contest, const OverallRanking& ranking)
{
    // The rounds shown, at most 24 of them.
    std::vector<int32_t> rounds;
    bool more = false;
    for (int r = 1; r <= ranking.lastRound; ++r) {
        if (!contest.roundComplete[r] || !ranking.isSelected(r))
            continue;
        if (static_cast<int>(rounds.size()) == kShownRoundColumns) {
            more = true;
            break;
        }
        rounds.push_back(r);
    }
    // The ellipsis follows the 24th column, also when nothing comes after it.
    const bool ellipsis = more || static_cast<int>(rounds.size()) == kShownRoundColumns;

    std::vector<std::string> lines;
    std::string heading = "Rg  N°    TOTAL  ";
    for (int32_t r : rounds)
        heading += stringPrintf("    M %2i ", r);
    if (ellipsis)
        heading += "    ....";
    lines.push_back(std::move(heading));

    for (const RankedEntry& entry : overallOrder(contest, ranking)) {
        std::string line = entry.rank > 0
                               ? stringPrintf("%2i  %2i | %9.2f |", entry.rank, entry.number, double(entry.total))
                               : stringPrintf("NC  %2i | %9.2f |", entry.number, double(entry.total));
        for (int32_t r : rounds)
            line += roundTotalText(ranking.score(entry.number, r));
        if (ellipsis)
            line += " ....";
        lines.push_back(std::move(line));
    }
    return lines;
}

int overallRankingLineNumber(const std::string& line) { return leadingInteger(line, 2); }

std::vector<std::string> bestSpeedLines(const Contest& contest, const OverallRanking& ranking)
{
    std::vector<std::string> lines;
    for (int32_t number : ranking.bestSpeedHolders) {
        if (number == 0)
            continue;
        const Pilot* pilot = contest.findPilot(number);
        lines.push_back(stringPrintf("Meilleure vitesse : %i,%i s par n° %i - %s", ranking.bestSpeed / 10,
                                   ranking.bestSpeed % 10, number, pilot ? pilot->name.utf8().c_str() : ""));
    }
    return lines;
}

std::string bestSpeedText(const Contest& contest, const OverallRanking& ranking)
{
    std::string text;
    for (const std::string& line : bestSpeedLines(contest, ranking))
        text += line + "\r\n";
    return text;
}

std::string detailTitle(const Contest& contest, const OverallRanking& ranking, int32_t number)
{
    float total = 0.0f;
    for (const TotalScore& t : ranking.totals)
        if (t.number == number) {
            total = t.total;
            break;
        }
    const Pilot* pilot = contest.findPilot(number);
    return stringPrintf("%s - %7.2f pts", pilot ? pilot->name.utf8().c_str() : "", double(total));
}

std::vector<std::string> detailLines(const OverallRanking& ranking, int32_t number)
{
    std::vector<std::string> lines;
    lines.push_back("     Vit.  PénV  Pts V      (G) Durée     Att.  PénD  Pts D   |  Total  ");
    if (number < 1 || number > ranking.maxNumber)
        return lines;
    for (int r = 1; r <= ranking.lastRound; ++r) {
        if (!ranking.isSelected(r))
            continue;
        const RoundScore& s = ranking.score(number, r);
        const FlightResult* f = s.durationResult;
        std::string speed = "----";
        std::string speedPenalty;
        std::string duration = "--------";
        std::string landing;
        std::string durationPenalty;
        if (f) {
            if (!f->speedVoid)
                speed = FormatVitesse(f->speedTime);
            speedPenalty = f->speedLoss && !f->speedVoid ? stringPrintf("-%i", kPenalty) : " - ";
            if (!f->durationVoid)
                duration = stringPrintf("(%i) %s%s", s.group, FormatDuree(f->durationTime).c_str(),
                                      s.reflightUsed ? " (R)" : "    ");
            landing = f->landingTarget ? "+20" : " - ";
            const int penalty = kPenalty * (f->landingBeyond100 != 0) + kPenalty * (f->durationLoss != 0);
            durationPenalty = penalty != 0 ? stringPrintf("-%i", penalty) : " - ";
        }
        lines.push_back(stringPrintf("m%2i%6s%6s  %7.2f%16s%6s%6s  %7.2f | %6s %s", r, speed.c_str(),
                                   speedPenalty.c_str(), double(s.speedPoints), duration.c_str(), landing.c_str(),
                                   durationPenalty.c_str(), double(s.durationPoints), roundTotalText(s).c_str(),
                                   gliderText(f)));
    }
    return lines;
}

} // namespace r7t
