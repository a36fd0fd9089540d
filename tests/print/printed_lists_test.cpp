#include "print/printed_lists.h"

#include "support/print_fixture.h"

#include <gtest/gtest.h>

using namespace r7t;
using namespace r7t::fixtures;

using Texts = std::vector<std::string>;

TEST(PilotList, EachCompetitorWithHisLinesInNumberOrder)
{
    Contest c;
    setHeader(c);
    Pilot& luc = addListedPilot(c, 2, "Luc Martin", 35020, 35200);
    luc.massGlider1 = 3000;
    luc.remark.assignUtf8("ligne 1\r\nligne 2");
    addListedPilot(c, 1, "DUPONT Jean").clubNumber = 12;
    addListedPilot(c, 101, "REMORQUEUR Alain", 35300);

    RecordingDevice device;
    PrintEngine engine(device);
    ASSERT_EQ(printPilotList(c, engine, PilotListKind::Competitors), PrintOutcome::Printed);
    EXPECT_EQ(device.pages, 1);
    EXPECT_EQ(textsAt(device, 1, 2 * kLine), (Texts{"Concurrents"}));
    EXPECT_EQ(device.findText("Concurrents")->font.height, -200);
    EXPECT_EQ(textsAt(device, 1, 4 * kLine), (Texts{"R7T - Coupe d'été - Vinon - 12/06/2026"}));

    EXPECT_EQ(textsAt(device, 1, 6 * kLine), (Texts{"1 ", "01 ", " DUPONT Jean ", "Licence : L1"}));
    const PrintEvent* number = device.findText("01 ");
    EXPECT_EQ(number->x, 15 * kUnit);
    EXPECT_EQ(device.findText(" DUPONT Jean ")->x, 24 * kUnit);
    EXPECT_EQ(device.findText("Licence : L1")->x, 70 * kUnit);
    EXPECT_EQ(textsAt(device, 1, 7 * kLine), (Texts{"Club 1 ", "12   France"}));
    // No second frequency: an empty "Freq2 : " field; no masses: no mass line.
    EXPECT_EQ(textsAt(device, 1, 8 * kLine), (Texts{"Freq1 : 35.010 ", "Freq2 : "}));

    EXPECT_EQ(textsAt(device, 1, 10 * kLine), (Texts{"2 ", "02 ", " Luc Martin ", "Licence : L2"}));
    EXPECT_EQ(textsAt(device, 1, 11 * kLine), (Texts{"Club 2 ", "   France"}));
    EXPECT_EQ(textsAt(device, 1, 12 * kLine), (Texts{"Freq1 : 35.020 ", "Freq2 : 35.200"}));
    EXPECT_EQ(textsAt(device, 1, 13 * kLine), (Texts{"m1 : 3000 g.", "m2 : _______ g."}));
    EXPECT_EQ(textsAt(device, 1, 14 * kLine), (Texts{"ligne 1 ", " "}));
    EXPECT_EQ(textsAt(device, 1, 15 * kLine), (Texts{"ligne 2 ", " "}));
    EXPECT_EQ(device.findText("ligne 1 ")->x, 24 * kUnit);

    // Double rule of the head, then one separator per pilot.
    const auto lines = device.lines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[2].y, 9 * kLine + 62);
    EXPECT_EQ(lines[3].y, 16 * kLine + 62);

    RecordingDevice tow;
    PrintEngine towEngine(tow);
    ASSERT_EQ(printPilotList(c, towEngine, PilotListKind::TowPilots), PrintOutcome::Printed);
    EXPECT_EQ(textsAt(tow, 1, 6 * kLine), (Texts{"1 ", "101 ", " REMORQUEUR Alain ", "Licence : L101"}));
    EXPECT_EQ(tow.findText("Remorqueurs")->y, 2 * kLine);
}

