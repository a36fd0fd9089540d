#include "competitors/ui/frequency_change_dialog.h"
#include "competitors/ui/launch_dialog.h"
#include "contest/contest_file.h"
#include "support/scored_contest.h"
#include "support/temp_dir.h"
#include "widgets/contest_window.h"
#include "widgets/dialog_units.h"
#include "widgets/message_dialog.h"
#include "ui_test_support.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <set>

using namespace r7t;
using namespace r7t::ui;
using namespace r7t::ui::testing;
using fixtures::TempDir;

namespace {

// Competitors 1..5, 2 and 4 withdrawn at the last draw, and a tow pilot.
void fiveCompetitors(Contest& c)
{
    for (int32_t n = 1; n <= 5; ++n)
        fixtures::addPilot(c, n, {.name = "Pilote " + std::to_string(n), .frequency1 = 35000 + 10 * n});
    fixtures::addPilot(c, 101, {.name = "REMORQUEUR", .frequency1 = 72210});
    c.findPilot(2)->participation = 0;
    c.findPilot(4)->participation = 0;
}

std::set<int> selectedNumbers(const QListWidget* list)
{
    std::set<int> numbers;
    for (QListWidgetItem* item : list->selectedItems())
        numbers.insert(item->text().mid(1, 2).toInt());
    return numbers;
}

// Lines are in number order: competitor n on row n - 1.
void clickLine(QListWidget* list, int number, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, list->visualItemRect(list->item(number - 1)).center());
}

// Rounds 1..5 prepared, scores in rounds 1..3 only, saved in its file.
struct ScoredToRoundThree : fixtures::ScoredContest {
    TempDir dir;
    int redraws = 0;

    ScoredToRoundThree()
    {
        installContestHandlers(contest);
        for (int n = 1; n <= 4; ++n)
            competitor(n);
        for (int r = 1; r <= 5; ++r)
            round(r, {{1, 2, 3, 4}});
        for (int r = 1; r <= 3; ++r)
            contest.roundHasScores[r] = 1;
        fixtures::saveContestFile(contest, dir.file("concours.r7s"));
        setCountersRedraw([this] { ++redraws; });
    }
    ~ScoredToRoundThree()
    {
        clearModalAnswers();
        setCountersRedraw({});
    }

    int savedLastPreparedRound() const
    {
        Contest saved;
        saved.setPath(contest.filePath);
        if (RepriseFic(saved).status != LoadStatus::Loaded)
            return -1;
        return saved.lastPreparedRound;
    }
};

} // namespace

TEST(LaunchDialog, PreselectsTheWithdrawnAndLancerWritesTheChoices)
{
    Contest contest;
    fiveCompetitors(contest);
    LaunchDialog dialog(contest, 3, 250, nullptr);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(dialog.title(), QString::fromUtf8("Tri des départs de la manche 3"));
    auto* list = control<QListWidget>(&dialog, 700);
    ASSERT_EQ(list->count(), 5) << "competitors only";
    EXPECT_EQ(selectedNumbers(list), (std::set<int>{2, 4}));
    EXPECT_EQ(control<QLineEdit>(&dialog, 705)->text(), QStringLiteral("250"));
    EXPECT_TRUE(control<QCheckBox>(&dialog, 706)->isChecked());

    // A click or a Ctrl + click turns one line over and leaves the others.
    clickLine(list, 2);
    clickLine(list, 5, Qt::ControlModifier);
    EXPECT_EQ(selectedNumbers(list), (std::set<int>{4, 5}));
    // The keyboard: the arrows move, Space turns the line over.
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Home);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Space);
    EXPECT_EQ(selectedNumbers(list), (std::set<int>{3, 4, 5}));

    auto* attempts = control<QLineEdit>(&dialog, 705);
    attempts->clear();
    typeKeys(attempts, QStringLiteral("123456789"));
    EXPECT_EQ(attempts->text(), QStringLiteral("1234567"));
    control<QCheckBox>(&dialog, 706)->click();
    clickControl(&dialog, 702);

    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    for (int32_t n : {1, 2})
        EXPECT_EQ(contest.findPilot(n)->participation, 99) << n;
    for (int32_t n : {3, 4, 5})
        EXPECT_EQ(contest.findPilot(n)->participation, 0) << n;
    EXPECT_EQ(contest.findPilot(101)->participation, 99);
    EXPECT_EQ(dialog.settings().attempts, 8000);
    EXPECT_FALSE(dialog.settings().sameStartOrder);
}

