// The score windows as the director drives them: a round typed from the
// keyboard, the checks of the typed times, what opening, "Abandon" and
// "Effacer" do to the records, the list's pictures and the evaluation of
// the round left.
#include "contest/contest_file.h"
#include "scoring/ui/score_entry_dialog.h"
#include "scoring/ui/score_list_dialog.h"
#include "support/cli_run.h"
#include "support/contest_builder.h"
#include "support/scored_contest.h"
#include "support/temp_dir.h"
#include "ui_test_support.h"
#include "widgets/contest_window.h"
#include "widgets/dialog_units.h"
#include "widgets/list_line_delegate.h"
#include "widgets/message_dialog.h"

#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <variant>

using namespace r7t;
using namespace r7t::ui;
using namespace r7t::ui::testing;

namespace {

// Twelve competitors in three groups of round 1 (and more rounds alike),
// saved in their file, no result yet. The main window's complete rounds
// are read as its redraw reads them.
struct Field {
    fixtures::TempDir dir;
    fixtures::ScoredContest s;
    Contest& contest = s.contest;
    std::string path;
    std::vector<std::string> counts; // the complete rounds at each redraw

    explicit Field(int rounds = 1)
    {
        installContestHandlers(contest);
        for (int n = 1; n <= 12; ++n)
            s.competitor(n);
        fixtures::addPilot(contest, kFirstTowPilot, {.name = "Remorqueur"});
        for (int r = 1; r <= rounds; ++r)
            s.round(r, {{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}});
        path = fixtures::saveContestFile(contest, dir.file("concours.r7s"));
        setCountersRedraw([this] {
            contest.updateCompleteRounds();
            counts.push_back(contest.completeRoundsText);
        });
    }
    ~Field()
    {
        setCountersRedraw({});
        clearModalAnswers();
    }

    std::unique_ptr<Contest> saved() const
    {
        auto loaded = std::make_unique<Contest>();
        loaded->setPath(path);
        EXPECT_EQ(RepriseFic(*loaded).status, LoadStatus::Loaded);
        return loaded;
    }
    int records(int number) const
    {
        return static_cast<int>(std::count_if(contest.results.begin(), contest.results.end(),
                                              [number](const FlightResult& r) { return r.number == number; }));
    }
};

void activate(QWidget* window)
{
    window->activateWindow();
    (void)QTest::qWaitForWindowActive(window);
}

// What a director's keyboard does, sent where the focus is: a text, a key
// pressed some times, or a test's own step (answering the next dialog).
struct Key {
    Qt::Key key;
    int times = 1;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};
using Step = std::variant<const char*, Key, std::function<void(QWidget*)>>;
Key tabs(int n) { return {Qt::Key_Tab, n}; }
Key backtabs(int n) { return {Qt::Key_Tab, n, Qt::ShiftModifier}; }
const Key kSpace{Qt::Key_Space}, kDown{Qt::Key_Down}, kEnter{Qt::Key_Return}, kEscape{Qt::Key_Escape};

void play(QWidget* window, const std::vector<Step>& steps)
{
    auto focus = [window] { return window->focusWidget() ? window->focusWidget() : window; };
    for (const Step& step : steps) {
        if (const auto* text = std::get_if<const char*>(&step))
            QTest::keyClicks(focus(), QString::fromUtf8(*text));
        else if (const auto* k = std::get_if<Key>(&step))
            for (int i = 0; i < k->times; ++i)
                QTest::keyClick(focus(), k->key, k->modifiers);
        else
            std::get<std::function<void(QWidget*)>>(step)(window);
    }
}

// The next alert or question is answered (OK, or the message dialog's
// button); its text lands in text.
void answerAlert(QString& text)
{
    whenModal<QMessageBox>([&text](QMessageBox* box) {
        text = box->text();
        box->button(QMessageBox::Ok)->click();
    });
}
void answerQuestion(int button, QString& text)
{
    whenModal<MessageDialog>([button, &text](MessageDialog* d) {
        text = d->text();
        clickControl(d, button);
    });
}

bool ticked(QWidget* dialog, int id) { return control<QAbstractButton>(dialog, id)->isChecked(); }
void tick(QWidget* dialog, int id) { control<QAbstractButton>(dialog, id)->click(); }
bool shown(QWidget* dialog, int id) { return control<QWidget>(dialog, id)->isVisibleTo(dialog); }

// The speed and duration typed, then "Valider".
void typeAndValidate(QWidget* d, const QString& speed, const QString& duration)
{
    typeInto(d, 612, speed);
    typeInto(d, 613, duration);
    clickControl(d, 608);
}

LineMark markOf(const QListWidget* list, int row)
{
    return static_cast<LineMark>(list->item(row)->data(kLineMarkRole).toInt());
}

} // namespace

