#include "print/printed_rankings.h"

#include "print/print_text.h"
#include "scoring/time_formats.h"

namespace r7t {

using print_text::ansi;
using print_text::contestLine;
using print_text::openEntry;
using print_text::table;

namespace {

constexpr int kTextRound = 70;        // "Manche"
constexpr int kTextResults = 82;      // "Résultats"
constexpr int kTextRanking = 83;      // "Classement"
constexpr int kTextIntermediate = 84; // "intermédiaire"
constexpr int kTextFinal = 85;        // "final"
constexpr int kEntryMargin = 4;       // lines of the page-break test

constexpr const char* kNotValid = "non valide";

// "23.4" -> {"23", "4"}.
std::pair<std::string, std::string> cutAtPoint(const std::string& text)
{
    const size_t point = text.find('.');
    if (point == std::string::npos)
        return {text, {}};
    return {text.substr(0, point), text.substr(point + 1)};
}

struct RankingReport {
    Contest& contest;
    PrintEngine& engine;
    std::string title;
    DeviceFont headingFont;

    void head()
    {
        engine.currentLine = 2;
        engine.printLine(title, 1, kStyleLarge, kRankingTabs);
        ++engine.currentLine;
        engine.printLine(contestLine(engine, contest, true, "\t\t"), 1, kStyleBold, kRankingTabs);
        engine.doubleRule(5);
        engine.currentLine = 6;
    }

    // The competitor line and the column heading under it.
    void blockStart(const std::string& competitorLine, const char* lastColumn)
    {
        engine.printLine(competitorLine, 1, kStyleLarge, kRankingTabs);
        engine.selectFont(headingFont);
        engine.printLine(
            ansi(std::string("\t\tVitesse\tPénal V\tPoints V\t(Gr) Durée\tAtterro.\tPénal D\tPoints D\t") + lastColumn),
            1, kStyleSmall, kRankingTabs);
        engine.underHeaderRule(engine.currentLine - 1);
        engine.selectFont(engine.bodyFont());
    }

