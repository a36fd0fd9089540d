#include "text/strings.h"
#include "widgets/drawing_resources.h"
#include "widgets/help_window.h"
#include "widgets/message_dialog.h"
#include "contest/opening.h"
#include "contest/ui/opening_dialog.h"
#include "contest/ui/password_dialogs.h"
#include "support/contest_builder.h"
#include "support/temp_dir.h"
#include "ui_test_support.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include <filesystem>

using namespace r7t;
using namespace r7t::ui;
using namespace r7t::ui::testing;
using fixtures::TempDir;

namespace fs = std::filesystem;

namespace {

struct Opening {
    TempDir dir;
    Contest contest;
    ScriptedFiles files;
    std::vector<QString> messages;

    Opening() { installContestHandlers(contest); }
    ~Opening() { clearModalAnswers(); }

    std::string file(const char* name) const { return dir.file(name); }

    // DIALFIC with the given button pressed; returns what the dialog ended with.
    int press(int button)
    {
        OpeningDialog dialog(contest, files);
        QTimer::singleShot(0, &dialog, [&dialog, button] { clickControl(&dialog, button); });
        return dialog.exec();
    }

    void answerCreatePassword(const QString& typed)
    {
        whenModal<CreatePasswordDialog>([typed](CreatePasswordDialog* d) {
            typeInto(d, 522, typed);
            clickControl(d, 1);
        });
    }
    void answerPassword(const QString& typed, int button = 1)
    {
        whenModal<PasswordDialog>([typed, button](PasswordDialog* d) {
            typeInto(d, 522, typed);
            clickControl(d, button);
        });
    }
    void collectMessages()
    {
        whenModal<MessageDialog>([this](MessageDialog* d) {
            messages.push_back(d->text());
            clickControl(d, 508);
        });
    }
};

// A saved contest of 8 competitors with that password.
std::string savedContest(const TempDir& dir, const std::string& password)
{
    Contest c;
    fixtures::buildContest(c, {8, 2, 2, 0});
    startNewContest(c, dir.file("concours.r7s"), password);
    EXPECT_TRUE(MajFichier(c).ok());
    return c.filePath;
}

} // namespace

TEST(OpeningDialog, ShowsItsTextsAndPictures)
{
    Contest contest;
    ScriptedFiles files;
    OpeningDialog dialog(contest, files);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Vol à Voile - R7T"));
    EXPECT_EQ(dialog.findChild<QPushButton*>("id518")->text(), QStringLiteral("CRER un nouveau concours"));
    EXPECT_EQ(dialog.findChild<QPushButton*>("id519")->text(), QStringLiteral("REPRISE d'un concours existant"));
    EXPECT_EQ(dialog.findChild<QPushButton*>("id2")->text(), QStringLiteral("Arrêt"));
    EXPECT_TRUE(dialog.findChild<QPushButton*>("id518")->isDefault());
    // The pictures at (15, 15) and (95, 15) stay above the first button.
    EXPECT_GT(dialog.findChild<QPushButton*>("id518")->y(), 15 + 84);
}

TEST(OpeningDialog, NewContestWithoutPassword)
{
    Opening o;
    o.files.saveAnswers << QString::fromStdString(o.file("R7T_new.r7s"));
    o.answerCreatePassword(QString());
    EXPECT_EQ(o.press(518), 1);
    EXPECT_TRUE(o.contest.isOpen);
    EXPECT_EQ(o.contest.filePath, o.file("R7T_new.r7s"));
    EXPECT_EQ(o.contest.backupPath, o.file("R7T_new.bak"));
    EXPECT_TRUE(o.contest.password.empty());
    ASSERT_EQ(o.files.titles.size(), 1);
    EXPECT_EQ(o.files.titles[0], QStringLiteral("CREER UN NOUVEAU CONCOURS"));
    EXPECT_EQ(o.files.proposedNames[0].toStdString(), proposedFileNameToday());
    EXPECT_FALSE(fs::exists(o.file("R7T_new.r7s"))) << "the first save writes the new file";
}

