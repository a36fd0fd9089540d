#include "app/commands.h"
#include "competitors/ui/person_form_dialog.h"
#include "competitors/ui/pilot_list_dialog.h"
#include "text/strings.h"
#include "widgets/about_dialog.h"
#include "widgets/dialog_units.h"
#include "widgets/drawing_resources.h"
#include "widgets/help_window.h"
#include "app/ui/main_window.h"
#include "widgets/message_dialog.h"
#include "widgets/single_instance.h"
#include "app/ui/status_display.h"
#include "contest/opening.h"
#include "print/recording_device.h"
#include "print/ui/print_job.h"
#include "rounds/ui/flight_sheet_range_dialog.h"
#include "rounds/ui/weighing_dialog.h"
#include "support/contest_builder.h"
#include "support/temp_dir.h"
#include "ui_test_support.h"

#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QUuid>

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <utility>

using namespace r7t;
using namespace r7t::ui;
using namespace r7t::ui::testing;
using fixtures::TempDir;

namespace fs = std::filesystem;

namespace {

const std::set<CommandAction> kRegistration{CommandAction::PilotList, CommandAction::Import};
const std::set<CommandAction> kRoundPrints{CommandAction::FlightSheets, CommandAction::Weighing,
                                           CommandAction::PrintStartLists, CommandAction::PrintRoundSheet};

// An open contest in a temporary folder and its main window.
struct Session {
    TempDir dir;
    Contest contest;
    ScriptedFiles files;
    std::unique_ptr<MainWindow> window;
    std::vector<int> handled; // command ids that reached their dialog

    // real: the commands that keep their own dialogs and prints.
    explicit Session(const fixtures::ContestShape* shape = nullptr, std::set<CommandAction> real = {})
    {
        if (shape)
            fixtures::buildContest(contest, *shape);
        startNewContest(contest, dir.file("R7T_06_12_26.r7s"), "");
        installContestHandlers(contest);
        window = std::make_unique<MainWindow>(contest, files);
        for (CommandAction a : {CommandAction::Import, CommandAction::PilotList, CommandAction::Preparation,
                                CommandAction::Scores, CommandAction::RankingByRound, CommandAction::RankingOverall,
                                CommandAction::FlightSheets, CommandAction::Weighing, CommandAction::PrintStartLists,
                                CommandAction::PrintRoundSheet}) {
            if (real.count(a))
                continue;
            window->setCommandHandler(a, [this, a](MainWindow&, int) { handled.push_back(static_cast<int>(a)); });
        }
        window->startContest();
    }
    ~Session() { clearModalAnswers(); }

    QLineEdit* field(int id) const { return window->statusDisplay()->field(id); }
    std::string path() const { return contest.filePath; }
};

// Runs the command and returns the text of the message it showed, if any
// (answering it with OK), and whether its dialog was reached.
struct Outcome {
    QString message;
    bool reached = false;
};

Outcome run(Session& s, int id)
{
    Outcome out;
    whenModal<MessageDialog>([&](MessageDialog* d) {
        out.message = d->text();
        clickControl(d, 508);
    });
    const size_t before = s.handled.size();
    s.window->runCommand(id);
    out.reached = s.handled.size() > before;
    clearModalAnswers();
    return out;
}

std::string fileBytes(const std::string& path) { return fixtures::readFile(path); }

std::string contestBytes(Contest& c)
{
    const std::vector<uint8_t> bytes = serializeContest(c);
    return std::string(bytes.begin(), bytes.end());
}

} // namespace

TEST(MainWindow, PreparationIsRefusedWithFiveCompetitorsAndOpensWithSix)
{
    Session s;
    fixtures::addPilots(s.contest, 1, 5);
    Outcome five = run(s, cmd::Preparation);
    EXPECT_EQ(five.message, QStringLiteral("Au moins 6 concurrents sont nécessaires !"));
    EXPECT_FALSE(five.reached);

    fixtures::addPilots(s.contest, 6, 6);
    s.contest.currentRound = 3;
    Outcome six = run(s, cmd::Preparation);
    EXPECT_TRUE(six.message.isEmpty());
    EXPECT_TRUE(six.reached);
    EXPECT_EQ(s.contest.currentRound, 0);
}