TEST(ScoreWindows, RoundTypedFromTheKeyboardGivesTheFileAndRankingOfTheCommandLine)
{
    Field f;
    const std::string copy = f.dir.file("copie.r7s");
    fixtures::writeFile(copy, fixtures::readFile(f.path));
    std::vector<std::vector<std::string>> cli; // the same results given to r7t score

    ScoreListDialog list(f.contest);
    list.show();
    activate(&list);
    // Enter on the selected line opens the entry, which the keys answer.
    auto enter = [&](const std::vector<Step>& typing, const std::vector<std::string>& given) {
        bool opened = false;
        whenModal<ScoreEntryDialog>([&](ScoreEntryDialog* d) {
            opened = true;
            activate(d);
            play(d, typing);
        });
        play(&list, {kEnter});
        EXPECT_TRUE(opened);
        cli.push_back(given);
    };
    // Five tabs from the speed to the duration; after "Valider" the next
    // line is selected.
    enter({"25.1", tabs(5), "4.01", kEnter}, {"1", "--speed", "25.1", "--duration", "4.01"});
    enter({"27.5", tabs(5), "8.20", kEnter}, {"2", "--speed", "27.5", "--duration", "8.20"});
    // "Revol " ticked, its button opens "REVOL", whose Enter leaves the
    // focus on "Valider".
    enter({"31.2", tabs(5), "2.10", tabs(3), kSpace, tabs(2),
           [](QWidget*) { whenModal<ReflightDialog>([](ReflightDialog* r) { play(r, {"6.30", kEnter}); }); }, kSpace,
           kEnter},
          {"3", "--speed", "31.2", "--duration", "2.10", "--reflight", "6.30"});
    enter({"24.8", tabs(5), "7.59", kEnter}, {"4", "--speed", "24.8", "--duration", "7.59"});
    // A void speed flight; "Vague 2" ticked too goes with it.
    enter({backtabs(2), kSpace, tabs(4), kSpace, tabs(3), "5.45", kEnter},
          {"5", "--speed-void", "--wave2", "--duration", "5.45"});
    enter({"28.0", tabs(5), "3.33", kEnter}, {"6", "--speed", "28.0", "--duration", "3.33"});
    // A lost element in speed, whatever time was typed.
    enter({"30.0", tabs(1), kSpace, tabs(4), "6.00", kEnter},
          {"7", "--speed", "30.0", "--speed-loss", "--duration", "6.00"});
    // The arrows move within the landing grades and the glider pair.
    enter({"26.6", tabs(5), "8.01", tabs(1), kDown, kDown, kEnter},
          {"8", "--speed", "26.6", "--duration", "8.01", "--landing", "3"});
    enter({"33.3", tabs(2), kSpace, tabs(3), "4.44", tabs(4), kDown, kEnter},
          {"9", "--speed", "33.3", "--wave2", "--duration", "4.44", "--glider", "2"});
    // Below 10 s is refused; the entry stays as typed and is mended.
    QString alert;
    QString refusedText;
    enter({"9.9", tabs(5), "5.55", [&](QWidget*) { answerAlert(alert); }, kEnter,
           [&](QWidget* d) {
               refusedText = control<QLineEdit>(d, 612)->text();
               activate(d);
           },
           backtabs(5), "29.9", kEnter},
          {"10", "--speed", "29.9", "--duration", "5.55"});
    EXPECT_EQ(alert, "Valeur saisie incorrecte");
    EXPECT_EQ(refusedText, "9.9");
    enter({"26.1", tabs(5), "7.07", kEnter}, {"11", "--speed", "26.1", "--duration", "7.07"});
    enter({"25.9", tabs(5), "6.06", kEnter}, {"12", "--speed", "25.9", "--duration", "6.06"});
    EXPECT_EQ(list.list()->currentRow(), 11) << "the last line stays selected";

    // A correction: the stored speed is selected, typing replaces it.
    play(&list, {Key{Qt::Key_Up, 8}});
    enter({"24.9", kEnter}, {"4", "--speed", "24.9", "--duration", "7.59"});
    // "Effacer", ten tabs away, then the result typed again.
    QString question;
    play(&list, {kDown});
    enter({tabs(10), [&](QWidget*) { answerQuestion(508, question); }, kEnter}, {"6", "--delete"});
    EXPECT_EQ(question, QStringLiteral("Suppression du score de Pilote 6 pour la manche 1.\nC'est sûr ?"));
    EXPECT_EQ(markOf(list.list(), 5), LineMark::Vide);
    enter({"28.2", tabs(5), "3.34", kEnter}, {"6", "--speed", "28.2", "--duration", "3.34"});
    EXPECT_EQ(f.s.slot(1, 5).result->speedWave2, 0);

    // Escape closes the list: the round is evaluated and saved.
    play(&list, {kEscape});
    EXPECT_FALSE(list.isVisible());
    ASSERT_FALSE(f.counts.empty());
    EXPECT_EQ(f.counts.back(), "-1-") << "the main window shows the round complete";

    for (const std::vector<std::string>& given : cli) {
        std::vector<std::string> args{"score", copy, "1"};
        args.insert(args.end(), given.begin(), given.end());
        const fixtures::CliRun run = fixtures::runCli(args);
        ASSERT_EQ(run.exit, 0) << given[0] << ": " << run.err;
    }
    EXPECT_EQ(fixtures::readFile(f.path), fixtures::readFile(copy));
    const fixtures::CliRun typed = fixtures::runCli({"ranking", f.path, "--round", "1"});
    ASSERT_EQ(typed.exit, 0) << typed.err;
    EXPECT_EQ(typed.out, fixtures::runCli({"ranking", copy, "--round", "1"}).out);
}

