#include "support/cli_run.h"
#include "cli/command.h"
#include "cli/readers.h"
#include "contest/contest_file.h"
#include "support/contest_builder.h"
#include "support/file_bytes.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <sstream>

using namespace r7t;
using r7t::fixtures::CliRun;
using r7t::fixtures::runCli;
using r7t::fixtures::TempDir;

namespace {

std::string writeLargest(const TempDir& dir, const std::string& password = "")
{
    Contest c;
    fixtures::buildContest(c);
    c.setPath(dir.file("largest.r7s"));
    c.isOpen = true;
    setPassword(c, password);
    EXPECT_TRUE(MajFichier(c).ok());
    return c.filePath;
}

// A contest of that shape written in dir; its path.
std::string writeContest(const TempDir& dir, const fixtures::ContestShape& shape)
{
    Contest c;
    fixtures::buildContest(c, shape);
    return fixtures::saveContestFile(c, dir.file("c.r7s"));
}

} // namespace

TEST(Cli, NewWritesTheEmptyContestAndRefusesToOverwrite)
{
    TempDir dir;
    const std::string path = dir.file("x.r7s");
    CliRun created = runCli({"new", path, "--title", "Coupe d'été", "--date", "06/12/26", "--place", "Vinon"});
    ASSERT_EQ(created.exit, 0) << created.err;
    EXPECT_EQ(std::filesystem::file_size(path), 1196u);

    CliRun again = runCli({"new", path});
    EXPECT_EQ(again.exit, 1);
    EXPECT_NE(again.err.find("existe déjà"), std::string::npos);
    EXPECT_EQ(runCli({"new", path, "--force"}).exit, 0);

    // A text the file cannot hold is refused before anything is written.
    CliRun polish = runCli({"new", dir.file("pl.r7s"), "--place", "Łódź"});
    EXPECT_EQ(polish.exit, 1);
    EXPECT_EQ(polish.err,
              "r7t new: --place : le caractère « Ł » ne peut pas être enregistré dans le fichier du concours\n");
    EXPECT_FALSE(std::filesystem::exists(dir.file("pl.r7s")));
    EXPECT_EQ(runCli({"new", dir.file("pw.r7s"), "--password", "clé€"}).exit, 0);
    EXPECT_EQ(runCli({"new", dir.file("pw2.r7s"), "--password", "Ωmega"}).exit, 1);
    EXPECT_FALSE(std::filesystem::exists(dir.file("pw2.r7s")));

    CliRun plain = runCli({"new", dir.file("plain.r7s")});
    ASSERT_EQ(plain.exit, 0);
    CliRun info = runCli({"info", dir.file("plain.r7s")});
    EXPECT_EQ(info.out, "version: 2\ntitle: \ndate: \nplace: \npassword: no\ncompetitors: 0\ntow pilots: 0\n"
                        "prepared rounds: -\ncomplete rounds: -\nbest speed: none\ngroups: 0\nresults: 0\n"
                        "extra records: 0\n");
}

TEST(Cli, InfoDescribesTheLargestContest)
{
    TempDir dir;
    const std::string path = writeLargest(dir);
    CliRun info = runCli({"info", path});
    ASSERT_EQ(info.exit, 0) << info.err;
    std::string all40 = "-";
    for (int r = 1; r <= 40; ++r)
        all40 += std::to_string(r) + "-";
    EXPECT_NE(info.out.find("title: Championnat de France R7T\n"), std::string::npos);
    EXPECT_NE(info.out.find("place: Aérodrome de Saint-Hélène\n"), std::string::npos);
    EXPECT_NE(info.out.find("competitors: 98\ntow pilots: 90\n"), std::string::npos);
    EXPECT_NE(info.out.find("prepared rounds: " + all40 + "\ncomplete rounds: " + all40 + "\n"), std::string::npos);
    EXPECT_NE(info.out.find("groups: 4000\n"), std::string::npos);
    EXPECT_NE(info.out.find("best speed: 20,"), std::string::npos);
}

TEST(Cli, PasswordIsAskedOnEveryCommandThatOpensAFile)
{
    TempDir dir;
    const std::string path = dir.file("p.r7s");
    ASSERT_EQ(runCli({"new", path, "--password", "motdepasse1234"}).exit, 0);

    CliRun missing = runCli({"info", path});
    EXPECT_EQ(missing.exit, 1);
    EXPECT_NE(missing.err.find("Mot de passe nécessaire pour ouvrir ce fichier"), std::string::npos);
    EXPECT_EQ(missing.out, "");
    CliRun wrong = runCli({"info", path, "--password", "Motdepasse12"});
    EXPECT_EQ(wrong.exit, 1);
    EXPECT_EQ(runCli({"copy", path, dir.file("c.r7s")}).exit, 1);
    EXPECT_FALSE(std::filesystem::exists(dir.file("c.r7s")));

    CliRun right = runCli({"info", path, "--password", "motdepasse12"});
    EXPECT_EQ(right.exit, 0) << right.err;
    EXPECT_NE(right.out.find("password: yes"), std::string::npos);
}