TEST(MainWindow, RankingsAreRefusedWhileNoRoundIsComplete)
{
    const fixtures::ContestShape shape{8, 2, 2, 0};
    Session s(&shape);
    s.contest.roundComplete[1] = s.contest.roundComplete[2] = 0;
    s.contest.updateCompleteRounds();
    for (int id : {cmd::RankingsPopup, cmd::RankingByRound, cmd::RankingChosen, cmd::RankingFinal}) {
        Outcome out = run(s, id);
        EXPECT_EQ(out.message, QStringLiteral("Aucune manche complètement saisie !")) << id;
        EXPECT_FALSE(out.reached) << id;
    }
    // Prepared rounds are enough for the scores and the weighing.
    EXPECT_TRUE(run(s, cmd::Scores).reached);
    EXPECT_TRUE(run(s, cmd::Weighing).reached);

    s.contest.roundComplete[2] = 1;
    s.contest.updateCompleteRounds();
    EXPECT_TRUE(run(s, cmd::RankingFinal).reached);
    EXPECT_EQ(s.window->settings().rankingMode, 1);
    EXPECT_TRUE(run(s, cmd::RankingChosen).reached);
    EXPECT_EQ(s.window->settings().rankingMode, 0);

    // The rankings popup opens at the mouse with its two items.
    QStringList items;
    QTimer::singleShot(50, [&] {
        if (auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            for (QAction* a : popup->actions())
                if (!a->isSeparator())
                    items << a->text();
            popup->close();
        }
    });
    EXPECT_TRUE(run(s, cmd::RankingsPopup).message.isEmpty());
    EXPECT_EQ(items, (QStringList{"Au choix", "Final"}));
}

TEST(MainWindow, ScoresWeighingAndFlightSheetsNeedTheirData)
{
    Session s;
    EXPECT_EQ(run(s, cmd::Scores).message, QStringLiteral("Aucune manche n'a été préparée !"));
    EXPECT_EQ(run(s, cmd::Weighing).message, QStringLiteral("Aucune manche n'a été préparée !"));
    Outcome sheets = run(s, cmd::FlightSheets);
    EXPECT_EQ(sheets.message, QStringLiteral("- Pas encore d'inscrits -"));
    EXPECT_FALSE(sheets.reached);
    fixtures::addPilots(s.contest, 1, 1);
    EXPECT_TRUE(run(s, cmd::FlightSheets).reached);
}

TEST(MainWindow, PilotCommandsChooseCompetitorsOrTowPilots)
{
    Session s;
    EXPECT_TRUE(run(s, cmd::TowPilots).reached);
    EXPECT_EQ(s.window->settings().editCompetitors, 0);
    EXPECT_TRUE(run(s, cmd::Competitors).reached);
    EXPECT_EQ(s.window->settings().editCompetitors, 1);
    // Ids without action do nothing and show nothing.
    for (int id : {101, 103, 110, 117, 125}) {
        Outcome out = run(s, id);
        EXPECT_TRUE(out.message.isEmpty()) << id;
        EXPECT_FALSE(out.reached) << id;
    }
}

TEST(MainWindow, ConcurrentsRegistersThroughTheListIntoTheFile)
{
    Session s(nullptr, kRegistration);
    QString title;
    whenModal<PersonFormDialog>([](PersonFormDialog* d) {
        typeInto(d, 544, "Durand");
        typeInto(d, 550, "35.03");
        clickControl(d, 538);
    });
    whenModal<PilotListDialog>([&](PilotListDialog* d) {
        title = d->windowTitle();
        clickControl(d, 558);
        clickControl(d, 562);
    });
    s.window->runCommand(cmd::Competitors);
    EXPECT_EQ(title, "Gestion des concurrents");
    Contest saved;
    saved.setPath(s.path());
    ASSERT_EQ(RepriseFic(saved).status, LoadStatus::Loaded);
    EXPECT_EQ(saved.competitorCount(), 1);
    EXPECT_EQ(saved.findPilot(1)->name.utf8(), "Durand");
}

