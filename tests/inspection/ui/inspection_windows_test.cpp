#include "inspection/ctr_file.h"
#include "inspection/glider_entry.h"
#include "inspection/opening.h"
#include "inspection/ui/glider_button.h"
#include "inspection/ui/glider_dialog.h"
#include "inspection/ui/inspection_window.h"
#include "inspection/ui/new_pilot_dialog.h"
#include "inspection/ui/opening_dialog.h"
#include "inspection/ui/program.h"
#include "inspection/ui/sheet_range_dialog.h"
#include "print/recording_device.h"
#include "support/lock_holder.h"
#include "support/temp_dir.h"
#include "inspection/ui/inspection_common.h"
#include "widgets/dialog_units.h"
#include "widgets/message_dialog.h"
#include "widgets/single_instance.h"
#include "ui_test_support.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

using namespace r7t;
using namespace r7t::ui;
using namespace r7t::ui::testing;
using fixtures::TempDir;

namespace {

// A glider 1 as inspected: 0 left empty, 1 filled but not valid, 2 valid.
void inspect(Inspection& inspection, int pilot, int glider, int state)
{
    Glider* g = inspection.findGlider(pilot, glider);
    if (state == 0)
        return;
    GliderForm f;
    f.model = "Fox";
    f.mass = state == 2 ? "3000" : "6000";
    f.span = "400";
    f.width = "13";
    f.height = "17";
    f.groundClearance = f.canopy = true;
    storeForm(*g, f);
}

// An open inspection file with pilots 1..n, the main window shown over it,
// prints going to recording devices.
struct Session {
    TempDir dir;
    Inspection inspection;
    std::unique_ptr<InspectionWindow> window;
    std::vector<std::unique_ptr<RecordingDevice>> printed;

    explicit Session(int pilots, int firstState = 0)
    {
        r7t::ui::installInspectionHandlers(inspection);
        startNewInspection(inspection, dir.file("R7T_06_12_26.ctr"));
        for (int n = 1; n <= pilots; ++n) {
            createPilot(inspection, n, "Pilote " + std::to_string(n));
            inspect(inspection, n, 1, firstState);
        }
        MajFichier(inspection);
        window = std::make_unique<InspectionWindow>(inspection);
        window->setPrintRunner([this](QWidget*, const PrintDocument& document) {
            printed.push_back(std::make_unique<RecordingDevice>());
            PrintEngine engine(*printed.back());
            document(engine);
        });
        window->startInspection();
        window->resize(1024, 768);
        window->show();
        QCoreApplication::processEvents();
    }
    ~Session() { clearModalAnswers(); }

    std::string fileBytes() const { return fixtures::readFile(inspection.filePath); }
    // The records as the file holds them.
    Glider stored(int pilot, int glider) const
    {
        Inspection again;
        again.filePath = inspection.filePath;
        RepriseFic(again);
        const Glider* g = again.findGlider(pilot, glider);
        return g ? *g : Glider{};
    }
    GliderButton* button(int pilot, int glider) const { return window->board()->gliderButton(pilot, glider); }
};

// The text of the next message dialog, answered with its first button (OK, OUI) or not.
void answerMessage(QString& text, bool yes = true)
{
    whenModal<MessageDialog>([&text, yes](MessageDialog* m) {
        text = m->text();
        clickControl(m, yes ? 508 : 509);
    });
}

void leave(QWidget* field)
{
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(field, &out);
}

} // namespace

