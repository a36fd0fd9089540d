// Makes the screenshots of the contest program's windows into a folder
// (scripts/screenshots runs it under Xvfb at several screen sizes).
#include "widgets/about_dialog.h"
#include "widgets/drawing_resources.h"
#include "widgets/file_dialogs.h"
#include "widgets/help_window.h"
#include "widgets/list_line_delegate.h"
#include "app/ui/main_window.h"
#include "competitors/ui/person_form_dialog.h"
#include "competitors/ui/pilot_list_dialog.h"
#include "print/ui/print_job.h"
#include "rounds/ui/round_preparation_dialog.h"
#include "scoring/ui/score_entry_dialog.h"
#include "scoring/ui/score_list_dialog.h"
#include "widgets/message_dialog.h"
#include "widgets/qt_translation.h"
#include "app/ui/status_display.h"
#include "text/strings.h"
#include "contest/opening.h"
#include "contest/ui/opening_dialog.h"
#include "contest/ui/password_dialogs.h"
#include "support/contest_builder.h"
#include "support/screenshots.h"
#include "competitors/ui/frequency_change_dialog.h"
#include "competitors/ui/import_dialog.h"
#include "competitors/ui/launch_dialog.h"
#include "widgets/dialog_units.h"
#include "rounds/ui/flight_sheet_range_dialog.h"
#include "rounds/ui/weighing_dialog.h"
#include "ranking/ui/overall_ranking_dialog.h"
#include "ranking/ui/round_choice_dialog.h"
#include "ranking/ui/round_ranking_dialog.h"

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <numeric>
#include <cstdio>

using namespace r7t;
using namespace r7t::ui;
using namespace r7t::fixtures;

