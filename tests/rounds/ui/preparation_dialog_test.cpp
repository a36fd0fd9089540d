// The round preparation as the director uses it: what the draw, "Accepter",
// the abandon and "Supprimer" leave in the contest and its file.
#include "competitors/ui/launch_dialog.h"
#include "contest/contest_file.h"
#include "rounds/preparation.h"
#include "rounds/ui/round_preparation_dialog.h"
#include "support/cli_run.h"
#include "support/contest_builder.h"
#include "support/scored_contest.h"
#include "support/temp_dir.h"
#include "text/strings.h"
#include "ui_test_support.h"
#include "widgets/dialog_units.h"
#include "widgets/drawing_resources.h"
#include "widgets/list_line_delegate.h"
#include "widgets/message_dialog.h"

#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <list>
#include <memory>

using namespace r7t;
using namespace r7t::ui;
using namespace r7t::ui::testing;
using fixtures::TempDir;

namespace {

constexpr uint64_t kSeed = 20260607;

// Twelve competitors, three of them sharing a channel with a spare, and
// three tow pilots, saved in their file.
struct Preparation {
    TempDir dir;
    Contest contest;
    DrawSession session;
    std::string path;

    Preparation()
    {
        installContestHandlers(contest);
        for (int n = 1; n <= 12; ++n) {
            const bool shared = n % 4 == 0;
            fixtures::addPilot(contest, n,
                               {.name = "Pilote " + std::to_string(n),
                                .frequency1 = shared ? 35010 : 35030 + 20 * n,
                                .frequency2 = shared ? 40665 + 20 * n : 0});
        }
        for (int n = 101; n <= 103; ++n)
            fixtures::addPilot(contest, n, {.name = "Remorqueur " + std::to_string(n), .frequency1 = 72210 + 40 * n});
        path = fixtures::saveContestFile(contest, dir.file("concours.r7s"));
        session.random.seed(kSeed);
        session.seedForLevel = [] { return kSeed; };
    }
    ~Preparation() { clearModalAnswers(); }

    // "Nouvelle": the questions answered, the launch dialog left as it opens.
    void drawNew(RoundPreparationDialog& dialog, bool firstRound)
    {
        if (firstRound)
            answer(508);
        whenModal<LaunchDialog>([](LaunchDialog* d) { clickControl(d, 702); });
        dialog.roundsMenuChosen(kRoundMenuBase);
    }

    // The next message dialog is answered with that button; its text kept
    // in asked.
    void answer(int button)
    {
        auto text = std::make_shared<QString>();
        whenModal<MessageDialog>([button, text](MessageDialog* d) {
            *text = d->text();
            clickControl(d, button);
        });
        asked = text;
    }
    std::shared_ptr<QString> asked;

    std::unique_ptr<Contest> saved() const
    {
        auto loaded = std::make_unique<Contest>();
        loaded->setPath(path);
        EXPECT_EQ(RepriseFic(*loaded).status, LoadStatus::Loaded);
        return loaded;
    }
};

} // namespace

TEST(RoundPreparation, AcceptedDrawWritesTheSameFileAsTheCommandLine)
{
    Preparation p;
    const std::string copy = p.dir.file("copie.r7s");
    fixtures::writeFile(copy, fixtures::readFile(p.path));

    RoundPreparationDialog dialog(p.contest, p.session, {});
    EXPECT_FALSE(control<QPushButton>(&dialog, 574)->isVisibleTo(&dialog)) << "no round to delete yet";
    p.drawNew(dialog, true);
    ASSERT_TRUE(dialog.drawPending());
    EXPECT_EQ(*p.asked, tableText(MajMessage(kMessageFrequenciesChecked)));
    EXPECT_TRUE(control<QPushButton>(&dialog, 577)->isVisibleTo(&dialog));
    EXPECT_FALSE(control<QPushButton>(&dialog, 579)->isVisibleTo(&dialog)) << "nothing to print while pending";
    EXPECT_EQ(dialog.view(), kTaskDuration);
    EXPECT_GT(dialog.durationList()->count(), 1);
    clickControl(&dialog, 577);
    EXPECT_FALSE(dialog.drawPending());
    EXPECT_EQ(p.saved()->roundPrepared[1], 1);

    const fixtures::CliRun run = fixtures::runCli(
        {"draw", copy, "--seed", std::to_string(kSeed), "--frequencies-checked", "--same-starts"});
    ASSERT_EQ(run.exit, 0) << run.err;
    EXPECT_EQ(fixtures::readFile(p.path), fixtures::readFile(copy));
}

TEST(RoundPreparation, AbandonQuestionKeepsTheDrawOnNonAndUndoesItOnOui)
{
    Preparation p;
    const std::string before = fixtures::readFile(p.path);
    const std::list<Pilot> pilots = p.contest.pilots;
    RoundPreparationDialog dialog(p.contest, p.session, {});
    p.drawNew(dialog, true);
    ASSERT_TRUE(dialog.drawPending());
    ASSERT_TRUE(std::any_of(p.contest.pilots.begin(), p.contest.pilots.end(), [](const Pilot& x) { return x.exchanged; }))
        << "the shared channel makes the draw exchange frequencies";

    // Every command that leaves the pending draw asks first; "NON" changes nothing.
    p.answer(509);
    dialog.finish();
    EXPECT_EQ(*p.asked, tableText(MajMessage(kMessageAbandonDraw)));
    p.answer(509);
    dialog.roundsMenuChosen(kRoundMenuBase);
    EXPECT_TRUE(dialog.drawPending());
    EXPECT_GT(p.contest.groupCount[1], 0);
    EXPECT_TRUE(control<QPushButton>(&dialog, 577)->isVisibleTo(&dialog));

    // "OUI" on "Terminé": the draw goes, round-1 exchanges are undone, the
    // dialog stays open and nothing was written.
    p.answer(508);
    dialog.finish();
    EXPECT_FALSE(dialog.drawPending());
    EXPECT_EQ(dialog.result(), 0) << "the dialog stays after an abandon";
    EXPECT_EQ(p.contest.groupCount[1], 0);
    EXPECT_EQ(p.contest.pilots, pilots);
    EXPECT_EQ(dialog.durationList()->count(), 0);
    EXPECT_EQ(fixtures::readFile(p.path), before);
}