TEST(PilotList, ALastEntryEndingOnTheThresholdLeavesNoEmptyPage)
{
    // Four lines a competitor from line 6: the 13th ends on line 58, past
    // the threshold 54, and closes the only page; a 14th needs a second one.
    for (int competitors : {13, 14}) {
        Contest c;
        for (int n = 1; n <= competitors; ++n)
            addListedPilot(c, n, "Pilote " + std::to_string(n));
        RecordingDevice device;
        PrintEngine engine(device);
        ASSERT_EQ(printPilotList(c, engine, PilotListKind::Competitors), PrintOutcome::Printed);
        EXPECT_EQ(device.pages, competitors == 13 ? 1 : 2);
        EXPECT_EQ(countKind(device, PrintEvent::EndPage), device.pages);
        EXPECT_TRUE(device.ended());
        EXPECT_EQ(device.drawnOffPage, 0);
        if (competitors == 14) {
            EXPECT_EQ(textsAt(device, 2, 6 * kLine).at(1), "14 ");
        }
    }

    Contest empty;
    RecordingDevice device;
    PrintEngine engine(device);
    EXPECT_EQ(printPilotList(empty, engine, PilotListKind::TowPilots), PrintOutcome::NothingPrinted);
    EXPECT_TRUE(device.texts().empty());
    EXPECT_FALSE(device.ended());
}

TEST(FlightSheets, FixedPlacesScaledToTheDeviceAndTheNameCutRule)
{
    Contest c;
    Pilot& jean = addListedPilot(c, 1, "DUPONT Jean", 35010, 0);
    jean.clubNumber = 0;
    Pilot& luc = addListedPilot(c, 2, "Luc Martin", 35020, 35200);
    luc.clubNumber = 77;
    addListedPilot(c, 3, "Hors plage");
    addListedPilot(c, 101, "REMORQUEUR Alain");

    EXPECT_EQ(splitSheetName("DUPONT Jean").first, "DUPONT");
    EXPECT_EQ(splitSheetName("DUPONT Jean").second, "Jean");
    EXPECT_EQ(splitSheetName("ABCD E").first, "ABCD");
    EXPECT_EQ(splitSheetName("ABC DE").first, "ABC DE");
    EXPECT_EQ(splitSheetName("ABC DE").second, "");

    RecordingDevice device; // 720 dpi: a 300-dpi unit is 2.4 device units
    PrintEngine engine(device);
    ASSERT_EQ(printFlightSheets(c, engine, 1, 2), PrintOutcome::Printed);
    ASSERT_EQ(device.pages, 2);
    auto at = [&](int page, int x, int y) {
        for (const PrintEvent& e : device.texts(page))
            if (e.x == x && e.y == y)
                return cp1252ToUtf8(e.text);
        return std::string("<none>");
    };
    EXPECT_EQ(at(1, 960, 1284), "DUPONT");
    EXPECT_EQ(at(1, 960, 1512), "Jean");
    EXPECT_EQ(at(1, 2880, 1512), "35.010");
    EXPECT_EQ(at(1, 960, 1740), "Club 1");
    EXPECT_EQ(at(1, 2880, 1740), "<none>"); // no second frequency
    EXPECT_EQ(at(1, 1440, 1968), "<none>"); // club number 0
    EXPECT_EQ(at(1, 1440, 2196), "L1");
    EXPECT_EQ(at(1, 2880, 2064), "1");
    EXPECT_EQ(device.texts(1).size(), 6u);
    // Space at index 3: the name stays whole on the first line.
    EXPECT_EQ(at(2, 960, 1284), "Luc Martin");
    EXPECT_EQ(at(2, 960, 1512), "<none>");
    EXPECT_EQ(at(2, 2880, 1740), "35.200");
    EXPECT_EQ(at(2, 1440, 1968), "77");
    for (const PrintEvent& e : device.texts())
        EXPECT_EQ(e.font, (DeviceFont{"ARIAL", e.text == "1" || e.text == "2" ? -240 : -110, 700})) << e.text;
}

