#include "app/commands.h"

namespace r7t {

bool hasPreparedRound(const Contest& contest)
{
    for (int r = 1; r <= kMaxRounds; ++r)
        if (contest.roundPrepared[r])
            return true;
    return false;
}

CommandCheck checkCommand(const Contest& contest, int id)
{
    const bool completeRound = contest.completeRoundCount != 0;
    auto needs = [](CommandAction action, bool met, int refusal) {
        return CommandCheck{action, met ? 0 : refusal};
    };
    switch (id) {
    case cmd::SaveCopy: return {CommandAction::SaveCopy};
    case cmd::Quit: return {CommandAction::Quit};
    case cmd::Import: return {CommandAction::Import};
    case cmd::TowPilots: return {CommandAction::PilotList};
    case cmd::Preparation:
        return needs(CommandAction::Preparation, contest.competitorCount() >= 6, kMessageSixCompetitors);
    case cmd::Scores: return needs(CommandAction::Scores, hasPreparedRound(contest), kMessageNoPreparedRound);
    case cmd::RankingByRound: return needs(CommandAction::RankingByRound, completeRound, kMessageNoCompleteRound);
    case cmd::RankingChosen:
    case cmd::RankingFinal: return needs(CommandAction::RankingOverall, completeRound, kMessageNoCompleteRound);
    case cmd::About: return {CommandAction::About};
    case cmd::Help: return {CommandAction::Help};
    case cmd::Competitors: return {CommandAction::PilotList};
    case cmd::GliderCheck: return {CommandAction::Beep};
    case cmd::FlightSheets:
        return needs(CommandAction::FlightSheets, contest.competitorCount() >= 1, kMessageNoRegistered);
    case cmd::Weighing: return needs(CommandAction::Weighing, hasPreparedRound(contest), kMessageNoPreparedRound);
    case cmd::PrintStartLists: return {CommandAction::PrintStartLists};
    case cmd::PrintRoundSheet: return {CommandAction::PrintRoundSheet};
    case cmd::PilotsPopup: return {CommandAction::PilotsPopup};
    case cmd::RoundsPopup: return {CommandAction::RoundsPopup};
    case cmd::RankingsPopup: return needs(CommandAction::RankingsPopup, completeRound, kMessageNoCompleteRound);
    default: return {CommandAction::None};
    }
}

void applyCommandSettings(Contest& contest, CommandSettings& settings, int id)
{
    switch (id) {
    case cmd::Import:
    case cmd::Competitors: settings.editCompetitors = 1; break;
    case cmd::TowPilots: settings.editCompetitors = 0; break;
    case cmd::Preparation: contest.currentRound = 0; break;
    case cmd::RankingChosen: settings.rankingMode = 0; break;
    case cmd::RankingFinal: settings.rankingMode = 1; break;
    default: break;
    }
}

} // namespace r7t