TEST(Cli, CopyWritesAVersion2FileAndLeavesTheSourceAlone)
{
    TempDir dir;
    fixtures::FileBytes v1;
    v1.i32(81245).header(1, "", "01/05/98", "Lens", "Coupe", 1).roundTables(26, 1, 1);
    for (int n = 1; n <= 3; ++n)
        v1.pilot(n, "P", 35010 + 20 * n, 0, 3000, 3000);
    v1.pilotEnd().extraEnd();
    for (int32_t task : {1, 2})
        v1.group(10, 1, task, {200}).group(11, 1, task, {1, 2, 3});
    v1.groupEnd().result(2, 1, 250, 0, 1);
    const std::string source = dir.file("v1.r7s");
    fixtures::writeFile(source, v1.str());

    CliRun copied = runCli({"copy", source, dir.file("v2.r7s")});
    ASSERT_EQ(copied.exit, 0) << copied.err;
    EXPECT_EQ(fixtures::readFile(source), v1.str());
    CliRun info = runCli({"info", dir.file("v2.r7s")});
    EXPECT_NE(info.out.find("version: 2\n"), std::string::npos);
    EXPECT_NE(info.out.find("complete rounds: -1-\n"), std::string::npos);
    EXPECT_NE(info.out.find("best speed: 25,0 secondes\n"), std::string::npos);

    const std::string largest = writeLargest(dir);
    ASSERT_EQ(runCli({"copy", largest, dir.file("copy.r7s")}).exit, 0);
    EXPECT_EQ(fixtures::readFile(dir.file("copy.r7s")), fixtures::readFile(largest));
}

TEST(Cli, BadFilesAreRefusedWithTheirMessage)
{
    TempDir dir;
    CliRun missing = runCli({"info", dir.file("absent.r7s")});
    EXPECT_EQ(missing.exit, 1);
    EXPECT_EQ(missing.err,
              "r7t info: " + dir.file("absent.r7s") + ": le fichier n'existe pas\n");
    EXPECT_FALSE(std::filesystem::exists(dir.file("absent.r7s")));
    CliRun folder = runCli({"info", dir.path()});
    EXPECT_EQ(folder.err,
              "r7t info: " + dir.path() + ": Le fichier choisi est incompatible ! (le chemin désigne un dossier)\n");
    // A file that opens but is no contest has no cause to add.
    fixtures::writeFile(dir.file("short.r7s"), "abc");
    EXPECT_EQ(runCli({"info", dir.file("short.r7s")}).err,
              "r7t info: " + dir.file("short.r7s") + ": Le fichier choisi est incompatible !\n");

    // A result nobody flies is left out, and said so.
    fixtures::FileBytes orphan;
    orphan.i32(81245).header(2, "", "", "", "", 0).roundTables(41).pilotEnd().extraEnd().groupEnd().result(5, 1, 200);
    fixtures::writeFile(dir.file("orphan.r7s"), orphan.str());
    CliRun dropped = runCli({"info", dir.file("orphan.r7s")});
    EXPECT_EQ(dropped.exit, 0);
    EXPECT_EQ(dropped.err, "r7t info: " + dir.file("orphan.r7s") +
                               ": Fichier endommagé : 1 score que rien ne peut afficher a été ignoré\n");
    EXPECT_NE(dropped.out.find("results: 0\n"), std::string::npos) << dropped.out;
}

TEST(Cli, SaveFailuresGiveTheirCauseInFrench)
{
    TempDir dir;
    const std::string source = dir.file("c.r7s");
    ASSERT_EQ(runCli({"new", source}).exit, 0);
    const std::string before = fixtures::readFile(source);

    // Tests may run as root, where permissions never fail: a missing folder
    // and a folder in place of the file fail for everyone.
    const std::string lost = dir.file("absent/copie.r7s");
    CliRun missing = runCli({"copy", source, lost});
    EXPECT_EQ(missing.exit, 1);
    EXPECT_EQ(missing.err,
              "r7t copy: " + lost + " : enregistrement impossible (création impossible : dossier introuvable)\n");

    std::filesystem::create_directory(dir.file("folder.r7s"));
    CliRun folder = runCli({"new", dir.file("folder.r7s"), "--force"});
    EXPECT_EQ(folder.exit, 1);
    EXPECT_EQ(folder.err,
              "r7t new: " + dir.file("folder.r7s") + " : enregistrement impossible (le chemin désigne un dossier)\n");

    EXPECT_EQ(fixtures::readFile(source), before);
    EXPECT_FALSE(std::filesystem::exists(dir.file("absent")));
}

