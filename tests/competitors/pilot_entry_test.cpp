#include "competitors/pilot_entry.h"

#include "support/contest_builder.h"

#include <gtest/gtest.h>

using namespace r7t;

namespace {

PersonForm formWith(const std::string& name, const std::string& f1, const std::string& f2 = "")
{
    PersonForm form;
    form.name = name;
    form.frequency1 = f1;
    form.frequency2 = f2;
    return form;
}

int32_t add(Contest& contest, const std::string& name, const std::string& f1, const std::string& f2 = "",
            PersonKind kind = PersonKind::Competitor)
{
    EntryResult r = createPerson(contest, kind, formWith(name, f1, f2));
    EXPECT_TRUE(r.ok()) << r.message;
    return r.number;
}

} // namespace

TEST(PilotEntry, ListLineShowsRegisteredOrder)
{
    Pilot p;
    p.number = 5;
    p.name.assignRaw("DUPONT");
    p.frequency1 = 35010;
    p.frequency2 = 40685;
    const std::string expected = " 05 - DUPONT" + std::string(14, ' ') + "   35.010   40.685";
    EXPECT_EQ(LignePilote(p), expected);
    p.exchanged = 1; // a round-1 draw swapped them: still shown as registered
    std::swap(p.frequency1, p.frequency2);
    EXPECT_EQ(LignePilote(p), expected);
    p.exchanged = 0;
    p.frequency1 = 2400000;
    p.frequency2 = 0;
    p.name.assignUtf8("Hélène DE LA FONTAINE-MARTIN"); // longer than 20: not cut
    EXPECT_EQ(LignePilote(p).substr(6), utf8ToCp1252("Hélène DE LA FONTAINE-MARTIN   2.4 GHz   "));
    p.number = 123;
    EXPECT_EQ(LignePilote(p).substr(0, 7), " 123 - ");
}

TEST(PilotEntry, ListLinesPerKindSortedWithPlaceholder)
{
    Contest c;
    auto empty = pilotListLines(c, PersonKind::Competitor);
    ASSERT_EQ(empty.size(), 1u);
    EXPECT_EQ(empty[0].number, 0);
    EXPECT_EQ(empty[0].text, "- Pas encore d'inscrits -");

    add(c, "A", "35010");
    add(c, "B", "35030");
    add(c, "C", "35050");
    add(c, "R", "35070", "", PersonKind::TowPilot);
    ASSERT_TRUE(deletePerson(c, 1) == DeleteStatus::Done);
    add(c, "D", "35090"); // takes number 1, created last
    auto lines = pilotListLines(c, PersonKind::Competitor);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].number, 1);
    EXPECT_EQ(lines[1].number, 2);
    EXPECT_EQ(lines[2].number, 3);
    auto tows = pilotListLines(c, PersonKind::TowPilot);
    ASSERT_EQ(tows.size(), 1u);
    EXPECT_EQ(tows[0].number, 101);
}

TEST(PilotEntry, FormChecksComeInOrder)
{
    auto check = [](PersonForm form, PersonKind kind = PersonKind::Competitor) {
        FormAlert a = checkPersonForm(form, kind);
        return std::make_pair(a.message, a.field);
    };
    using P = std::pair<int, FormField>;
    PersonForm f = formWith("X", "");
    f.mass1 = "1"; // a mass fault comes after the frequency checks
    EXPECT_EQ(check(f), (P{404, FormField::Frequency1}));
    f.frequency1 = "40999";
    f.frequency2 = "99";
    EXPECT_EQ(check(f), (P{403, FormField::Frequency1}));
    f.frequency1 = "35010";
    EXPECT_EQ(check(f), (P{403, FormField::Frequency2}));
    f.frequency2 = "";
    EXPECT_EQ(check(f), (P{411, FormField::Mass1}));
    f.mass1 = "5099";
    f.mass2 = "5100";
    EXPECT_EQ(check(f), (P{411, FormField::Mass2}));
    f.mass2 = "1999";
    EXPECT_EQ(check(f), (P{411, FormField::Mass2}));
    f.mass2 = "";
    EXPECT_EQ(check(f), (P{0, FormField::None}));
    f.mass1 = "2000";
    EXPECT_EQ(check(f), (P{0, FormField::None}));
    f.mass1 = "-3";
    EXPECT_EQ(check(f, PersonKind::TowPilot), (P{0, FormField::None})); // no masses for tow pilots
}

