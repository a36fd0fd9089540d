#include "installer/install.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace r7t::installer;
using r7t::fixtures::readFile;
using r7t::fixtures::TempDir;
using r7t::fixtures::writeFile;

namespace {

bool executable(const fs::path& path)
{
    return (fs::status(path).permissions() & fs::perms::owner_exec) != fs::perms::none;
}

// A build's output folder as source, and a home with its documents, desktop
// and menu folders.
class InstallTest : public ::testing::Test {
protected:
    TempDir dir;
    fs::path source = fs::path(dir.path()) / "build";
    fs::path home = fs::path(dir.path()) / "home";
    std::vector<fs::path> trusted;

    void SetUp() override
    {
        fs::create_directories(source / "help");
        writeFile((source / kProgramName).string(), "program v1");
        fs::permissions(source / kProgramName, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
        writeFile((source / kHelpContents).string(), "contents");
        writeFile((source / "help/sujet_2.html").string(), "topic 2");
        writeFile((source / kIconName).string(), "<svg/>");
        fs::create_directories(home);
    }

    InstallRequest request(const std::string& destination)
    {
        InstallRequest request;
        request.source = source;
        request.destination = destination;
        request.places = platformPlaces({home.string(), "", false});
        request.markTrusted = [this](const fs::path& path) { trusted.push_back(path); };
        return request;
    }
};

} // namespace

TEST_F(InstallTest, DefaultInstallTwiceOverwritesAndReusesFolders)
{
    const InstallRequest first = request(platformPlaces({home.string(), "", false}).defaultDestination);
    EXPECT_EQ(first.destination, (home / ".local/opt").string());

    InstallOutcome outcome = install(first);
    ASSERT_EQ(outcome.error, InstallError::None);
    const fs::path folder = home / ".local/opt/ORVEL_R7T";
    EXPECT_EQ(outcome.programFolder, folder);
    EXPECT_EQ(readFile((folder / kProgramName).string()), "program v1");
    EXPECT_TRUE(executable(folder / kProgramName));
    EXPECT_EQ(readFile((folder / "help/sujet_2.html").string()), "topic 2");
    EXPECT_EQ(readFile((folder / kIconName).string()), "<svg/>");
    EXPECT_EQ(outcome.dataFolder, home / "Documents/R7T");
    EXPECT_TRUE(fs::is_directory(home / "Documents/R7T"));

    const fs::path desktopEntry = home / "Desktop" / kShortcutName;
    const fs::path menuEntry = home / ".local/share/applications" / kShortcutName;
    EXPECT_EQ(trusted, (std::vector<fs::path>{desktopEntry, menuEntry}));
    const std::string entry = readFile(menuEntry.string());
    EXPECT_EQ(readFile(desktopEntry.string()), entry);
    EXPECT_NE(entry.find("Exec=\"" + (folder / kProgramName).string() + "\"\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("Icon=" + (folder / kIconName).string() + "\n"), std::string::npos);
    EXPECT_NE(entry.find("Comment=Vol à voile R7T\n"), std::string::npos);

    writeFile((source / kProgramName).string(), "program v2");
    writeFile((home / "Documents/R7T/contest.r7s").string(), "kept");
    outcome = install(first);
    EXPECT_EQ(outcome.error, InstallError::None);
    EXPECT_EQ(readFile((folder / kProgramName).string()), "program v2");
    EXPECT_EQ(readFile((home / "Documents/R7T/contest.r7s").string()), "kept");
    for (const auto& entryFile : fs::directory_iterator(folder))
        EXPECT_NE(entryFile.path().filename().string().front(), '.') << "temporary file left";
}

TEST_F(InstallTest, RootAndTrailingSeparatorChoices)
{
    EXPECT_EQ(withoutTrailingSeparator("/"), "");
    EXPECT_EQ(programFolderIn("/"), fs::path("/ORVEL_R7T"));
    EXPECT_EQ(programFolderIn("/srv/apps//"), fs::path("/srv/apps/ORVEL_R7T"));

    const InstallOutcome outcome = install(request(dir.path() + "/choice/"));
    EXPECT_EQ(outcome.error, InstallError::None);
    EXPECT_TRUE(fs::exists(fs::path(dir.path()) / "choice/ORVEL_R7T" / kProgramName));
}

TEST_F(InstallTest, MissingHelpStopsAfterTheProgramButMakesTheDataFolder)
{
    fs::remove(source / kHelpContents);
    const InstallOutcome outcome = install(request(dir.path() + "/dest"));
    EXPECT_EQ(outcome.error, InstallError::Copy);
    EXPECT_EQ(outcome.file, kHelpContents);
    const fs::path folder = fs::path(dir.path()) / "dest/ORVEL_R7T";
    EXPECT_TRUE(fs::exists(folder / kProgramName));
    EXPECT_FALSE(fs::exists(folder / "help/sujet_2.html"));
    EXPECT_FALSE(fs::exists(folder / kIconName));
    EXPECT_TRUE(fs::is_directory(home / "Documents/R7T"));
    EXPECT_TRUE(trusted.empty());
    EXPECT_FALSE(fs::exists(home / ".local/share/applications" / kShortcutName));
}

TEST_F(InstallTest, UnusableDestinationInstallsNothingThere)
{
    // A file in place of the folder, and a folder no one may create in.
    writeFile(dir.file("taken"), "a file");
    for (const std::string& destination : {dir.file("taken"), std::string("/proc/r7t")}) {
        SCOPED_TRACE(destination);
        const InstallOutcome outcome = install(request(destination));
        EXPECT_EQ(outcome.error, InstallError::Folder);
        EXPECT_EQ(readFile(dir.file("taken")), "a file");
        EXPECT_TRUE(fs::is_directory(home / "Documents/R7T"));
        EXPECT_TRUE(trusted.empty());
    }
}

TEST_F(InstallTest, FailedCopyKeepsTheOldFileAndLeavesNoTemporary)
{
    const fs::path target = fs::path(dir.path()) / "target";
    writeFile(target.string(), "old");
    EXPECT_FALSE(copyFileWhole(source / "help", target)); // a folder cannot be read as a file
    EXPECT_FALSE(copyFileWhole(source / "absent", target));
    EXPECT_EQ(readFile(target.string()), "old");

    fs::create_directories(fs::path(dir.path()) / "busy/inside"); // rename cannot replace it
    EXPECT_FALSE(copyFileWhole(source / kProgramName, fs::path(dir.path()) / "busy"));
    for (const auto& entry : fs::directory_iterator(dir.path()))
        EXPECT_NE(entry.path().filename().string().front(), '.') << entry.path();
}

TEST_F(InstallTest, PlacesFollowTheUserDirsAndTheAdministrator)
{
    fs::create_directories(home / ".config");
    writeFile((home / ".config/user-dirs.dirs").string(),
              "# written by xdg-user-dirs-update\n"
              "XDG_DESKTOP_DIR=\"$HOME\"\n"
              "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n");
    Places places = platformPlaces({home.string(), "", false});
    EXPECT_EQ(places.documents, home / "Dokumente");
    EXPECT_TRUE(places.desktop.empty()); // a desktop at home means none
    EXPECT_EQ(places.applicationsMenu, home / ".local/share/applications");

    fs::create_directories(fs::path(dir.path()) / "config");
    writeFile(dir.file("config/user-dirs.dirs"), "XDG_DESKTOP_DIR=\"/srv/Bureau\"\n");
    places = platformPlaces({home.string(), dir.file("config"), true});
    EXPECT_EQ(places.desktop, fs::path("/srv/Bureau"));
    EXPECT_EQ(places.documents, home / "Documents");
    EXPECT_EQ(places.defaultDestination, "/opt");
    EXPECT_EQ(places.applicationsMenu, fs::path("/usr/local/share/applications"));
}

TEST(ShortcutText, QuotesWhatTheLauncherWouldSplitOrExpand)
{
    const std::string text = shortcutText("/home/a b/$x\\y%/orvel_r7t", "/i/orvel_r7t.svg");
    EXPECT_NE(text.find("Exec=\"/home/a b/\\\\$x\\\\\\\\y%%/orvel_r7t\"\n"), std::string::npos) << text;
}
