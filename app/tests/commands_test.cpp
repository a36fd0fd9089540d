#include "app/commands.h"
#include "support/contest_builder.h"

#include <gtest/gtest.h>

using namespace r7t;

namespace {

int refusalOf(const Contest& c, int id) { return checkCommand(c, id).refusal; }

} // namespace

TEST(CommandTable, PreparationNeedsSixCompetitors)
{
    Contest c;
    fixtures::addPilots(c, 1, 5);
    EXPECT_EQ(refusalOf(c, cmd::Preparation), kMessageSixCompetitors);
    fixtures::addPilot(c, 101); // tow pilots do not count
    EXPECT_EQ(refusalOf(c, cmd::Preparation), kMessageSixCompetitors);
    fixtures::addPilot(c, 6);
    const CommandCheck check = checkCommand(c, cmd::Preparation);
    EXPECT_FALSE(check.refused());
    EXPECT_EQ(check.action, CommandAction::Preparation);
}

TEST(CommandTable, ScoresAndWeighingNeedAPreparedRound)
{
    Contest c;
    fixtures::addPilots(c, 1, 8);
    for (int id : {cmd::Scores, cmd::Weighing})
        EXPECT_EQ(refusalOf(c, id), kMessageNoPreparedRound) << id;
    c.roundPrepared[0] = 1; // entry 0 is no round
    EXPECT_EQ(refusalOf(c, cmd::Scores), kMessageNoPreparedRound);
    c.roundPrepared[40] = 1;
    EXPECT_EQ(refusalOf(c, cmd::Scores), 0);
    EXPECT_EQ(refusalOf(c, cmd::Weighing), 0);
    EXPECT_EQ(checkCommand(c, cmd::Weighing).action, CommandAction::Weighing);
}

TEST(CommandTable, RankingsNeedACompleteRoundEvenWhenRoundsArePrepared)
{
    Contest c;
    fixtures::buildContest(c, {8, 2, 3, 0});
    for (int r = 1; r <= 3; ++r)
        c.roundComplete[r] = 0;
    c.updateCompleteRounds();
    ASSERT_EQ(c.completeRoundCount, 0);
    ASSERT_EQ(refusalOf(c, cmd::Scores), 0);
    for (int id : {cmd::RankingByRound, cmd::RankingChosen, cmd::RankingFinal, cmd::RankingsPopup})
        EXPECT_EQ(refusalOf(c, id), kMessageNoCompleteRound) << id;

    c.roundComplete[2] = 1;
    c.updateCompleteRounds();
    for (int id : {cmd::RankingByRound, cmd::RankingChosen, cmd::RankingFinal, cmd::RankingsPopup})
        EXPECT_EQ(refusalOf(c, id), 0) << id;
    EXPECT_EQ(checkCommand(c, cmd::RankingChosen).action, CommandAction::RankingOverall);
    EXPECT_EQ(checkCommand(c, cmd::RankingFinal).action, CommandAction::RankingOverall);
}

TEST(CommandTable, FlightSheetsNeedOneCompetitor)
{
    Contest c;
    EXPECT_EQ(refusalOf(c, cmd::FlightSheets), kMessageNoRegistered);
    fixtures::addPilots(c, 1, 1);
    EXPECT_EQ(refusalOf(c, cmd::FlightSheets), 0);
}

TEST(CommandTable, CommandsWithoutPreconditionRunOnAnEmptyContest)
{
    Contest c;
    const std::pair<int, CommandAction> free[] = {
        {cmd::SaveCopy, CommandAction::SaveCopy},     {cmd::Quit, CommandAction::Quit},
        {cmd::Import, CommandAction::Import},         {cmd::TowPilots, CommandAction::PilotList},
        {cmd::Competitors, CommandAction::PilotList}, {cmd::About, CommandAction::About},
        {cmd::Help, CommandAction::Help},             {cmd::GliderCheck, CommandAction::Beep},
        {cmd::PilotsPopup, CommandAction::PilotsPopup}, {cmd::RoundsPopup, CommandAction::RoundsPopup},
        {cmd::PrintStartLists, CommandAction::PrintStartLists},
        {cmd::PrintRoundSheet, CommandAction::PrintRoundSheet},
    };
    for (auto [id, action] : free) {
        const CommandCheck check = checkCommand(c, id);
        EXPECT_FALSE(check.refused()) << id;
        EXPECT_EQ(check.action, action) << id;
    }
}

TEST(CommandTable, IdsWithoutActionDoNothing)
{
    Contest c;
    for (int id : {0, 101, 103, 104, 106, 107, 110, 117, 118, 119, 125, 126, 127, 128, 201, 1109, -109}) {
        const CommandCheck check = checkCommand(c, id);
        EXPECT_EQ(check.action, CommandAction::None) << id;
        EXPECT_FALSE(check.refused()) << id;
    }
}

TEST(CommandTable, SettingsAreSetBeforeTheDialogs)
{
    Contest c;
    CommandSettings s;
    applyCommandSettings(c, s, cmd::TowPilots);
    EXPECT_EQ(s.editCompetitors, 0);
    applyCommandSettings(c, s, cmd::Competitors);
    EXPECT_EQ(s.editCompetitors, 1);
    applyCommandSettings(c, s, cmd::TowPilots);
    applyCommandSettings(c, s, cmd::Import);
    EXPECT_EQ(s.editCompetitors, 1);

    applyCommandSettings(c, s, cmd::RankingFinal);
    EXPECT_EQ(s.rankingMode, 1);
    applyCommandSettings(c, s, cmd::RankingChosen);
    EXPECT_EQ(s.rankingMode, 0);

    c.currentRound = 7;
    applyCommandSettings(c, s, cmd::Scores);
    EXPECT_EQ(c.currentRound, 7);
    applyCommandSettings(c, s, cmd::Preparation);
    EXPECT_EQ(c.currentRound, 0);
}