namespace {

// Each job on its own recording device, through the job frame.
struct RecordedJobs {
    std::vector<std::unique_ptr<RecordingDevice>> devices;
    std::function<void()> beforeJob;

    explicit RecordedJobs(MainWindow& window)
    {
        window.setPrintRunner([this](QWidget* owner, const PrintDocument& document) {
            if (beforeJob)
                beforeJob();
            devices.push_back(std::make_unique<RecordingDevice>());
            runPrintJobOn(*devices.back(), owner, QString(), document);
        });
    }
    std::string title(size_t job) const { return job < devices.size() ? devices[job]->pageText(1) : ""; }
};

// "Annuler" of the printing dialog pressed as the first page ends.
struct CancelledAfterFirstPage : RecordingDevice {
    QWidget* owner = nullptr;
    int endPage() override
    {
        const int result = RecordingDevice::endPage();
        if (auto* dialog = owner->findChild<PrintProgressDialog*>(); dialog && pages == 1)
            QMetaObject::invokeMethod(control<QPushButton>(dialog, 2), "click", Qt::QueuedConnection);
        return result;
    }
};

} // namespace

TEST(MainWindow, PrintCommandsPrintTheCurrentRoundsListsAndSheets)
{
    const fixtures::ContestShape shape{12, 3, 3, 0};
    Session s(&shape, kRoundPrints);
    RecordedJobs jobs(*s.window);
    s.contest.currentRound = 2;
    s.window->runCommand(cmd::PrintStartLists, kTaskSpeed);
    s.window->runCommand(cmd::PrintStartLists, kTaskDuration);
    // A print asked for while another's print dialog is open is dropped.
    bool asked = false;
    jobs.beforeJob = [&] {
        if (!std::exchange(asked, true))
            s.window->runCommand(cmd::PrintStartLists, kTaskSpeed);
    };
    s.window->runCommand(cmd::PrintRoundSheet);
    jobs.beforeJob = nullptr;
    ASSERT_EQ(jobs.devices.size(), 3u);
    EXPECT_EQ(jobs.title(0).rfind("VITESSE   -   Manche 2 | ", 0), 0u) << jobs.title(0);
    EXPECT_EQ(jobs.title(1).rfind("DUREE   -   Manche 2 | ", 0), 0u) << jobs.title(1);
    EXPECT_EQ(jobs.title(2).rfind(" Manche 2 | ", 0), 0u) << jobs.title(2);
    for (const auto& device : jobs.devices)
        EXPECT_TRUE(device->ended());

    // The weighing opens on the last prepared round, drawn with the
    // session's generator, and prints that round's sheet.
    const uint64_t generator = s.window->drawSession().random.state();
    int shownRound = 0;
    whenModal<WeighingDialog>([&](WeighingDialog* d) {
        shownRound = d->round();
        clickControl(d, 714);
        clickControl(d, 715);
    });
    s.window->runCommand(cmd::Weighing);
    clearModalAnswers();
    EXPECT_EQ(shownRound, 3);
    EXPECT_NE(s.window->drawSession().random.state(), generator);
    ASSERT_EQ(jobs.devices.size(), 4u);
    EXPECT_EQ(jobs.title(3).rfind("Pesées - Manche :   3 | ", 0), 0u) << jobs.title(3);
}