namespace {

// Round 1: group 1 of four with watch marks, group 2 of three; competitor
// 8 does not fly. Round 2: everybody flies.
void startListContest(Contest& c)
{
    setHeader(c);
    addListedPilot(c, 1, "DUPONT Jean");
    addListedPilot(c, 2, "MARTIN Luc");
    addListedPilot(c, 3, "LEFÈVRE Noël");
    addListedPilot(c, 4, "PETIT Abel");
    for (int n = 5; n <= 8; ++n)
        addListedPilot(c, n, "Pilote " + std::to_string(n));
    addListedPilot(c, 101, "REMORQUEUR Alain", 35300);
    for (int task : {kTaskSpeed, kTaskDuration}) {
        // 1 watches 2 (10 kHz apart); 3 watches 4 (same frequency) and 1
        // (far: "??"); 5 of group 2 watches 2 of group 1.
        addGroup(c, 1, task, 1, task == kTaskSpeed ? 101 : kNoTowPilot, 35300,
                 {{1, 35010, "A c "}, {2, 35020, "a d "}, {3, 35100, "B C "}, {4, 35100, "b "}});
        addGroup(c, 1, task, 2, 101, 35300, {{5, 35030, "D "}, {6, 35500}, {7, 35600}});
        addGroup(c, 2, task, 1, 101, 35300, {{1, 35010}, {2, 35020}, {3, 35100}, {4, 35100}});
        addGroup(c, 2, task, 2, 101, 35300, {{5, 35030}, {6, 35500}, {7, 35600}, {8, 2400020}});
    }
}

} // namespace

TEST(StartList, GroupsMembersWatchListAndNonParticipants)
{
    Contest c;
    startListContest(c);
    c.findGroup(1, 11, kTaskSpeed)->slots[1].onFrequency2 = 1;

    RecordingDevice device;
    PrintEngine engine(device);
    ASSERT_EQ(printStartList(c, engine, 1, kTaskSpeed), PrintOutcome::Printed);
    EXPECT_EQ(device.pages, 1);
    EXPECT_EQ(textsAt(device, 1, 2 * kLine), (Texts{"VITESSE   -   Manche 1"}));
    EXPECT_EQ(textsAt(device, 1, 4 * kLine), (Texts{"R7T V3 - Coupe d'été - Vinon - 12/06/2026"}));
    EXPECT_EQ(device.lines()[0].y, 5 * kLine + 41); // head rule

    EXPECT_EQ(textsAt(device, 1, 7 * kLine), (Texts{"Groupe 1   -   Remorqueur : REMORQUEUR Alain   (35.300) "}));
    EXPECT_EQ(device.findText("Groupe 1   -   Remorqueur : REMORQUEUR Alain   (35.300) ")->x, 10 * kUnit);
    EXPECT_EQ(textsAt(device, 1, 9 * kLine), (Texts{"1 ", "01 ", " DUPONT Jean"}));
    EXPECT_EQ(textsAt(device, 1, 10 * kLine), (Texts{"35.010 ", " ", "Surveiller :  02 (à 10) "}));
    EXPECT_EQ(device.findText("Surveiller :  02 (à 10) ")->x, 60 * kUnit);
    // Lower-case marks only: no "Surveiller :".
    EXPECT_EQ(textsAt(device, 1, 13 * kLine), (Texts{"35.020 ", "<-- fréquence 2 ", " "}));
    EXPECT_EQ(textsAt(device, 1, 16 * kLine), (Texts{"35.100 ", " ", "Surveiller :  04 (à 00)  01 (à \?\?) "}));
    EXPECT_EQ(textsAt(device, 1, 19 * kLine), (Texts{"35.100 ", " ", " "}));
    // Group 2 looks back into group 1.
    EXPECT_EQ(textsAt(device, 1, 22 * kLine), (Texts{"Groupe 2   -   Remorqueur : REMORQUEUR Alain   (35.300) "}));
    EXPECT_EQ(textsAt(device, 1, 25 * kLine), (Texts{"35.030 ", " ", "Surveiller :  02 (à 10) "}));

    EXPECT_EQ(textsAt(device, 1, 34 * kLine), (Texts{"Ne participent pas à la manche 1 :"}));
    EXPECT_EQ(textsAt(device, 1, 36 * kLine), (Texts{"8 - Pilote 8"}));
    EXPECT_EQ(device.texts().back().text, "8 - Pilote 8");
    EXPECT_EQ(device.drawnOffPage, 0);

    // The duration task of the same round: a group without tow pilot.
    RecordingDevice duration;
    PrintEngine durationEngine(duration);
    ASSERT_EQ(printStartList(c, durationEngine, 1, kTaskDuration), PrintOutcome::Printed);
    EXPECT_EQ(textsAt(duration, 1, 2 * kLine), (Texts{"DUREE   -   Manche 1"}));
    EXPECT_EQ(textsAt(duration, 1, 7 * kLine), (Texts{"Groupe 1   -   Remorqueur : ????     (à déterminer) "}));

    // Round 2: everybody flies.
    RecordingDevice all;
    PrintEngine allEngine(all);
    ASSERT_EQ(printStartList(c, allEngine, 2, kTaskDuration), PrintOutcome::Printed);
    EXPECT_EQ(cp1252ToUtf8(all.texts().back().text), "Aucun");
    EXPECT_EQ(all.texts().back().y, all.texts()[all.texts().size() - 2].y + 2 * kLine);
}