TEST(PilotEntry, CreateGivesLowestFreeNumberAndStoresEveryField)
{
    Contest c;
    for (int i = 1; i <= 5; ++i)
        add(c, "P" + std::to_string(i), "35010");
    ASSERT_EQ(deletePerson(c, 3), DeleteStatus::Done);
    EXPECT_EQ(c.competitorCount(), 4);
    PersonForm form = formWith(utf8ToCp1252("Élodie"), "35,01", "72.21");
    form.licence = "L-1234";
    form.club = "Aéro-club";
    form.clubNumber = "12345678"; // the field keeps 7 characters
    form.country = "France";
    form.remark = "remarque";
    form.mass1 = "2500";
    EntryResult r = createPerson(c, PersonKind::Competitor, form);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.number, 3);
    const Pilot* p = c.findPilot(3);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->name.utf8(), "Élodie");
    EXPECT_EQ(p->frequency1, 35010);
    EXPECT_EQ(p->frequency2, 72210);
    EXPECT_EQ(p->clubNumber, 1234567);
    EXPECT_EQ(p->licence.raw(), "L-1234");
    EXPECT_EQ(p->massGlider1, 2500);
    EXPECT_EQ(p->massGlider2, 0);
    EXPECT_EQ(p->participation, 99);
    EXPECT_EQ(c.competitorCount(), 5);
    EXPECT_EQ(c.highestCompetitorNumber(), 5);

    EXPECT_EQ(add(c, "R1", "41000", "", PersonKind::TowPilot), 101);
    EXPECT_EQ(c.towPilotCount(), 1);
    EXPECT_EQ(c.highestCompetitorNumber(), 5);

    EntryResult refused = createPerson(c, PersonKind::Competitor, formWith("Z", "40999"));
    EXPECT_EQ(refused.status, EntryStatus::Alert);
    EXPECT_EQ(refused.alert.message, 403);
    EXPECT_EQ(refused.message, "La fréquence n'est pas correcte !");
    EXPECT_EQ(c.competitorCount(), 5);
    EXPECT_EQ(c.pilots.size(), 6u);
}

TEST(PilotEntry, NinetyFirstPersonOfAKindIsRefused)
{
    Contest c;
    for (int i = 1; i <= 90; ++i)
        add(c, "C", "35010");
    EXPECT_EQ(add(c, "T", "35010", "", PersonKind::TowPilot), 101);
    EntryResult r = createPerson(c, PersonKind::Competitor, formWith("X", "35010"));
    EXPECT_EQ(r.status, EntryStatus::NoFreeNumber);
    EXPECT_EQ(r.message, noFreeNumberText(PersonKind::Competitor));
    EXPECT_EQ(c.competitorCount(), 90);
    EXPECT_EQ(c.findPilot(0), nullptr);
}

TEST(PilotEntry, CreateOutOfMemoryRaisesTheAlertAndCountsNothing)
{
    Contest c;
    std::vector<int> alerts;
    c.setAlertHandler([&](int n) { alerts.push_back(n); });
    c.failNextAllocationForTest();
    EntryResult r = createPerson(c, PersonKind::Competitor, formWith("X", "35010"));
    EXPECT_EQ(r.status, EntryStatus::OutOfMemory);
    EXPECT_EQ(alerts, std::vector<int>{402});
    EXPECT_EQ(c.competitorCount(), 0);
    EXPECT_TRUE(c.pilots.empty());
}

TEST(PilotEntry, AStoredFrequencyInNoBandIsRefusedEvenWhenLeftAsItIs)
{
    Contest c;
    const int32_t n = add(c, "A", "35010", "40685");
    Pilot* p = c.findPilot(n);
    p->frequency2 = 99000; // only a damaged or foreign file holds one
    const PersonForm form = personForm(*p);
    ASSERT_EQ(form.frequency2, "99.000");
    const EntryResult refused = modifyPerson(c, n, form);
    EXPECT_EQ(refused.status, EntryStatus::Alert);
    EXPECT_EQ(refused.alert.message, 403);
    EXPECT_EQ(refused.alert.field, FormField::Frequency2);
    EXPECT_EQ(p->frequency2, 99000);
}

