// The ranking windows as the director and the competitors see them: the
// round ranking corrected in place, the overall ranking's columns, discard
// and detail, the round choice, and the text export's dialog.
#include "contest/contest_file.h"
#include "print/recording_device.h"
#include "print/text_export.h"
#include "ranking/ranking_lines.h"
#include "ranking/ui/overall_ranking_dialog.h"
#include "ranking/ui/round_choice_dialog.h"
#include "ranking/ui/round_ranking_dialog.h"
#include "scoring/ui/score_entry_dialog.h"
#include "support/scored_contest.h"
#include "support/temp_dir.h"
#include "ui_test_support.h"
#include "widgets/contest_window.h"
#include "widgets/message_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace r7t;
using namespace r7t::ui;
using namespace r7t::ui::testing;

namespace {

// Twelve competitors flying every round in three groups; competitor n's
// speed is 20 + n seconds and his duration 8 min - n s, so 1 leads. The
// contest is saved in its file.
struct Scored {
    fixtures::TempDir dir;
    fixtures::ScoredContest s;
    Contest& contest = s.contest;
    std::string path;

    explicit Scored(int rounds, int competitors = 12)
    {
        installContestHandlers(contest);
        for (int n = 1; n <= competitors; ++n)
            s.competitor(n);
        fixtures::addPilot(contest, kFirstTowPilot, {.name = "Remorqueur"});
        std::vector<std::vector<int>> groups(3);
        for (int n = 1; n <= competitors; ++n)
            groups[static_cast<size_t>((n - 1) % 3)].push_back(n);
        for (int r = 1; r <= rounds; ++r) {
            s.round(r, groups);
            for (int n = 1; n <= competitors; ++n)
                s.flight(r, n, 200 + 10 * n, 480 - n);
        }
        s.evaluate();
        path = fixtures::saveContestFile(contest, dir.file("concours.r7s"));
    }
    ~Scored() { clearModalAnswers(); }
};

QStringList texts(const QListWidget* list)
{
    QStringList lines;
    for (int row = 0; row < list->count(); ++row)
        lines << list->item(row)->text();
    return lines;
}

int rowOf(const QListWidget* list, int number, int (*numberOf)(const std::string&))
{
    for (int row = 1; row < list->count(); ++row)
        if (numberOf(list->item(row)->text().toStdString()) == number)
            return row;
    return -1;
}

void doubleClickRow(QListWidget* list, int row)
{
    list->setCurrentRow(row);
    list->scrollToItem(list->item(row));
    const QPoint line = list->visualItemRect(list->item(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, line);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, line);
}

OverallRanking finalRanking(Contest& contest)
{
    OverallRanking ranking;
    EXPECT_EQ(openFinalRanking(contest, ranking), RankingStatus::Ok);
    return ranking;
}

} // namespace

TEST(RoundRankingDialog, OffersCompleteRoundsAndMovesACorrectedCompetitorAtOnce)
{
    Scored f(3);
    // Round 2 loses competitor 5's result: it is no longer complete.
    f.s.slot(2, 5).result = nullptr;
    f.s.evaluate();
    ASSERT_EQ(f.contest.lastCompleteRound, 3);

    RecordingDevice device;
    int jobs = 0;
    RoundRankingDialog dialog(f.contest, [&](QWidget*, const PrintDocument& document) {
        ++jobs;
        PrintEngine engine(device);
        document(engine);
    });
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(dialog.shownRound(), 3) << "it opens on the last complete round";

    QStringList offered;
    choosePopupItem(QStringLiteral("Manche 1"), &offered);
    clickControl(&dialog, 644);
    EXPECT_EQ(offered, (QStringList {"Manche 1", "Manche 3"}));
    ASSERT_EQ(dialog.shownRound(), 1);
    QListWidget* list = dialog.list();
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("Rg\t N°\tVitesse\t(G) Durée\t\tTotal"));
    EXPECT_EQ(list->currentRow(), 1);
    EXPECT_EQ(rowOf(list, 12, roundRankingLineNumber), 12) << "the slowest comes last";

    // A double click on 12's line corrects him from the ranking: no
    // "Effacer"; the fastest speed and the longest flight put him first.
    bool eraseOffered = true;
    whenModal<ScoreEntryDialog>([&](ScoreEntryDialog* d) {
        eraseOffered = d->findChild<QPushButton*>(QStringLiteral("id606"))->isVisible();
        typeInto(d, 612, QStringLiteral("15.0"));
        typeInto(d, 613, QStringLiteral("9.00"));
        clickControl(d, 608);
    });
    doubleClickRow(list, 12);
    EXPECT_FALSE(eraseOffered);
    EXPECT_EQ(rowOf(list, 12, roundRankingLineNumber), 1) << "moved to his new place at once";
    EXPECT_TRUE(list->item(1)->text().startsWith(QStringLiteral("  1\t12 |\t15.0")));

    Contest saved;
    saved.setPath(f.path);
    ASSERT_EQ(RepriseFic(saved).status, LoadStatus::Loaded);
    EXPECT_EQ(saved.findGroupOf(1, 12, kTaskDuration).group->slots[3].result->speedTime, 150);

    // A double click on the heading does nothing; "Imprimer" prints round 1.
    whenModal<ScoreEntryDialog>([](ScoreEntryDialog* d) { d->reject(); });
    doubleClickRow(list, 0);
    clearModalAnswers();
    clickControl(&dialog, 643);
    EXPECT_EQ(jobs, 1);
    EXPECT_NE(device.pageText(1).find("PILOTE 12"), std::string::npos) << device.pageText(1);
}

