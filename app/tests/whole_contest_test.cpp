// A whole contest run through the contest program's windows, as a director
// runs it: registration, import, three rounds drawn and scored (re-flights,
// void flights, a correction from the round ranking), every ranking, every
// print, the text export; then the files compared with the command line's.
#include "app/commands.h"
#include "app/ui/main_window.h"
#include "competitors/ui/import_dialog.h"
#include "competitors/ui/launch_dialog.h"
#include "competitors/ui/person_form_dialog.h"
#include "contest/contest_file.h"
#include "contest/opening.h"
#include "print/ui/pdf_device.h"
#include "ranking/ui/overall_ranking_dialog.h"
#include "ranking/ui/round_choice_dialog.h"
#include "ranking/ui/round_ranking_dialog.h"
#include "rounds/preparation.h"
#include "rounds/ui/flight_sheet_range_dialog.h"
#include "rounds/ui/round_preparation_dialog.h"
#include "rounds/ui/weighing_dialog.h"
#include "scoring/ui/score_entry_dialog.h"
#include "scoring/ui/score_list_dialog.h"
#include "support/cli_run.h"
#include "support/temp_dir.h"
#include "text/text.h"
#include "ui_test_support.h"
#include "widgets/dialog_units.h"
#include "widgets/message_dialog.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

#include <sstream>

using namespace r7t;
using namespace r7t::ui;
using namespace r7t::ui::testing;

