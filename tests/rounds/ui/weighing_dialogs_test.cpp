#include "rounds/ui/flight_sheet_range_dialog.h"
#include "rounds/ui/weighing_dialog.h"

#include "contest/contest_file.h"
#include "print/printed_lists.h"
#include "print/recording_device.h"
#include "rounds/weighing.h"
#include "support/scored_contest.h"
#include "support/temp_dir.h"
#include "widgets/dialog_units.h"
#include "widgets/drawing_resources.h"
#include "widgets/message_dialog.h"
#include "ui_test_support.h"

#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>

using namespace r7t;
using namespace r7t::ui;
using namespace r7t::ui::testing;
using fixtures::TempDir;

namespace {

// Competitors 1..n in groups of four (the last one smaller) for each round,
// saved in its file.
struct PreparedContest : fixtures::ScoredContest {
    TempDir dir;

    PreparedContest(int competitors, int rounds)
    {
        installContestHandlers(contest);
        std::vector<std::vector<int>> groups;
        for (int n = 1; n <= competitors; ++n) {
            competitor(n);
            if ((n - 1) % 4 == 0)
                groups.emplace_back();
            groups.back().push_back(n);
        }
        for (int r = 1; r <= rounds; ++r)
            round(r, groups);
        fixtures::saveContestFile(contest, dir.file("concours.r7s"));
    }

    bool savedDrawMade(int r) const
    {
        Contest saved;
        saved.setPath(contest.filePath);
        return RepriseFic(saved).status == LoadStatus::Loaded && weighingDrawMade(saved, r);
    }
};

QStringList lines(const WeighingDialog& dialog)
{
    QStringList texts;
    for (int row = 0; row < dialog.list()->count(); ++row)
        texts << dialog.list()->item(row)->text();
    return texts;
}

// The weighings the lines ask for: one per task named on a line.
int weighings(const QStringList& texts)
{
    int count = 0;
    for (const QString& line : texts)
        count += line.contains(QStringLiteral("Vitesse")) + line.contains(QString::fromUtf8("Durée"));
    return count;
}

// The competitor numbers at the start of the lines, blank line left out.
QList<int> numbers(const QStringList& texts)
{
    QList<int> found;
    for (const QString& line : texts)
        if (!line.trimmed().isEmpty())
            found << line.left(3).trimmed().toInt();
    return found;
}

} // namespace

TEST(WeighingDialog, DrawsOnceARoundSavesItAndShowsTheSameCompetitorsAgain)
{
    for (auto [competitors, expected] : {std::pair{5, 1}, {10, 2}, {11, 3}}) {
        PreparedContest p(competitors, 1);
        DrawSession session;
        session.random.seed(20260612);

        QStringList first;
        {
            WeighingDialog dialog(p.contest, session, {});
            first = lines(dialog);
        }
        EXPECT_EQ(first.value(0), QString()) << "a blank first line";
        EXPECT_EQ(weighings(first), expected) << competitors;
        EXPECT_TRUE(p.savedDrawMade(1)) << "the draw is in the file at once";

        // Shown again: the same lines, nothing drawn, nothing saved.
        std::filesystem::remove(p.contest.filePath);
        const uint64_t state = session.random.state();
        WeighingDialog again(p.contest, session, {});
        EXPECT_EQ(lines(again), first) << competitors;
        EXPECT_EQ(session.random.state(), state);
        EXPECT_FALSE(std::filesystem::exists(p.contest.filePath));
    }
}

TEST(WeighingDialog, MancheChangesTheRoundAndImprimerPrintsItsSheet)
{
    PreparedContest p(12, 2);
    p.contest.currentRound = 1;
    DrawSession session;
    session.random.seed(7);
    RecordingDevice device;
    int jobs = 0;
    WeighingDialog dialog(p.contest, session, [&](QWidget*, const PrintDocument& document) {
        ++jobs;
        PrintEngine engine(device);
        document(engine);
    });
    dialog.show();
    EXPECT_EQ(dialog.round(), 2) << "it opens on the last prepared round";
    EXPECT_TRUE(weighingDrawMade(p.contest, 2));
    EXPECT_FALSE(weighingDrawMade(p.contest, 1));

    // "Manche" offers the prepared rounds, and no new one.
    QStringList offered;
    QTimer::singleShot(50, [&] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            for (QAction* a : menu->actions())
                offered << a->text();
            menu->setActiveAction(menu->findChild<QAction*>(controlName(1001)));
            QTest::keyClick(menu, Qt::Key_Return);
        }
    });
    clickControl(&dialog, 713);
    EXPECT_EQ(offered, (QStringList{"Manche 1", "Manche 2"}));
    EXPECT_EQ(p.contest.currentRound, 1);
    EXPECT_TRUE(p.savedDrawMade(1));
    const QStringList shown = lines(dialog);

    // The sheet names the competitors the list shows (in group order).
    clickControl(&dialog, 714);
    ASSERT_EQ(jobs, 1);
    ASSERT_GE(device.pages, 1);
    EXPECT_NE(device.pageText(1).find("Pesées - Manche :   1"), std::string::npos) << device.pageText(1);
    QList<int> printed;
    for (const PrintEvent& e : device.texts()) // each entry's "%02u "
        if (e.text.size() == 3 && std::isdigit(static_cast<unsigned char>(e.text[0])) &&
            std::isdigit(static_cast<unsigned char>(e.text[1])) && e.text[2] == ' ')
            printed << std::stoi(e.text);
    std::sort(printed.begin(), printed.end());
    EXPECT_EQ(printed, numbers(shown));
}

TEST(FlightSheetRangeDialog, ProposesEveryoneAndKeepsTheLastNoLowerThanTheFirst)
{
    fixtures::ScoredContest s;
    for (int n = 1; n <= 12; ++n)
        s.competitor(n);

    QString from, to, selected, fromName, toName;
    whenModal<FlightSheetRangeDialog>([&](FlightSheetRangeDialog* d) {
        auto* first = control<QLineEdit>(d, 731);
        auto* last = control<QLineEdit>(d, 732);
        from = first->text();
        selected = first->selectedText();
        to = last->text();
        fromName = first->accessibleName();
        toName = last->accessibleName();
        typeInto(d, 731, QStringLiteral("12"));
        typeInto(d, 732, QStringLiteral("5"));
        clickControl(d, 1);
    });
    const std::optional<FlightSheetRange> range = runFlightSheetRangeDialog(s.contest, nullptr);
    clearModalAnswers();
    EXPECT_EQ(from, QStringLiteral("1"));
    EXPECT_EQ(selected, from) << "typing replaces the proposed first number";
    EXPECT_EQ(to, QStringLiteral("12"));
    EXPECT_EQ(fromName, QStringLiteral("Pilotes inscrits de"));
    EXPECT_EQ(toName, QString::fromUtf8("à"));
    ASSERT_TRUE(range.has_value());
    EXPECT_EQ(range->firstNumber, 12);
    EXPECT_EQ(range->lastNumber, 12);

    whenModal<FlightSheetRangeDialog>([](FlightSheetRangeDialog* d) { clickControl(d, 2); });
    EXPECT_FALSE(runFlightSheetRangeDialog(s.contest, nullptr).has_value());
    clearModalAnswers();
}