TEST(StartList, AMissingPilotRaisesTheFaultAndAbandonsTheJob)
{
    Contest c;
    startListContest(c);
    c.removePilot(3);
    std::string tag;
    c.setFaultHandler([&](const std::string& t) { tag = t; });
    RecordingDevice device;
    PrintEngine engine(device);
    EXPECT_EQ(printStartList(c, engine, 1, kTaskSpeed), PrintOutcome::Failed);
    EXPECT_EQ(tag, "FINDPILOTE");
    EXPECT_TRUE(device.aborted());
    EXPECT_FALSE(device.ended());
}

TEST(StartList, ManyGroupsBreakPagesAndEveryGroupHeadIsOnAPage)
{
    Contest c;
    setHeader(c);
    for (int n = 1; n <= 40; ++n)
        addListedPilot(c, n, "Pilote " + std::to_string(n), 35000 + 10 * n);
    addListedPilot(c, 101, "REMORQUEUR Alain", 35300);
    for (int g = 1; g <= 10; ++g) {
        std::vector<Member> members;
        for (int s = 0; s < 4; ++s)
            members.push_back({4 * (g - 1) + s + 1, 35000 + 10 * (4 * (g - 1) + s + 1)});
        addGroup(c, 1, kTaskSpeed, g, 101, 35300, members);
        addGroup(c, 1, kTaskDuration, g, 101, 35300, members);
    }
    RecordingDevice device;
    PrintEngine engine(device);
    ASSERT_EQ(printStartList(c, engine, 1, kTaskSpeed), PrintOutcome::Printed);
    EXPECT_GT(device.pages, 2);
    EXPECT_EQ(device.drawnOffPage, 0);
    for (int page = 1; page <= device.pages; ++page) {
        EXPECT_EQ(textsAt(device, page, 2 * kLine), (Texts{"VITESSE   -   Manche 1"})) << page;
        for (const PrintEvent& e : device.texts(page))
            EXPECT_LT(e.y, 60 * kLine) << e.text;
    }
    int heads = 0;
    for (const PrintEvent& e : device.texts())
        heads += e.text.rfind("Groupe ", 0) == 0;
    EXPECT_EQ(heads, 10);
}

