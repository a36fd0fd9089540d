#include "competitors/pilot_entry.h"

#include "text/strings.h"
#include "competitors/frequency.h"
#include "text/numbers.h"

#include <algorithm>
#include <cstdio>
#include <optional>

namespace r7t {

namespace {

bool inKind(const Pilot& p, PersonKind kind)
{
    return kind == PersonKind::TowPilot ? p.isTowPilot() : p.isCompetitor();
}

// " %02u": the number a list line starts with.
std::string lineNumberText(int32_t number)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, " %02u", static_cast<unsigned>(number));
    return buffer;
}

// The value of a frequency field: the recorded one while the text is the
// one the field was filled with, so that opening and confirming the form
// never moves a stored frequency.
std::optional<int32_t> fieldFrequency(const std::string& text, int32_t opened)
{
    if (text == frequencyFieldText(opened))
        return opened;
    return readFormFrequency(text);
}

int32_t massValue(const std::string& text) { return leadingInt32(text); }

bool massAccepted(int32_t grams) { return grams == 0 || (grams >= kMinGliderMass && grams <= kMaxGliderMass); }

void storeTexts(Pilot& p, const PersonForm& form)
{
    p.name.assignRaw(form.name);
    p.licence.assignRaw(form.licence);
    p.club.assignRaw(form.club);
    p.clubNumber = leadingInt32(std::string_view(form.clubNumber).substr(0, 7));
    p.country.assignRaw(form.country);
    p.remark.assignRaw(form.remark);
}

void storeFrequencies(Pilot& p, int32_t registered1, int32_t registered2)
{
    if (p.exchanged == 1 && registered2 != 0) {
        p.frequency1 = registered2;
        p.frequency2 = registered1;
        return;
    }
    // Without a spare frequency nothing can stay exchanged: the flown
    // frequency must not become 0.
    p.exchanged = 0;
    p.frequency1 = registered1;
    p.frequency2 = registered2;
}

EntryResult refusal(EntryStatus status, int32_t number, std::string message, FormAlert alert = {})
{
    EntryResult r;
    r.status = status;
    r.number = number;
    r.alert = alert;
    r.message = std::move(message);
    return r;
}

} // namespace

int32_t registeredFrequency1(const Pilot& pilot) { return pilot.exchanged == 1 ? pilot.frequency2 : pilot.frequency1; }
int32_t registeredFrequency2(const Pilot& pilot) { return pilot.exchanged == 1 ? pilot.frequency1 : pilot.frequency2; }

std::string frequencyFieldText(int32_t kHz) { return kHz == 0 ? std::string() : TexteFrequence(kHz); }

std::string LignePilote(const Pilot& pilot)
{
    std::string line = lineNumberText(pilot.number);
    line += " - ";
    const std::string_view name = pilot.name.raw();
    line += name;
    if (name.size() < 20)
        line.append(20 - name.size(), ' ');
    line += "   ";
    line += TexteFrequence(registeredFrequency1(pilot));
    line += "   ";
    const int32_t f2 = registeredFrequency2(pilot);
    if (f2 != 0)
        line += TexteFrequence(f2);
    return line;
}

std::vector<PilotListLine> pilotListLines(const Contest& contest, PersonKind kind)
{
    std::vector<PilotListLine> lines;
    for (const Pilot& p : contest.pilots)
        if (inKind(p, kind))
            lines.push_back({p.number, LignePilote(p)});
    if (lines.empty()) {
        lines.push_back({0, utf8ToCp1252(MajStr(kMessageNobodyYet))});
        return lines;
    }
    std::stable_sort(lines.begin(), lines.end(),
                     [](const PilotListLine& a, const PilotListLine& b) { return a.text < b.text; });
    return lines;
}

bool anyRoundPrepared(const Contest& contest)
{
    for (int r = 1; r <= kMaxRounds; ++r)
        if (contest.roundPrepared[r])
            return true;
    return false;
}

PersonForm personForm(const Pilot& pilot)
{
    PersonForm form;
    form.name = pilot.name.raw();
    form.licence = pilot.licence.raw();
    form.club = pilot.club.raw();
    form.clubNumber = std::to_string(pilot.clubNumber);
    form.country = pilot.country.raw();
    form.remark = pilot.remark.raw();
    form.openedFrequency1 = registeredFrequency1(pilot);
    form.openedFrequency2 = registeredFrequency2(pilot);
    form.frequency1 = frequencyFieldText(form.openedFrequency1);
    form.frequency2 = frequencyFieldText(form.openedFrequency2);
    form.mass1 = pilot.massGlider1 ? std::to_string(pilot.massGlider1) : std::string();
    form.mass2 = pilot.massGlider2 ? std::to_string(pilot.massGlider2) : std::string();
    return form;
}