namespace {

constexpr uint64_t kSeed = 20261207;

using Lines = std::vector<std::string>;

Lines listLines(const QListWidget* list)
{
    Lines lines;
    for (int row = 0; row < list->count(); ++row)
        lines.push_back(list->item(row)->text().toStdString());
    return lines;
}

// What r7t prints, line by line.
Lines cliLines(const Lines& args)
{
    const fixtures::CliRun run = fixtures::runCli(args);
    EXPECT_EQ(run.exit, 0) << run.err;
    Lines lines;
    std::istringstream in(run.out);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// The overall list, then the best-speed lines, as r7t ranking prints them.
Lines overallWindowLines(const OverallRankingDialog* d)
{
    Lines lines = listLines(d->list());
    for (const QString& line : d->bestSpeed()->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        lines.push_back(line.toStdString());
    return lines;
}

// The answers a director gives the score entry of one competitor.
struct Sheet {
    QString speed;
    QString duration;
    bool speedVoid = false;
    QString reflight; // the re-flight's duration, when granted
};

Sheet sheetOf(int round, int number)
{
    Sheet sheet;
    sheet.speed = QStringLiteral("%1.%2").arg(20 + (number * 7 + round * 3) % 17).arg(number % 10);
    sheet.duration =
        QStringLiteral("%1.%2").arg(4 + (number + round) % 5).arg((number * 13) % 60, 2, 10, QLatin1Char('0'));
    if (number == 5 && round == 2)
        sheet.speedVoid = true;
    if (number == 8 && round != 3)
        sheet.reflight = QStringLiteral("7.45");
    return sheet;
}

void typeSheet(ScoreEntryDialog* d, const Sheet& sheet)
{
    if (sheet.speedVoid)
        control<QAbstractButton>(d, 599)->click();
    else
        typeInto(d, 612, sheet.speed);
    typeInto(d, 613, sheet.duration);
    if (!sheet.reflight.isEmpty()) {
        control<QAbstractButton>(d, 609)->click();
        whenModal<ReflightDialog>([sheet](ReflightDialog* r) {
            typeInto(r, 628, sheet.reflight);
            clickControl(r, 620);
        });
        clickControl(d, 616);
    }
    clickControl(d, 608);
}

} // namespace

TEST(WholeContest, RunThroughTheWindowsGivesTheFilesAndRankingsOfTheCommandLine)
{
    fixtures::TempDir dir;
    Contest contest;
    ScriptedFiles files;
    startNewContest(contest, dir.file("R7T_07_12_26.r7s"), "");
    contest.header.title.assignUtf8("Coupe d'hiver R7T");
    contest.header.place.assignUtf8("Saint-Auban");
    contest.header.date.assignUtf8("07/12/2026");
    installContestHandlers(contest);
    MainWindow window(contest, files);
    window.drawSession().random.seed(kSeed);
    window.drawSession().seedForLevel = [] { return kSeed; };
    std::vector<std::string> pdfs;
    window.setPrintRunner([&](QWidget*, const PrintDocument& document) {
        pdfs.push_back(dir.file("document" + std::to_string(pdfs.size() + 1) + ".pdf"));
        const std::unique_ptr<PrintDevice> device = makePdfDevice(pdfs.back());
        PrintEngine engine(*device);
        EXPECT_EQ(document(engine), PrintOutcome::Printed) << pdfs.back();
    });
    window.startContest();
    window.show();

    // Twelve competitors and three tow pilots typed in "SAISPIL".
    auto form = [&](PersonKind kind, const QString& name, const QString& frequency) {
        whenModal<PersonFormDialog>([name, frequency](PersonFormDialog* d) {
            typeInto(d, 544, name);
            typeInto(d, 550, frequency);
            clickControl(d, 538);
        });
        return runPersonForm(contest, kind, 0, &window);
    };
    for (int n = 1; n <= 12; ++n)
        ASSERT_EQ(form(PersonKind::Competitor, QStringLiteral("Pilote tapé %1").arg(n),
                       QStringLiteral("35.%1").arg(10 * n, 3, 10, QLatin1Char('0'))),
                  n);
    for (int t = 0; t < 3; ++t)
        ASSERT_EQ(form(PersonKind::TowPilot, QStringLiteral("Remorqueur %1").arg(t + 1),
                       QStringLiteral("72.%1").arg(210 + 40 * t)),
                  kFirstTowPilot + t);

    // Twenty more imported from the club's sheet; 13 is not classified.
    std::string sheet = "N°\tNom\tFréq1\tFréq2\tLicence\tClub\tN° club\tPays\tRemarque\n";
    for (int n = 13; n <= 32; ++n)
        sheet += std::to_string(n) + "\tImporté " + std::to_string(n) + "\t2400\t\t" +
                 (n == 13 ? "NC13" : "L" + std::to_string(n)) + "\tClub\t3\tFrance\t\n";
    const std::string importPath = dir.file("inscrits.txt");
    fixtures::writeFile(importPath, sheet);
    whenModal<ImportDialog>([&](ImportDialog* d) {
        typeInto(d, 742, QString::fromStdString(importPath));
        clickControl(d, 744);
        clickControl(d, 745);
    });
    window.runCommand(cmd::Import);
    ASSERT_EQ(contest.competitorCount(), 32);

    // Three rounds drawn and accepted; the start lists, the round sheet, the
    // weighing sheet and the flight sheets printed.
    whenModal<RoundPreparationDialog>([&](RoundPreparationDialog* d) {
        for (int r = 1; r <= 3; ++r) {
            if (r == 1)
                whenModal<MessageDialog>([](MessageDialog* m) { clickControl(m, 508); });
            whenModal<LaunchDialog>([](LaunchDialog* l) { clickControl(l, 702); });
            d->roundsMenuChosen(kRoundMenuBase);
            ASSERT_TRUE(d->drawPending()) << r;
            clickControl(d, 577);
        }
        window.runCommand(cmd::PrintStartLists, kTaskSpeed);
        window.runCommand(cmd::PrintRoundSheet, kTaskDuration);
        clickControl(d, 575);
    });
    window.runCommand(cmd::Preparation);
    ASSERT_EQ(contest.lastPreparedRound, 3);
    whenModal<WeighingDialog>([](WeighingDialog* d) {
        clickControl(d, 714);
        clickControl(d, 715);
    });
    window.runCommand(cmd::Weighing);
    whenModal<FlightSheetRangeDialog>([](FlightSheetRangeDialog* d) { clickControl(d, 1); });
    window.runCommand(cmd::FlightSheets);

    // Every result typed in "LSTSCORE", round after round.
    for (int r = 1; r <= 3; ++r) {
        whenModal<ScoreListDialog>([&, r](ScoreListDialog* d) {
            for (int row = 0; row < d->list()->count(); ++row) {
                d->list()->setCurrentRow(row);
                const int number = d->list()->item(row)->data(kCompetitorNumberRole).toInt();
                whenModal<ScoreEntryDialog>([sheet = sheetOf(r, number)](ScoreEntryDialog* e) { typeSheet(e, sheet); });
                clickControl(d, 594);
            }
            clickControl(d, 591);
        });
        window.runCommand(cmd::Scores);
        ASSERT_EQ(contest.roundComplete[r], 1) << r;
    }

    // Each round's ranking is the command line's; 32 is corrected from the
    // ranking of round 2 and printed with every round.
    whenModal<RoundRankingDialog>([&](RoundRankingDialog* d) {
        for (int r = 1; r <= 3; ++r) {
            d->showRound(r);
            if (r == 2) {
                d->list()->setCurrentRow(d->list()->count() - 1);
                whenModal<ScoreEntryDialog>([](ScoreEntryDialog* e) {
                    typeInto(e, 612, QStringLiteral("12.0"));
                    clickControl(e, 608);
                });
                d->correctSelected();
            }
            EXPECT_EQ(listLines(d->list()), cliLines({"ranking", contest.filePath, "--round", std::to_string(r)})) << r;
            clickControl(d, 643);
        }
        clickControl(d, 642);
    });
    window.runCommand(cmd::RankingByRound);

    // The chosen rounds 1 and 3, then the final ranking with one discarded
    // round: lines, print and text export.
    whenModal<RoundChoiceDialog>([](RoundChoiceDialog* d) {
        d->list()->item(0)->setSelected(true);
        d->list()->item(2)->setSelected(true);
        clickControl(d, 725);
    });
    whenModal<OverallRankingDialog>([&](OverallRankingDialog* d) {
        EXPECT_EQ(overallWindowLines(d), cliLines({"ranking", contest.filePath, "--rounds", "1,3"}));
        clickControl(d, 642);
    });
    window.runCommand(cmd::RankingChosen);

    const std::string exported = dir.file("classement.txt");
    whenModal<OverallRankingDialog>([&](OverallRankingDialog* d) {
        typeInto(d, 646, QStringLiteral("1"));
        clickControl(d, 647);
        EXPECT_EQ(overallWindowLines(d), cliLines({"ranking", contest.filePath, "--final", "--discard", "1"}));
        const Lines lines = listLines(d->list());
        EXPECT_EQ(
            std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return l.starts_with("NC  13 |"); }),
            1);
        choosePopupItem(QStringLiteral("Imprimante"));
        clickControl(d, 643);
        files.saveAnswers << QString::fromStdString(exported);
        choosePopupItem(QStringLiteral("Fichier texte"));
        clickControl(d, 643);
        clickControl(d, 642);
    });
    window.runCommand(cmd::RankingFinal);

    // The files: the contest loads, the export is the command line's byte
    // for byte, and every document was printed.
    Contest saved;
    saved.setPath(contest.filePath);
    ASSERT_EQ(RepriseFic(saved).status, LoadStatus::Loaded);
    EXPECT_EQ(saved.completeRoundCount, 3);
    const std::string cliExport = dir.file("cli.txt");
    ASSERT_EQ(fixtures::runCli({"export", contest.filePath, "--final", "--discard", "1", "-o", cliExport}).exit, 0);
    EXPECT_EQ(fixtures::readFile(exported), fixtures::readFile(cliExport));
    EXPECT_EQ(pdfs.size(), 8u) << "start list, round sheet, weighing, flight sheets, three rounds, the ranking";
    for (const std::string& pdf : pdfs)
        EXPECT_EQ(fixtures::readFile(pdf).substr(0, 5), "%PDF-") << pdf;
}