TEST(OverallRankingDialog, FinalRankingShowsColumnsDiscardsNotClassifiedAndDetails)
{
    Scored f(25);
    // 3 is not classified; 4 used a re-flight in round 2.
    f.contest.findPilot(3)->licence.assignUtf8("nc 3");
    f.s.reflight(2, 4, 470);
    f.s.evaluate();
    ScriptedFiles files;
    OverallRankingDialog dialog(f.contest, finalRanking(f.contest), files, {});
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QListWidget* list = dialog.list();
    const QStringList lines = texts(list);
    EXPECT_EQ(lines[0].count(QStringLiteral("    M ")), 24);
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral("    M 24     ....")));
    for (int row = 1; row < list->count(); ++row)
        EXPECT_TRUE(lines[row].endsWith(QStringLiteral(" ...."))) << row;
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("NC   3 |"))) << lines[3].toStdString();
    EXPECT_TRUE(lines[4].startsWith(QStringLiteral(" 3   4 |"))) << "no gap after the NC line";
    EXPECT_TRUE(
        dialog.bestSpeed()->text().startsWith(QStringLiteral("Meilleure vitesse : 21,0 s par n° 1 - Pilote 1")));

    // The final discard count is in its field; Enter there applies a new
    // one (capped at the rounds less one) instead of closing the ranking.
    auto* discard = dialog.findChild<QLineEdit*>(QStringLiteral("id646"));
    EXPECT_EQ(discard->text().toInt(), f.contest.completeRoundCount > 0 ? dialog.ranking().discardCount : -1);
    EXPECT_TRUE(discard->hasFocus() || !dialog.isActiveWindow());
    discard->setFocus();
    discard->selectAll();
    typeKeys(discard, QStringLiteral("99"));
    QTest::keyClick(discard, Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(discard->text(), QStringLiteral("24"));
    EXPECT_EQ(dialog.ranking().discardCount, 24);
    EXPECT_TRUE(texts(list)[3].startsWith(QStringLiteral("NC   3 |"))) << "still not classified";
    EXPECT_EQ(texts(list)[1].count(QLatin1Char('(')), 23) << "24 discarded rounds, 23 shown";

    // The detail of the last line keeps its name and total in the title; a
    // used re-flight is marked.
    QString lastTitle;
    whenModal<CompetitorDetailDialog>([&](CompetitorDetailDialog* d) {
        lastTitle = d->title();
        d->accept();
    });
    doubleClickRow(list, list->count() - 1);
    EXPECT_EQ(lastTitle.left(12), QStringLiteral("Pilote 12 - "));
    EXPECT_TRUE(lastTitle.endsWith(QStringLiteral(" pts")));
    CompetitorDetailDialog detail(f.contest, dialog.ranking(), 4);
    EXPECT_TRUE(detail.list()->item(2)->text().contains(QStringLiteral(" (R)"))) << "round 2";
    EXPECT_EQ(detail.list()->count(), 26);
}

