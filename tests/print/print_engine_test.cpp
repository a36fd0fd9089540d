#include "print/print_engine.h"
#include "print/recording_device.h"

#include <gtest/gtest.h>

using namespace r7t;

namespace {

// The recording device at its defaults: 720 dpi, body font 10 pt of
// character height 100, so linePitch 125, column unit 40, 60 lines a page.
struct EngineTest : ::testing::Test {
    RecordingDevice device;
    PrintEngine engine{device};

    std::vector<PrintEvent> texts() const { return device.texts(); }
    int count(PrintEvent::Kind kind) const
    {
        int n = 0;
        for (const PrintEvent& e : device.events)
            n += e.kind == kind;
        return n;
    }
};

} // namespace

TEST(MulDiv, RoundsHalvesAwayFromZero)
{
    EXPECT_EQ(mulDiv(10, 600, 72), 83);
    EXPECT_EQ(mulDiv(6, 600, 72), 50);
    EXPECT_EQ(mulDiv(3, 1, 2), 2);
    EXPECT_EQ(mulDiv(-3, 1, 2), -2);
    EXPECT_EQ(mulDiv(4, 720, 300), 10);
    EXPECT_EQ(mulDiv(5, 5, 0), 0);
}

TEST_F(EngineTest, JobReadsTheBodyFontMetrics)
{
    ASSERT_TRUE(engine.startJob(kDocumentName, 10));
    EXPECT_EQ(engine.linePitch, 125);
    EXPECT_EQ(engine.columnUnit, 40);
    EXPECT_EQ(engine.large, 5400);
    EXPECT_EQ(engine.linesPerPage, 60);
    EXPECT_EQ(engine.bodyFont(), (DeviceFont{"ARIAL", -100, 400}));
    ASSERT_FALSE(device.events.empty());
    EXPECT_EQ(device.events[0].kind, PrintEvent::StartDoc);
    EXPECT_EQ(device.events[0].text, "Manifestation");
}

TEST_F(EngineTest, SplitLinePutsEachFieldAtItsTabAndFieldOneInTheStyledFont)
{
    ASSERT_TRUE(engine.startJob(kDocumentName, 10));
    ASSERT_TRUE(engine.openPage({}));
    engine.currentLine = 6;
    engine.printLine("3 \t07 \t Nom \tLicence : X", 1, kStyleLarge, kPilotListTabs);
    EXPECT_EQ(engine.currentLine, 7);
    auto t = texts();
    ASSERT_EQ(t.size(), 4u);
    EXPECT_EQ(t[0].text, "3 ");
    EXPECT_EQ(t[0].x, 10 * 40);
    EXPECT_EQ(t[0].y, 6 * 125);
    // Field 1 in 20 pt bold at 15 column units, whatever its tab (5 here).
    EXPECT_EQ(t[1].text, "07 ");
    EXPECT_EQ(t[1].x, 15 * 40);
    EXPECT_EQ(t[1].y, 6 * 125);
    EXPECT_EQ(t[1].font, (DeviceFont{"ARIAL", -200, 700}));
    EXPECT_EQ(t[2].x, 24 * 40);
    EXPECT_EQ(t[2].font, engine.bodyFont());
    EXPECT_EQ(t[3].x, 70 * 40);

    // The styled printers put the previous font back.
    engine.printLine("\tx", 1, kStyleBold, kPilotListTabs);
    engine.printLine("\ty\tz", 1, kStyleSmall, kPilotListTabs);
    t = texts();
    EXPECT_EQ(t[4].font, (DeviceFont{"ARIAL", -120, 700}));
    EXPECT_EQ(t[4].y, 7 * 125);
    // 6 pt, 4 units of a 300-dpi printer lower: 10 units at 720 dpi.
    EXPECT_EQ(t[5].font, (DeviceFont{"ARIAL", -60, 700}));
    EXPECT_EQ(t[5].y, 8 * 125 + 10);
    EXPECT_EQ(t[6].font, engine.bodyFont());
    EXPECT_EQ(t[6].x, 24 * 40);
}