TEST(RoundPreparation, DeletedMiddleRoundIsDrawnAgainByNouvelle)
{
    Preparation p;
    RoundPreparationDialog dialog(p.contest, p.session, {});
    for (int round = 1; round <= 3; ++round) {
        p.drawNew(dialog, round == 1);
        ASSERT_TRUE(dialog.drawPending()) << round;
        dialog.acceptDraw();
    }

    // "Manche 2" from the rounds menu, as the director clicks it.
    QTimer::singleShot(50, [] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction* a : menu->actions())
            if (a->text() == "Manche 2")
                menu->setActiveAction(a);
        QTest::keyClick(menu, Qt::Key_Return);
    });
    clickControl(&dialog, 576);
    ASSERT_EQ(p.contest.currentRound, 2);

    p.answer(508);
    dialog.deleteRound();
    EXPECT_EQ(*p.asked, tableText(MajMessage(kMessageDeleteRound)));
    const std::unique_ptr<Contest> saved = p.saved();
    EXPECT_EQ(saved->roundPrepared[2], 0);
    EXPECT_EQ(saved->roundPrepared[3], 1);
    EXPECT_EQ(saved->lastPreparedRound, 3);
    EXPECT_EQ(p.contest.currentRound, 3);

    p.drawNew(dialog, false);
    EXPECT_TRUE(dialog.drawPending());
    EXPECT_EQ(p.contest.currentRound, 2);
}

TEST(RoundPreparation, ListsShowTheGroupsWithTheirWatchLights)
{
    fixtures::ScoredContest s;
    const int32_t frequencies[] = {0, 35010, 35050, 35090, 35105, 35110, 35200};
    for (int n = 1; n <= 6; ++n)
        s.competitor(n).frequency1 = frequencies[n];
    fixtures::addPilot(s.contest, kFirstTowPilot, {.name = "Remorqueur", .frequency1 = 72210});
    s.round(1, {{1, 2, 3}, {4, 5, 6}});
    for (StartGroup& g : s.contest.groups)
        if (g.id == towRecordId(2))
            g.slots[0].pilotNumber = kNoTowPilot;
    for (StartGroup& g : s.contest.groups)
        for (int slot = 0; slot < g.usedSlots(); ++slot)
            if (const Pilot* pilot = s.contest.findPilot(g.slots[slot].pilotNumber))
                g.slots[slot].frequency = pilot->frequency1;
    DrawSession session;
    RoundPreparationDialog dialog(s.contest, session, {});

    Contest& c = s.contest;
    for (int task : {kTaskSpeed, kTaskDuration}) {
        QListWidget* list = task == kTaskSpeed ? dialog.speedList() : dialog.durationList();
        const std::vector<ListLine> expected = updateRoundList(c, 1, task);
        ASSERT_EQ(list->count(), static_cast<int>(expected.size())) << task;
        for (int row = 0; row < list->count(); ++row) {
            EXPECT_EQ(list->item(row)->text().toStdString(), expected[row].text) << task << " line " << row;
            EXPECT_EQ(list->item(row)->data(kLineMarkRole).toInt(), static_cast<int>(expected[row].mark));
        }
    }
    // 35090 and 35105 in consecutive groups: 15 kHz, orange; 35105 and
    // 35110 in one group: 5 kHz, red; group 2 has no tow pilot yet.
    QStringList lines;
    for (int row = 0; row < dialog.durationList()->count(); ++row)
        lines << dialog.durationList()->item(row)->text();
    const QString all = lines.join('\n');
    EXPECT_TRUE(all.contains("à déterminer")) << all.toStdString();
    auto markOf = [&](int number) {
        for (int row = 0; row < dialog.durationList()->count(); ++row)
            if (dialog.durationList()->item(row)->text().contains(QStringLiteral("(%1)").arg(number, 2, 10, QLatin1Char('0'))))
                return static_cast<LineMark>(dialog.durationList()->item(row)->data(kLineMarkRole).toInt());
        return LineMark::Pause;
    };
    EXPECT_EQ(markOf(4), LineMark::FeuOrange);
    EXPECT_EQ(markOf(5), LineMark::FeuRouge);
    EXPECT_EQ(markOf(6), LineMark::Vide);
}

TEST(RoundPreparation, PrintMenuSendsTheMainWindowItsPrintCommands)
{
    fixtures::ScoredContest s;
    for (int n = 1; n <= 6; ++n)
        s.competitor(n);
    s.round(1, {{1, 2, 3}, {4, 5, 6}});
    DrawSession session;
    std::vector<std::pair<int, int>> sent;
    RoundPreparationDialog dialog(s.contest, session, [&](int command, int task) { sent.emplace_back(command, task); });
    for (const char* item : {"Départs Vitesse", "Départs Durée", "Relevé manche"}) {
        QTimer::singleShot(50, [item] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            for (QAction* a : menu->actions())
                if (a->text() == QString::fromUtf8(item))
                    menu->setActiveAction(a);
            QTest::keyClick(menu, Qt::Key_Return);
        });
        clickControl(&dialog, 579);
    }
    EXPECT_EQ(sent, (std::vector<std::pair<int, int>>{{124, kTaskSpeed}, {124, kTaskDuration}, {129, kTaskDuration}}));
}
