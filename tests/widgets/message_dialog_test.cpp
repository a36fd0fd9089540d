#include "contest/contest_file.h"
#include "support/temp_dir.h"
#include "text/strings.h"
#include "widgets/drawing_resources.h"
#include "widgets/message_dialog.h"
#include "ui_test_support.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace r7t;
using namespace r7t::ui;
using namespace r7t::ui::testing;

namespace {

QPushButton* button(QWidget* dialog, int id) { return dialog->findChild<QPushButton*>(controlName(id)); }

// Opens the dialog, clicks the button, returns what MessDlg returned and
// what the dialog showed.
struct Answer {
    int result = -1;
    QString yes, no;
    bool noVisible = false, cancelVisible = true, helpVisible = true;
    QString title;
};

Answer answer(int mode, int clicked)
{
    Answer a;
    whenModal<MessageDialog>([&](MessageDialog* d) {
        a.yes = button(d, 508)->text();
        a.no = button(d, 509)->text();
        a.noVisible = button(d, 509)->isVisible();
        a.cancelVisible = button(d, 510)->isVisible();
        a.helpVisible = button(d, 850)->isVisible();
        a.title = d->windowTitle();
        clickControl(d, clicked);
    });
    a.result = MessDlg(nullptr, QStringLiteral("Nouvelle manche non acceptée ?"), mode);
    return a;
}

} // namespace

TEST(MessageDialog, QuestionReturnsOneForOuiAndZeroForNon)
{
    const Answer yes = answer(kModeQuestion, 508);
    EXPECT_EQ(yes.result, 1);
    EXPECT_EQ(yes.yes, "OUI");
    EXPECT_EQ(yes.no, "NON");
    EXPECT_TRUE(yes.noVisible);
    EXPECT_FALSE(yes.cancelVisible);
    EXPECT_FALSE(yes.helpVisible);
    EXPECT_EQ(yes.title, "ATTENTION");

    EXPECT_EQ(answer(kModeQuestion, 509).result, 0);
}

TEST(MessageDialog, AlertHasOnlyOk)
{
    const Answer ok = answer(kModeAlert, 508);
    EXPECT_EQ(ok.result, 1);
    EXPECT_EQ(ok.yes, "OK");
    EXPECT_FALSE(ok.noVisible);
    EXPECT_FALSE(ok.cancelVisible);
}

TEST(MessageDialog, OnlyItsButtonsCloseIt)
{
    MessageDialog dialog(messageText(410), kModeQuestion);
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_TRUE(dialog.isVisible());
    dialog.close();
    EXPECT_TRUE(dialog.isVisible());
    clickControl(&dialog, 509);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 0);
}

TEST(MessageDialog, HasItsOwnTitleBarAndNoBox)
{
    for (int mode : {kModeQuestion, kModeAlert}) {
        MessageDialog dialog(messageText(410), mode);
        dialog.show();
        // Frameless, so that no window manager adds a close box; its own
        // bar shows the title and nothing else.
        EXPECT_TRUE(dialog.windowFlags() & Qt::FramelessWindowHint);
        auto* bar = dialog.findChild<QWidget*>(QStringLiteral("titleBar"));
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(bar->geometry(), QRect(0, 0, dialog.width(), bar->height()));
        EXPECT_TRUE(bar->findChildren<QWidget*>().isEmpty()) << "a box in the title bar";
        EXPECT_EQ(bar->accessibleName(), "ATTENTION");
        for (QPushButton* b : dialog.findChildren<QPushButton*>())
            EXPECT_GE(b->y(), bar->height()) << b->text().toStdString() << " under the title bar";
        EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize()) << "a size that cannot change";

        // Dragging the bar moves the dialog (here without a window manager).
        const QPoint before = dialog.pos();
        const QPoint grip = bar->rect().center();
        QTest::mousePress(bar, Qt::LeftButton, {}, grip);
        QMouseEvent move(QEvent::MouseMove, QPointF(grip + QPoint(40, 25)), QPointF(bar->mapToGlobal(grip + QPoint(40, 25))),
                         Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(bar, &move);
        QTest::mouseRelease(bar, Qt::LeftButton, {}, grip + QPoint(40, 25));
        EXPECT_EQ(dialog.pos(), before + QPoint(40, 25));

        // Escape and a close leave it open in every mode.
        QTest::keyClick(&dialog, Qt::Key_Escape);
        dialog.close();
        EXPECT_TRUE(dialog.isVisible()) << mode;
        clickControl(&dialog, 508);
        EXPECT_FALSE(dialog.isVisible()) << mode;
        EXPECT_EQ(dialog.result(), 1);
    }
}