TEST(ScoreWindows, EveryControlIsNamedAndTabFollowsTheLayout)
{
    Field f;
    f.s.flight(1, 5, 250, 300);
    f.s.reflight(1, 5, 320);
    ScoreEntryDialog d(f.contest, 1, 5);
    d.show();
    activate(&d);

    // The landing grades and the glider pair are entered at their ticked one.
    const std::vector<int> layout{599, 610, 612, 600, 621, 601, 618, 613, 602, 605, 609, 619, 616, 606, 607, 850, 608};
    control<QWidget>(&d, 599)->setFocus();
    std::vector<int> visited;
    for (size_t i = 0; i < layout.size(); ++i) {
        visited.push_back(d.focusWidget()->objectName().mid(2).toInt());
        play(&d, {tabs(1)});
    }
    EXPECT_EQ(visited, layout);

    // Named, and never two alike of one kind.
    ReflightDialog r(*f.s.slot(1, 5).reflight, 1, 5, "Pilote 5");
    for (QWidget* dialog : std::initializer_list<QWidget*>{&d, &r}) {
        QStringList names;
        for (QWidget* w : dialog->findChildren<QWidget*>()) {
            if (w->focusPolicy() == Qt::NoFocus)
                continue;
            EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
            names << QStringLiteral("%1 %2").arg(w->metaObject()->className(), w->accessibleName());
        }
        EXPECT_EQ(names.removeDuplicates(), 0) << names.join(", ").toStdString();
    }
    EXPECT_EQ(control<QWidget>(&d, 612)->accessibleName(), "Temps vitesse");
    EXPECT_EQ(control<QWidget>(&d, 613)->accessibleName(), "Temps durée");
    EXPECT_EQ(control<QWidget>(&d, 601)->accessibleName(), "Vol nul durée");
    EXPECT_EQ(control<QWidget>(&d, 600)->accessibleName(), "Perte d'élément vitesse");
    EXPECT_EQ(d.accessibleDescription(), "05 - Pilote 5 - Manche 1");
}