TEST(RoundSheet, RowsWithTheirBoxes)
{
    Contest c;
    startListContest(c);
    RecordingDevice device;
    PrintEngine engine(device);
    ASSERT_EQ(printRoundSheet(c, engine, 1), PrintOutcome::Printed);
    EXPECT_EQ(textsAt(device, 1, 2 * kLine).front(), " Manche 1");
    EXPECT_EQ(device.findText("1 : sur cible")->x, 90 * kUnit);
    EXPECT_EQ(device.findText("1 : sur cible")->font.height, -90);
    EXPECT_EQ(device.findText("3 : plus de 100 m ou perte")->y, 3 * kLine);

    // Group 1: double rule on line 6, "Groupe 1" on 7, separator on 8, the
    // header on 9 in 9 pt under its rule, members from line 10.
    EXPECT_EQ(textsAt(device, 1, 7 * kLine), (Texts{"Groupe 1   "}));
    const Texts header{"Vitesse", "Visa", "Durée", "Atterro.", "Visa"};
    EXPECT_EQ(textsAt(device, 1, 9 * kLine), header);
    // The last "Visa" at 113 (tab 103), inside its box on A4 too.
    const std::vector<int> headerX{57, 72, 87, 100, 113};
    int i = 0;
    for (const PrintEvent& e : device.texts(1))
        if (e.y == 9 * kLine) {
            EXPECT_EQ(e.x, headerX[static_cast<size_t>(i++)] * kUnit);
            EXPECT_EQ(e.font.height, -90);
        }
    EXPECT_EQ(textsAt(device, 1, 10 * kLine), (Texts{" ", "01 ", " DUPONT Jean"}));
    EXPECT_EQ(textsAt(device, 1, 11 * kLine), (Texts{"35.010 ", "(A c ) ", " "}));
    EXPECT_EQ(textsAt(device, 1, 14 * kLine), (Texts{"35.020 ", "(a d ) ", " "}));

    // Seven vertical lines per row, from the rule above it to its separator.
    std::vector<PrintEvent> verticals;
    for (const PrintEvent& e : device.lines(1))
        if (e.x == e.x2)
            verticals.push_back(e);
    ASSERT_EQ(verticals.size(), 7u * 7u);
    const std::vector<int> boxesX{53 * kUnit, 68 * kUnit, 83 * kUnit, 84 * kUnit, 98 * kUnit, 108 * kUnit, 5000};
    for (size_t v = 0; v < 7; ++v) {
        EXPECT_EQ(verticals[v].x, boxesX[v]);
        EXPECT_EQ(verticals[v].y, 9 * kLine + 93);  // the header's rule
        EXPECT_EQ(verticals[v].y2, 12 * kLine + 62); // the row's separator
        EXPECT_EQ(verticals[7 + v].y, 12 * kLine + 62);
        EXPECT_EQ(verticals[7 + v].y2, 15 * kLine + 62);
    }
}

TEST(WeighingSheet, SelectedCompetitorsWithTheirChecks)
{
    Contest c;
    startListContest(c);
    Pilot* luc = c.findPilot(2);
    luc->massGlider1 = 3000;
    StartGroup* duration = c.findGroup(1, 11, kTaskDuration);
    StartGroup* speed = c.findGroup(1, 11, kTaskSpeed);
    for (int s = 0; s < 4; ++s) {
        duration->slots[s].weighingMark = -1;
        speed->slots[s].weighingMark = -1;
    }
    duration->slots[0].weighingMark = 2; // 1 after the duration flight
    speed->slots[0].weighingMark = 1;    // and after the speed flight
    speed->slots[1].weighingMark = 1;    // 2 after the speed flight

    RecordingDevice device;
    PrintEngine engine(device);
    ASSERT_EQ(printWeighingSheet(c, engine, 1), PrintOutcome::Printed);
    EXPECT_EQ(textsAt(device, 1, 2 * kLine), (Texts{"Pesées - Manche :   1"}));
    EXPECT_EQ(textsAt(device, 1, 4 * kLine), (Texts{"R7T - Coupe d'été - Vinon - 12/06/2026"}));
    EXPECT_EQ(textsAt(device, 1, 5 * kLine), (Texts{"CONFIDENTIEL (destiné au Directeur de compétition)"}));
    EXPECT_EQ(device.lines()[0].y, 6 * kLine + 41);
    EXPECT_EQ(textsAt(device, 1, 7 * kLine),
              (Texts{"  ", "01 ", " DUPONT Jean ", " Inscription : pla1 = _______ g      pla2 = _______ g"}));
    EXPECT_EQ(textsAt(device, 1, 9 * kLine),
              (Texts{"contrôle VITESSE : ________ g  pla____", "contrôle DUREE : ________ g  pla____"}));
    EXPECT_EQ(textsAt(device, 1, 11 * kLine),
              (Texts{"  ", "02 ", " MARTIN Luc ", " Inscription : pla1 = 3000 g      pla2 = _______ g"}));
    EXPECT_EQ(textsAt(device, 1, 13 * kLine), (Texts{"contrôle VITESSE : ________ g  pla____"}));
    EXPECT_EQ(device.texts().size(), 3u + 4u + 2u + 4u + 1u);

    // No weighing draw yet: nothing to print.
    Contest none;
    startListContest(none);
    RecordingDevice empty;
    PrintEngine emptyEngine(empty);
    EXPECT_EQ(printWeighingSheet(none, emptyEngine, 1), PrintOutcome::NothingPrinted);
    EXPECT_EQ(empty.pages, 0);
}

