// The command table of the contest program: every command id of the main
// window, what it does, and the precondition it checks before doing it.
#pragma once

#include "contest/contest.h"
#include "contest/contest_file.h"

#include <array>
#include <string>

namespace r7t {

namespace cmd {
inline constexpr int SaveCopy = 100;
inline constexpr int Quit = 102;
inline constexpr int Import = 105;
inline constexpr int TowPilots = 108;
inline constexpr int Preparation = 109;
inline constexpr int Scores = 111;
inline constexpr int RankingByRound = 112;
inline constexpr int RankingChosen = 113;
inline constexpr int RankingFinal = 114;
inline constexpr int About = 115;
inline constexpr int Help = 116;
inline constexpr int Competitors = 120;
inline constexpr int GliderCheck = 121; // its label exists, no item sends it
inline constexpr int FlightSheets = 122;
inline constexpr int Weighing = 123;
inline constexpr int PrintStartLists = 124;
inline constexpr int PrintRoundSheet = 129;
inline constexpr int PilotsPopup = 200;
inline constexpr int RoundsPopup = 202;
inline constexpr int RankingsPopup = 203;
} // namespace cmd

// Refusal texts of the command table.
inline constexpr int kMessageNoRegistered = 53;
inline constexpr int kMessageSixCompetitors = 410;
inline constexpr int kMessageNoPreparedRound = 421;

enum class CommandAction {
    None,            // unknown id: nothing
    SaveCopy,
    Quit,
    Import,          // IMPORTDLG
    PilotList,       // CHOIXPIL (competitors or tow pilots, by editCompetitors)
    Preparation,     // PREPMANCHE
    Scores,          // LSTSCORE
    RankingByRound,  // CLASSE
    RankingOverall,  // CLASSETOUT (chosen rounds or final, by the ranking mode)
    About,
    Help,
    Beep,
    FlightSheets,    // RANGEFEUILLES, then the flight sheets
    Weighing,        // PESEEDLG
    PrintStartLists,
    PrintRoundSheet,
    PilotsPopup,
    RoundsPopup,
    RankingsPopup,
};

// The settings commands set before opening their dialog; the dialogs read them.
struct CommandSettings {
    int editCompetitors = 1; // 1 the pilot dialogs work on competitors, 0 on tow pilots
    int rankingMode = 0;      // 0 chosen rounds, 1 final
};

struct CommandCheck {
    CommandAction action = CommandAction::None;
    int refusal = 0; // string number of the refusal; 0 when the command may run
    bool refused() const { return refusal != 0; }
};

// The action of a command id and, when the contest is not far enough for
// it, the message that refuses it. Ids are compared whole.
CommandCheck checkCommand(const Contest& contest, int id);

// What a command that may run sets before its dialog opens: editCompetitors,
// the ranking mode, and the current round (0 before the preparation dialog).
void applyCommandSettings(Contest& contest, CommandSettings& settings, int id);

// A prepared round is a round 1..40 with roundPrepared set.
bool hasPreparedRound(const Contest& contest);

// The popup menus of the first three buttons: label string and command id,
// a label of 0 standing for a separator.
struct PopupItem {
    int label = 0;
    int command = 0;
};
inline constexpr std::array<PopupItem, 5> kPilotsPopup{{{21, cmd::Competitors}, {}, {22, cmd::TowPilots}, {}, {24, cmd::FlightSheets}}};
inline constexpr std::array<PopupItem, 5> kRoundsPopup{{{25, cmd::Preparation}, {}, {26, cmd::Weighing}, {}, {28, cmd::Scores}}};
inline constexpr std::array<PopupItem, 3> kRankingsPopup{{{30, cmd::RankingChosen}, {}, {31, cmd::RankingFinal}}};

} // namespace r7t
