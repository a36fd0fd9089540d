// The person list and form as a director uses them: what reaches the
// contest file after each accepted change, and that a refusal leaves it
// untouched.
#include "competitors/ui/channel_menu.h"
#include "competitors/ui/person_form_dialog.h"
#include "competitors/ui/pilot_list_dialog.h"
#include "contest/contest_file.h"
#include "print/recording_device.h"
#include "support/contest_builder.h"
#include "support/scored_contest.h"
#include "support/temp_dir.h"
#include "text/strings.h"
#include "ui_test_support.h"
#include "widgets/dialog_units.h"
#include "widgets/drawing_resources.h"
#include "widgets/message_dialog.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

using namespace r7t;
using namespace r7t::ui;
using namespace r7t::ui::testing;
using fixtures::TempDir;

namespace {

struct Registration {
    TempDir dir;
    Contest contest;
    ScriptedFiles files;
    std::string path;
    QStringList alerts;

    Registration()
    {
        installContestHandlers(contest);
        path = fixtures::saveContestFile(contest, dir.file("concours.r7s"));
    }
    ~Registration() { clearModalAnswers(); }

    std::string fileBytes() const { return fixtures::readFile(path); }

    // The contest as the file holds it now.
    std::unique_ptr<Contest> saved() const
    {
        auto loaded = std::make_unique<Contest>();
        loaded->setPath(path);
        EXPECT_EQ(RepriseFic(*loaded).status, LoadStatus::Loaded);
        return loaded;
    }

    // Every alert the next dialogs show is answered OK and noted.
    void noteAlerts(int count)
    {
        for (int i = 0; i < count; ++i)
            whenModal<MessageDialog>([this](MessageDialog* d) {
                alerts << d->text();
                clickControl(d, 508);
            });
    }

    // The form filled as typed, then "INSCRIRE" / "MODIFIER"; returns what
    // runPersonForm returned. fields: control id -> text.
    int32_t submit(PersonKind kind, int32_t number, std::vector<std::pair<int, QString>> fields, int extraClicks = 0)
    {
        whenModal<PersonFormDialog>([fields, extraClicks](PersonFormDialog* d) {
            for (const auto& [id, text] : fields)
                typeInto(d, id, text);
            clickControl(d, 538);
            // A refused form stays open: close it as the director would.
            for (int i = 0; i < extraClicks; ++i)
                QTimer::singleShot(0, d, [d] {
                    if (d->isVisible())
                        clickControl(d, 2);
                });
        });
        return runPersonForm(contest, kind, number, nullptr);
    }
};

} // namespace

TEST(PersonForm, FrequenciesAreReadByTheFormsRuleOrRefused)
{
    Registration r;
    struct Case {
        const char* typed;
        int32_t stored; // 0: refused
        int alert;
    };
    const Case cases[] = {
        {"35.01", 35010, 0}, {"35,01", 35010, 0}, {"35012", 35010, 0}, {"35013", 35015, 0},
        {"72.21", 72210, 0}, {"2xyz", 2400000, 0}, {"40999", 0, 403}, {"", 0, 404},
    };
    for (const Case& c : cases) {
        const std::string before = r.fileBytes();
        if (c.alert)
            r.noteAlerts(1);
        const int32_t number = r.submit(PersonKind::Competitor, 0, {{544, "Dupont"}, {550, c.typed}}, c.alert ? 1 : 0);
        if (c.alert) {
            EXPECT_EQ(number, 0) << c.typed;
            ASSERT_FALSE(r.alerts.isEmpty()) << c.typed;
            EXPECT_EQ(r.alerts.takeLast(), messageText(c.alert)) << c.typed;
            EXPECT_EQ(r.fileBytes(), before) << c.typed << " changed the file";
            continue;
        }
        ASSERT_NE(number, 0) << c.typed;
        const std::unique_ptr<Contest> file = r.saved();
        const Pilot* saved = file->findPilot(number);
        ASSERT_NE(saved, nullptr) << c.typed;
        EXPECT_EQ(saved->frequency1, c.stored) << c.typed;
        EXPECT_EQ(saved->frequency2, 0) << c.typed << ": an empty frequency 2 is none";
    }
    EXPECT_EQ(r.contest.competitorCount(), 6);
}

TEST(PersonForm, GliderMassesOutsideTheirBoundsAreRefused)
{
    Registration r;
    for (const char* refused : {"1999", "5100"}) {
        const std::string before = r.fileBytes();
        r.noteAlerts(1);
        EXPECT_EQ(r.submit(PersonKind::Competitor, 0, {{544, "Martin"}, {550, "35010"}, {554, refused}}, 1), 0);
        EXPECT_EQ(r.alerts.takeLast(), messageText(411)) << refused;
        EXPECT_EQ(r.fileBytes(), before);
    }
    const int32_t number = r.submit(PersonKind::Competitor, 0, {{544, "Martin"}, {550, "35010"}, {553, "5099"}});
    ASSERT_EQ(number, 1);
    EXPECT_EQ(r.saved()->findPilot(1)->massGlider1, 5099);
    EXPECT_EQ(r.saved()->findPilot(1)->massGlider2, 0);
}