TEST(OpeningDialog, NewContestWithPasswordThenResumedWithIt)
{
    std::string path;
    {
        Opening o;
        path = o.file("R7T_pw.r7s");
        o.files.saveAnswers << QString::fromStdString(path);
        o.answerCreatePassword(QStringLiteral("abcdefghijklmno")); // 15 characters: the first 12 count
        ASSERT_EQ(o.press(518), 1);
        EXPECT_EQ(o.contest.password.raw(), "abcdefghijkl");
        ASSERT_TRUE(MajFichier(o.contest).ok());

        Opening again;
        again.files.openAnswers << QString::fromStdString(path);
        again.answerPassword(QStringLiteral("abcdefghijklmno"));
        EXPECT_EQ(again.press(519), 1);
        EXPECT_TRUE(again.contest.isOpen);
        EXPECT_EQ(again.contest.filePath, path);
        EXPECT_EQ(again.files.titles[0], QStringLiteral("CHOISIR UN FICHIER CONCOURS"));
    }
}

TEST(OpeningDialog, WrongPasswordHasOneAttemptAndLeavesTheFile)
{
    Opening o;
    const std::string path = savedContest(o.dir, "Secret");
    const std::string before = fixtures::readFile(path);
    o.files.openAnswers << QString::fromStdString(path);
    o.answerPassword(QStringLiteral("secret"));
    EXPECT_EQ(o.press(519), 0);
    EXPECT_FALSE(o.contest.isOpen);
    EXPECT_TRUE(o.contest.filePath.empty());
    EXPECT_EQ(fixtures::readFile(path), before);
    EXPECT_FALSE(fs::exists(o.dir.file("concours.bak")));
}

TEST(OpeningDialog, AbandonInPasswordEndsTheOpening)
{
    Opening o;
    const std::string path = savedContest(o.dir, "Secret");
    o.files.openAnswers << QString::fromStdString(path);
    o.answerPassword(QStringLiteral("Secret"), 2);
    EXPECT_EQ(o.press(519), 0);
    EXPECT_FALSE(o.contest.isOpen);
}

TEST(OpeningDialog, ResumeWithTheRightPasswordThroughTheDialog)
{
    Opening o;
    const std::string path = savedContest(o.dir, "Secret");
    o.files.openAnswers << QString::fromStdString(path);
    whenModal<OpeningDialog>([](OpeningDialog* d) { clickControl(d, 519); });
    o.answerPassword(QStringLiteral("Secret"));
    EXPECT_TRUE(runOpeningDialog(o.contest, o.files, nullptr));
    EXPECT_EQ(o.contest.filePath, path);
    EXPECT_EQ(o.contest.competitorCount(), 8);
}

TEST(OpeningDialog, CancelAndStopOpenNothingAndWriteNothing)
{
    Opening cancelled;
    EXPECT_EQ(cancelled.press(518), 0); // save dialog cancelled
    EXPECT_FALSE(cancelled.contest.isOpen);
    EXPECT_EQ(cancelled.press(519), 0); // open dialog cancelled
    EXPECT_EQ(cancelled.press(2), 0);   // "Arrêt"
    EXPECT_TRUE(fs::is_empty(cancelled.dir.path()));

    Opening viaRun;
    whenModal<OpeningDialog>([](OpeningDialog* d) { QTest::keyClick(d, Qt::Key_Escape); });
    EXPECT_FALSE(runOpeningDialog(viaRun.contest, viaRun.files, nullptr));
    EXPECT_TRUE(viaRun.contest.filePath.empty());
}