TEST_F(EngineTest, UnsplitStylesAndOverlongLinesAreSafe)
{
    ASSERT_TRUE(engine.startJob(kDocumentName, 10));
    ASSERT_TRUE(engine.openPage({}));
    // Not split: the whole text at the first tab value, tabs included.
    engine.printLine("a\tb", 0, kStyleLarge, kStartListTabs);
    // An unknown style leaves field 1 out.
    engine.printLine("a\tb\tc", 1, 7, kStartListTabs);
    // More fields than tab values: the extra ones are not drawn.
    engine.printLine("0\t1\t2\t3\t4\t5\t6\t7", 1, kStylePlain, kPilotListTabs);
    // A field longer than its buffer is cut to 127 bytes (narrow letters,
    // that the column holds).
    const std::string longField(300, 'i');
    engine.printLine("\t\t" + longField, 1, kStylePlain, kPilotListTabs);
    // Empty fields draw nothing.
    engine.printLine("\t\t\t", 1, kStylePlain, kPilotListTabs);
    // So is an unsplit line, even a number, which is never cut to fit.
    engine.printLine(std::string(300, '1'), 0, kStylePlain, kPilotListTabs);
    const auto t = texts();
    ASSERT_EQ(t.size(), 1u + 2u + 5u + 1u + 1u);
    EXPECT_EQ(t[0].text, "a\tb");
    EXPECT_EQ(t[0].x, 400);
    EXPECT_EQ(t[1].text, "a");
    EXPECT_EQ(t[2].text, "c");
    EXPECT_EQ(t[7].text, "4");
    EXPECT_EQ(t[7].x, (80 + 10) * 40);
    EXPECT_EQ(t[8].text, std::string(127, 'i'));
    EXPECT_EQ(t[9].text, std::string(127, '1'));
    EXPECT_EQ(engine.currentLine, 6);
}

TEST_F(EngineTest, RulesStandWhereTheLayoutsSay)
{
    ASSERT_TRUE(engine.startJob(kDocumentName, 10));
    ASSERT_TRUE(engine.openPage({}));
    engine.headRule(5);
    engine.doubleRule(6);
    engine.separatorRule(7);
    engine.underHeaderRule(8);
    engine.verticalLine(53 * 40, 100, 200);
    const auto lines = device.lines();
    ASSERT_EQ(lines.size(), 6u);
    auto horizontal = [](const PrintEvent& e, int x1, int x2, int y) {
        return e.x == x1 && e.x2 == x2 && e.y == y && e.y2 == y;
    };
    EXPECT_TRUE(horizontal(lines[0], 400, 5000, 5 * 125 + 41));
    EXPECT_TRUE(horizontal(lines[1], 400, 5000, 6 * 125 + 41));
    EXPECT_TRUE(horizontal(lines[2], 400, 5000, 6 * 125 + 50));
    EXPECT_TRUE(horizontal(lines[3], 400, 5000, 7 * 125 + 62));
    EXPECT_TRUE(horizontal(lines[4], 24 * 40, 5000, 8 * 125 + 93));
    EXPECT_EQ(engine.penY(), 8 * 125 + 93);
    EXPECT_EQ(lines[5].x, 2120);
    EXPECT_EQ(lines[5].x2, 2120);
    EXPECT_EQ(lines[5].y, 100);
    EXPECT_EQ(lines[5].y2, 200);
}

TEST_F(EngineTest, ReportWithoutEntriesOutputsNothing)
{
    ASSERT_TRUE(engine.startJob(kDocumentName, 10));
    EXPECT_EQ(engine.endJob(), PrintOutcome::NothingPrinted);
    EXPECT_EQ(count(PrintEvent::StartPage), 0);
    EXPECT_FALSE(device.ended());
    EXPECT_TRUE(device.aborted());
}

