// The score entry and re-flight dialogs without their widgets: what their
// fields hold, the opening of a competitor's result, the "Revol " box,
// "Valider", "Abandon" and "Effacer". The dialogs show and read the fields;
// every write to the records happens here.
#pragma once

#include "contest/contest.h"

#include <optional>
#include <string>

namespace r7t {

inline constexpr const char* kMessageBadValue = "Valeur saisie incorrecte";
inline constexpr const char* kMessageBadReflightValue = "Valeur saisie incorrecte !";

inline constexpr int kSpeedMin = 100;          // tenths: 10.0 s
inline constexpr int kSpeedMax = 1000;         // tenths: 100.0 s
inline constexpr int kDurationMax = 900;       // seconds, first flight
inline constexpr int kReflightDurationMax = 6000;

// Landing grades, as the radio buttons number them.
inline constexpr int kLandingOnTarget = 1;     // "Sur cible"
inline constexpr int kLandingOffTarget = 2;    // "Hors cible ou rotation"
inline constexpr int kLandingBeyond100 = 3;    // "A plus de 100 m"

// What the fields of the score entry dialog hold (the "Revol " box acts at
// once and lives in ScoreEntry). A new entry starts with "Sur cible" and
// "Planeur 1".
struct ScoreEntryFields {
    std::string speedText;          // "ss.d", read by LitVitesse
    bool speedVoid = false;         // "Vol nul "
    bool speedTrial = false;        // "Essai "
    bool speedLoss = false;         // "Perte d'élément "
    bool wave2 = false;             // "Vague 2"
    std::string durationText;       // "mn.ss", read by LitDuree
    bool durationVoid = false;
    bool durationTrial = false;
    int landing = kLandingOnTarget; // 1, 2 or 3
    bool durationLoss = false;
    int glider = 1;                 // "Planeur 1" or "Planeur 2"
};

// What the fields of the re-flight dialog hold.
struct ReflightFields {
    std::string durationText;
    bool durationVoid = false;
    bool durationTrial = false;
    int landing = kLandingOnTarget;
    bool durationLoss = false;
};

// The score entry of one competitor in one round while it is open.
struct ScoreEntry {
    int32_t round = 0;
    int32_t number = 0;
    bool fromRanking = false;           // opened from the round ranking
    StartGroup* group = nullptr;        // the competitor's duration group
    int slot = -1;
    FlightResult* result = nullptr;     // the first flight being edited
    FlightResult* reflight = nullptr;   // the re-flight, while "Revol " is ticked
    bool isNew = false;                 // the first flight was created by this opening
    bool reflightTicked = false;        // the "Revol " box
    const Pilot* pilot = nullptr;       // for the name; null if missing

    // "Effacer" is offered for an existing result outside the ranking.
    bool offersDelete() const { return !isNew && !fromRanking; }
};

enum class EntryOpenStatus {
    Opened,
    NotPlaced,    // the competitor is in no duration group of the round
    OutOfMemory,  // the first flight could not be created (402 was raised)
};

// Finds the competitor in the round's duration groups, stopping at the
// first slot that links a first flight; without one, a new first flight is
// created and linked. A missing group raises the fault report.
EntryOpenStatus openScoreEntry(Contest& contest, int32_t round, int32_t number, bool fromRanking,
                               ScoreEntry& entry);

// The fields as the dialog shows them on opening.
ScoreEntryFields shownFields(const ScoreEntry& entry);
ReflightFields shownReflightFields(const FlightResult& reflight);

// Ticking "Revol ": a fresh re-flight ("Sur cible") is created and linked,
// and the first flight marked; false when it could not be created.
bool tickReflight(Contest& contest, ScoreEntry& entry);
// Unticking: the re-flight record goes and the first flight is unmarked.
void untickReflight(Contest& contest, ScoreEntry& entry);

// "Valider" of the re-flight dialog: writes the re-flight; the message
// "Valeur saisie incorrecte !" when its duration is above 6000 s (the
// record keeps what was written).
std::optional<std::string> validateReflight(FlightResult& reflight, const ReflightFields& fields);

// "Valider" of the score entry: writes every field of the first flight
// (and the speed part of the re-flight). On an out-of-range time the record
// keeps what was written with complete = 0 and the message "Valeur saisie
// incorrecte" is returned; otherwise complete is set from the score rules
// and the caller saves the contest.
std::optional<std::string> validateScoreEntry(Contest& contest, ScoreEntry& entry, const ScoreEntryFields& fields);

// "Abandon": a first flight created by this opening goes, with any
// re-flight linked to it. An existing result keeps its stored values.
void abandonScoreEntry(Contest& contest, ScoreEntry& entry);

// The question "Effacer" asks (UTF-8): string 429 with the name and round.
std::string deleteScoreQuestion(const ScoreEntry& entry);
// "Effacer" answered yes: the first flight and the re-flight go and both
// links are cleared. Saved with the next save of the contest.
void deleteScore(Contest& contest, ScoreEntry& entry);

} // namespace r7t