TEST(MessageDialog, LongTextMakesTheDialogGrowInsteadOfBeingCut)
{
    MessageDialog shortOne(messageText(410), kModeAlert);
    QString longText;
    for (int i = 0; i < 12; ++i)
        longText += QStringLiteral("Une ligne de message assez longue pour passer à la ligne. ");
    MessageDialog longOne(longText, kModeAlert);
    EXPECT_GT(longOne.height(), shortOne.height());
    for (MessageDialog* d : {&shortOne, &longOne}) {
        const QRect text = d->textRect();
        EXPECT_EQ(text.left(), 100);
        EXPECT_EQ(text.top(), d->findChild<QWidget*>(QStringLiteral("titleBar"))->height() + 20);
        EXPECT_LE(text.right(), d->width());
        EXPECT_LE(text.bottom(), button(d, 508)->y()) << "the text runs over the buttons";
        const QFontMetrics fm(resources().fontMessage);
        EXPECT_GE(text.height(), fm.boundingRect(QRect(0, 0, text.width(), 10000), Qt::TextWordWrap, d->text()).height());
    }
}

TEST(MessageDialog, TableLineBreaksBecomeLines)
{
    EXPECT_EQ(messageText(402), QStringLiteral("Mémoire insuffisante\nCréation impossible !"));
}

TEST(MessageDialog, AlerteIsAStopBoxTitledAlerte)
{
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    whenModal<QMessageBox>([&](QMessageBox* box) {
        title = box->windowTitle();
        icon = box->icon();
        box->button(QMessageBox::Ok)->click();
    });
    Alerte(nullptr, QStringLiteral("Fréquence déjà utilisée"));
    EXPECT_EQ(title, "ALERTE");
    EXPECT_EQ(icon, QMessageBox::Critical);
}

TEST(MessageDialog, BugReportShowsString41WithTheTagThenEnds)
{
    Contest contest;
    contest.isOpen = true;
    installContestHandlers(contest);
    int ended = 0;
    setFaultEnding([&] { ++ended; });
    QString text;
    whenModal<QMessageBox>([&](QMessageBox* box) {
        text = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    contest.findPilot(42, Report::Yes);
    setFaultEnding({});
    EXPECT_TRUE(text.startsWith(QStringLiteral("Pointeur non trouvé dans : FINDPILOTE\n"))) << text.toStdString();
    EXPECT_EQ(ended, 1);
    EXPECT_FALSE(contest.isOpen) << "nothing may be saved after the fault report";
}

TEST(MessageDialog, ContestAlertsShowTheirString)
{
    Contest contest;
    installContestHandlers(contest);
    QString text;
    whenModal<MessageDialog>([&](MessageDialog* d) {
        text = d->text();
        clickControl(d, 508);
    });
    contest.failNextAllocationForTest();
    EXPECT_EQ(contest.addPilot(1), nullptr);
    EXPECT_EQ(text, messageText(402));

    // A refused file says why when it could not be read at all.
    fixtures::TempDir dir;
    Contest missing;
    installContestHandlers(missing);
    missing.setPath(dir.file("absent.r7s"));
    whenModal<MessageDialog>([&](MessageDialog* d) {
        text = d->text();
        clickControl(d, 508);
    });
    EXPECT_EQ(RepriseFic(missing).status, LoadStatus::Incompatible);
    EXPECT_EQ(text, messageText(401) + "\n(fichier introuvable)");
}