TEST(MainWindow, FlightSheetsPrintTheRangeAndAnnulerAbandonsTheJob)
{
    const fixtures::ContestShape shape{12, 3, 0, 0};
    Session s(&shape, kRoundPrints);
    RecordedJobs jobs(*s.window);
    auto range = [](const QString& from, const QString& to) {
        whenModal<FlightSheetRangeDialog>([from, to](FlightSheetRangeDialog* d) {
            typeInto(d, 731, from);
            typeInto(d, 732, to);
            clickControl(d, 1);
        });
    };
    range("5", "7");
    s.window->runCommand(cmd::FlightSheets);
    clearModalAnswers();
    ASSERT_EQ(jobs.devices.size(), 1u);
    const RecordingDevice& sheets = *jobs.devices[0];
    ASSERT_EQ(sheets.pages, 3);
    for (int page = 1; page <= 3; ++page) {
        std::string number;
        for (const PrintEvent& e : sheets.texts(page))
            if (e.font.height == -240) // the competitor's number, large
                number = e.text;
        EXPECT_EQ(number, std::to_string(4 + page));
    }

    // "Abandon" prints nothing.
    whenModal<FlightSheetRangeDialog>([](FlightSheetRangeDialog* d) { clickControl(d, 2); });
    s.window->runCommand(cmd::FlightSheets);
    clearModalAnswers();
    EXPECT_EQ(jobs.devices.size(), 1u);

    // "Annuler" while the first sheet is printed: no further sheet, and the
    // job is abandoned, not ended.
    CancelledAfterFirstPage cancelled;
    cancelled.owner = s.window.get();
    s.window->setPrintRunner([&](QWidget* owner, const PrintDocument& document) {
        runPrintJobOn(cancelled, owner, QString(), document);
    });
    range("1", "12");
    s.window->runCommand(cmd::FlightSheets);
    clearModalAnswers();
    EXPECT_EQ(cancelled.pages, 1);
    EXPECT_TRUE(cancelled.aborted());
    EXPECT_FALSE(cancelled.ended());
}

TEST(MainWindow, HeaderFollowsTheEditFieldsIntoTheSavedFile)
{
    Session s;
    s.window->show();
    // Found by the names a person (or an assistive tool) reads beside them.
    auto named = [&](const QString& name) {
        for (QLineEdit* edit : s.window->findChildren<QLineEdit*>())
            if (edit->accessibleName() == name)
                return edit;
        return static_cast<QLineEdit*>(nullptr);
    };
    QLineEdit* title = named(QStringLiteral("Intitulé du concours"));
    QLineEdit* date = named(QStringLiteral("Date"));
    QLineEdit* place = named(QStringLiteral("Lieu"));
    ASSERT_TRUE(title && date && place) << "every header field is named by its label";
    typeKeys(title, QStringLiteral("Coupe d'été"));
    typeKeys(date, QStringLiteral("06/12/2026 et 07/12"));
    typeKeys(place, QStringLiteral("Saint-Auban"));
    ASSERT_TRUE(s.window->saveContest().ok());

    Contest loaded;
    ASSERT_EQ(openContestFile(loaded, s.path(), {}), OpenStatus::Opened);
    EXPECT_EQ(loaded.header.title.utf8(), "Coupe d'été");
    EXPECT_EQ(loaded.header.date.utf8(), "06/12/2026 ") << "the date holds 11 characters";
    EXPECT_EQ(loaded.header.place.utf8(), "Saint-Auban");

    // A reopened contest fills the fields from its header.
    ScriptedFiles files;
    MainWindow again(loaded, files);
    again.startContest();
    EXPECT_EQ(again.statusDisplay()->field(StatusDisplay::kTitleField)->text(), QStringLiteral("Coupe d'été"));
    EXPECT_EQ(again.statusDisplay()->fileTitle(), QStringLiteral("R7T_06_12_26.r7s"));
}

TEST(MainWindow, HeaderFieldsRefuseWhatTheFileCannotHold)
{
    Session s;
    s.window->show();
    for (int id : {StatusDisplay::kTitleField, StatusDisplay::kDateField, StatusDisplay::kPlaceField}) {
        typeKeys(s.field(id), QString::fromUtf8("éŁ"));
        EXPECT_EQ(s.field(id)->text(), QString::fromUtf8("é")) << id;
    }
    typeKeys(s.field(StatusDisplay::kPlaceField), QString::fromUtf8("Łódź"));
    ASSERT_TRUE(s.window->saveContest().ok());

    Contest loaded;
    ASSERT_EQ(openContestFile(loaded, s.path(), {}), OpenStatus::Opened);
    EXPECT_EQ(loaded.header.title.utf8(), "é");
    EXPECT_EQ(loaded.header.date.utf8(), "é");
    EXPECT_EQ(loaded.header.place.utf8(), "éód");
    EXPECT_EQ(s.field(StatusDisplay::kPlaceField)->text(), QString::fromUtf8("éód"));
}

