#include "installer/ui/installer_window.h"

#include "support/temp_dir.h"
#include "ui_test_support.h"

#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

using namespace r7t::installer;
using namespace r7t::installer::ui;
using namespace r7t::ui::testing;
using r7t::fixtures::readFile;
using r7t::fixtures::TempDir;
using r7t::fixtures::writeFile;

namespace {

class InstallerWindowTest : public ::testing::Test {
protected:
    TempDir dir;
    fs::path source = fs::path(dir.path()) / "build";
    fs::path home = fs::path(dir.path()) / "home";
    QStringList browsed; // what the folder dialog answers, in turn

    void SetUp() override
    {
        fs::create_directories(source / "help");
        writeFile((source / kProgramName).string(), "program");
        writeFile((source / kHelpContents).string(), "contents");
        writeFile((source / kIconName).string(), "<svg/>");
        fs::create_directories(home);
    }
    void TearDown() override { clearModalAnswers(); }

    std::unique_ptr<InstallerWindow> window()
    {
        auto w = std::make_unique<InstallerWindow>(source, platformPlaces({home.string(), "", false}),
                                                   [this](QWidget*, const QString&) { return browsed.takeFirst(); });
        w->setTrustMark({});
        return w;
    }
};

} // namespace

TEST_F(InstallerWindowTest, BrowsedFolderLosesItsSeparatorAndReceivesTheProgram)
{
    browsed = {QString(), QStringLiteral("/"), QString::fromStdString(dir.path() + "/choice/")};
    QStringList fieldTexts;
    QString message;
    whenModal<FolderChoiceDialog>([&](FolderChoiceDialog* d) {
        fieldTexts << d->folder();
        for (int i = 0; i < 3; ++i) {
            clickControl(d, 201);
            fieldTexts << d->folder();
        }
        whenModal<SuccessDialog>([&](SuccessDialog* s) {
            message = s->messageShown();
            clickControl(s, 1);
        });
        clickControl(d, 1);
    });
    auto w = window();
    w->runInstallation();

    EXPECT_EQ(fieldTexts, (QStringList{QString::fromStdString((home / ".local/opt").string()),
                                       QString::fromStdString((home / ".local/opt").string()), QString(),
                                       QString::fromStdString(dir.path() + "/choice")}));
    EXPECT_EQ(w->shown(), InstallerWindow::Shown::Success);
    EXPECT_EQ(message, QStringLiteral("Un répertoire \"R7T\" a été créé dans \"Documents\""));
    EXPECT_EQ(readFile(dir.path() + "/choice/ORVEL_R7T/orvel_r7t"), "program");
    EXPECT_TRUE(fs::exists(home / ".local/share/applications" / kShortcutName));
}

TEST_F(InstallerWindowTest, AbandonInstallsNothingAndSaysNothing)
{
    whenModal<FolderChoiceDialog>([](FolderChoiceDialog* d) { clickControl(d, 2); });
    auto w = window();
    w->runInstallation();
    EXPECT_EQ(w->shown(), InstallerWindow::Shown::Nothing);
    EXPECT_TRUE(fs::is_empty(home));
    EXPECT_FALSE(fs::exists(home / ".local/opt"));
}

TEST_F(InstallerWindowTest, ErrorNamesTheMessageAndTheFile)
{
    fs::remove(source / kHelpContents);
    QString message;
    whenModal<FolderChoiceDialog>([&](FolderChoiceDialog* d) {
        whenModal<ErrorDialog>([&](ErrorDialog* e) {
            message = e->messageShown();
            clickControl(e, 1);
        });
        clickControl(d, 1);
    });
    auto w = window();
    w->runInstallation();
    EXPECT_EQ(w->shown(), InstallerWindow::Shown::Error);
    EXPECT_EQ(message, QStringLiteral("Erreur de recopie de fichier\nhelp/index.html"));
}

TEST(InstallerBackground, RowsAreStaggered)
{
    const QVector<QPoint> tiles = backgroundTiles(1024, 768);
    QVector<int> rowStarts;
    for (const QPoint& tile : tiles)
        if (rowStarts.size() * 190 == tile.y())
            rowStarts << tile.x();
    EXPECT_EQ(rowStarts, (QVector<int>{0, -380, -570, -760, -950}));
    EXPECT_EQ(tiles.first(), QPoint(0, 0));
    EXPECT_EQ(tiles.last().y(), 760);
}