TEST_F(EngineTest, PagesBreakAfterTheThresholdOnly)
{
    ASSERT_TRUE(engine.startJob(kDocumentName, 10));
    int heads = 0;
    auto head = [&] {
        ++heads;
        engine.currentLine = 6;
    };
    // Entries of 3 lines with the lists' threshold 54: the entry that ends
    // on line 54 stays; the one that ends beyond it closes the page.
    for (int entry = 0; entry < 17; ++entry) {
        ASSERT_TRUE(engine.openPage(head));
        for (int i = 0; i < 3; ++i)
            engine.printLine("x", 0, 0, kPilotListTabs);
        ASSERT_TRUE(engine.endEntry(engine.linesPerPage - 6));
    }
    // 16 entries fill lines 6..53; the 17th, the last, ends at 57 > 54 and
    // closes the page.
    EXPECT_EQ(heads, 1);
    EXPECT_EQ(engine.endJob(), PrintOutcome::Printed);
    // The page closed by the threshold is not followed by an empty one.
    EXPECT_EQ(count(PrintEvent::StartPage), 1);
    EXPECT_EQ(count(PrintEvent::EndPage), 1);
    EXPECT_TRUE(device.ended());
    EXPECT_EQ(device.drawnOffPage, 0);
}

TEST_F(EngineTest, KeepOnPageStartsANewPageBelowTheLastLine)
{
    ASSERT_TRUE(engine.startJob(kDocumentName, 10));
    auto head = [&] { engine.currentLine = 6; };
    ASSERT_TRUE(engine.openPage(head));
    engine.currentLine = 59;
    ASSERT_TRUE(engine.keepOnPage(head));
    EXPECT_EQ(device.pages, 1);
    engine.printLine("last", 0, 0, kPilotListTabs);
    ASSERT_TRUE(engine.keepOnPage(head));
    EXPECT_EQ(device.pages, 2);
    EXPECT_EQ(engine.currentLine, 6);
    EXPECT_EQ(engine.endJob(), PrintOutcome::Printed);
}

TEST_F(EngineTest, CancelStopsAfterTheCurrentEntryAndAbandonsTheJob)
{
    ASSERT_TRUE(engine.startJob(kDocumentName, 10));
    int served = 0;
    int drawn = 0;
    engine.serveEvents = [&] {
        if (++served == 3)
            engine.userAbort = true; // "Annuler" pressed while entry 3 was drawn
    };
    for (int entry = 1; entry <= 10; ++entry) {
        if (!engine.openPage({}))
            break;
        engine.printLine("entry", 0, 0, kPilotListTabs);
        ++drawn;
        if (!engine.endEntry(engine.linesPerPage - 6))
            break;
    }
    EXPECT_EQ(drawn, 3);
    EXPECT_EQ(engine.endJob(), PrintOutcome::Cancelled);
    EXPECT_TRUE(device.aborted());
    EXPECT_FALSE(device.ended());
}

TEST(EngineFailures, DocumentAndPageFailuresStopTheJob)
{
    {
        RecordingDevice device;
        device.startDocResult = 0;
        PrintEngine engine(device);
        EXPECT_FALSE(engine.startJob(kDocumentName, 10));
        EXPECT_FALSE(engine.openPage({}));
        EXPECT_EQ(engine.endJob(), PrintOutcome::Failed);
        EXPECT_EQ(device.pages, 0);
        EXPECT_FALSE(device.ended());
    }
    {
        RecordingDevice device;
        device.failStartPage = 2;
        PrintEngine engine(device);
        ASSERT_TRUE(engine.startJob(kDocumentName, 10));
        EXPECT_TRUE(engine.startPage());
        EXPECT_TRUE(engine.endPage());
        EXPECT_FALSE(engine.startPage());
        EXPECT_FALSE(engine.mayContinue());
        EXPECT_EQ(engine.endJob(), PrintOutcome::Failed);
        EXPECT_TRUE(device.aborted());
        EXPECT_FALSE(device.ended());
    }
    {
        RecordingDevice device;
        device.failEndPage = 1;
        PrintEngine engine(device);
        ASSERT_TRUE(engine.startJob(kDocumentName, 10));
        ASSERT_TRUE(engine.openPage([&] { engine.currentLine = 59; }));
        engine.printLine("x", 0, 0, kPilotListTabs);
        EXPECT_FALSE(engine.endEntry(54));
        EXPECT_EQ(engine.endJob(), PrintOutcome::Failed);
        EXPECT_FALSE(device.ended());
    }
    {
        // A printer that refuses the end of the document printed nothing.
        RecordingDevice device;
        device.failEndDoc = true;
        PrintEngine engine(device);
        ASSERT_TRUE(engine.startJob(kDocumentName, 10));
        ASSERT_TRUE(engine.openPage({}));
        engine.printLine("x", 0, 0, kPilotListTabs);
        EXPECT_EQ(engine.endJob(), PrintOutcome::Failed);
    }
}