// Texts that are as long as the program keeps them stay in their columns.
namespace {

// The width of a drawn text in its own font, without its trailing blanks
// (they show nothing).
int widthOf(RecordingDevice& device, const PrintEvent& e)
{
    device.selectFont(e.font);
    const size_t last = e.text.find_last_not_of(' ');
    return device.textWidth(e.text.substr(0, last == std::string::npos ? 0 : last + 1));
}

const PrintEvent* textStartingWith(const RecordingDevice& device, const std::string& utf8)
{
    const std::string start = utf8ToCp1252(utf8);
    for (const PrintEvent& e : device.events)
        if (e.kind == PrintEvent::Text && e.text.rfind(start, 0) == 0)
            return &e;
    return nullptr;
}

} // namespace

TEST(PageHead, ALongTitleIsShortenedAndTheDateKeptWhole)
{
    Contest c;
    setHeader(c);
    c.header.title.assignUtf8(std::string(63, 'W'));
    addListedPilot(c, 1, "DUPONT Jean");
    RecordingDevice device;
    PrintEngine engine(device);
    ASSERT_EQ(printPilotList(c, engine, PilotListKind::Competitors), PrintOutcome::Printed);
    const Texts head = textsAt(device, 1, 4 * kLine);
    ASSERT_EQ(head.size(), 1u);
    // 12 pt bold from 15 column units to the rules' end, less the gap.
    const PrintEvent* line = textStartingWith(device, "R7T - WWW");
    ASSERT_NE(line, nullptr);
    EXPECT_LE(line->x + widthOf(device, *line), 5000 - 20);
    const std::string text = cp1252ToUtf8(line->text);
    EXPECT_NE(text.find(" - Vinon - 12/06/2026"), std::string::npos) << text;
    EXPECT_EQ(text.substr(text.size() - 10), "12/06/2026");
    EXPECT_LT(text.size(), std::string("R7T - ").size() + 63 + std::string(" - Vinon - 12/06/2026").size());
}

TEST(PageHead, OnANarrowPageThePlaceIsShortenedAfterTheTitle)
{
    Contest c;
    setHeader(c);
    c.header.title.assignUtf8(std::string(63, 'W'));
    c.header.place.assignUtf8(std::string(31, 'W'));
    addListedPilot(c, 1, "DUPONT Jean");
    RecordingDevice lists(3000);
    PrintEngine listEngine(lists);
    ASSERT_EQ(printPilotList(c, listEngine, PilotListKind::Competitors), PrintOutcome::Printed);
    const PrintEvent* line = textStartingWith(lists, "R7T - W");
    ASSERT_NE(line, nullptr);
    const std::string text = cp1252ToUtf8(line->text);
    // No title left, no empty " - " for it; the place shortened; the date whole.
    EXPECT_EQ(text.rfind("R7T - WWW", 0), 0u);
    EXPECT_EQ(text.substr(text.size() - 13), " - 12/06/2026");
    EXPECT_LT(text.size(), std::string("R7T - ").size() + 31 + 13);
    EXPECT_LE(line->x + widthOf(lists, *line), 2600 - 20);
}