TEST(RoundChoiceDialog, ListsRoundsAsTextAndEndsTheRankingWhenNothingIsChosen)
{
    Scored f(12);
    ScriptedFiles files;
    bool rankingOpened = false;
    whenModal<RoundChoiceDialog>([](RoundChoiceDialog* d) {
        QStringList order;
        for (const QString& line : texts(d->list()))
            order << line.trimmed();
        EXPECT_EQ(order.mid(0, 5), (QStringList {"Manche 1", "Manche 10", "Manche 11", "Manche 12", "Manche 2"}));
        EXPECT_TRUE(d->list()->selectedItems().isEmpty());
        clickControl(d, 725); // O.K. with nothing selected
    });
    whenModal<OverallRankingDialog>([&](OverallRankingDialog* d) {
        rankingOpened = true;
        d->accept();
    });
    runOverallRanking(f.contest, RankingMode::Chosen, files, {}, nullptr);
    EXPECT_FALSE(rankingOpened);
    clearModalAnswers();

    whenModal<RoundChoiceDialog>([](RoundChoiceDialog* d) { clickControl(d, 726); });
    whenModal<OverallRankingDialog>([&](OverallRankingDialog* d) {
        rankingOpened = true;
        d->accept();
    });
    runOverallRanking(f.contest, RankingMode::Chosen, files, {}, nullptr);
    EXPECT_FALSE(rankingOpened) << "Abandon";
    clearModalAnswers();

    // Everything chosen, 50 discarded asked, zero totals left out.
    f.contest.findPilot(12)->licence.assignUtf8("L12");
    whenModal<RoundChoiceDialog>([](RoundChoiceDialog* d) {
        clickControl(d, 727);
        typeInto(d, 724, QStringLiteral("50"));
        d->findChild<QWidget*>(QStringLiteral("id728"))->setProperty("checked", true);
        clickControl(d, 725);
    });
    whenModal<OverallRankingDialog>([&](OverallRankingDialog* d) {
        rankingOpened = true;
        EXPECT_EQ(d->ranking().selectedCount, 12);
        EXPECT_EQ(d->ranking().discardCount, 11);
        EXPECT_TRUE(d->ranking().skipZeroTotals);
        EXPECT_TRUE(d->findChild<QLineEdit*>(QStringLiteral("id646"))->isHidden());
        d->accept();
    });
    runOverallRanking(f.contest, RankingMode::Chosen, files, {}, nullptr);
    EXPECT_TRUE(rankingOpened);
}

TEST(OverallRankingDialog, TextExportAsksForItsFileAndSaysWhenItFails)
{
    Scored f(2);
    ScriptedFiles files;
    OverallRankingDialog dialog(f.contest, finalRanking(f.contest), files, {});
    dialog.show();
    const std::string out = f.dir.file("classement.txt");

    auto exportThrough = [&](const QString& answer) {
        files.saveAnswers << answer;
        choosePopupItem(QStringLiteral("Fichier texte"));
        clickControl(&dialog, 643);
    };
    exportThrough(QString());
    EXPECT_EQ(files.proposedNames.last(), QString::fromStdString(f.dir.file("concours.txt")));
    EXPECT_EQ(files.filtersShown.last(), 43);
    EXPECT_EQ(files.suffixes.last(), QStringLiteral("txt"));
    EXPECT_EQ(files.filter, FileChooser::kContestFilter) << "the contest's filter is back";
    EXPECT_TRUE(std::filesystem::directory_iterator(f.dir.path()) != std::filesystem::directory_iterator());
    EXPECT_FALSE(std::filesystem::exists(f.dir.file("concours.txt"))) << "a cancel writes nothing";

    exportThrough(QString::fromStdString(out));
    EXPECT_EQ(fixtures::readFile(out), *exportText(f.contest, dialog.ranking()));

    QString alert;
    whenModal<MessageDialog>([&](MessageDialog* d) {
        alert = d->text();
        clickControl(d, 508);
    });
    exportThrough(QString::fromStdString(f.dir.file("absent/classement.txt")));
    EXPECT_TRUE(alert.startsWith(QStringLiteral("Le classement n'a pas pu être écrit dans le fichier :")))
        << alert.toStdString();
    EXPECT_TRUE(alert.contains(QStringLiteral("absent/classement.txt")));

    // The web page: its own filter and name, then the offer to open it,
    // declined here.
    const std::string page = f.dir.file("resultats.html");
    files.saveAnswers << QString::fromStdString(page);
    QString offer;
    whenModal<MessageDialog>([&](MessageDialog* d) {
        offer = d->text();
        clickControl(d, 509);
    });
    choosePopupItem(QStringLiteral("Page web..."));
    clickControl(&dialog, 643);
    EXPECT_EQ(files.proposedNames.last(), QString::fromStdString(f.dir.file("concours.html")));
    EXPECT_EQ(files.filtersShown.last(), 87);
    EXPECT_TRUE(offer.contains(QString::fromStdString(page)));
    EXPECT_NE(fixtures::readFile(page).find("<html lang=\"fr\">"), std::string::npos);
}