TEST(Cli, UsageErrorsExitWith2)
{
    EXPECT_EQ(runCli({}).exit, 2);
    EXPECT_EQ(runCli({"frobnicate"}).exit, 2);
    EXPECT_EQ(runCli({"info"}).exit, 2);
    EXPECT_EQ(runCli({"info", "a", "b"}).exit, 2);
    CliRun unknown = runCli({"info", "a.r7s", "--colour"});
    EXPECT_EQ(unknown.exit, 2);
    EXPECT_NE(unknown.err.find("usage: r7t info"), std::string::npos);
    EXPECT_EQ(runCli({"new", "x.r7s", "--title"}).exit, 2);
    CliRun help = runCli({"--help"});
    EXPECT_EQ(help.exit, 0);
    EXPECT_NE(help.out.find("copy"), std::string::npos);
}

TEST(CliArguments, AValueMayFollowAnEqualsSignAndDoubleDashEndsTheOptions)
{
    const std::vector<cli::OptionInfo> options = {{"discard", "D"}, {"yes"}};
    std::string error;
    const std::optional<cli::Arguments> parsed = cli::Arguments::parse({"c.r7s", "--discard=2", "--", "--yes"}, options, error);
    ASSERT_TRUE(parsed) << error;
    EXPECT_EQ(parsed->value("discard"), "2");
    EXPECT_FALSE(parsed->has("yes"));
    EXPECT_EQ(parsed->positional(), (std::vector<std::string>{"c.r7s", "--yes"}));
    EXPECT_FALSE(cli::Arguments::parse({"--yes=1"}, options, error));
    EXPECT_EQ(error, "l'option --yes ne prend pas de valeur");
}

TEST(Cli, VersionIsTheProjectVersion)
{
    CliRun version = runCli({"--version"});
    EXPECT_EQ(version.exit, 0);
    EXPECT_EQ(version.out, std::string("r7t ") + R7T_PROJECT_VERSION + "\n");
    EXPECT_EQ(version.err, "");
}

TEST(Cli, EveryCommandPrintsItsHelpAndShowsEachOptionInItsUsage)
{
    for (const auto& command : cli::allCommands()) {
        const std::string name = command->name();
        CliRun help = runCli({name, "--help"});
        EXPECT_EQ(help.exit, 0) << name;
        EXPECT_EQ(help.err, "") << name;
        EXPECT_EQ(help.out.rfind(command->usage() + "\n      " + command->description() + "\n\nOptions :\n", 0), 0u)
            << help.out;
        EXPECT_NE(help.out.find("\n  -h, --help\n"), std::string::npos) << name;
        EXPECT_EQ(runCli({name, "-h"}).out, help.out) << name;

        const std::string synopsis = command->synopsis();
        for (const cli::OptionInfo& option : command->options()) {
            const std::string line = "--" + option.name + (option.takesValue() ? " " + option.value : "") + "\n";
            EXPECT_NE(help.out.find(line), std::string::npos) << name << ": " << line;
            const bool shown = synopsis.find("--" + option.name + (option.takesValue() ? " " : "")) !=
                                   std::string::npos ||
                               (option.shortName && synopsis.find(std::string("-") + option.shortName + " ") !=
                                                        std::string::npos);
            EXPECT_TRUE(shown) << name << " does not show --" << option.name << " in: " << synopsis;
        }
    }

    // The password closes the first line, before the lines that detail the documents.
    CliRun print = runCli({"print", "--help"});
    EXPECT_EQ(print.out.substr(0, print.out.find('\n')),
              "usage: r7t print FICHIER DOCUMENT --pdf SORTIE [options] [--password W]");
    EXPECT_NE(runCli({"export", "-h"}).out.find("\n  -o, --output SORTIE\n"), std::string::npos);

    // Help is asked before the arguments are checked or the file opened.
    TempDir dir;
    CliRun info = runCli({"info", dir.file("absent.r7s"), "--help"});
    EXPECT_EQ(info.exit, 0);
    EXPECT_EQ(info.out, runCli({"info", "-h"}).out);
    EXPECT_EQ(info.err, "");
}