// Fields in their columns. TabListe on the recording device: field 2 at 24
// column units (x 960), field 3 at 70 (x 2800), field 4 at 90 (x 3600); the
// rules end at 5000; the field gap is half a column unit (20). Average
// letters ('a') are 40 wide, '.' 20.
struct ColumnTest : EngineTest {
    void SetUp() override
    {
        ASSERT_TRUE(engine.startJob(kDocumentName, 10));
        ASSERT_TRUE(engine.openPage({}));
        engine.currentLine = 6;
        engine.reportMisfit = [this](std::string_view text, std::string_view drawn) {
            cuts.emplace_back(std::string(text), std::string(drawn));
        };
    }
    // The texts drawn on the last line printed.
    std::vector<std::string> lastLine() const
    {
        std::vector<std::string> found;
        for (const PrintEvent& e : device.texts())
            if (e.y == (engine.currentLine - 1) * engine.linePitch)
                found.push_back(e.text);
        return found;
    }
    std::vector<std::pair<std::string, std::string>> cuts;
};

TEST_F(ColumnTest, AFieldAsWideAsItsColumnLessTheGapIsDrawnWhole)
{
    EXPECT_EQ(engine.fieldGap(), 20);
    // 45 letters and a point: 1820 = 2800 - 960 - 20.
    const std::string exact = std::string(45, 'a') + ".";
    EXPECT_EQ(device.textWidth(exact), 1820);
    engine.printLine("\t\t" + exact + "\tnext", 1, kStylePlain, kPilotListTabs);
    EXPECT_EQ(lastLine(), (std::vector<std::string>{exact, "next"}));
    // Blanks after it show nothing: they do not count.
    engine.printLine("\t\t" + exact + "  \tnext", 1, kStylePlain, kPilotListTabs);
    EXPECT_EQ(lastLine(), (std::vector<std::string>{exact + "  ", "next"}));
    EXPECT_TRUE(cuts.empty());
}

TEST_F(ColumnTest, AFieldAsWideAsItsColumnIsCutToLeaveTheGap)
{
    // 46 letters fill the 1840 units from 960 to 2800: the last one goes.
    engine.printLine("\t\t" + std::string(46, 'a') + "\tnext", 1, kStylePlain, kPilotListTabs);
    EXPECT_EQ(lastLine(), (std::vector<std::string>{std::string(45, 'a'), "next"}));
    ASSERT_EQ(cuts.size(), 1u);
    EXPECT_EQ(cuts[0].second, std::string(45, 'a'));
}

TEST_F(ColumnTest, AFieldOneCharacterWiderThanItsRoomLosesThatCharacter)
{
    const std::string exact = std::string(45, 'a') + ".";
    engine.printLine("\t\t" + exact + "b\tnext", 1, kStylePlain, kPilotListTabs);
    EXPECT_EQ(lastLine(), (std::vector<std::string>{exact, "next"}));
    const PrintEvent* next = device.findText("next");
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->x, 70 * 40);
    // What is drawn ends a gap before the next field.
    const PrintEvent* cut = device.findText(exact);
    ASSERT_NE(cut, nullptr);
    EXPECT_LE(cut->x + device.textWidth(cut->text), next->x - engine.fieldGap());
}

TEST_F(ColumnTest, TheLastFieldEndsAtTheRightEndOfTheRules)
{
    EXPECT_EQ(engine.rulesRight(), 5000);
    // From 3600 to 5000 less the gap: 1380, 34 letters.
    engine.printLine("\t\t\t\t" + std::string(40, 'a'), 1, kStylePlain, kPilotListTabs);
    EXPECT_EQ(lastLine(), (std::vector<std::string>{std::string(34, 'a')}));
    // A line that is not split is one field from the margin to the rules' end.
    engine.printLine(std::string(120, 'a'), 0, kStylePlain, kPilotListTabs);
    EXPECT_EQ(lastLine(), (std::vector<std::string>{std::string(114, 'a')}));
}