TEST(PersonForm, ExchangedCompetitorIsShownAndSavedInRegisteredOrder)
{
    Registration r;
    Pilot& p = fixtures::addPilot(r.contest, 4, {.name = "Bernard", .frequency1 = 40685, .frequency2 = 35010});
    p.exchanged = 1; // round 1 made him fly his spare
    r.contest.roundPrepared[1] = 1;
    r.contest.lastPreparedRound = 1;

    QString shown1, shown2;
    bool locked = false;
    whenModal<PersonFormDialog>([&](PersonFormDialog* d) {
        shown1 = control<QLineEdit>(d, 550)->text();
        shown2 = control<QLineEdit>(d, 551)->text();
        locked = !control<QLineEdit>(d, 550)->isEnabled() && !control<QLineEdit>(d, 551)->isEnabled();
        typeInto(d, 548, "France");
        clickControl(d, 538);
    });
    EXPECT_EQ(runPersonForm(r.contest, PersonKind::Competitor, 4, nullptr), 4);
    EXPECT_EQ(shown1, "35.010");
    EXPECT_EQ(shown2, "40.685");
    EXPECT_TRUE(locked) << "a prepared round locks the frequencies";
    const std::unique_ptr<Contest> file = r.saved();
    const Pilot* saved = file->findPilot(4);
    EXPECT_EQ(saved->country.utf8(), "France");
    EXPECT_EQ(saved->frequency1, 40685);
    EXPECT_EQ(saved->frequency2, 35010);
    EXPECT_EQ(saved->exchanged, 1);
}

TEST(PersonForm, FrequencyChangeUnlocksTheFieldsAndTheNewFrequencyIsStored)
{
    Registration r;
    fixtures::ScoredContest scored;
    for (int n = 1; n <= 6; ++n)
        scored.competitor(n).frequency1 = 35000 + 10 * n;
    scored.round(1, {{1, 2, 3}, {4, 5, 6}});
    scored.round(2, {{1, 2, 3}, {4, 5, 6}});
    scored.contest.roundHasScores[1] = 1;
    fixtures::saveContestFile(scored.contest, r.dir.file("manches.r7s"));

    bool lockedAtOpening = false, unlocked = false;
    whenModal<PersonFormDialog>([&](PersonFormDialog* d) {
        lockedAtOpening = !control<QLineEdit>(d, 550)->isEnabled();
        whenModal<QDialog>([](QDialog* change) {
            EXPECT_EQ(control<QLineEdit>(change, 680)->text(), "2");
            clickControl(change, 684);
        });
        clickControl(d, 539);
        unlocked = control<QLineEdit>(d, 550)->isEnabled() && control<QLineEdit>(d, 551)->isEnabled();
        typeInto(d, 550, "35.2");
        clickControl(d, 538);
    });
    EXPECT_EQ(runPersonForm(scored.contest, PersonKind::Competitor, 4, nullptr), 4);
    EXPECT_TRUE(lockedAtOpening);
    EXPECT_TRUE(unlocked);
    Contest saved;
    saved.setPath(scored.contest.filePath);
    ASSERT_EQ(RepriseFic(saved).status, LoadStatus::Loaded);
    EXPECT_EQ(saved.findPilot(4)->frequency1, 35200);
    EXPECT_EQ(saved.lastPreparedRound, 1) << "round 2 was cancelled";
}

TEST(PilotList, DeletionFreesTheNumberAndStopsOnceARoundIsPrepared)
{
    Registration r;
    for (int n = 1; n <= 5; ++n)
        fixtures::addPilot(r.contest, n, {.name = "Pilote " + std::to_string(n), .frequency1 = 35010 + 20 * n});
    fixtures::addPilot(r.contest, 101, {.name = "Remorqueur", .frequency1 = 72210});
    PilotListDialog list(r.contest, PersonKind::Competitor, r.files);
    ASSERT_EQ(list.list()->count(), 5) << "tow pilots have their own list";
    EXPECT_EQ(list.list()->item(2)->text(), " 03 - Pilote 3               35.070   ");

    list.list()->setCurrentRow(2);
    QString question;
    whenModal<MessageDialog>([&](MessageDialog* d) {
        question = d->text();
        clickControl(d, 508);
    });
    clickControl(&list, 561);
    EXPECT_EQ(question, "Pilote 3 \nSuppression définitive ?");
    EXPECT_EQ(r.saved()->findPilot(3), nullptr);
    EXPECT_EQ(r.saved()->competitorCount(), 4);
    EXPECT_EQ(list.list()->count(), 4);

    EXPECT_EQ(r.submit(PersonKind::Competitor, 0, {{544, "Nouveau"}, {550, "35.1"}}), 3) << "the freed number";

    r.contest.roundPrepared[1] = 1;
    PilotListDialog later(r.contest, PersonKind::Competitor, r.files);
    EXPECT_FALSE(control<QPushButton>(&later, 561)->isEnabled());
    EXPECT_TRUE(control<QPushButton>(&later, 559)->isEnabled());
}