TEST(CliReaders, TakeTheWholeTextOrNothing)
{
    EXPECT_EQ(cli::readInteger("12"), 12);
    EXPECT_EQ(cli::readInteger("-3"), -3);
    EXPECT_EQ(cli::readInteger("007"), 7);
    for (const char* bad : {"12abc", "3x", " 3", "3 ", "+3", "", "-", "1.5", "2147483648"})
        EXPECT_FALSE(cli::readInteger(bad).has_value()) << bad;

    EXPECT_EQ(cli::readRound("1"), 1);
    EXPECT_EQ(cli::readRound("40"), 40);
    for (const char* bad : {"0", "41", "3x", "-1"})
        EXPECT_FALSE(cli::readRound(bad).has_value()) << bad;
    EXPECT_EQ(cli::readCount("0"), 0);
    EXPECT_FALSE(cli::readCount("-1").has_value());
    EXPECT_EQ(cli::readIntegerIn("99", 1, 99), 99);
    EXPECT_FALSE(cli::readIntegerIn("100", 1, 99).has_value());

    EXPECT_EQ(cli::readSeed("0"), 0u);
    EXPECT_EQ(cli::readSeed("18446744073709551615"), UINT64_MAX);
    for (const char* bad : {"12abc", "-1", "18446744073709551616", ""})
        EXPECT_FALSE(cli::readSeed(bad).has_value()) << bad;

    EXPECT_EQ(cli::readNumberList("4,2"), (std::vector<int32_t>{4, 2}));
    EXPECT_EQ(cli::readNumberList("7"), (std::vector<int32_t>{7}));
    for (const char* bad : {"", "1,", ",1", "1,,2", "1,2x", "1, 2", "1;2"})
        EXPECT_FALSE(cli::readNumberList(bad).has_value()) << bad;
    EXPECT_FALSE(cli::readNumberList("3,-1", 0).has_value());
}

TEST(CliReaders, TimesAreReadAsTypedOrRefused)
{
    // A colon separates like the point: 7:30 is 7 min 30 s, not 7 min 00 s.
    EXPECT_EQ(cli::readDurationTime("7:30"), 450);
    EXPECT_EQ(cli::readDurationTime("7.30"), 450);
    EXPECT_EQ(cli::readDurationTime("7,05"), 425);
    EXPECT_EQ(cli::readDurationTime("7.5"), 425);
    EXPECT_EQ(cli::readDurationTime("8"), 480);
    EXPECT_EQ(cli::readDurationTime("100:00"), 6000);
    for (const char* bad : {"abc", "", "7:", ":30", "7:60", "7.300", "7:30:00", "-7.30", "7 30", "12345", "7.3x"})
        EXPECT_FALSE(cli::readDurationTime(bad).has_value()) << bad;

    EXPECT_EQ(cli::readSpeedTime("23.4"), 234);
    EXPECT_EQ(cli::readSpeedTime("23,4"), 234);
    EXPECT_EQ(cli::readSpeedTime("23:4"), 234);
    EXPECT_EQ(cli::readSpeedTime("28"), 280);
    for (const char* bad : {"abc", "", "99:99", "23.45", "23.", ".4", "-23.4", "23.4s", "1e2"})
        EXPECT_FALSE(cli::readSpeedTime(bad).has_value()) << bad;
}

TEST(Cli, MistypedNumbersAreUsageErrorsThatChangeNothing)
{
    TempDir dir;
    const std::string path = writeContest(dir, {12, 3, 5, 0});
    const std::string original = fixtures::readFile(path);

    // Read by their leading digits, these would delete round 3, draw its
    // weighing or draw round 6, and save.
    CliRun round = runCli({"delete-round", path, "3x"});
    EXPECT_EQ(round.exit, 2);
    EXPECT_EQ(round.err, "r7t delete-round: numéro de manche incorrect : 3x\n"
                         "usage: r7t delete-round FICHIER MANCHE [--yes] [--password W]\n");
    CliRun seed = runCli({"weighing", path, "3", "--seed", "12abc"});
    EXPECT_EQ(seed.exit, 2);
    EXPECT_EQ(seed.err.substr(0, seed.err.find('\n')), "r7t weighing: --seed attend un entier positif");
    CliRun drawSeed = runCli({"draw", path, "--seed", "12abc"});
    EXPECT_EQ(drawSeed.exit, 2);
    EXPECT_EQ(drawSeed.err.substr(0, drawSeed.err.find('\n')), "r7t draw: --seed attend un entier positif");
    // Nor is a count or a round number ever negative.
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"change-frequency", path, "5x"},
             {"change-frequency", path, "-1"},
             {"edit-pilot", path, "1", "--frequency-change", "5x"},
             {"edit-pilot", path, "1", "--frequency-change", "0"},
             {"draw", path, "--absent", "1,2,"},
             {"draw", path, "--absent", "-1"},
             {"draw", path, "--attempts", "10k"},
             {"draw", path, "--attempts", "-1"},
         })
        EXPECT_EQ(runCli(args).exit, 2) << args[0] << " " << args.back();
    EXPECT_EQ(fixtures::readFile(path), original);
    EXPECT_EQ(runCli({"delete-round", path, "3", "--yes"}).exit, 0);
}