TEST(OpeningDialog, IncompatibleFileIsRefusedWithMessage401)
{
    Opening o;
    fixtures::writeFile(o.file("texte.r7s"), "ceci n'est pas un concours");
    o.files.openAnswers << QString::fromStdString(o.file("texte.r7s"));
    o.collectMessages();
    EXPECT_EQ(o.press(519), 0);
    EXPECT_EQ(o.messages, std::vector<QString>{QStringLiteral("Le fichier choisi est incompatible !")});
    EXPECT_EQ(fixtures::readFile(o.file("texte.r7s")), "ceci n'est pas un concours");
}

TEST(OpeningDialog, HelpButtonOpensTopic2)
{
    setHelpFolder(QStringLiteral(R7T_SHIPPED_HELP));
    Opening o;
    OpeningDialog dialog(o.contest, o.files);
    clickControl(&dialog, 850);
    ASSERT_NE(helpWindow(), nullptr);
    EXPECT_EQ(helpWindow()->currentPage(), QStringLiteral("sujet_2.html"));
    closeHelp();
    setHelpFolder({});
}

TEST(OpeningDialog, EscapeInTheHelpClosesTheHelpAndNotTheDialog)
{
    setHelpFolder(QStringLiteral(R7T_SHIPPED_HELP));
    Opening o;
    bool helpClosed = false, dialogStayed = false;
    whenModal<OpeningDialog>([&](OpeningDialog* d) {
        clickControl(d, 850);
        HelpWindow* help = helpWindow();
        if (!help || !QTest::qWaitForWindowExposed(help))
            return;
        // As the window system delivers it: a help blocked by the dialog
        // would let the key fall to the dialog, which ends the program.
        QTest::keyClick(help->windowHandle(), Qt::Key_Escape);
        helpClosed = !help->isVisible();
        QTest::qWait(20);
        dialogStayed = d->isVisible();
        clickControl(d, 2);
    });
    EXPECT_FALSE(runOpeningDialog(o.contest, o.files, nullptr));
    EXPECT_TRUE(helpClosed);
    EXPECT_TRUE(dialogStayed);
    closeHelp();
    setHelpFolder({});
}

TEST(CommandLine, QuotedPathWithTrailingArgumentsOpensTheContest)
{
    Opening o;
    const std::string path = savedContest(o.dir, "");
    const std::string line = "\"" + path + "\" /autre \"argument\"";
    EXPECT_TRUE(openFromCommandLine(o.contest, contestPathFromArguments({line}), nullptr));
    EXPECT_EQ(o.contest.filePath, path);
    EXPECT_EQ(o.contest.competitorCount(), 8);
}

TEST(CommandLine, MissingFileIsRefusedWith401AndNotCreated)
{
    Opening o;
    o.collectMessages();
    EXPECT_FALSE(openFromCommandLine(o.contest, o.file("absent.r7s"), nullptr));
    EXPECT_EQ(o.messages, std::vector<QString>{QStringLiteral("Le fichier choisi est incompatible !\n(fichier introuvable)")});
    EXPECT_FALSE(fs::exists(o.file("absent.r7s")));
    EXPECT_FALSE(o.contest.isOpen);
}

TEST(CommandLine, DamagedContestIsRefusedSayingWhatIsWrongAndNeverTheFaultReport)
{
    Opening o;
    Contest c;
    fixtures::buildContest(c, {8, 2, 1, 0});
    const int32_t group = groupOfId(c.findGroupOf(1, 3, kTaskSpeed).group->id);
    c.removePilot(3); // his start slots and results stay
    const std::string path = fixtures::saveContestFile(c, o.file("concours.r7s"));
    const std::string before = fixtures::readFile(path);
    o.collectMessages();
    EXPECT_FALSE(openFromCommandLine(o.contest, path, nullptr));
    EXPECT_EQ(o.messages, std::vector<QString>{QString::fromStdString(
                              "Le fichier choisi est incompatible !\n(fichier endommagé, manche 1, vitesse, groupe " +
                              std::to_string(group) + " : le concurrent 3 n'est pas inscrit)")});
    EXPECT_FALSE(o.contest.isOpen);
    EXPECT_FALSE(o.contest.fault());
    EXPECT_EQ(fixtures::readFile(path), before);
}