TEST(MainWindow, TabCyclesTheThreeFieldsWithTheCaretAtTheEnd)
{
    Session s;
    s.window->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(s.window.get()));
    s.field(4)->setText(QStringLiteral("Coupe"));
    s.field(5)->setText(QStringLiteral("06/12"));
    s.field(6)->setText(QStringLiteral("Lens"));
    s.field(6)->setFocus();
    s.field(6)->setCursorPosition(0);
    QTest::keyClick(s.field(6), Qt::Key_Tab);
    EXPECT_TRUE(s.field(4)->hasFocus());
    EXPECT_EQ(s.field(4)->cursorPosition(), 5);
    QTest::keyClick(s.field(4), Qt::Key_Tab);
    EXPECT_TRUE(s.field(5)->hasFocus());
    QTest::keyClick(s.field(5), Qt::Key_Tab);
    EXPECT_TRUE(s.field(6)->hasFocus());
    EXPECT_EQ(s.field(6)->cursorPosition(), 4);
}

TEST(MainWindow, BackupTimerWritesTheBackupFile)
{
    Session s;
    fixtures::addPilots(s.contest, 1, 7);
    s.field(4)->setText(QStringLiteral("Coupe"));
    EXPECT_EQ(s.window->backupTimer()->interval(), MainWindow::kBackupPeriodMs);
    EXPECT_TRUE(s.window->backupTimer()->isActive());
    s.window->setBackupPeriod(20);
    const std::string backup = s.dir.file("R7T_06_12_26.bak");
    EXPECT_TRUE(QTest::qWaitFor([&] { return fs::exists(backup); }, 3000));
    EXPECT_EQ(fileBytes(backup), contestBytes(s.contest));
    EXPECT_FALSE(fs::exists(s.path())) << "the timer writes the backup only";
}

TEST(MainWindow, ClosingTheWindowSavesLikeQuitter)
{
    std::string quitBytes, closeBytes;
    for (bool byClose : {false, true}) {
        Session s;
        fixtures::addPilots(s.contest, 1, 9);
        s.field(4)->setText(QStringLiteral("Coupe"));
        s.window->show();
        QSignalSpy ended(s.window.get(), &MainWindow::programEnded);
        if (byClose)
            s.window->close();
        else
            s.window->runCommand(cmd::Quit);
        EXPECT_EQ(ended.count(), 1);
        EXPECT_FALSE(s.window->isVisible());
        ASSERT_TRUE(fs::exists(s.path()));
        (byClose ? closeBytes : quitBytes) = fileBytes(s.path());
        EXPECT_EQ(fileBytes(s.path()), contestBytes(s.contest));
    }
    EXPECT_EQ(closeBytes, quitBytes);
}

TEST(MainWindow, SaveCopyWritesAFullCopyAndLaterSavesGoToTheContestFile)
{
    Session s;
    fixtures::addPilots(s.contest, 1, 6);
    const std::string copy = s.dir.file("copie.r7s");
    s.files.saveAnswers << QString::fromStdString(copy);
    run(s, cmd::SaveCopy);
    ASSERT_EQ(s.files.titles.size(), 1);
    EXPECT_EQ(s.files.titles[0].trimmed(), QString()) << "string 42 is a line of spaces";
    EXPECT_EQ(s.files.proposedNames[0], QStringLiteral("R7T_06_12_26.r7s"));
    EXPECT_EQ(fileBytes(copy), contestBytes(s.contest));
    EXPECT_EQ(s.contest.filePath, s.dir.file("R7T_06_12_26.r7s"));
    EXPECT_EQ(s.contest.backupPath, s.dir.file("R7T_06_12_26.bak"));

    const std::string copied = fileBytes(copy);
    fixtures::addPilots(s.contest, 7, 8);
    ASSERT_TRUE(s.window->saveContest().ok());
    EXPECT_EQ(fileBytes(copy), copied);
    Contest own;
    ASSERT_EQ(openContestFile(own, s.path(), {}), OpenStatus::Opened);
    EXPECT_EQ(own.competitorCount(), 8);

    // Cancelling writes nothing.
    run(s, cmd::SaveCopy);
    EXPECT_EQ(fs::file_size(copy), copied.size());
}

