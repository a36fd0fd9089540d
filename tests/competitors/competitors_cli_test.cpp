#include "support/cli_run.h"
#include "cli/command.h"
#include "contest/contest_file.h"
#include "support/contest_builder.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace r7t;
using r7t::fixtures::CliRun;
using r7t::fixtures::runCli;
using r7t::fixtures::TempDir;

namespace {

std::string newContest(const TempDir& dir)
{
    const std::string path = dir.file("c.r7s");
    EXPECT_EQ(runCli({"new", path}).exit, 0);
    return path;
}

Contest& load(Contest& c, const std::string& path)
{
    c.setPath(path);
    c.isOpen = true;
    EXPECT_EQ(RepriseFic(c).status, LoadStatus::Loaded);
    return c;
}

} // namespace

TEST(CompetitorsCli, AddEditListAndDeletePeople)
{
    TempDir dir;
    const std::string path = newContest(dir);
    EXPECT_EQ(runCli({"pilots", path}).out, "- Pas encore d'inscrits -\n");

    CliRun added = runCli({"add-pilot", path, "--name", "Hélène", "--freq1", "35,01", "--freq2", "72.21", "--mass1", "2500"});
    ASSERT_EQ(added.exit, 0) << added.err;
    EXPECT_EQ(added.out, "1\n");
    EXPECT_EQ(runCli({"add-pilot", path, "--name", "Bob", "--freq1", "40998"}).out, "2\n");
    EXPECT_EQ(runCli({"add-pilot", path, "--tow", "--name", "Remorqueur", "--freq1", "41000"}).out, "101\n");

    CliRun refused = runCli({"add-pilot", path, "--name", "X", "--freq1", "35010", "--mass2", "5100"});
    EXPECT_EQ(refused.exit, 1);
    EXPECT_EQ(refused.err, "r7t add-pilot: Masse saisie incorrecte !\n");
    EXPECT_EQ(runCli({"add-pilot", path, "--tow", "--freq1", "35010", "--mass1", "2500"}).exit, 2);

    CliRun list = runCli({"pilots", path});
    EXPECT_EQ(list.out, " 01 - Hélène" + std::string(14, ' ') + "   35.010   72.210\n"
                        " 02 - Bob" + std::string(17, ' ') + "   41.000   \n");
    EXPECT_EQ(runCli({"pilots", path, "--tow"}).out, " 101 - Remorqueur" + std::string(10, ' ') + "   41.000   \n");

    CliRun edited = runCli({"edit-pilot", path, "2", "--freq2", "2.4 GHz", "--club", "Aéro-club"});
    ASSERT_EQ(edited.exit, 0) << edited.err;
    EXPECT_EQ(edited.out, " 02 - Bob" + std::string(17, ' ') + "   41.000   2.4 GHz\nAbandon pour manches : \n");
    Contest c;
    load(c, path);
    EXPECT_EQ(c.findPilot(2)->club.utf8(), "Aéro-club");
    EXPECT_EQ(c.findPilot(2)->frequency1, 41000);
    EXPECT_EQ(c.findPilot(1)->massGlider1, 2500);
    EXPECT_EQ(c.competitorCount(), 2);

    EXPECT_EQ(runCli({"edit-pilot", path, "7", "--name", "Y"}).exit, 1);
    EXPECT_EQ(runCli({"edit-pilot", path, "x7"}).exit, 2);

    CliRun deleted = runCli({"delete-pilot", path, "1", "--yes"});
    ASSERT_EQ(deleted.exit, 0) << deleted.err;
    EXPECT_EQ(deleted.out, " 02 - Bob" + std::string(17, ' ') + "   41.000   2.4 GHz\n");
    EXPECT_EQ(runCli({"add-pilot", path, "--name", "Zoé", "--freq1", "35.03"}).out, "1\n");
}

TEST(CompetitorsCli, TextsTheFileCannotHoldAreRefusedAndNothingIsWritten)
{
    TempDir dir;
    const std::string path = newContest(dir);
    ASSERT_EQ(runCli({"add-pilot", path, "--name", "Hélène", "--club", "Œuvre € club", "--freq1", "35.01"}).exit, 0);
    const std::string before = fixtures::readFile(path);

    CliRun added = runCli({"add-pilot", path, "--name", "Łódź", "--freq1", "35.02"});
    EXPECT_EQ(added.exit, 1);
    EXPECT_EQ(added.err,
              "r7t add-pilot: --name : le caractère « Ł » ne peut pas être enregistré dans le fichier du concours\n");
    EXPECT_EQ(added.out, "");

    CliRun edited =
        runCli({"edit-pilot", path, "1", "--name", "Anne", "--remark", "Erdős 🛩", "--frequency-change", "1"});
    EXPECT_EQ(edited.exit, 1);
    EXPECT_EQ(edited.err, "r7t edit-pilot: --remark : le caractère « ő » ne peut pas être enregistré dans le "
                          "fichier du concours\n");
    EXPECT_EQ(edited.out, ""); // refused before the frequency change

    CliRun tow = runCli({"add-pilot", path, "--tow", "--name", "Remorqueur", "--country", "Česko"});
    EXPECT_EQ(tow.exit, 1);
    EXPECT_NE(tow.err.find("« Č »"), std::string::npos);

    EXPECT_EQ(fixtures::readFile(path), before);
    Contest c;
    EXPECT_EQ(load(c, path).findPilot(1)->club.utf8(), "Œuvre € club");
    EXPECT_EQ(c.competitorCount(), 1);
    EXPECT_EQ(c.towPilotCount(), 0);
}