TEST(ScoreEntryDialog, TimesAreCheckedAsTyped)
{
    Field f;
    QString alert;

    ScoreEntryDialog first(f.contest, 1, 1);
    typeAndValidate(&first, "23,4", "15.00");
    EXPECT_EQ(first.end(), EntryEnd::Validated);
    EXPECT_EQ(f.saved()->findResult(1, 1, 0)->speedTime, 234) << "validated is saved";

    // Five characters at most: "100.15" is 100.1 s, refused, and the dialog
    // stays with the fields as typed.
    ScoreEntryDialog speed(f.contest, 1, 1);
    speed.show();
    auto* field = control<QLineEdit>(&speed, 612);
    field->clear();
    typeKeys(field, "100.15");
    answerAlert(alert);
    clickControl(&speed, 608);
    EXPECT_EQ(alert, "Valeur saisie incorrecte");
    EXPECT_TRUE(speed.isVisible());
    EXPECT_EQ(field->text(), "100.1");
    EXPECT_EQ(f.s.slot(1, 1).result->complete, 0);
    // 9.9 only for a void flight; 15.01 is too long a first flight; 100 s
    // and 15.00 are the limits.
    answerAlert(alert);
    typeAndValidate(&speed, "9.9", "15.00");
    EXPECT_TRUE(speed.isVisible());
    tick(&speed, 599);
    answerAlert(alert);
    typeAndValidate(&speed, "9.9", "15.01");
    EXPECT_TRUE(speed.isVisible());
    typeAndValidate(&speed, "9.9", "15.00");
    EXPECT_EQ(speed.end(), EntryEnd::Validated);
    EXPECT_EQ(f.s.slot(1, 1).result->speedVoid, 1);
    EXPECT_EQ(f.s.slot(1, 1).result->complete, 1);
    ScoreEntryDialog fastest(f.contest, 1, 2);
    typeAndValidate(&fastest, "100", "15.00");
    EXPECT_EQ(fastest.end(), EntryEnd::Validated);

    // A re-flight may last 15.01, not 100.1 (its own alert); "Abandon"
    // then leaves it as it was.
    ScoreEntryDialog reflight(f.contest, 1, 3);
    tick(&reflight, 609);
    ASSERT_TRUE(shown(&reflight, 616));
    whenModal<ReflightDialog>([](ReflightDialog* r) {
        typeInto(r, 628, "15.01");
        clickControl(r, 620);
    });
    clickControl(&reflight, 616);
    const FlightResult* second = f.s.slot(1, 3).reflight;
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->durationTime, 901);
    whenModal<ReflightDialog>([&alert](ReflightDialog* r) {
        typeInto(r, 628, "100.1");
        answerAlert(alert);
        clickControl(r, 620);
        EXPECT_TRUE(r->isVisible());
        clickControl(r, 621);
    });
    clickControl(&reflight, 616);
    EXPECT_EQ(alert, "Valeur saisie incorrecte !");
    EXPECT_EQ(second->durationTime, 901);
}