TEST(NewPilotDialog, RefusesNumbersOutsideOneToNinetyNineThenAnExistingPilot)
{
    Inspection inspection;
    createPilot(inspection, 12, "");
    for (const char* typed : {"0", "100", "abc"}) {
        NewPilotDialog dialog(inspection);
        dialog.show();
        typeInto(&dialog, 592, QString::fromLatin1(typed));
        QString alert;
        answerMessage(alert);
        clickControl(&dialog, 593);
        EXPECT_EQ(alert, QStringLiteral("Numéro incompatible !")) << typed;
        EXPECT_TRUE(dialog.isVisible()) << "typed again";
        EXPECT_TRUE(control<QLineEdit>(&dialog, 592)->text().isEmpty());
    }
    NewPilotDialog existing(inspection);
    existing.show();
    typeInto(&existing, 592, QStringLiteral("12"));
    QString alert;
    answerMessage(alert);
    clickControl(&existing, 593);
    EXPECT_EQ(alert, QStringLiteral("Ce pilote existe déjà !"));
    EXPECT_EQ(existing.result(), QDialog::Rejected);

    NewPilotDialog fresh(inspection);
    fresh.show();
    typeInto(&fresh, 592, QStringLiteral("7"));
    typeInto(&fresh, 595, QStringLiteral("Lefèvre"));
    clickControl(&fresh, 593);
    EXPECT_EQ(fresh.result(), QDialog::Accepted);
    EXPECT_EQ(fresh.chosen().number, 7);
    EXPECT_EQ(fresh.chosen().nameCp1252, "Lef\xE8vre");
    EXPECT_EQ(control<QLineEdit>(&fresh, 595)->accessibleName(), QStringLiteral("Nom (facultatif)"));
    clearModalAnswers();
}