namespace {

void fillHeader(Contest& contest)
{
    contest.header.title.assignUtf8("Coupe de France R7T - Manche de printemps");
    contest.header.date.assignUtf8("06/12/2026");
    contest.header.place.assignUtf8("Aérodrome de Saint-Auban");
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (!takeScreenshotFolder(argc, argv))
        return 2;
    installQtFrench();
    initResources(screenScale());
    setFaultEnding({});

    {
        Contest contest;
        NoFiles files;
        OpeningDialog dialog(contest, files);
        shoot(dialog, "opening");
        // The "?" of the dialog as it runs: the help above the modal dialog.
        dialog.hide();
        dialog.setWindowModality(Qt::ApplicationModal);
        dialog.show();
        (void)QTest::qWaitForWindowExposed(&dialog);
        setHelpFolder(QStringLiteral(R7T_SHIPPED_HELP));
        if (openHelp(&dialog, 2)) {
            // Over the dialog's right part, whole on the screen.
            const QRect screen = dialog.screen()->availableGeometry();
            helpWindow()->resize(std::min(760, screen.width() / 2 + 60), std::min(600, screen.height() - 200));
            QTest::qWait(50);
            const QSize size = helpWindow()->frameGeometry().size();
            helpWindow()->move(std::clamp(dialog.frameGeometry().center().x(), screen.left(), screen.right() - size.width()),
                               std::clamp(dialog.y() - 100, screen.top(), screen.bottom() - size.height()));
            shootScreen("opening_help");
            closeHelp();
        }
        dialog.hide();
        CreatePasswordDialog creePass(contest);
        shoot(creePass, "creepass");
        PasswordDialog keepPass(contest);
        shoot(keepPass, "password");
    }
    {
        Contest contest;
        startNewContest(contest, "/home/directeur/Documents/R7T/R7T_06_12_26.r7s", "");
        NoFiles files;
        MainWindow window(contest, files);
        window.startContest();
        window.showOnScreen();
        (void)QTest::qWaitForWindowExposed(&window);
        shootScreen("main_empty");

        MessageDialog refusal(messageText(410), kModeAlert, &window);
        shoot(refusal, "refusal");
        refusal.hide();
        MessageDialog question(tableText("Jean Dupont" + MajMessage(406)), kModeQuestion, &window);
        shoot(question, "question");
        shootScreen("question_over_main"); // with the window manager's frame, if any
        question.hide();
        MessageDialog longText(tableText(saveFailedText(SaveOutcome{SaveStatus::Failed,
                                   "/home/directeur/Documents/R7T/Concours de printemps/R7T_06_12_26.r7s",
                                   "remplacement impossible : disque plein"})),
                               kModeAlert, &window);
        shoot(longText, "save_failed");
        longText.hide();
        AboutDialog about(&window);
        shoot(about, "about");
        about.hide();
        // Qt's own file dialog, as the platform shows it where the desktop
        // has none of its own, in French once the translation is loaded.
        FrenchFileTypes fileTypes;
        QFileDialog fileDialog(&window, tableText(MajStr(32)), QDir::rootPath());
        fileDialog.setIconProvider(&fileTypes);
        fileDialog.setAcceptMode(QFileDialog::AcceptSave);
        fileDialog.setNameFilter(QStringLiteral("Fichiers concours (*.r7s)"));
        shoot(fileDialog, "file_dialog");
        fileDialog.hide();
        QMenu* popup = window.popup(200);
        popup->popup(QPoint(800, 300));
        QTest::qWait(150);
        save(popup->grab(), "popup_pilots");
        popup->hide();
    }
    {
        Contest contest;
        fixtures::buildContest(contest);
        fillHeader(contest);
        contest.setPath("/home/directeur/Documents/R7T/R7T_06_12_26.r7s");
        contest.isOpen = true;
        NoFiles files;
        MainWindow window(contest, files);
        window.startContest();
        window.showOnScreen();
        (void)QTest::qWaitForWindowExposed(&window);
        shootScreen("main_full");
    }
    {
        Contest contest;
        fixtures::buildContest(contest, {12, 3, 3, 0});
        fillHeader(contest);
        contest.setPath("/home/directeur/R7T_06_12_26.r7s");
        contest.isOpen = true;
        contest.roundComplete[3] = 0;
        contest.updateCompleteRounds();
        NoFiles files;
        MainWindow window(contest, files);
        window.startContest();
        window.showOnScreen();
        (void)QTest::qWaitForWindowExposed(&window);
        shootScreen("main_small_contest");
    }
    // The person list empty and full, the form new and modify, the channel menu.
    {
        Contest contest;
        NoFiles files;
        PilotListDialog empty(contest, PersonKind::Competitor, files);
        shoot(empty, "pilots_empty");
        empty.hide();
        fixtures::buildContest(contest, {90, 10, 0, 0});
        contest.setPath("/home/directeur/R7T_06_12_26.r7s");
        PilotListDialog full(contest, PersonKind::Competitor, files);
        full.list()->setCurrentRow(4);
        shoot(full, "pilots_full");
        full.hide();
        PilotListDialog tows(contest, PersonKind::TowPilot, files);
        shoot(tows, "tow_pilots");
        tows.hide();
        contest.removePilot(7);
        PersonFormDialog created(contest, PersonKind::Competitor, 0);
        shoot(created, "form_new");
        // The channel menu as the director tabs into frequency 1.
        auto* frequency = created.findChild<QLineEdit*>(controlName(550));
        created.activateWindow();
        QTimer::singleShot(400, [] {
            if (QWidget* menu = QApplication::activePopupWidget()) {
                save(QGuiApplication::primaryScreen()->grabWindow(0), "channel_menu");
                menu->close();
            }
        });
        QCursor::setPos(created.mapToGlobal(QPoint(frequency->x(), frequency->y())));
        frequency->setFocus(Qt::TabFocusReason);
        QTest::qWait(700);
        created.hide();
        contest.roundPrepared[1] = 1;
        PersonFormDialog modified(contest, PersonKind::Competitor, 5);
        shoot(modified, "form_modify");
        modified.hide();
        PersonFormDialog tow(contest, PersonKind::TowPilot, 103);
        shoot(tow, "form_tow_pilot");
        tow.hide();
    }
    // The round preparation: a pending draw, an accepted round in each view,
    // the abandon question.
    {
        Contest contest;
        fixtures::buildContest(contest, {12, 3, 3, 0});
        contest.setPath("/home/directeur/R7T_06_12_26.r7s");
        DrawSession session;
        RoundPreparationDialog accepted(contest, session, {});
        accepted.durationList()->setCurrentRow(3);
        shoot(accepted, "preparation_duration");
        accepted.showView(kTaskSpeed);
        QTest::qWait(50);
        save(accepted.grab(), "preparation_speed");
        accepted.hide();

        Contest fresh;
        for (int n = 1; n <= 12; ++n)
            fixtures::addPilot(fresh, n, {.name = "Pilote " + std::to_string(n), .frequency1 = n % 4 ? 35010 + 20 * n : 35010,
                                          .frequency2 = n % 4 ? 0 : 40665 + 20 * n});
        for (int n = 101; n <= 103; ++n)
            fixtures::addPilot(fresh, n, {.name = "Remorqueur " + std::to_string(n), .frequency1 = 72210 + 40 * (n - 100)});
        fresh.setPath("/home/directeur/R7T_06_12_26.r7s");
        RoundPreparationDialog pending(fresh, session, {});
        pending.show();
        // Round 1: the frequency question and the launch dialog answered.
        QTimer::singleShot(200, [] {
            if (auto* question = qobject_cast<MessageDialog*>(QApplication::activeModalWidget()))
                question->findChild<QPushButton*>(controlName(508))->click();
            QTimer::singleShot(200, [] {
                if (QWidget* launch = QApplication::activeModalWidget())
                    launch->findChild<QPushButton*>(controlName(702))->click();
            });
        });
        pending.roundsMenuChosen(1000);
        shoot(pending, "preparation_pending");
        QTimer::singleShot(300, [] {
            if (QWidget* question = QApplication::activeModalWidget()) {
                save(QGuiApplication::primaryScreen()->grabWindow(0), "preparation_abandon");
                question->findChild<QPushButton*>(controlName(509))->click();
            }
        });
        pending.finish();
        pending.hide();

        // The printing dialog of a job under way.
        bool userAbort = false;
        PrintProgressDialog printing(&accepted, QStringLiteral("R7T_06_12_26.r7s"), userAbort);
        shoot(printing, "printing");
        printing.hide();
    }
    {
        QListWidget list;
        list.resize(420, 8 * resources().listLineHeight + 6);
        makeOwnerDrawnList(&list, resources().fontFixe, resources().txtBlue, {50, 102, 210, 310});
        addListLine(&list, "Manche 1", LineMark::Pause);
        addListLine(&list, " 1\tDUPONT Jean\t35.010\tVitesse", LineMark::FeuVert);
        addListLine(&list, " 2\tMARTIN Paul\t35.030\tDurée", LineMark::FeuOrange);
        addListLine(&list, " 3\tBERNARD Luc\t2,4 GHz\tDurée", LineMark::FeuRouge);
        addListLine(&list, " 4\tPETIT Anne\t35.070", LineMark::FeuTempo);
        addListLine(&list, " 5\tROBERT Marc\t35.090", LineMark::Vide);
        addListLine(&list, "Manche 2", LineMark::Pause2);
        list.setCurrentRow(2);
        shoot(list, "list_lines");
    }
    // The import with its error list, the launch dialog, the frequency change.
    {
        Contest contest;
        fixtures::buildContest(contest, {12, 3, 5, 0});
        contest.roundHasScores[4] = contest.roundHasScores[5] = 0;
        NoFiles files;
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("inscrits_printemps.txt"));
        QFile text(path);
        if (text.open(QIODevice::WriteOnly)) {
            text.write("N\tNom\tF1\tF2\tLicence\tClub\tN club\tPays\tRemarque\n"
                       "21\t\t35010\t\tL21\tClub\t3\tFrance\t\n"
                       "22\tMARTIN\t35030\t\tL22\tClub\t3\tFrance\n"
                       "5\tBERNARD\t35050\t\tL5\tClub\t3\tFrance\t\n"
                       "23\tPETIT\t2.4 GHz\t\tL23\tClub\t3\tFrance\t\n"
                       "24\tROBERT\t35090\t\tL24\tClub\t3\tFrance\t\n"
                       "99\t\t12\t\tL99\tClub\t3\tFrance\t\n");
            text.close();
        }
        ImportDialog import(contest, files);
        control<QLineEdit>(&import, 742)->setText(path);
        import.importFile();
        shoot(import, "import_errors");
        import.hide();

        for (int32_t n : {3, 7, 8})
            contest.findPilot(n)->participation = 0;
        LaunchDialog launch(contest, 4, 8000);
        shoot(launch, "launch");
        launch.hide();

        FrequencyChangeDialog change(contest);
        shoot(change, "frequency_change");
    }
    // The weighing and the flight-sheet range.
    {
        Contest contest;
        fixtures::buildContest(contest, {12, 3, 3, 0});
        fillHeader(contest);
        // The weighing draw saves the contest: into a folder of its own.
        QTemporaryDir folder;
        fixtures::saveContestFile(contest, folder.filePath(QStringLiteral("R7T_06_12_26.r7s")).toStdString());
        DrawSession session;
        session.random.seed(20260612);
        WeighingDialog weighing(contest, session, {});
        shoot(weighing, "weighing");
        weighing.hide();
        FlightSheetRangeDialog range(contest);
        shoot(range, "flight_sheet_range");
    }
    // The score list and the score entry.
    {
        Contest contest;
        fixtures::buildContest(contest, {12, 3, 3, 5});
        contest.setPath("/home/directeur/R7T_06_12_26.r7s");
        // Round 3 under way: 4 and 5 incomplete, 9 to 12 not typed yet.
        for (int32_t n : {4, 5}) {
            FlightResult* r = contest.findResult(3, n, 0);
            r->durationTime = 0;
            r->complete = 0;
        }
        for (int32_t n = 9; n <= 12; ++n) {
            contest.removeResult(3, n, 1);
            contest.removeResult(3, n, 0);
        }
        contest.roundComplete[3] = 0;
        contest.updateCompleteRounds();

        ScoreListDialog list(contest);
        list.list()->setCurrentRow(4);
        shoot(list, "scores_list");
        list.hide();

        ScoreEntryDialog fresh(contest, 3, 10);
        shoot(fresh, "score_entry_new");
        fresh.abandon();
        // 7 flew again in round 3.
        ScoreEntryDialog reflown(contest, 3, 7);
        shoot(reflown, "score_entry_reflight");
        reflown.hide();
        ScoreEntryDialog refused(contest, 3, 11);
        control<QLineEdit>(&refused, 612)->setText(QStringLiteral("9.9"));
        control<QLineEdit>(&refused, 613)->setText(QStringLiteral("6.15"));
        shoot(refused, "score_entry_typed");
        QTimer::singleShot(300, [] {
            if (QWidget* alert = QApplication::activeModalWidget()) {
                save(QGuiApplication::primaryScreen()->grabWindow(0), "score_entry_alert");
                alert->close();
            }
        });
        refused.validate();
        refused.abandon();
        if (FlightResult* again = contest.findResult(3, 7, 1)) {
            ReflightDialog reflight(*again, 3, 7, QString::fromStdString(contest.findPilot(7)->name.utf8()));
            shoot(reflight, "score_reflight");
        }
    }
    // The rankings: a round, the overall ranking final and chosen with more
    // than 24 rounds, the round choice, a competitor's detail, the print popup.
    {
        Contest contest;
        fixtures::buildContest(contest, {20, 3, 26, 5});
        fillHeader(contest);
        contest.setPath("/home/directeur/R7T_06_12_26.r7s");
        contest.updateCompleteRounds();
        PlatformFileChooser files;

        RoundRankingDialog round(contest, {});
        shoot(round, "ranking_round");
        round.hide();

        OverallRanking final;
        openFinalRanking(contest, final);
        OverallRankingDialog overall(contest, final, files, {});
        shoot(overall, "ranking_final");
        QTimer::singleShot(300, [] {
            if (QWidget* menu = QApplication::activePopupWidget()) {
                save(QGuiApplication::primaryScreen()->grabWindow(0), "ranking_print_menu");
                menu->close();
            }
        });
        QCursor::setPos(overall.mapToGlobal(control<QWidget>(&overall, 643)->geometry().center()));
        control<QPushButton>(&overall, 643)->click();
        CompetitorDetailDialog detail(contest, overall.ranking(), 3);
        shoot(detail, "ranking_detail");
        detail.hide();
        overall.hide();

        RoundChoiceDialog choice(contest, 2);
        for (int row : {0, 2, 5, 9})
            choice.list()->item(row)->setSelected(true);
        shoot(choice, "ranking_choice");
        choice.hide();

        std::vector<int32_t> rounds(26);
        std::iota(rounds.begin(), rounds.end(), 1);
        OverallRanking chosen;
        openChosenRanking(contest, chosen, rounds, 2, false);
        OverallRankingDialog chosenDialog(contest, chosen, files, {});
        shoot(chosenDialog, "ranking_chosen");
    }
    return 0;
}