TEST_F(ColumnTest, EmptyAndBlankFieldsLendTheirColumnToTheFieldBefore)
{
    // Field 3 empty: field 2 runs to field 4 (3600 - 960 - 20 = 2620, 65 letters).
    engine.printLine("\t\t" + std::string(80, 'a') + "\t\tx", 1, kStylePlain, kPilotListTabs);
    EXPECT_EQ(lastLine(), (std::vector<std::string>{std::string(65, 'a'), "x"}));
    // Field 3 blank (a space draws nothing visible): the same.
    engine.printLine("\t\t" + std::string(80, 'a') + "\t \tx", 1, kStylePlain, kPilotListTabs);
    EXPECT_EQ(lastLine(), (std::vector<std::string>{std::string(65, 'a'), " ", "x"}));
    // Nothing after it: up to the rules' end (5000 - 960 - 20 = 4020, 100 letters).
    engine.printLine("\t\t" + std::string(120, 'a') + "\t\t", 1, kStylePlain, kPilotListTabs);
    EXPECT_EQ(lastLine(), (std::vector<std::string>{std::string(100, 'a')}));
    // An empty field draws nothing and is never reported cut.
    engine.printLine("\t\t\tx", 1, kStylePlain, kPilotListTabs);
    EXPECT_EQ(lastLine(), (std::vector<std::string>{"x"}));
    EXPECT_EQ(cuts.size(), 3u);
}

TEST_F(ColumnTest, ANumberIsNeverCut)
{
    // 41 digits (1640) in the last column's 1380: drawn whole, past the rules.
    const std::string number(41, '9');
    engine.printLine("\t\t\t\t" + number, 1, kStylePlain, kPilotListTabs);
    EXPECT_EQ(lastLine(), (std::vector<std::string>{number}));
    // Scores, penalties and percentages hold no letter: whole too.
    const std::string scores = "( 1000.00) - 400 + 20  100.0 % 1234567890 1234567890";
    engine.printLine("\t\t\t\t" + scores, 1, kStylePlain, kPilotListTabs);
    EXPECT_EQ(lastLine(), (std::vector<std::string>{scores}));
    // A text whose cut would take away a digit is not cut either.
    // (1000 units in the 780 from 2800 to 3600 less the gap.)
    const std::string masses = "pla1 = 5099 g      pla2 = 5099 g";
    engine.printLine("\t\t\t" + masses + "\tx", 1, kStylePlain, kPilotListTabs);
    EXPECT_EQ(lastLine(), (std::vector<std::string>{masses, "x"}));
    // Each is told as drawn whole, wider than its room.
    ASSERT_EQ(cuts.size(), 3u);
    EXPECT_EQ(cuts[0], std::make_pair(number, number));
    // But letters after the last digit may go.
    const std::string licence = "Licence : 12 " + std::string(40, 'a');
    engine.printLine("\t\t\t\t" + licence, 1, kStylePlain, kPilotListTabs);
    ASSERT_EQ(lastLine().size(), 1u);
    EXPECT_EQ(lastLine()[0].rfind("Licence : 12 a", 0), 0u);
    EXPECT_LT(lastLine()[0].size(), licence.size());
    EXPECT_EQ(cuts.size(), 4u);
}

TEST_F(ColumnTest, AStyledFieldOneStopsAtTheNextFieldsTab)
{
    // 12 pt bold letters are 48 wide: from 600 to 960 - 20, 7 letters.
    engine.printLine("\t" + std::string(10, 'a') + "\tnext", 1, kStyleBold, kPilotListTabs);
    EXPECT_EQ(lastLine(), (std::vector<std::string>{std::string(7, 'a'), "next"}));
    // The large number of a list fits its column.
    engine.printLine("1 \t99 \t Name", 1, kStyleLarge, kPilotListTabs);
    EXPECT_EQ(lastLine(), (std::vector<std::string>{"1 ", "99 ", " Name"}));
}

TEST_F(ColumnTest, FittedTextsAtFixedPlaces)
{
    engine.textWithin(400, 100, std::string(20, 'a'), 1000);
    const auto t = texts();
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0].text, std::string(14, 'a')); // 1000 - 20 - 400 = 580
    EXPECT_EQ(engine.fitted("", -5), "");
    EXPECT_EQ(engine.fitted("abc", 0), "");
}