    // Two rules across the line that follows, then that line is skipped.
    void blockEnd()
    {
        engine.headRule(engine.currentLine);
        engine.separatorRule(engine.currentLine);
        ++engine.currentLine;
    }
};

// "NAME - LICENCE", the name in upper case and shortened when the whole
// does not fit up to the rules' end (the licence is kept).
std::string competitorText(PrintEngine& engine, const Pilot& pilot)
{
    return print_text::fitInside(engine, engine.bodyFont(), "", print_text::upperName(pilot.name.raw()),
                                 " - " + std::string(pilot.licence.raw()),
                                 engine.rulesRight() - engine.fieldGap() - engine.columnX(kRankingTabs[2]));
}

} // namespace

FlightTexts flightTexts(const RoundScore& score)
{
    FlightTexts t;
    const FlightResult* f = score.durationResult;
    if (!f) {
        t.speed = kNotValid;
        t.duration = kNotValid;
        return t;
    }
    if (f->speedVoid) {
        t.speed = kNotValid;
    } else {
        const auto [seconds, tenths] = cutAtPoint(FormatVitesse(f->speedTime));
        t.speed = seconds + " s " + tenths;
    }
    if (f->speedLoss && !f->speedVoid)
        t.speedPenalty = stringPrintf("- %i", kPenalty);
    if (f->durationVoid) {
        t.duration = kNotValid;
    } else {
        const auto [minutes, seconds] = cutAtPoint(FormatDuree(f->durationTime));
        t.duration = stringPrintf("(%i) %s mn %s%s", score.group, minutes.c_str(), seconds.c_str(),
                                  score.reflightUsed ? " (R)" : "");
    }
    if (f->landingTarget)
        t.landing = "+20";
    const int penalty = kPenalty * (f->landingBeyond100 != 0) + kPenalty * (f->durationLoss != 0);
    if (penalty != 0)
        t.durationPenalty = stringPrintf("- %i", penalty);
    t.glider = f->glider == 2 ? "pl2" : "pl1";
    return t;
}

PrintOutcome ImprimeManche(Contest& contest, PrintEngine& engine, int round, const std::vector<RoundScore>& sorted)
{
    if (!engine.startJob(kDocumentName, 10))
        return engine.endJob();
    RankingReport report{contest, engine,
                  stringPrintf("\t%s   -   %s %i\t\t", table(kTextResults).c_str(), table(kTextRound).c_str(), round),
                  engine.font(6)};
    auto head = [&] { report.head(); };

    int position = 0;
    for (const RoundScore& score : sorted) {
        ++position;
        const Pilot* pilot = openEntry(engine, contest, score.number, head);
        if (!pilot)
            break;
        report.blockStart(stringPrintf("%i\t%i\t", position, score.number) + competitorText(engine, *pilot), "Total");
        const FlightTexts t = flightTexts(score);
        engine.printLine(stringPrintf("\t\t%s\t%s\t%7.2f\t%s\t%s\t%s\t%7.2f \t%7.2f     %s", t.speed.c_str(),
                                            t.speedPenalty.c_str(), double(score.speedPoints), t.duration.c_str(),
                                            t.landing.c_str(), t.durationPenalty.c_str(), double(score.durationPoints),
                                            double(score.total), t.glider.c_str()),
                               1, kStylePlain, kRankingTabs);
        report.blockEnd();
        if (!engine.endEntry(engine.linesPerPage - kEntryMargin))
            break;
    }
    return engine.endJob();
}

PrintOutcome ImprimeClassement(Contest& contest, PrintEngine& engine, const OverallRanking& ranking)
{
    if (!engine.startJob(kDocumentName, 10))
        return engine.endJob();
    const std::string kind = table(ranking.mode == RankingMode::Final ? kTextFinal : kTextIntermediate);
    RankingReport report{contest, engine,
                  stringPrintf("\t%s  %s - %i manches\t\t", table(kTextRanking).c_str(), kind.c_str(),
                               ranking.selectedCount),
                  engine.font(6)};
    auto head = [&] { report.head(); };
    const float leader = ranking.leaderTotal();
    const int threshold = engine.linesPerPage - kEntryMargin - ranking.lastRound;

    bool stopped = false;
    for (const RankedEntry& entry : overallOrder(contest, ranking)) {
        const Pilot* pilot = entry.pilot ? entry.pilot : contest.findPilot(entry.number, Report::Yes);
        if (!pilot) {
            engine.fail();
            stopped = true;
            break;
        }
        if (!engine.openPage(head)) {
            stopped = true;
            break;
        }
        const std::string rank = entry.rank > 0 ? stringPrintf("%i", entry.rank) : std::string("NC");
        report.blockStart(rank + stringPrintf("\t%i\t", entry.number) + competitorText(engine, *pilot), "Totaux");
        if (entry.number >= 1 && entry.number <= ranking.maxNumber)
            for (int r = 1; r <= ranking.lastRound; ++r) {
                if (!contest.roundComplete[r] || !ranking.isSelected(r))
                    continue;
                const RoundScore& s = ranking.score(entry.number, r);
                const FlightTexts t = flightTexts(s);
                const std::string total = s.discarded ? stringPrintf("(%7.2f)", double(s.total))
                                                      : stringPrintf(" %7.2f ", double(s.total));
                engine.printLine(stringPrintf("\t   m%i\t%s\t%s\t%7.2f\t%s\t%s\t%s\t%7.2f \t%s     %s", r,
                                                    t.speed.c_str(), t.speedPenalty.c_str(), double(s.speedPoints),
                                                    t.duration.c_str(), t.landing.c_str(),
                                                    t.durationPenalty.c_str(), double(s.durationPoints),
                                                    total.c_str(), t.glider.c_str()),
                                       1, kStyleSmall, kRankingTabs);
            }
        engine.printLine(stringPrintf("\t%7.2f points\t\t\t\t\t\t\t\t%5.1f %%", double(entry.total),
                                            percentOfLeader(entry.total, leader)),
                               1, kStyleBold, kRankingTabs);
        report.blockEnd();
        if (!engine.endEntry(threshold)) {
            stopped = true;
            break;
        }
    }
    if (stopped)
        return engine.endJob();

    for (int32_t number : ranking.bestSpeedHolders) {
        if (number == 0)
            continue;
        const Pilot* pilot = openEntry(engine, contest, number, head);
        if (!pilot || !engine.keepOnPage(head))
            break;
        engine.printLine(ansi(stringPrintf("Meilleure vitesse : %i,%i s par n° %i - ", ranking.bestSpeed / 10,
                                                 ranking.bestSpeed % 10, number)) +
                                   std::string(pilot->name.raw()),
                               1, kStyleBold, kRankingTabs);
    }
    return engine.endJob();
}

} // namespace r7t
