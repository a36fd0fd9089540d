// The PDF device: A4 at 600 dpi inside 5 mm borders, and the column unit of
// Arial whatever average width the installed font reports.
#include "print/ui/pdf_device.h"

#include "print/print_engine.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace r7t;

TEST(PdfDevice, A4At600DpiWithTheArialColumnUnit)
{
    const PrintApplication application;
    fixtures::TempDir dir;
    const std::string path = dir.file("a.pdf");
    std::unique_ptr<PrintDevice> device = makePdfDevice(path);
    EXPECT_EQ(device->logPixelsX(), 600);
    EXPECT_EQ(device->logPixelsY(), 600);
    EXPECT_EQ(device->horizontalResolution(), 4724); // 210 - 2 x 5 mm
    EXPECT_EQ(device->verticalResolution(), 6783);   // 297 - 2 x 5 mm

    PrintEngine engine(*device);
    ASSERT_TRUE(engine.startJob(kDocumentName, 10));
    // Arial 10 pt at 600 dpi: 75 + 18 high, leading 3, average width 37.
    EXPECT_EQ(engine.linePitch, 96);
    EXPECT_EQ(engine.columnUnit, 37);
    EXPECT_EQ(engine.linesPerPage, 70);
    // The rules end at 4354, about 107.7 column units after the margin: the
    // rankings' last column (16 units: "(1000.00)     pl1" and the gap)
    // starts early enough.
    EXPECT_EQ(engine.rulesRight(), 4354);
    EXPECT_LE(engine.columnX(kRankingTabs.back()) + 16 * engine.columnUnit, engine.rulesRight());
    // Text widths are those of the font on the device, rounded up: a W is
    // 78.3 units.
    EXPECT_EQ(device->textWidth("W"), 79);
    EXPECT_GE(device->textWidth(std::string(10, 'W')), 783);
    EXPECT_LE(device->textWidth(std::string(10, 'W')), 784);
    EXPECT_EQ(device->textWidth(""), 0);

    // No page: no file. One page: the file, written whole at the end.
    EXPECT_EQ(engine.endJob(), PrintOutcome::NothingPrinted);
    EXPECT_FALSE(std::filesystem::exists(path));
    std::unique_ptr<PrintDevice> second = makePdfDevice(path);
    PrintEngine printing(*second);
    ASSERT_TRUE(printing.startJob(kDocumentName, 10));
    ASSERT_TRUE(printing.openPage({}));
    printing.printLine("Coupe d'\xE9t\xE9", 0, kStylePlain, kPilotListTabs);
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(printing.endJob(), PrintOutcome::Printed);
    EXPECT_GT(std::filesystem::file_size(path), 500u);
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path()))
        ++files;
    EXPECT_EQ(files, 1); // no temporary left beside it

    // An abandoned job leaves the previous file as it was.
    const auto size = std::filesystem::file_size(path);
    std::unique_ptr<PrintDevice> third = makePdfDevice(path);
    PrintEngine cancelled(*third);
    ASSERT_TRUE(cancelled.startJob(kDocumentName, 10));
    ASSERT_TRUE(cancelled.openPage({}));
    cancelled.printLine("x", 0, kStylePlain, kPilotListTabs);
    cancelled.userAbort = true;
    EXPECT_EQ(cancelled.endJob(), PrintOutcome::Cancelled);
    third.reset();
    EXPECT_EQ(std::filesystem::file_size(path), size);
}

TEST(PdfDevice, USLetterToo)
{
    const PrintApplication application;
    fixtures::TempDir dir;
    std::unique_ptr<PrintDevice> device = makePdfDevice(dir.file("letter.pdf"), PdfPaper::Letter);
    EXPECT_EQ(device->horizontalResolution(), 4866); // 8.5 in less 2 x 5 mm, in whole points
    EXPECT_EQ(device->verticalResolution(), 6366);   // 11 in less 2 x 5 mm
    PrintEngine engine(*device);
    ASSERT_TRUE(engine.startJob(kDocumentName, 10));
    EXPECT_EQ(engine.columnUnit, 37);
    EXPECT_EQ(engine.rulesRight(), 4496);
    EXPECT_EQ(engine.endJob(), PrintOutcome::NothingPrinted);
}