TEST(PilotEntry, ModifyKeepsRegisteredOrderAndUntouchedValues)
{
    Contest c;
    const int32_t n = add(c, "A", "35010", "40685");
    Pilot* p = c.findPilot(n);
    std::swap(p->frequency1, p->frequency2); // as a round-1 draw leaves it
    p->exchanged = 1;
    p->frequency2 = 35012;                   // a registered frequency off the 5 kHz grid

    PersonForm form = personForm(*p);
    EXPECT_EQ(form.frequency1, "35.012");
    EXPECT_EQ(form.frequency2, "40.685");
    form.frequency2 = "40.695";
    form.name = "B";
    ASSERT_TRUE(modifyPerson(c, n, form).ok());
    EXPECT_EQ(p->frequency1, 40695); // still flown on the registered frequency 2
    EXPECT_EQ(p->frequency2, 35012); // unchanged text keeps the stored value
    EXPECT_EQ(p->exchanged, 1);
    EXPECT_EQ(p->name.raw(), "B");

    // Emptying the spare of an exchanged person: nothing is exchanged any
    // more and the flown frequency is the registered frequency 1.
    form = personForm(*p);
    form.frequency2 = "";
    ASSERT_TRUE(modifyPerson(c, n, form).ok());
    EXPECT_EQ(p->frequency1, 35012);
    EXPECT_EQ(p->frequency2, 0);
    EXPECT_EQ(p->exchanged, 0);

    form = personForm(*p);
    form.mass2 = "6000";
    EntryResult bad = modifyPerson(c, n, form);
    EXPECT_EQ(bad.alert.message, 411);
    EXPECT_EQ(p->massGlider2, 0);
    EXPECT_EQ(modifyPerson(c, 42, form).status, EntryStatus::NotFound);
}

TEST(PilotEntry, FrequenciesLockOnceARoundIsPrepared)
{
    Contest c;
    const int32_t withSpare = add(c, "A", "35010", "40685");
    const int32_t single = add(c, "B", "35030");
    c.roundPrepared[2] = 1;
    EXPECT_TRUE(frequencyLock(c, *c.findPilot(withSpare)).frequency2);
    EXPECT_FALSE(frequencyLock(c, *c.findPilot(single)).frequency2);

    PersonForm form = personForm(*c.findPilot(withSpare));
    form.name = "A2";
    EXPECT_TRUE(modifyPerson(c, withSpare, form).ok());
    form.frequency1 = "35.01"; // same value typed differently
    EXPECT_TRUE(modifyPerson(c, withSpare, form).ok());
    form.frequency1 = "35020";
    EntryResult locked = modifyPerson(c, withSpare, form);
    EXPECT_EQ(locked.status, EntryStatus::FrequencyLocked);
    EXPECT_EQ(locked.alert.field, FormField::Frequency1);
    EXPECT_EQ(c.findPilot(withSpare)->frequency1, 35010);
    form.frequency1 = "35010";
    form.frequency2 = "";
    EXPECT_EQ(modifyPerson(c, withSpare, form).status, EntryStatus::FrequencyLocked);

    // Without a spare, field 551 stays open.
    PersonForm other = personForm(*c.findPilot(single));
    other.frequency2 = "72.21";
    EXPECT_TRUE(modifyPerson(c, single, other).ok());
    EXPECT_EQ(c.findPilot(single)->frequency2, 72210);

    // After a frequency change the form's fields are unlocked.
    form.frequency1 = "35020";
    EXPECT_TRUE(modifyPerson(c, withSpare, form, true).ok());
    EXPECT_EQ(c.findPilot(withSpare)->frequency1, 35020);
    EXPECT_EQ(c.findPilot(withSpare)->frequency2, 0);
}

TEST(PilotEntry, DeletionRefusedOncePreparedAndCountersKept)
{
    Contest c;
    add(c, "A", "35010");
    add(c, "B", "35030");
    add(c, "T", "35030", "", PersonKind::TowPilot);
    ASSERT_EQ(deletePerson(c, 101), DeleteStatus::Done);
    EXPECT_EQ(c.towPilotCount(), 0);
    ASSERT_EQ(deletePerson(c, 2), DeleteStatus::Done);
    EXPECT_EQ(c.competitorCount(), 1);
    EXPECT_EQ(c.highestCompetitorNumber(), 1);
    EXPECT_EQ(deletePerson(c, 2), DeleteStatus::NotFound);
    c.roundPrepared[1] = 1;
    EXPECT_EQ(deletePerson(c, 1), DeleteStatus::RoundsPrepared);
    EXPECT_NE(c.findPilot(1), nullptr);
    EXPECT_EQ(c.competitorCount(), 1);
}

TEST(PilotEntry, AbandonLineListsPreparedRoundsWithoutTheCompetitor)
{
    Contest c;
    fixtures::buildContest(c, {12, 3, 3, 0});
    EXPECT_EQ(abandonLine(c, 5), "Abandon pour manches : ");
    // Remove competitor 5 from the duration groups of round 2.
    for (StartGroup& g : c.groups)
        if (g.round == 2 && g.task == kTaskDuration)
            for (GroupSlot& s : g.slots)
                if (s.pilotNumber == 5)
                    s.pilotNumber = 77;
    EXPECT_EQ(abandonLine(c, 5), "Abandon pour manches :  2 ");
    const int32_t late = add(c, "Late", "35010");
    EXPECT_EQ(abandonLine(c, late), "Abandon pour manches :  1  2  3 ");
}