TEST(LaunchDialog, OnlyLancerEndsIt)
{
    Contest contest;
    fiveCompetitors(contest);
    bool stayedOnEscape = false, stayedOnClose = false, frameless = false;
    whenModal<LaunchDialog>([&](LaunchDialog* d) {
        frameless = d->windowFlags().testFlag(Qt::FramelessWindowHint);
        QTest::keyClick(d, Qt::Key_Escape);
        stayedOnEscape = d->isVisible();
        d->close();
        stayedOnClose = d->isVisible();
        for (QListWidgetItem* item : control<QListWidget>(d, 700)->selectedItems())
            item->setSelected(false);
        clickControl(d, 702);
    });
    const LaunchSettings settings = runLaunchDialog(contest, 2, 120, nullptr);
    clearModalAnswers();
    EXPECT_TRUE(stayedOnEscape);
    EXPECT_TRUE(stayedOnClose);
    EXPECT_TRUE(frameless) << "no close box of the window manager";
    EXPECT_EQ(settings.attempts, 120);
    EXPECT_TRUE(settings.sameStartOrder);
    for (int32_t n = 1; n <= 5; ++n)
        EXPECT_EQ(contest.findPilot(n)->participation, 99) << "nobody selected: everyone flies";
}

TEST(FrequencyChangeDialog, ProposesTheRoundAfterTheLastScoredAndCancelsFromIt)
{
    ScoredToRoundThree s;
    ASSERT_EQ(s.contest.lastPreparedRound, 5);
    QString proposed;
    whenModal<FrequencyChangeDialog>([&](FrequencyChangeDialog* d) {
        proposed = control<QLineEdit>(d, 680)->text();
        clickControl(d, 684);
    });
    EXPECT_TRUE(runFrequencyChangeDialog(s.contest, nullptr));
    EXPECT_EQ(proposed, QStringLiteral("4"));
    EXPECT_EQ(s.contest.roundPrepared[4] + s.contest.roundPrepared[5], 0);
    EXPECT_EQ(s.contest.roundPrepared[3], 1);
    EXPECT_EQ(s.contest.lastPreparedRound, 3);
    EXPECT_EQ(s.savedLastPreparedRound(), 3);
    EXPECT_EQ(s.redraws, 1);
}

TEST(FrequencyChangeDialog, ScoredRoundIsRefusedAndAbandonChangesNothing)
{
    ScoredToRoundThree s;
    const std::string before = fixtures::readFile(s.contest.filePath);
    QString caption, text, fieldAfter;
    bool stayed = false;
    whenModal<QMessageBox>([&](QMessageBox* box) {
        caption = box->windowTitle();
        text = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    whenModal<FrequencyChangeDialog>([&](FrequencyChangeDialog* d) {
        typeInto(d, 680, QStringLiteral("2"));
        clickControl(d, 684);
        stayed = d->isVisible();
        fieldAfter = control<QLineEdit>(d, 680)->text();
        clickControl(d, 685);
    });
    EXPECT_FALSE(runFrequencyChangeDialog(s.contest, nullptr));
    EXPECT_EQ(caption, QStringLiteral("ALERTE"));
    EXPECT_EQ(text, QString::fromUtf8("Manche déjà exécutée !"));
    EXPECT_TRUE(stayed);
    EXPECT_EQ(fieldAfter, QStringLiteral("4"));
    EXPECT_EQ(s.contest.lastPreparedRound, 5);
    EXPECT_EQ(s.contest.roundPrepared[4], 1);
    EXPECT_EQ(fixtures::readFile(s.contest.filePath), before);
    EXPECT_EQ(s.redraws, 0);
}
