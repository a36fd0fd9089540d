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
    // A field longer than its buffer is cut to 127 bytes.
    const std::string longField(300, 'x');
    engine.printLine("\t\t" + longField, 1, kStylePlain, kPilotListTabs);
    // Empty fields draw nothing.
    engine.printLine("\t\t\t", 1, kStylePlain, kPilotListTabs);
    const auto t = texts();
    ASSERT_EQ(t.size(), 1u + 2u + 5u + 1u);
    EXPECT_EQ(t[0].text, "a\tb");
    EXPECT_EQ(t[0].x, 400);
    EXPECT_EQ(t[1].text, "a");
    EXPECT_EQ(t[2].text, "c");
    EXPECT_EQ(t[7].text, "4");
    EXPECT_EQ(t[7].x, (80 + 10) * 40);
    EXPECT_EQ(t[8].text, std::string(127, 'x'));
    EXPECT_EQ(engine.currentLine, 5);
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
}