TEST(ScoreEntryDialog, OpensWhatIsStoredAndLeavesItAsAsked)
{
    Field f;

    // Grade 3 stored: only "A plus de 100 m" is shown.
    f.s.flight(1, 4, 250, 300).landingBeyond100 = 1;
    ScoreEntryDialog grade(f.contest, 1, 4);
    EXPECT_FALSE(ticked(&grade, 602));
    EXPECT_FALSE(ticked(&grade, 603));
    EXPECT_TRUE(ticked(&grade, 604));

    // A void duration: the re-flight no longer counts, its record stays.
    f.s.flight(1, 5, 250, 300);
    f.s.reflight(1, 5, 320);
    ScoreEntryDialog voided(f.contest, 1, 5);
    EXPECT_TRUE(ticked(&voided, 609));
    EXPECT_TRUE(shown(&voided, 616));
    tick(&voided, 601);
    clickControl(&voided, 608);
    EXPECT_EQ(f.s.slot(1, 5).result->hasReflight, 0);
    EXPECT_NE(f.contest.findResult(1, 5, 1), nullptr);

    // "Abandon" (or Escape) on a first opening leaves no record, the
    // re-flight ticked meanwhile included; on a later one it changes nothing.
    ScoreEntryDialog fresh(f.contest, 1, 6);
    EXPECT_FALSE(shown(&fresh, 606)) << "nothing to delete yet";
    tick(&fresh, 609);
    EXPECT_EQ(f.records(6), 2);
    clickControl(&fresh, 607);
    EXPECT_EQ(fresh.end(), EntryEnd::Abandoned);
    EXPECT_EQ(f.records(6), 0);
    EXPECT_EQ(f.s.slot(1, 6).result, nullptr);
    ScoreEntryDialog escaped(f.contest, 1, 8);
    escaped.show();
    activate(&escaped);
    play(&escaped, {kEscape});
    EXPECT_EQ(escaped.end(), EntryEnd::Abandoned);
    EXPECT_EQ(f.records(8), 0);
    const FlightResult stored = f.s.flight(1, 7, 250, 300);
    ScoreEntryDialog later(f.contest, 1, 7);
    typeInto(&later, 612, "99.9");
    tick(&later, 601);
    clickControl(&later, 607);
    EXPECT_EQ(*f.s.slot(1, 7).result, stored);

    // "Effacer": "NON" keeps the result and the dialog, "OUI" removes both
    // flights. Opened from the round ranking, there is no "Effacer".
    f.s.flight(1, 10, 250, 300);
    f.s.reflight(1, 10, 320);
    ScoreEntryDialog erase(f.contest, 1, 10);
    erase.show();
    QString question;
    answerQuestion(509, question);
    clickControl(&erase, 606);
    EXPECT_TRUE(erase.isVisible());
    EXPECT_EQ(f.records(10), 2);
    answerQuestion(508, question);
    clickControl(&erase, 606);
    EXPECT_EQ(erase.end(), EntryEnd::Deleted);
    EXPECT_EQ(f.records(10), 0);
    ScoreEntryDialog ranked(f.contest, 1, 7, EntryOpener::RoundRanking);
    EXPECT_FALSE(shown(&ranked, 606));
    EXPECT_TRUE(shown(&later, 606));
}

