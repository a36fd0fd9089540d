// The print job frame on the offscreen platform, with a recording device in
// place of the printer chosen in the print dialog.
#include "print/ui/print_job.h"

#include "widgets/dialog_units.h"
#include "print/recording_device.h"
#include "print/ui/printer_device.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>

#include <filesystem>

using namespace r7t;

namespace {

ui::PrintProgressDialog* progressDialog(const QWidget& owner) { return owner.findChild<ui::PrintProgressDialog*>(); }

} // namespace

TEST(PrintJob, AnnulerStopsAfterTheCurrentEntryAndTheDialogGoesOnce)
{
    QWidget owner;
    RecordingDevice device;
    int drawn = 0;
    int cancelClicks = 0;
    std::optional<PrintOutcome> second;
    const std::optional<PrintOutcome> outcome =
        ui::runPrintJobOn(device, &owner, QStringLiteral("coupe.r7s"), [&](PrintEngine& engine) {
            EXPECT_TRUE(ui::printJobRunning());
            ui::PrintProgressDialog* dialog = progressDialog(owner);
            EXPECT_NE(dialog, nullptr);
            if (!dialog)
                return engine.endJob();
            EXPECT_TRUE(dialog->isVisible());
            EXPECT_EQ(dialog->windowTitle(), "Impression des inscrits");
            EXPECT_EQ(ui::control<QLabel>(dialog, 950)->text(), "coupe.r7s");
            EXPECT_NE(dialog->findChild<QLabel*>("id-1"), nullptr);
            QPushButton* cancel = ui::control<QPushButton>(dialog, 2);
            EXPECT_EQ(cancel->text(), "Annuler");
            QObject::connect(cancel, &QPushButton::clicked, [&] { ++cancelClicks; });

            // A second job while this one runs is refused without a word.
            RecordingDevice other;
            second = ui::runPrintJobOn(other, &owner, QString(), [](PrintEngine& e) { return e.endJob(); });

            engine.startJob(kDocumentName, 10);
            for (int entry = 1; entry <= 10; ++entry) {
                if (!engine.openPage({}))
                    break;
                engine.printLine("entry", 0, kStylePlain, kPilotListTabs);
                ++drawn;
                // "Annuler" pressed while entry 3 is drawn: the click waits
                // in the queue until the events are served after the entry.
                if (entry == 3)
                    QMetaObject::invokeMethod(cancel, "click", Qt::QueuedConnection);
                if (!engine.endEntry(engine.linesPerPage - 6))
                    break;
            }
            EXPECT_FALSE(dialog->isVisible());
            cancel->click(); // a late click changes nothing
            return engine.endJob();
        });
    ASSERT_TRUE(outcome.has_value());
    EXPECT_EQ(*outcome, PrintOutcome::Cancelled);
    EXPECT_EQ(drawn, 3);
    EXPECT_EQ(cancelClicks, 2);
    EXPECT_FALSE(second.has_value());
    EXPECT_TRUE(device.aborted());
    EXPECT_FALSE(device.ended());
    EXPECT_EQ(progressDialog(owner), nullptr);
    EXPECT_FALSE(ui::printJobRunning());
    EXPECT_TRUE(owner.isEnabled());
}

TEST(PrintJob, AJobWithoutPagesOutputsNothingAndANormalJobEnds)
{
    QWidget owner;
    RecordingDevice empty;
    const auto nothing = ui::runPrintJobOn(empty, &owner, QString(), [](PrintEngine& engine) {
        engine.startJob(kDocumentName, 10);
        return engine.endJob();
    });
    ASSERT_TRUE(nothing.has_value());
    EXPECT_EQ(*nothing, PrintOutcome::NothingPrinted);
    EXPECT_EQ(empty.pages, 0);

    RecordingDevice device;
    const auto printed = ui::runPrintJobOn(device, &owner, QString(), [](PrintEngine& engine) {
        engine.startJob(kDocumentName, 10);
        for (int entry = 0; entry < 30; ++entry) {
            if (!engine.openPage([&] { engine.currentLine = 6; }))
                break;
            engine.printLine("x", 0, kStylePlain, kPilotListTabs);
            engine.printLine("y", 0, kStylePlain, kPilotListTabs);
            if (!engine.endEntry(engine.linesPerPage - 6))
                break;
        }
        return engine.endJob();
    });
    ASSERT_TRUE(printed.has_value());
    EXPECT_EQ(*printed, PrintOutcome::Printed);
    EXPECT_EQ(device.pages, 2);
    EXPECT_TRUE(device.ended());
    EXPECT_EQ(progressDialog(owner), nullptr);
}

// The printer device on a printer that prints to a PDF file, as the print
// dialog gives one when "print to file" is chosen.
TEST(PrinterDevice, PrintsToTheFileTheDialogChoseAndRemovesAnAbandonedOne)
{
    fixtures::TempDir dir;
    for (bool cancel : {false, true}) {
        const QString path = QString::fromStdString(dir.file(cancel ? "cancelled.pdf" : "printed.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        PrinterDevice device(printer);
        QWidget owner;
        const auto outcome = ui::runPrintJobOn(device, &owner, QString(), [&](PrintEngine& engine) {
            engine.startJob(kDocumentName, 10);
            EXPECT_GT(engine.columnUnit, 0);
            EXPECT_GT(engine.linesPerPage, 40);
            for (int entry = 0; entry < 3; ++entry) {
                if (!engine.openPage({}))
                    break;
                engine.printLine("Groupe 1", 0, kStylePlain, kStartListTabs);
                if (cancel && entry == 1)
                    engine.userAbort = true;
                if (!engine.endEntry(engine.linesPerPage - 6))
                    break;
            }
            return engine.endJob();
        });
        ASSERT_TRUE(outcome.has_value());
        EXPECT_EQ(*outcome, cancel ? PrintOutcome::Cancelled : PrintOutcome::Printed);
        EXPECT_EQ(std::filesystem::exists(path.toStdString()), !cancel);
    }
}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