// Glider 2 waits for glider 1, from its button and from the popup alike.
TEST(InspectionWindow, GliderTwoBeforeGliderOneIsRefused)
{
    Session s(3);
    for (int from = 0; from < 2; ++from) {
        QString alert;
        answerMessage(alert);
        if (from == 0) {
            s.button(2, 2)->click();
        } else {
            s.inspection.currentPilot = 2;
            s.window->runCommand(ctrlcmd::Glider2);
        }
        EXPECT_EQ(alert, QStringLiteral("Saisir d'abord le planeur 1.\nMerci.")) << from;
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
    EXPECT_EQ(s.button(2, 1)->accessibleName(), QStringLiteral("Pilote 2, planeur 1, vide"));
}

TEST(GliderDialog, LightsFollowTheFieldsAsTheyAreLeftAndTheBoxesClicked)
{
    Session s(1);
    Glider& record = *s.inspection.findGlider(1, 1);
    GliderDialog dialog(s.inspection, record, {});
    dialog.show();
    auto light = [&](int check) { return dialog.lights().checks[static_cast<size_t>(check - 1)]; };
    for (int check = 1; check <= 6; ++check)
        EXPECT_FALSE(light(check)) << "an empty glider starts red";

    typeInto(&dialog, 613, QStringLiteral("1001"));
    EXPECT_FALSE(light(kCheckMass)) << "not before the field is left";
    leave(control<QLineEdit>(&dialog, 613));
    EXPECT_TRUE(light(kCheckMass));
    typeInto(&dialog, 613, QStringLiteral("1000.5"));
    leave(control<QLineEdit>(&dialog, 613));
    EXPECT_FALSE(light(kCheckMass)) << "the record would keep 1000";

    // No span: 100 cm is the reference; a span typed then judges them again.
    typeInto(&dialog, 614, QStringLiteral("3.3"));
    leave(control<QLineEdit>(&dialog, 614));
    typeInto(&dialog, 616, QStringLiteral("3.9"));
    leave(control<QLineEdit>(&dialog, 616));
    EXPECT_TRUE(light(kCheckWidth));
    EXPECT_FALSE(light(kCheckHeight));
    typeInto(&dialog, 615, QStringLiteral("350"));
    leave(control<QLineEdit>(&dialog, 615));
    EXPECT_TRUE(light(kCheckSpan));
    EXPECT_FALSE(light(kCheckWidth)) << "3.3 < 0.032 x 350";

    control<QCheckBox>(&dialog, 609)->click();
    EXPECT_TRUE(light(kCheckCanopy));
    EXPECT_FALSE(light(kCheckGroundClearance));
    EXPECT_EQ(control<QLineEdit>(&dialog, 614)->accessibleName(), QStringLiteral("Largeur maître-couple ( cm )"));
    EXPECT_EQ(control<QLineEdit>(&dialog, 614)->accessibleDescription(), QStringLiteral("Invalide"));
}

// Every ending of SAISPLA: saved valid or not, absent, abandoned; the file
// follows at once, except after "Abandon".
TEST(GliderDialog, EnregistrerNExistePasAndAbandonThroughTheMainWindow)
{
    Session s(2);
    auto fill = [](GliderDialog* d, const char* mass, bool boxes) {
        typeInto(d, 611, QStringLiteral("Fox Mini"));
        typeInto(d, 612, QStringLiteral("F-1234"));
        typeInto(d, 613, QString::fromLatin1(mass));
        typeInto(d, 614, QStringLiteral("12,8"));
        typeInto(d, 615, QStringLiteral("400"));
        typeInto(d, 616, QStringLiteral("16.1"));
        control<QCheckBox>(d, 608)->setChecked(boxes);
        control<QCheckBox>(d, 609)->setChecked(true);
    };
    // Saved with Enter while the last field still has the focus: the values
    // typed count.
    whenModal<GliderDialog>([&](GliderDialog* d) {
        fill(d, "3450", true);
        clickControl(d, 622);
    });
    s.button(1, 1)->click();
    EXPECT_EQ(s.stored(1, 1).valid, 1);
    EXPECT_EQ(s.stored(1, 1).width, 12.8f);
    EXPECT_EQ(s.stored(1, 1).model.raw(), "Fox Mini");
    EXPECT_EQ(s.button(1, 1)->state(), 2);
    EXPECT_EQ(s.button(1, 1)->accessibleName(), QStringLiteral("Pilote 1, planeur 1, valide"));

    whenModal<GliderDialog>([&](GliderDialog* d) {
        fill(d, "3450", false);
        clickControl(d, 622);
    });
    s.button(1, 2)->click();
    EXPECT_EQ(s.stored(1, 2).filled, 1);
    EXPECT_EQ(s.stored(1, 2).valid, 0);
    EXPECT_EQ(s.button(1, 2)->state(), 1);

    whenModal<GliderDialog>([&](GliderDialog* d) { clickControl(d, 621); });
    s.button(1, 2)->click();
    EXPECT_EQ(s.stored(1, 2).filled, 0);
    EXPECT_EQ(s.stored(1, 2).mass, 3450) << "the measures stay";
    EXPECT_EQ(s.button(1, 2)->state(), 0);

    const std::string before = s.fileBytes();
    whenModal<GliderDialog>([&](GliderDialog* d) {
        EXPECT_EQ(control<QLineEdit>(d, 615)->text(), QStringLiteral("400.0"));
        fill(d, "9999", false);
        clickControl(d, 623);
    });
    s.button(1, 1)->click();
    EXPECT_EQ(s.fileBytes(), before);
    EXPECT_EQ(s.inspection.findGlider(1, 1)->mass, 3450);
}

// A save that fails says so, naming the file, and keeps the glider in memory.
TEST(GliderDialog, AFailedSaveIsToldAndTheGliderKept)
{
    Session s(1);
    const std::string folder = s.dir.file("parti");
    std::filesystem::create_directory(folder);
    s.inspection.filePath = folder + "/controle.ctr";
    std::filesystem::remove(folder);
    QString alert;
    whenModal<GliderDialog>([&](GliderDialog* d) {
        typeInto(d, 613, QStringLiteral("3000"));
        answerMessage(alert);
        clickControl(d, 622);
    });
    s.button(1, 1)->click();
    EXPECT_TRUE(alert.startsWith(QStringLiteral("Le contrôle n'a pas pu être enregistré dans le fichier :\n")));
    EXPECT_TRUE(alert.contains(QString::fromStdString(s.inspection.filePath)));
    EXPECT_EQ(s.inspection.findGlider(1, 1)->mass, 3000);
    EXPECT_EQ(s.button(1, 1)->state(), 1);
}

TEST(InspectionWindow, DeletingAPilotAsksThenRemovesItsLineButtonsAndRecords)
{
    Session s(3);
    s.inspection.currentPilot = 2;
    QString question;
    answerMessage(question, false);
    s.window->runCommand(ctrlcmd::DeletePilot);
    EXPECT_EQ(question, QStringLiteral("Suppression du concurrent n° 2.\nC'est sûr ?"));
    EXPECT_NE(s.inspection.findGlider(2, 1), nullptr);

    answerMessage(question);
    s.window->runCommand(ctrlcmd::DeletePilot);
    EXPECT_EQ(s.inspection.findGlider(2, 1), nullptr);
    EXPECT_EQ(s.inspection.findGlider(2, 2), nullptr);
    EXPECT_EQ(s.button(2, 1), nullptr);
    EXPECT_EQ(s.window->board()->pilotList()->count(), 2);
    EXPECT_EQ(s.stored(2, 1).pilot, 0) << "gone from the file";
    EXPECT_EQ(s.stored(3, 1).pilot, 3);
}

// Beside each of the first 14 visible lines, its pilot's two buttons; the
// buttons follow the list when it scrolls.
TEST(InspectionWindow, GliderButtonsFollowTheListsScrolling)
{
    Session s(20, 2);
    QListWidget* list = s.window->board()->pilotList();
    EXPECT_EQ(list->accessibleName(), QStringLiteral("N° pilotes"));
    auto check = [&](int top) {
        for (int row = 0; row < list->count(); ++row) {
            const int pilot = row + 1;
            const bool inView = row >= top && row < top + InspectionBoard::kVisibleRows;
            EXPECT_EQ(s.button(pilot, 1)->isVisible(), inView) << "pilot " << pilot << " top " << top;
            EXPECT_EQ(s.button(pilot, 2)->isVisible(), inView) << "pilot " << pilot << " top " << top;
            if (!inView)
                continue;
            const QRect line = list->visualItemRect(list->item(row));
            const QPoint centre = list->viewport()->mapTo(s.window->board(), line.center());
            EXPECT_TRUE(s.button(pilot, 1)->geometry().contains(QPoint(s.button(pilot, 1)->x() + 1, centre.y())))
                << "pilot " << pilot;
            EXPECT_EQ(s.button(pilot, 1)->y(), s.button(pilot, 2)->y());
        }
    };
    check(0);
    list->verticalScrollBar()->setValue(5);
    check(5);
    EXPECT_EQ(s.button(20, 2)->text(), QStringLiteral("20 - pla 2"));
}

// The sheets of a range: a pilot whose glider 1 is empty has none, and
// "Imprimer" of that pilot's glider prints nothing.
TEST(InspectionWindow, SheetsOfARangeSkipPilotsWithoutGliderOne)
{
    Session s(0);
    for (int n = 1; n <= 4; ++n)
        createPilot(s.inspection, n, "");
    inspect(s.inspection, 1, 1, 2);
    inspect(s.inspection, 3, 1, 1);
    inspect(s.inspection, 4, 1, 2);
    whenModal<SheetRangeDialog>([](SheetRangeDialog* d) {
        EXPECT_EQ(control<QLineEdit>(d, 732)->text(), QStringLiteral("4"));
        typeInto(d, 732, QStringLiteral("3"));
        clickControl(d, 1);
    });
    s.window->runCommand(ctrlcmd::PrintSheets);
    ASSERT_EQ(s.printed.size(), 1u);
    const RecordingDevice& sheets = *s.printed.front();
    EXPECT_EQ(sheets.pages, 2);
    EXPECT_NE(sheets.pageText(1).find("du n°  1"), std::string::npos);
    EXPECT_NE(sheets.pageText(2).find("du n°  3"), std::string::npos);

    whenModal<GliderDialog>([](GliderDialog* d) {
        clickControl(d, 620);
        clickControl(d, 623);
    });
    s.window->chooseGlider(2, 1);
    ASSERT_EQ(s.printed.size(), 2u);
    EXPECT_EQ(s.printed.back()->pages, 0);
}

// From a fresh start to a reopened file: DIALFIC's proposal, a cancel that
// writes nothing, a new pilot written at once, "&Quitter", and the file read
// back as it was left; a file another program holds is refused.
TEST(InspectionOpening, CreateQuitAndReopenAsLeft)
{
    TempDir dir;
    const QString path = QString::fromStdString(dir.file("controle.ctr"));
    {
        Inspection cancelled;
        ScriptedFiles files;
        whenModal<InspectionOpeningDialog>([](InspectionOpeningDialog* d) { clickControl(d, 518); });
        EXPECT_FALSE(runInspectionOpening(cancelled, files, nullptr)) << "nothing chosen";
    }
    {
        Inspection inspection;
        ScriptedFiles files;
        files.saveAnswers << path;
        whenModal<InspectionOpeningDialog>([](InspectionOpeningDialog* d) { clickControl(d, 518); });
        ASSERT_TRUE(runInspectionOpening(inspection, files, nullptr));
        EXPECT_EQ(files.titles.value(0), QStringLiteral("CREER UN NOUVEAU CONCOURS"));
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^R7T_\\d\\d_\\d\\d_\\d\\d\\.ctr$"))
                        .match(files.proposedNames.value(0))
                        .hasMatch());
        EXPECT_FALSE(std::filesystem::exists(path.toStdString()));

        InspectionWindow window(inspection);
        window.setPrintRunner({});
        window.startInspection();
        whenModal<NewPilotDialog>([](NewPilotDialog* d) {
            typeInto(d, 592, QStringLiteral("7"));
            clickControl(d, 593);
        });
        window.runCommand(ctrlcmd::NewPilot);
        EXPECT_TRUE(std::filesystem::exists(path.toStdString())) << "written at once";
        inspect(inspection, 7, 1, 2);
        QSignalSpy ended(&window, &InspectionWindow::programEnded);
        window.runCommand(ctrlcmd::Quit);
        EXPECT_EQ(ended.count(), 1);
    }
    {
        Inspection reopened;
        ScriptedFiles files;
        files.openAnswers << path;
        whenModal<InspectionOpeningDialog>([](InspectionOpeningDialog* d) { clickControl(d, 519); });
        ASSERT_TRUE(runInspectionOpening(reopened, files, nullptr));
        InspectionWindow window(reopened);
        window.startInspection();
        ASSERT_NE(window.board()->gliderButton(7, 1), nullptr);
        EXPECT_EQ(window.board()->gliderButton(7, 1)->state(), 2) << "as quit";
        EXPECT_EQ(window.board()->gliderButton(7, 2)->state(), 0);
    }
    {
        // Named on the command line, as the file manager starts it.
        Inspection argument;
        ASSERT_TRUE(openInspectionArgument(argument, path));
        EXPECT_FALSE(argument.gliders.empty());
    }
    // Held by another inspection program: refused, naming the holder.
    fixtures::LockInChild holder(path.toStdString(), LockHolder::Program);
    ASSERT_TRUE(holder.held());
    Inspection refused;
    ScriptedFiles files;
    files.openAnswers << path;
    QString alert;
    whenModal<InspectionOpeningDialog>([&](InspectionOpeningDialog* d) {
        answerMessage(alert);
        clickControl(d, 519);
    });
    EXPECT_FALSE(runInspectionOpening(refused, files, nullptr));
    EXPECT_EQ(alert, QStringLiteral("Ce fichier est ouvert dans Orvel_ctrl. Fermez-le dans Orvel_ctrl, puis recommencez."));
    EXPECT_TRUE(refused.gliders.empty());
    clearModalAnswers();
}

// A second start hands over to the running inspection program, never to the
// contest program running beside it.
TEST(InspectionProgram, SecondStartHandsOverToTheFirst)
{
    SingleInstance contestProgram(SingleInstance::defaultServerName() + QStringLiteral("-test"));
    ASSERT_TRUE(contestProgram.claim());
    const QString name = inspectionInstanceName() + QStringLiteral("-test");
    EXPECT_NE(inspectionInstanceName(), SingleInstance::defaultServerName());
    SingleInstance first(name);
    ASSERT_TRUE(first.claim()) << "beside the contest program";
    QSignalSpy activated(&first, &SingleInstance::activationRequested);
    SingleInstance second(name);
    EXPECT_FALSE(second.claim());
    EXPECT_TRUE(activated.wait(2000) || activated.count() == 1);
}