TEST(Cli, ADrawNeedsSixCompetitorsPresent)
{
    TempDir dir;
    const std::string path = writeContest(dir, {5, 2, 0, 0});
    const std::string five = fixtures::readFile(path);
    const std::vector<std::string> draw = {"draw", path, "--frequencies-checked", "--seed", "1"};
    const std::string refusal = "r7t draw: Au moins 6 concurrents sont nécessaires !\n";

    CliRun refused = runCli(draw);
    EXPECT_EQ(refused.exit, 1);
    EXPECT_EQ(refused.err, refusal);
    EXPECT_TRUE(fixtures::readFile(path) == five);

    ASSERT_EQ(runCli({"add-pilot", path, "--name", "Sixième", "--freq1", "35.2"}).out, "6\n");
    const std::string six = fixtures::readFile(path);
    // Registered is not enough: the absent do not count.
    CliRun absent = runCli({"draw", path, "--absent", "6", "--frequencies-checked", "--seed", "1"});
    EXPECT_EQ(absent.exit, 1);
    EXPECT_EQ(absent.err, refusal);
    EXPECT_TRUE(fixtures::readFile(path) == six);

    CliRun drawn = runCli(draw);
    EXPECT_EQ(drawn.exit, 0) << drawn.err;
    EXPECT_NE(runCli({"info", path}).out.find("prepared rounds: -1-"), std::string::npos);
}

TEST(Cli, WeighingIsDrawnOnceAndOnlyInAPreparedRound)
{
    TempDir dir;
    const std::string path = writeContest(dir, {12, 3, 2, 0});
    const std::string original = fixtures::readFile(path);

    CliRun unprepared = runCli({"weighing", path, "3", "--seed", "3"});
    EXPECT_EQ(unprepared.exit, 1);
    EXPECT_EQ(unprepared.err, "r7t weighing: Manche 3 : manche non préparée\n");
    EXPECT_TRUE(fixtures::readFile(path) == original);

    CliRun first = runCli({"weighing", path, "1", "--seed", "3"});
    ASSERT_EQ(first.exit, 0) << first.err;
    EXPECT_NE(first.out.find("Pesées de contrôle des planeurs - Manche 1"), std::string::npos);
    const std::string drawn = fixtures::readFile(path);
    EXPECT_FALSE(drawn == original); // the marks are kept
    CliRun again = runCli({"weighing", path, "1", "--seed", "4"});
    EXPECT_EQ(again.out, first.out);
    EXPECT_TRUE(fixtures::readFile(path) == drawn);
}

TEST(Cli, ADamagedFileIsRefusedOnceAndNothingIsSaved)
{
    TempDir dir;
    Contest c;
    fixtures::buildContest(c, {7, 0, 2, 0});
    c.removePilot(3); // its start slots stay
    fixtures::saveContestFile(c, dir.file("c.r7s"));
    const std::string path = c.filePath;
    const std::string original = fixtures::readFile(path);

    const std::vector<std::vector<std::string>> runs = {
        {"scores", path, "2"}, {"score", path, "2", "1", "--speed", "30", "--duration", "4.00"}};
    for (const std::vector<std::string>& args : runs) {
        CliRun refused = runCli(args);
        EXPECT_EQ(refused.exit, 1) << args[0];
        EXPECT_EQ(refused.out, "") << args[0];
        EXPECT_EQ(refused.err.rfind("r7t " + args[0] + ": " + path + ": Le fichier choisi est incompatible ! "
                                    "(fichier endommagé, manche 1, ", 0), 0u)
            << refused.err;
        EXPECT_NE(refused.err.find("le concurrent 3 n'est pas inscrit)\n"), std::string::npos) << refused.err;
        EXPECT_EQ(refused.err.find("r7t ", 1), std::string::npos) << refused.err;
    }
    EXPECT_EQ(fixtures::readFile(path), original);
}
