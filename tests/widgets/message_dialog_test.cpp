#include "text/strings.h"
#include "widgets/drawing_resources.h"
#include "widgets/message_dialog.h"
#include "ui_test_support.h"

#include <QLabel>
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
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowCloseButtonHint);
    clickControl(&dialog, 509);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 0);
}

TEST(MessageDialog, HasATitleBarAndNoBoxOfItsOwn)
{
    for (int mode : {kModeQuestion, kModeAlert}) {
        MessageDialog dialog(messageText(410), mode);
        dialog.show();
        const Qt::WindowFlags flags = dialog.windowFlags();
        EXPECT_EQ(dialog.windowType(), Qt::Dialog);
        EXPECT_TRUE(flags & Qt::CustomizeWindowHint) << "the window manager's default boxes would show";
        EXPECT_TRUE(flags & Qt::WindowTitleHint);
        for (Qt::WindowType box : {Qt::WindowCloseButtonHint, Qt::WindowMaximizeButtonHint, Qt::WindowMinimizeButtonHint,
                                   Qt::WindowSystemMenuHint, Qt::WindowContextHelpButtonHint})
            EXPECT_FALSE(flags & box) << mode << " shows box " << std::hex << box;
        EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize()) << "a size that cannot change";
        // Escape and the window manager's close leave it open in every mode.
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
        EXPECT_EQ(text.top(), 20);
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
}