TEST(CommandLine, RecordsNoListCanShowAreToldOnceTheContestIsOpen)
{
    Opening o;
    Contest c;
    fixtures::buildContest(c, {8, 2, 1, 0});
    StartGroup* huge = c.newGroup();
    *huge = c.groups.front();
    huge->id = 2147483641;
    const std::string path = fixtures::saveContestFile(c, o.file("concours.r7s"));
    o.collectMessages();
    EXPECT_TRUE(openFromCommandLine(o.contest, path, nullptr));
    EXPECT_EQ(o.messages, std::vector<QString>{QStringLiteral("Fichier endommagé : 1 groupe de départ que rien ne "
                                                              "peut afficher a été ignoré et ne sera pas réécrit")});
    EXPECT_EQ(o.contest.groups.size(), c.groups.size() - 1);
    EXPECT_FALSE(o.contest.fault());
}

TEST(CommandLine, PasswordIsAskedOverTheWindow)
{
    Opening o;
    const std::string path = savedContest(o.dir, "Mot2passe");
    o.answerPassword(QStringLiteral("Mot2passe"));
    EXPECT_TRUE(openFromCommandLine(o.contest, path, nullptr));
    o.answerPassword(QStringLiteral("mot2passe"));
    Contest other;
    EXPECT_FALSE(openFromCommandLine(other, path, nullptr));
}

TEST(PasswordDialogs, CreatePasswordClosesOnlyWithOk)
{
    Contest contest;
    CreatePasswordDialog dialog(contest);
    dialog.show();
    EXPECT_EQ(dialog.edit()->echoMode(), QLineEdit::Normal) << "CREEPASS shows what is typed";
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_TRUE(dialog.isVisible());
    dialog.close();
    EXPECT_TRUE(dialog.isVisible());
    typeInto(&dialog, 522, QStringLiteral("Piste 2"));
    clickControl(&dialog, 1);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 1);
    EXPECT_EQ(contest.password.raw(), "Piste 2");
}

TEST(PasswordDialogs, BothPasswordFieldsRefuseWhatTheFileCannotHold)
{
    Contest contest;
    CreatePasswordDialog created(contest);
    created.show();
    typeKeys(created.edit(), QString::fromUtf8("clé Ł€"));
    EXPECT_EQ(created.edit()->text(), QString::fromUtf8("clé €"));
    clickControl(&created, 1);
    EXPECT_EQ(contest.password.utf8(), "clé €") << "the password saved is the one shown";

    PasswordDialog asked(contest);
    asked.show();
    typeKeys(asked.edit(), QString::fromUtf8("cléŁ €"));
    clickControl(&asked, 1);
    EXPECT_EQ(asked.typed(), "clé €");
    EXPECT_EQ(asked.result(), 1);
}

TEST(PasswordDialogs, PasswordDialogComparesExactlyAndEscapeAbandons)
{
    Contest contest;
    setPassword(contest, "Piste 2");
    PasswordDialog right(contest);
    typeInto(&right, 522, QStringLiteral("Piste 2"));
    clickControl(&right, 1);
    EXPECT_EQ(right.result(), 1);

    PasswordDialog wrong(contest);
    typeInto(&wrong, 522, QStringLiteral("piste 2"));
    clickControl(&wrong, 1);
    EXPECT_EQ(wrong.result(), 0);
    EXPECT_TRUE(wrong.typed().has_value());

    PasswordDialog escaped(contest);
    escaped.show();
    QTest::keyClick(&escaped, Qt::Key_Escape);
    EXPECT_FALSE(escaped.isVisible());
    EXPECT_EQ(escaped.result(), 0);
    EXPECT_FALSE(escaped.typed().has_value());
}