TEST(MainWindow, FailedSaveNamesTheFileAndKeepsTheContest)
{
    Session s;
    s.contest.setPath(s.dir.file("gone/R7T.r7s"));
    fixtures::addPilots(s.contest, 1, 3);
    QString alert;
    whenModal<MessageDialog>([&](MessageDialog* d) {
        alert = d->text();
        clickControl(d, 508);
    });
    EXPECT_FALSE(s.window->saveContest().ok());
    EXPECT_TRUE(alert.contains(QString::fromStdString(s.dir.file("gone/R7T.r7s")))) << alert.toStdString();
    EXPECT_TRUE(alert.contains(QString::fromUtf8("(création impossible : dossier introuvable)")))
        << alert.toStdString();

    // Quitting asks before losing the changes; "NON" keeps the program.
    QSignalSpy ended(s.window.get(), &MainWindow::programEnded);
    QString question;
    int mode = 0;
    whenModal<MessageDialog>([&](MessageDialog* d) {
        question = d->text();
        mode = d->mode();
        clickControl(d, 509);
    });
    s.window->runCommand(cmd::Quit);
    EXPECT_EQ(mode, kModeQuestion);
    EXPECT_TRUE(question.contains(QStringLiteral("R7T.r7s")));
    EXPECT_EQ(ended.count(), 0);
    EXPECT_EQ(s.contest.competitorCount(), 3);

    // Once the folder exists again the next save works.
    fs::create_directory(s.dir.file("gone"));
    EXPECT_TRUE(s.window->saveContest().ok());
}

TEST(MainWindow, FaultReportEndsWithoutAnotherSave)
{
    Session s;
    fixtures::addPilots(s.contest, 1, 6);
    ASSERT_TRUE(s.window->saveContest().ok());
    const std::string saved = fileBytes(s.path());
    int ended = 0;
    setFaultEnding([&] { ++ended; });
    whenModal<QMessageBox>([](QMessageBox* box) { box->accept(); });
    s.contest.findGroup(1, 10, kTaskSpeed);
    setFaultEnding({});
    EXPECT_EQ(ended, 1);
    fixtures::addPilots(s.contest, 7, 7);
    s.window->runCommand(cmd::Quit);
    EXPECT_EQ(fileBytes(s.path()), saved);
}

TEST(MainWindow, MenuBarHoldsEveryCommandAndGreysTheOtherLanguages)
{
    Session s;
    QMenuBar* bar = s.window->findChild<QMenuBar*>("MainMenu");
    ASSERT_NE(bar, nullptr);
    QStringList titles;
    for (QAction* a : bar->actions())
        titles << a->text();
    EXPECT_EQ(titles, (QStringList{"&Fichier", "&Pilotes", "&Manches", "&Classements", "&Langue", "&Aide"}));

    QMenu* language = bar->actions()[4]->menu();
    ASSERT_EQ(language->actions().size(), 5);
    EXPECT_TRUE(language->actions()[0]->isEnabled());
    for (int i = 1; i < 5; ++i)
        EXPECT_FALSE(language->actions()[i]->isEnabled()) << i;

    // The French item opens the About dialog.
    bool about = false;
    whenModal<AboutDialog>([&](AboutDialog* d) {
        about = true;
        d->reject();
    });
    language->actions()[0]->trigger();
    EXPECT_TRUE(about);

    QList<int> ids;
    for (QAction* top : bar->actions())
        for (QAction* a : top->menu()->actions())
            if (a->isEnabled() && !a->isSeparator())
                ids << a->property("commandId").toInt();
    EXPECT_EQ(ids, (QList<int>{100, 102, 120, 105, 108, 109, 123, 111, 112, 113, 114, 115, 115, 116}));
}

TEST(MainWindow, PilotsPopupOffersItsThreeCommands)
{
    Session s;
    QStringList labels;
    QList<int> ids;
    for (QAction* a : s.window->popup(cmd::PilotsPopup)->actions())
        if (!a->isSeparator()) {
            labels << a->text();
            ids << a->property("commandId").toInt();
        }
    EXPECT_EQ(labels, (QStringList{"Concurrents", "Remorqueurs", "Feuilles de vols"}));
    EXPECT_EQ(ids, (QList<int>{120, 108, 122}));
    QAction* sheets = s.window->popup(cmd::PilotsPopup)->actions().last();
    QString message;
    whenModal<MessageDialog>([&](MessageDialog* d) {
        message = d->text();
        clickControl(d, 508);
    });
    sheets->trigger();
    EXPECT_EQ(message, QStringLiteral("- Pas encore d'inscrits -"));
}