TEST(PilotList, LongRemarkLinesGoOnOverTheNextLinesAndPages)
{
    Contest c;
    setHeader(c);
    // Words: broken at blanks. One word wider than the line: broken in it.
    Pilot& words = addListedPilot(c, 1, "DUPONT Jean");
    std::string remark;
    while (remark.size() + 5 <= 127)
        remark += "aaaa ";
    words.remark.assignUtf8(remark);
    Pilot& wide = addListedPilot(c, 2, "MARTIN Luc");
    wide.remark.assignUtf8(std::string(127, 'W'));
    // Then enough pilots with remarks of 2 to 13 lines to fill pages: some
    // start near the page-break threshold and go on over the next page.
    for (int n = 3; n <= 40; ++n) {
        std::string lines;
        for (int k = 0; k < n % 12; ++k)
            lines += "ligne\r\n";
        addListedPilot(c, n, "Pilote " + std::to_string(n)).remark.assignUtf8(lines + std::string(100, 'W'));
    }

    RecordingDevice device;
    PrintEngine engine(device);
    ASSERT_EQ(printPilotList(c, engine, PilotListKind::Competitors), PrintOutcome::Printed);
    // Room from 24 column units to the rules' end less the gap: 4020.
    Texts remarkLines;
    for (const PrintEvent& e : device.texts()) {
        EXPECT_LE(e.x + widthOf(device, e), 5000 - 20) << e.text;
        // Every line inside the page: 60 lines of 125.
        EXPECT_LE(e.y + kLine, 7500) << e.text;
        if (e.page == 1 && e.x == 24 * kUnit && e.y >= 9 * kLine && e.y < 16 * kLine)
            remarkLines.push_back(cp1252ToUtf8(e.text));
    }
    EXPECT_EQ(device.drawnOffPage, 0);
    for (const PrintEvent& e : device.lines())
        EXPECT_LT(e.y, 7500);
    // DUPONT's remark: 25 words "aaaa" (180 each with their blank) broken
    // at blanks over two lines, every word whole.
    ASSERT_GE(remarkLines.size(), 2u);
    std::string joined;
    for (std::string l : remarkLines)
        if (l.find('a') != std::string::npos) {
            l.erase(l.find_last_not_of(' ') + 1);
            joined += (joined.empty() ? "" : " ") + l;
        }
    EXPECT_EQ(joined + " ", remark);
    // MARTIN's 127 W (60 each): 67 on the first line, 60 on the next.
    EXPECT_NE(device.findText(std::string(67, 'W') + " "), nullptr);
    EXPECT_NE(device.findText(std::string(60, 'W') + " "), nullptr);
    EXPECT_GT(device.pages, 2);
}

TEST(FlightSheets, LongTextsOnTheLeftStopBeforeTheRightColumn)
{
    Contest c;
    Pilot& p = addListedPilot(c, 1, "WWWW " + std::string(26, 'W'), 35010, 2400000);
    p.club.assignUtf8(std::string(31, 'W'));
    p.licence.assignUtf8(std::string(15, 'W'));
    p.clubNumber = 9999999;
    RecordingDevice device;
    PrintEngine engine(device);
    ASSERT_EQ(printFlightSheets(c, engine, 1, 1), PrintOutcome::Printed);
    // The right column at 1200 layout units: 2880 on the 720-dpi device.
    int left = 0;
    for (const PrintEvent& e : device.texts(1))
        if (e.x < 2880) {
            ++left;
            EXPECT_LE(e.x + widthOf(device, e), 2880 - 20) << e.text;
        }
    EXPECT_EQ(left, 5); // both parts of the name, the club, its number, the licence
    EXPECT_NE(device.findText("2.4 GHz"), nullptr);
}

TEST(StartList, ALongTowPilotsNameLeavesRoomForHisFrequency)
{
    Contest c;
    startListContest(c);
    c.findPilot(101)->name.assignUtf8(std::string(31, 'W'));
    RecordingDevice device(3600); // the rules end at 3200
    PrintEngine engine(device);
    ASSERT_EQ(printStartList(c, engine, 1, kTaskSpeed), PrintOutcome::Printed);
    const PrintEvent* group = textStartingWith(device, "Groupe 1   -   Remorqueur : WWW");
    ASSERT_NE(group, nullptr);
    const std::string text = cp1252ToUtf8(group->text);
    EXPECT_EQ(text.substr(text.size() - 12), "   (35.300) ");
    EXPECT_LT(text.size(), std::string("Groupe 1   -   Remorqueur : ").size() + 31 + 12);
    EXPECT_LE(group->x + widthOf(device, *group), 3200 - 20);
}

TEST(RoundSheet, ALongNameStaysLeftOfTheFirstBox)
{
    Contest c;
    startListContest(c);
    c.findPilot(1)->name.assignUtf8(std::string(31, 'W'));
    RecordingDevice device;
    PrintEngine engine(device);
    ASSERT_EQ(printRoundSheet(c, engine, 1), PrintOutcome::Printed);
    const PrintEvent* name = textStartingWith(device, " WWW");
    ASSERT_NE(name, nullptr);
    // At most the 20 characters of the layout, and left of the box at 53 column units.
    EXPECT_LE(name->text.size(), 21u);
    EXPECT_LE(name->x + widthOf(device, *name), 53 * kUnit - 20);
}