TEST(ScoreListDialog, OpensOnTheRoundToTypeAndShowsEachState)
{
    // Rounds 1 and 2 complete: the list opens on round 3; with every round
    // complete, on the last one.
    {
        Field four(4);
        for (int r = 1; r <= 2; ++r)
            for (int n = 1; n <= 12; ++n)
                four.s.flight(r, n, 250, 300);
        four.s.evaluate();
        ScoreListDialog third(four.contest);
        EXPECT_EQ(four.contest.currentRound, 3);
        four.contest.roundComplete[3] = four.contest.roundComplete[4] = 1;
        ScoreListDialog last(four.contest);
        EXPECT_EQ(four.contest.currentRound, 4);
    }

    Field f;
    ScoreListDialog list(f.contest);
    list.show();
    QListWidget* lines = list.list();
    ASSERT_EQ(lines->count(), 12);
    EXPECT_EQ(lines->item(11)->text(), " 12 - Pilote 12");
    auto entry = [&](std::function<void(ScoreEntryDialog*)> action) {
        whenModal<ScoreEntryDialog>(action);
        clickControl(&list, 594);
    };
    auto state = [&](int row) { return lines->item(row)->data(Qt::AccessibleDescriptionRole).toString(); };
    EXPECT_EQ(state(0), "rien de saisi");

    // "Abandon" on a first entry: still empty, the same line selected.
    entry([](ScoreEntryDialog* d) { clickControl(d, 607); });
    EXPECT_EQ(markOf(lines, 0), LineMark::Vide);
    EXPECT_EQ(lines->currentRow(), 0);
    // No duration: accepted but incomplete.
    entry([](ScoreEntryDialog* d) { typeAndValidate(d, "25.0", ""); });
    EXPECT_EQ(markOf(lines, 0), LineMark::FeuTempo);
    EXPECT_EQ(state(0), "score incomplet");
    entry([](ScoreEntryDialog* d) { typeAndValidate(d, "25.0", "5.00"); });
    EXPECT_EQ(markOf(lines, 1), LineMark::FeuVert);
    EXPECT_EQ(state(1), "score complet");
    // No duration, but the re-flight typed: complete.
    entry([](ScoreEntryDialog* d) {
        tick(d, 609);
        whenModal<ReflightDialog>([](ReflightDialog* r) {
            typeInto(r, 628, "5.00");
            clickControl(r, 620);
        });
        clickControl(d, 616);
        typeAndValidate(d, "25.0", "");
    });
    EXPECT_EQ(markOf(lines, 2), LineMark::FeuVert);

    // A double click opens the line clicked; refused, then left, its result
    // is incomplete.
    QString alert;
    whenModal<ScoreEntryDialog>([&alert](ScoreEntryDialog* d) {
        EXPECT_EQ(d->entry().number, 2);
        answerAlert(alert);
        typeAndValidate(d, "9.9", "5.00");
        clickControl(d, 607);
    });
    const QPoint second = lines->visualItemRect(lines->item(1)).center();
    QTest::mouseClick(lines->viewport(), Qt::LeftButton, Qt::NoModifier, second);
    QTest::mouseDClick(lines->viewport(), Qt::LeftButton, Qt::NoModifier, second);
    EXPECT_EQ(alert, "Valeur saisie incorrecte");
    EXPECT_EQ(markOf(lines, 1), LineMark::FeuTempo);

    // "Saisir" without a selected line opens nothing.
    lines->clearSelection();
    bool opened = false;
    entry([&opened](ScoreEntryDialog* d) {
        opened = true;
        clickControl(d, 607);
    });
    QTest::qWait(30);
    EXPECT_FALSE(opened);
}

TEST(ScoreListDialog, EvaluatesTheRoundItLeavesAndTheOneItClosesOn)
{
    Field f(2);
    for (int n = 1; n <= 11; ++n)
        f.s.flight(1, n, 250 + n, 300 + n);
    ScoreListDialog list(f.contest);
    list.show();
    ASSERT_EQ(f.contest.currentRound, 1);
    whenModal<ScoreEntryDialog>([](ScoreEntryDialog* d) { typeAndValidate(d, "25.0", "6.00"); });
    list.list()->setCurrentRow(11);
    clickControl(&list, 594);
    const StartGroup* third = f.contest.findGroup(1, competitorRecordId(3), kTaskDuration);
    EXPECT_EQ(f.contest.roundComplete[1], 0) << "an entry alone does not evaluate the round";

    // "Manche 2" from the round menu: round 1 is evaluated as it is left.
    QStringList items;
    QTimer::singleShot(50, [&items] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction* a : menu->actions())
            items << a->text();
        menu->setActiveAction(menu->actions().last());
        QTest::keyClick(menu, Qt::Key_Return);
    });
    clickControl(&list, 590);
    EXPECT_EQ(items, (QStringList{"Manche 1", "Manche 2"}));
    EXPECT_EQ(f.contest.currentRound, 2);
    EXPECT_EQ(f.contest.roundComplete[1], 1);
    EXPECT_EQ(third->bestDuration, 380) << "the group's reference: 6.00 just typed, on target";
    ASSERT_FALSE(f.counts.empty());
    EXPECT_EQ(f.counts.back(), "-1-");
    EXPECT_EQ(markOf(list.list(), 0), LineMark::Vide);

    // Round 2's results come in; "Terminé" evaluates it and saves.
    for (int n = 1; n <= 12; ++n)
        f.s.flight(2, n, 250, 300);
    clickControl(&list, 591);
    EXPECT_FALSE(list.isVisible());
    EXPECT_EQ(f.counts.back(), "-1-2-");
    EXPECT_EQ(f.saved()->roundComplete[2], 1);
}