FormAlert checkPersonForm(const PersonForm& form, PersonKind kind, FormValues* values)
{
    const std::optional<int32_t> f1 = fieldFrequency(form.frequency1, form.openedFrequency1);
    if (f1 && *f1 == 0)
        return {kMessageFrequency1Missing, FormField::Frequency1};
    if (!f1 || BandeFrequence(*f1) < 0)
        return {kMessageBadFrequency, FormField::Frequency1};
    const std::optional<int32_t> f2 = fieldFrequency(form.frequency2, form.openedFrequency2);
    if (!f2 || (*f2 != 0 && BandeFrequence(*f2) < 0))
        return {kMessageBadFrequency, FormField::Frequency2};
    FormValues v;
    v.frequency1 = *f1;
    v.frequency2 = *f2;
    if (kind == PersonKind::Competitor) {
        v.mass1 = massValue(form.mass1);
        v.mass2 = massValue(form.mass2);
        if (!massAccepted(v.mass1))
            return {kMessageBadMass, FormField::Mass1};
        if (!massAccepted(v.mass2))
            return {kMessageBadMass, FormField::Mass2};
    }
    if (values)
        *values = v;
    return {};
}

FrequencyLock frequencyLock(const Contest& contest, const Pilot& pilot)
{
    FrequencyLock lock;
    if (!anyRoundPrepared(contest))
        return lock;
    lock.frequency1 = true;
    lock.frequency2 = registeredFrequency2(pilot) != 0;
    return lock;
}

std::string noFreeNumberText(PersonKind kind)
{
    return kind == PersonKind::TowPilot ? "Aucun numéro libre de 101 à 190 :\rinscription impossible !"
                                        : "Aucun numéro libre de 1 à 90 :\rinscription impossible !";
}

std::string frequencyLockedText()
{
    return "Des manches sont préparées : les fréquences ne changent\rque par « Modif. Freq. » (changement de fréquence).";
}

std::string deleteRefusedText() { return "Des manches sont préparées :\rsuppression impossible !"; }

std::string unknownPersonText(int32_t number) { return "Aucun inscrit ne porte le numéro " + std::to_string(number) + " !"; }

EntryResult createPerson(Contest& contest, PersonKind kind, const PersonForm& form)
{
    const bool tow = kind == PersonKind::TowPilot;
    const int number = contest.freeNumber(tow);
    if (number == 0)
        return refusal(EntryStatus::NoFreeNumber, 0, noFreeNumberText(kind));
    FormValues values;
    if (FormAlert alert = checkPersonForm(form, kind, &values))
        return refusal(EntryStatus::Alert, number, MajMessage(alert.message), alert);
    Pilot* p = contest.addPilot(number);
    if (!p)
        return refusal(EntryStatus::OutOfMemory, number, MajMessage(kMessageOutOfMemory), {kMessageOutOfMemory});
    storeTexts(*p, form);
    storeFrequencies(*p, values.frequency1, values.frequency2);
    p->massGlider1 = values.mass1;
    p->massGlider2 = values.mass2;
    EntryResult done;
    done.number = number;
    return done;
}

EntryResult modifyPerson(Contest& contest, int32_t number, const PersonForm& form, bool frequenciesUnlocked)
{
    Pilot* p = contest.findPilot(number);
    if (!p)
        return refusal(EntryStatus::NotFound, number, unknownPersonText(number));
    const PersonKind kind = kindOfNumber(number);
    if (!frequenciesUnlocked) {
        const FrequencyLock lock = frequencyLock(contest, *p);
        const std::optional<int32_t> f1 = fieldFrequency(form.frequency1, form.openedFrequency1);
        const std::optional<int32_t> f2 = fieldFrequency(form.frequency2, form.openedFrequency2);
        if (lock.frequency1 && f1 != registeredFrequency1(*p))
            return refusal(EntryStatus::FrequencyLocked, number, frequencyLockedText(), {0, FormField::Frequency1});
        if (lock.frequency2 && f2 != registeredFrequency2(*p))
            return refusal(EntryStatus::FrequencyLocked, number, frequencyLockedText(), {0, FormField::Frequency2});
    }
    FormValues values;
    if (FormAlert alert = checkPersonForm(form, kind, &values))
        return refusal(EntryStatus::Alert, number, MajMessage(alert.message), alert);
    storeTexts(*p, form);
    storeFrequencies(*p, values.frequency1, values.frequency2);
    if (kind == PersonKind::Competitor) {
        p->massGlider1 = values.mass1;
        p->massGlider2 = values.mass2;
    }
    EntryResult done;
    done.number = number;
    return done;
}

DeleteStatus deletePerson(Contest& contest, int32_t number)
{
    if (!contest.findPilot(number))
        return DeleteStatus::NotFound;
    if (anyRoundPrepared(contest))
        return DeleteStatus::RoundsPrepared;
    contest.removePilot(number);
    return DeleteStatus::Done;
}

std::string abandonLine(const Contest& contest, int32_t number)
{
    std::string line = MajStr(kMessageAbandonRounds);
    for (int r = 1; r <= kMaxRounds; ++r) {
        if (!contest.roundPrepared[r])
            continue;
        bool placed = false;
        for (const StartGroup& g : contest.groups) {
            if (g.round != r || g.task != kTaskDuration)
                continue;
            for (int s = 0; s < g.usedSlots() && !placed; ++s)
                placed = g.slots[s].pilotNumber == number;
            if (placed)
                break;
        }
        if (!placed)
            line += " " + std::to_string(r) + " ";
    }
    return line;
}

} // namespace r7t