TEST(PilotList, EmptyListOffersOnlyNewAndItsLineOpensTheForm)
{
    Registration r;
    PilotListDialog list(r.contest, PersonKind::TowPilot, r.files);
    ASSERT_EQ(list.list()->count(), 1);
    EXPECT_EQ(list.list()->item(0)->text(), "- Pas encore d'inscrits -");
    for (int id : {559, 561, 563})
        EXPECT_FALSE(control<QPushButton>(&list, id)->isEnabled()) << id;
    EXPECT_FALSE(control<QPushButton>(&list, 565)->isVisible()) << "tow pilots are not imported";

    whenModal<PersonFormDialog>([](PersonFormDialog* d) {
        EXPECT_EQ(d->number(), 101);
        EXPECT_FALSE(control<QLineEdit>(d, 553)->isVisibleTo(d)) << "tow pilots have no glider";
        typeInto(d, 544, "Leroy");
        typeInto(d, 550, "72.25");
        clickControl(d, 538);
    });
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    const QPoint line = list.list()->visualItemRect(list.list()->item(0)).center();
    QTest::mouseClick(list.list()->viewport(), Qt::LeftButton, {}, line);
    QTest::mouseDClick(list.list()->viewport(), Qt::LeftButton, {}, line);
    ASSERT_EQ(list.list()->count(), 1);
    EXPECT_TRUE(list.list()->item(0)->text().startsWith(" 101 - Leroy"));
    EXPECT_EQ(r.saved()->towPilotCount(), 1);

    // "Imprimer" prints the tow pilots.
    std::optional<PrintOutcome> printed;
    std::string page;
    list.setPrintRunner([&](QWidget*, const PrintDocument& document) {
        RecordingDevice device;
        PrintEngine engine(device);
        printed = document(engine);
        page = device.pageText(1);
    });
    clickControl(&list, 563);
    EXPECT_EQ(printed, PrintOutcome::Printed);
    EXPECT_NE(page.find("Leroy"), std::string::npos) << page;
}

TEST(PilotList, ANinetyFirstPersonIsRefusedBeforeTheFormOpens)
{
    Registration r;
    fixtures::addPilots(r.contest, 1, 90);
    PilotListDialog list(r.contest, PersonKind::Competitor, r.files);
    r.noteAlerts(1);
    clickControl(&list, 558);
    EXPECT_EQ(r.alerts.value(0), "Aucun numéro libre de 1 à 90 :\ninscription impossible !");
    EXPECT_EQ(r.contest.competitorCount(), 90);
}

TEST(ChannelMenu, ChoiceReplacesTheFieldAndEscapeLeavesIt)
{
    Registration r;
    PersonFormDialog form(r.contest, PersonKind::Competitor, 0);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    auto* field = control<QLineEdit>(&form, 550);
    typeInto(&form, 550, "35.0");

    // Tab into the field: the menu opens; a channel replaces the text.
    QString firstColumnSecond;
    QTimer::singleShot(50, [&] {
        auto* menu = qobject_cast<ChannelMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        firstColumnSecond = menu->item(2001)->text();
        menu->item(2044)->click();
    });
    field->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(field->text(), QStringLiteral("40.575"));
    EXPECT_EQ(firstColumnSecond, "35.010");

    // Escape: the text stays and can be typed over by hand.
    control<QLineEdit>(&form, 544)->setFocus();
    QTimer::singleShot(50, [] {
        if (QWidget* menu = QApplication::activePopupWidget())
            QTest::keyClick(menu, Qt::Key_Escape);
    });
    field->setFocus(Qt::BacktabFocusReason);
    QTRY_VERIFY(!QApplication::activePopupWidget());
    EXPECT_EQ(field->text(), "40.575");

    // Edited by hand after the menu: read by the form's rule.
    typeInto(&form, 544, "Petit");
    typeInto(&form, 550, "40.5751");
    clickControl(&form, 538);
    ASSERT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(r.saved()->findPilot(1)->frequency1, 40575);
}
