#include "widgets/drawing_resources.h"
#include "widgets/help_window.h"
#include "widgets/message_dialog.h"
#include "support/temp_dir.h"
#include "ui_test_support.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

using namespace r7t;
using namespace r7t::ui;
using namespace r7t::ui::testing;

namespace {

// The help shipped with the program, as the build copied it.
const QString kShippedHelp = QStringLiteral(R7T_SHIPPED_HELP);

} // namespace

TEST(Help, MissingPageGivesMessage431)
{
    fixtures::TempDir empty;
    setHelpFolder(QString::fromStdString(empty.path()));
    QString text;
    whenModal<MessageDialog>([&](MessageDialog* d) {
        text = d->text();
        clickControl(d, 508);
    });
    EXPECT_FALSE(openHelp(nullptr, 0));
    EXPECT_EQ(text, QStringLiteral("Le fichier d'aide n'est pas accessible !"));
    EXPECT_EQ(helpWindow(), nullptr);
    setHelpFolder({});
}

TEST(Help, EveryTopicShipsAndOpensInOneWindow)
{
    setHelpFolder(kShippedHelp);
    ASSERT_TRUE(openHelp(nullptr, 0));
    HelpWindow* window = helpWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->currentPage(), "index.html");
    for (int topic : {2, 3, 4, 6, 8, 9, 10, 11, 14, 15, 16}) {
        ASSERT_TRUE(openHelp(nullptr, topic)) << topic;
        EXPECT_EQ(helpWindow(), window) << "one help window serves every topic";
        EXPECT_EQ(window->currentPage(), helpPageName(topic));
        EXPECT_GT(window->browser()->toPlainText().size(), 400) << topic;
    }
    // The contents page leads to every topic.
    QFile index(QDir(kShippedHelp).filePath("index.html"));
    ASSERT_TRUE(index.open(QIODevice::ReadOnly));
    const QString contents = QString::fromUtf8(index.readAll());
    for (int topic : {2, 3, 4, 6, 8, 9, 10, 11, 14, 15, 16})
        EXPECT_TRUE(contents.contains(helpPageName(topic))) << topic;
    closeHelp();
    EXPECT_EQ(helpWindow(), nullptr);
    setHelpFolder({});
}

TEST(Help, PasswordPageSaysWhatThePasswordDoesNotProtect)
{
    QFile page(QDir(kShippedHelp).filePath(helpPageName(2)));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(page.readAll());
    EXPECT_TRUE(text.contains(QStringLiteral("en clair")));
    EXPECT_TRUE(text.contains(QStringLiteral("par erreur")));
}

namespace {

// Input as the window system delivers it: dropped when the window is
// blocked by a modal dialog.
void pressKey(QWidget* window, Qt::Key key)
{
    QTest::keyClick(window->windowHandle(), key);
}

void clickThroughWindow(QWidget* widget)
{
    QWidget* window = widget->window();
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, widget->mapTo(window, widget->rect().center()));
}

// A help small enough to scroll.
HelpWindow* openSmallHelp(QWidget* owner, int topic)
{
    if (!openHelp(owner, topic))
        return nullptr;
    HelpWindow* help = helpWindow();
    help->resize(360, 160);
    if (!QTest::qWaitForWindowExposed(help))
        return nullptr;
    return help;
}

} // namespace

TEST(Help, UsableAndClosedAloneWhileAModalDialogRuns)
{
    setHelpFolder(kShippedHelp);
    bool scrolled = false, closedByEscape = false, dialogStayedAfterEscape = false;
    bool closedByButton = false, above = false;
    whenModal<QDialog>([&](QDialog* d) {
        HelpWindow* help = openSmallHelp(d, 2);
        if (!help)
            return;
        above = help->windowHandle()->transientParent() == d->windowHandle();
        pressKey(help, Qt::Key_PageDown);
        scrolled = help->browser()->verticalScrollBar()->value() > 0;
        pressKey(help, Qt::Key_Escape);
        closedByEscape = !help->isVisible();
        dialogStayedAfterEscape = d->isVisible();

        help = openSmallHelp(d, 3);
        if (!help)
            return;
        clickThroughWindow(help->closeButton());
        closedByButton = !help->isVisible();
        d->done(7);
    });
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("DIALFIC"));
    EXPECT_EQ(dialog.exec(), 7) << "the dialog ended before its own answer";
    EXPECT_TRUE(above) << "the help is not above the dialog";
    EXPECT_TRUE(scrolled) << "the help cannot be scrolled";
    EXPECT_TRUE(closedByEscape) << "Escape did not close the help";
    EXPECT_TRUE(dialogStayedAfterEscape) << "Escape in the help ended the dialog";
    EXPECT_TRUE(closedByButton) << "Fermer did not close the help";
    closeHelp();
    setHelpFolder({});
}

TEST(Help, FollowsADialogOpenedAfterItAndStandsAloneAgainAfterwards)
{
    setHelpFolder(kShippedHelp);
    HelpWindow* help = openSmallHelp(nullptr, 0);
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->windowType(), Qt::Window);
    bool followed = false, scrolled = false;
    whenModal<QDialog>([&](QDialog* d) {
        followed = QTest::qWaitFor([&] { return help->followed() == d && help->isVisible(); }, 2000);
        if (!QTest::qWaitForWindowExposed(help))
            return;
        pressKey(help, Qt::Key_PageDown);
        scrolled = help->browser()->verticalScrollBar()->value() > 0;
        d->accept();
    });
    QDialog dialog;
    dialog.exec();
    EXPECT_TRUE(followed);
    EXPECT_TRUE(scrolled) << "the dialog blocks the help";
    EXPECT_TRUE(QTest::qWaitFor([&] { return help->followed() == nullptr && help->windowType() == Qt::Window; }, 2000));
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->windowHandle()->transientParent(), nullptr);
    closeHelp();
    setHelpFolder({});
}

TEST(Help, EscapeClosesTheHelpAloneAndTheProgramGoesOn)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        w->hide();
    setHelpFolder(kShippedHelp);
    bool closed = false;
    QTimer::singleShot(0, [&] {
        HelpWindow* help = openSmallHelp(nullptr, 0);
        if (help) {
            pressKey(help, Qt::Key_Escape);
            closed = !help->isVisible();
        }
        // Only this answer ends the loop; a quit on the help's closing
        // would end it first with 0.
        QTimer::singleShot(200, [] { QCoreApplication::exit(42); });
    });
    EXPECT_EQ(QApplication::exec(), 42);
    EXPECT_TRUE(closed);
    closeHelp();
    setHelpFolder({});
}