TEST(CompetitorsCli, PreparedRoundsLockFrequenciesAndDeletion)
{
    TempDir dir;
    Contest built;
    fixtures::buildContest(built, {12, 3, 5, 0});
    for (int r = 4; r <= 5; ++r)
        built.roundHasScores[r] = built.roundComplete[r] = 0;
    for (int r = 4; r <= 5; ++r) {
        for (StartGroup& g : built.groups)
            for (GroupSlot& s : g.slots)
                if (g.round == r)
                    s.result = s.reflight = nullptr;
        built.results.remove_if([&](const FlightResult& res) { return res.round == r; });
    }
    fixtures::saveContestFile(built, dir.file("rounds.r7s"));
    const std::string path = built.filePath;

    CliRun locked = runCli({"edit-pilot", path, "1", "--freq1", "35.05"});
    EXPECT_EQ(locked.exit, 1);
    EXPECT_NE(locked.err.find("Modif. Freq."), std::string::npos);
    EXPECT_EQ(runCli({"delete-pilot", path, "1"}).exit, 1);

    CliRun early = runCli({"change-frequency", path, "3"});
    EXPECT_EQ(early.exit, 1);
    EXPECT_EQ(early.err, "r7t change-frequency: Manche déjà exécutée ! (première manche possible : 4)\n");

    CliRun cancelled = runCli({"change-frequency", path, "5"});
    ASSERT_EQ(cancelled.exit, 0) << cancelled.err;
    EXPECT_EQ(cancelled.out, "Manche annulée : 5\n");
    Contest c;
    EXPECT_EQ(load(c, path).lastPreparedRound, 4);

    // The form's own frequency change, then the modification in one go.
    CliRun changed = runCli({"edit-pilot", path, "1", "--freq1", "35.05", "--frequency-change", "4"});
    ASSERT_EQ(changed.exit, 0) << changed.err;
    EXPECT_EQ(changed.out.substr(0, changed.out.find('\n')), "Manche annulée : 4");
    Contest after;
    load(after, path);
    EXPECT_EQ(after.lastPreparedRound, 3);
    EXPECT_EQ(after.findPilot(1)->frequency1, 35050);
}

TEST(CompetitorsCli, ImportIsAllOrNothing)
{
    TempDir dir;
    const std::string path = newContest(dir);
    const std::string header = "N\tNom\tF1\tF2\tLic\tClub\tNc\tPays\tRem\n";
    fixtures::writeFile(dir.file("bad.txt"), header + "1\tA\t35010\t\tL\tC\t1\tF\tR\n" + "99\tB\t35030\t\tL\tC\t1\tF\tR\n");
    CliRun bad = runCli({"import", path, dir.file("bad.txt")});
    EXPECT_EQ(bad.exit, 1);
    EXPECT_EQ(bad.out, "0  fiche(s) importée(s)  -  1  erreur(s)\nligne 3 - Numéro doublé ou absent\n");
    EXPECT_EQ(runCli({"pilots", path}).out, "- Pas encore d'inscrits -\n");

    fixtures::writeFile(dir.file("good.txt"), header + "4\tM\xe9lanie\t35010\t\tL\tC\t1\tF\tR\n");
    CliRun good = runCli({"import", path, dir.file("good.txt")});
    ASSERT_EQ(good.exit, 0) << good.err;
    EXPECT_EQ(good.out, "1  fiche(s) importée(s)  -  0  erreur(s)\n");
    EXPECT_EQ(runCli({"pilots", path}).out, " 04 - Mélanie" + std::string(13, ' ') + "   35.010   \n");

    CliRun missing = runCli({"import", path, dir.file("none.txt")});
    EXPECT_EQ(missing.exit, 1);
    EXPECT_EQ(missing.err, "r7t import: Le fichier " + dir.file("none.txt") + " ne peut pas être ouvert !\n");
    fixtures::writeFile(dir.file("header.txt"), "just a text\n");
    EXPECT_EQ(runCli({"import", path, dir.file("header.txt")}).err, "r7t import: Le fichier choisi est incompatible !\n");

    // A spreadsheet's default export: UTF-8, semicolons, then its tab form
    // with a blank line in the middle.
    fixtures::writeFile(dir.file("semicolons.csv"), "N;Nom;F1;F2;Lic;Club;Nc;Pays;Rem\n5;Jérôme;35030;;L;C;1;F;R\n");
    CliRun semicolons = runCli({"import", path, dir.file("semicolons.csv")});
    EXPECT_EQ(semicolons.exit, 1);
    EXPECT_EQ(semicolons.err, "r7t import: Le fichier choisi est incompatible !\nLes champs de ce fichier sont "
                              "séparés par des points-virgules : ils doivent l'être par des tabulations "
                              "(enregistrer la feuille au format texte avec tabulations).\n");
    fixtures::writeFile(dir.file("utf8.txt"), header + "5\tJérôme\t35030\t\tL\tC\t1\tF\tR\n\n6\tZoé\t35050\t\tL\tC\t1\tF\tR\n");
    CliRun utf8 = runCli({"import", path, dir.file("utf8.txt")});
    ASSERT_EQ(utf8.exit, 0) << utf8.err;
    EXPECT_EQ(utf8.out, "1  fiche(s) importée(s)  -  0  erreur(s)\nlecture arrêtée à la ligne 3 : 1 ligne(s) non lue(s)\n");
    Contest after;
    load(after, path);
    EXPECT_EQ(after.findPilot(5)->name.utf8(), "Jérôme");
}
