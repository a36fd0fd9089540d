// Entry of competitors and tow pilots: the list lines, the person form's
// checks, creating, modifying and deleting a person.
//
// Texts taken from or written to records are raw Windows-1252 bytes; the
// messages (string table or literals) are UTF-8 with "\r" line breaks.
#pragma once

#include "contest/contest.h"

#include <cstdint>
#include <string>
#include <vector>

namespace r7t {

enum class PersonKind { Competitor, TowPilot };

inline PersonKind kindOfNumber(int32_t number) { return isTowPilotNumber(number) ? PersonKind::TowPilot : PersonKind::Competitor; }

// String numbers used by the entry.
inline constexpr int kMessageNobodyYet = 53;          // "- Pas encore d'inscrits -"
inline constexpr int kMessageBadFrequency = 403;      // "La fréquence n'est pas correcte !"
inline constexpr int kMessageFrequency1Missing = 404; // "Merci de donner une fréquence en premier rang."
inline constexpr int kMessageDeleteQuestion = 406;    // "\rSuppression définitive ?"
inline constexpr int kMessageBadMass = 411;           // "Masse saisie incorrecte !"
inline constexpr int kMessageAbandonRounds = 552;     // "Abandon pour manches : "

inline constexpr int32_t kMinGliderMass = 2000;
inline constexpr int32_t kMaxGliderMass = 5099;

// The frequencies in the order they were registered: a round-1 draw that
// exchanged them (exchanged = 1) left the spare one in frequency1.
int32_t registeredFrequency1(const Pilot& pilot);
int32_t registeredFrequency2(const Pilot& pilot);

// The person's list line, " 05 - NAME (padded to 20)   35.010   40.685":
// number, name, registered frequency 1 and 2 (empty when none).
std::string LignePilote(const Pilot& pilot);

// The pilot list dialog's lines for one kind of person, sorted by text; the
// single line "- Pas encore d'inscrits -" (number 0) when there is nobody.
struct PilotListLine {
    int32_t number; // 0 for the placeholder line
    std::string text;
};
std::vector<PilotListLine> pilotListLines(const Contest& contest, PersonKind kind);

// Whether any round 1..40 is prepared (accepted): frequencies then lock and
// deletion is refused.
bool anyRoundPrepared(const Contest& contest);

// The person form's fields as typed (Windows-1252). In modify mode
// personForm() fills them from the record; a frequency field whose text is
// still the one it was filled with keeps the recorded value exactly.
struct PersonForm {
    std::string name, licence, club, clubNumber, country, remark;
    std::string frequency1, frequency2; // fields 550 and 551, registered order
    std::string mass1, mass2;           // grams; competitors only
    int32_t openedFrequency1 = 0;       // registered frequencies the fields were filled with
    int32_t openedFrequency2 = 0;
};

// The text a frequency field shows for a value: empty for 0.
std::string frequencyFieldText(int32_t kHz);

// The form opened in modify mode on a person.
PersonForm personForm(const Pilot& pilot);

enum class FormField { None, Frequency1, Frequency2, Mass1, Mass2 };

// A refusal of the form: the string number of the alert (0 when the form is
// accepted) and the field that gets the focus.
struct FormAlert {
    int message = 0;
    FormField field = FormField::None;
    explicit operator bool() const { return message != 0; }
};

// The values the form gives once its checks pass.
struct FormValues {
    int32_t frequency1 = 0; // registered order
    int32_t frequency2 = 0;
    int32_t mass1 = 0;
    int32_t mass2 = 0;
};

// The checks of "INSCRIRE" / "MODIFIER" in their order: frequency 1 missing
// (404) or in no band (403), frequency 2 in no band (403), a glider mass
// neither 0 nor 2000..5099 (411, competitors only).
FormAlert checkPersonForm(const PersonForm& form, PersonKind kind, FormValues* values = nullptr);

// Fields 550 and 551 in modify mode: 550 locks once any round is prepared,
// 551 too when the person has a frequency 2.
struct FrequencyLock {
    bool frequency1 = false;
    bool frequency2 = false;
};
FrequencyLock frequencyLock(const Contest& contest, const Pilot& pilot);

enum class EntryStatus {
    Done,
    Alert,            // a check of the form failed: see alert
    NoFreeNumber,     // every number 1..90 (101..190) is in use
    FrequencyLocked,  // a locked frequency was changed
    NotFound,         // no person with that number
    OutOfMemory,      // alert 402 was raised
};

struct EntryResult {
    EntryStatus status = EntryStatus::Done;
    int32_t number = 0;  // the person created or modified
    FormAlert alert;     // Alert: the failed check; OutOfMemory: 402
    std::string message; // the refusal's text, empty when done
    bool ok() const { return status == EntryStatus::Done; }
};

// "INSCRIRE": the lowest free number of the kind (refused when there is
// none), the checks, then the record with every field, the counters and
// highestNumber.
EntryResult createPerson(Contest& contest, PersonKind kind, const PersonForm& form);

// "MODIFIER": the checks, refused when a locked frequency changes (unless a
// frequency change unlocked the fields), then every field is stored, the
// frequencies in registered order.
EntryResult modifyPerson(Contest& contest, int32_t number, const PersonForm& form, bool frequenciesUnlocked = false);

enum class DeleteStatus { Done, RoundsPrepared, NotFound };

// "Supprimer": refused once any round is prepared; keeps the counters and
// highestNumber current.
DeleteStatus deletePerson(Contest& contest, int32_t number);

// Texts of the refusals the tables have no number for.
std::string noFreeNumberText(PersonKind kind);
std::string frequencyLockedText();
std::string deleteRefusedText();
std::string unknownPersonText(int32_t number);

// Line 552 of the form (competitors, modify mode): "Abandon pour manches : "
// then " %i " for every prepared round whose duration groups do not hold
// the competitor.
std::string abandonLine(const Contest& contest, int32_t number);

} // namespace r7t