TEST(MainWindow, QuittingClosesTheHelpWindow)
{
    Session s;
    setHelpFolder(QStringLiteral(R7T_SHIPPED_HELP));
    s.window->runCommand(cmd::Help);
    ASSERT_NE(helpWindow(), nullptr);
    EXPECT_EQ(helpWindow()->currentPage(), "index.html");
    s.window->runCommand(cmd::Quit);
    EXPECT_EQ(helpWindow(), nullptr);
    setHelpFolder({});
}

TEST(MainWindow, LayoutIsScaledToTheScreen)
{
    initResources(ScreenScale{800, 600});
    {
        Session s;
        StatusDisplay* display = s.window->statusDisplay();
        const QRect first = display->button(200)->geometry();
        EXPECT_EQ(first.x(), 570);
        EXPECT_EQ(first.y(), 187);
        EXPECT_EQ(first.width(), 156);
        // The k-th button: scaled 240 plus k times scaled 80; 201 takes no place.
        EXPECT_EQ(display->button(202)->y(), 187 + 62);
        EXPECT_EQ(display->button(102)->y(), 187 + 4 * 62);
        EXPECT_EQ(display->field(StatusDisplay::kDateField)->geometry(), QRect(234, 250, 78, 15));
        EXPECT_EQ(display->lowerBox(), QRect(QPoint(101, 367), QPoint(491, 499)));
        EXPECT_EQ(s.window->designGeometry().size(), QSize(800, 600));
    }
    initResources(ScreenScale{1024, 768});
}

TEST(MainWindow, OpensMaximisedWithItsFrameOnScreenAndGoesBackHomeWhenRestored)
{
    Session s;
    s.window->showOnScreen();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(s.window.get()));
    // The title bar and every edge can be reached: the frame lies within
    // what the screen offers.
    const QRect available = s.window->screen()->availableGeometry();
    auto onScreen = [&] { return available.contains(s.window->frameGeometry()); };
    EXPECT_TRUE(QTest::qWaitFor([&] { return s.window->isMaximized(); }, 2000));
    EXPECT_TRUE(QTest::qWaitFor(onScreen, 2000)) << "frame off the available area";
    EXPECT_GT(s.window->geometry().top(), s.window->frameGeometry().top()) << "no room for the title bar";

    // Restored, the frame covers the scaled 1024 x 768 design from the
    // available area's corner, and any resize brings it back there.
    const QRect home = QRect(available.topLeft(), QSize(1024, 768)).intersected(available);
    auto atHome = [&] { return s.window->frameGeometry() == home; };
    s.window->showNormal();
    EXPECT_TRUE(QTest::qWaitFor(atHome, 2000));
    s.window->setGeometry(40, 30, 500, 400);
    EXPECT_TRUE(QTest::qWaitFor(atHome, 2000));
    s.window->move(-50, -80);
    s.window->resize(300, 200);
    EXPECT_TRUE(QTest::qWaitFor(atHome, 2000)) << "a title bar above the screen stays there";
    s.window->showMinimized();
    QTest::qWait(20);
    s.window->showNormal();
    EXPECT_TRUE(QTest::qWaitFor(atHome, 2000));
    EXPECT_TRUE(onScreen());
}

TEST(SingleInstance, SecondStartHandsOverAndEnds)
{
    const QString name = QStringLiteral("r7t-test-") + QUuid::createUuid().toString(QUuid::Id128);
    SingleInstance first(name);
    ASSERT_TRUE(first.claim());
    QSignalSpy activated(&first, &SingleInstance::activationRequested);
    SingleInstance second(name);
    EXPECT_FALSE(second.claim());
    EXPECT_TRUE(activated.wait(3000) || activated.count() == 1);
    EXPECT_EQ(activated.count(), 1);
}
