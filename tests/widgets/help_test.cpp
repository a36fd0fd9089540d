#include "widgets/drawing_resources.h"
#include "widgets/help_window.h"
#include "widgets/message_dialog.h"
#include "support/temp_dir.h"
#include "ui_test_support.h"

#include <QDir>
#include <QFile>
#include <QTextBrowser>

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
