// r7t print and print-inspection write PDF files; pdftotext reads them back.
#include "support/cli_run.h"
#include "cli/command.h"
#include "contest/contest_file.h"
#include "inspection/ctr_file.h"
#include "support/contest_builder.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sstream>

using namespace r7t;
using r7t::fixtures::CliRun;
using r7t::fixtures::runCli;
using r7t::fixtures::TempDir;

namespace {

// Runs of blanks become one space, so that texts compare whatever
// spacing the PDF's text layer keeps.
std::string squeezed(const std::string& text)
{
    std::string s;
    for (char c : text) {
        const bool blank = c == ' ' || c == '\n' || c == '\t' || c == '\f' || c == '\r';
        if (blank && (s.empty() || s.back() == ' '))
            continue;
        s += blank ? ' ' : c;
    }
    return s;
}

// The text layer of the PDF, pages ended by form feeds.
std::string pdftotext(const std::string& pdf)
{
    std::string text;
    FILE* pipe = ::popen(("pdftotext -layout '" + pdf + "' - 2>/dev/null").c_str(), "r");
    if (!pipe)
        return text;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        text.append(buffer, n);
    ::pclose(pipe);
    return text;
}

std::string pdfText(const std::string& pdf) { return squeezed(pdftotext(pdf)); }

int pdfPages(const std::string& pdf)
{
    int pages = 0;
    for (char c : pdftotext(pdf))
        pages += c == '\f';
    return pages;
}

class PrintCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        Contest c;
        fixtures::buildContest(c, {12, 4, 3, 0});
        fixtures::saveContestFile(c, dir.file("coupe.r7s"));
        contest = c.filePath;
    }

    // Prints the document and returns the PDF's text.
    std::string print(std::vector<std::string> args, const std::string& name)
    {
        const std::string pdf = dir.file(name);
        args.insert(args.begin(), {"print", contest});
        args.insert(args.end(), {"--pdf", pdf});
        const CliRun run = runCli(args);
        EXPECT_EQ(run.exit, 0) << run.err;
        const int pages = pdfPages(pdf);
        EXPECT_GE(pages, 1);
        EXPECT_EQ(run.out, pdf + " : " + std::to_string(pages) + (pages > 1 ? " pages\n" : " page\n"));
        return pdfText(pdf);
    }

    TempDir dir;
    std::string contest;
};

void expectTexts(const std::string& text, const std::vector<std::string>& wanted)
{
    for (const std::string& w : wanted)
        EXPECT_NE(text.find(squeezed(w)), std::string::npos) << "missing: " << w << "\nin: " << text.substr(0, 2000);
}

} // namespace

TEST_F(PrintCli, EveryContestDocumentPrintsToPdf)
{
    expectTexts(print({"competitors"}, "competitors.pdf"),
                {"Concurrents", "R7T - Championnat de France R7T - Aérodrome de Saint-Hélène - 06/12/2026", "01",
                 "Pilote n°1 Éloïse", "Licence : LIC100001", "Freq1 : 35.020", "Freq2 : 40.675", "m1 : 2030 g.",
                 "Remarque : planeur rouge"});
    expectTexts(print({"tow-pilots"}, "tow.pdf"), {"Remorqueurs", "101", "Remorqueur 1", "Freq1 : 41.000"});
    const std::string sheets = print({"flight-sheets", "--from", "2", "--to", "3"}, "sheets.pdf");
    expectTexts(sheets, {"Pilote", "n°2 Éloïse", "LIC100002", "LIC100003"});
    EXPECT_EQ(sheets.find("LIC100004"), std::string::npos);
    expectTexts(print({"start-list", "--round", "2", "--task", "1"}, "start.pdf"),
                {"VITESSE - Manche 2", "R7T V3 - Championnat de France R7T", "Groupe 1 - Remorqueur :",
                 "Ne participent pas à la manche 2 :", "Aucun"});
    expectTexts(print({"round-sheet", "--round", "1"}, "sheet.pdf"),
                {"Manche 1", "1 : sur cible", "Groupe 1", "Vitesse", "Visa", "Durée", "Atterro."});
    expectTexts(print({"round-results", "--round", "1"}, "results.pdf"),
                {"Résultats - Manche 1", "PILOTE N°1 ÉLOÏSE - LIC100001", "Points V", "(Gr) Durée"});
    expectTexts(print({"ranking", "--final"}, "final.pdf"),
                {"Classement final - 3 manches", "points", "100.0 %", "Totaux", "m3"});
    expectTexts(print({"ranking", "--rounds", "1,2", "--discard", "1"}, "chosen.pdf"),
                {"Classement intermédiaire - 2 manches"});

    ASSERT_EQ(runCli({"weighing", contest, "1", "--seed", "3"}).exit, 0);
    expectTexts(print({"weighing", "--round", "1"}, "weighing.pdf"),
                {"Pesées - Manche : 1", "CONFIDENTIEL (destiné au Directeur de compétition)", "Inscription : pla1 ="});
}

TEST_F(PrintCli, RefusalsWriteNoFile)
{
    const std::string pdf = dir.file("x.pdf");
    EXPECT_EQ(runCli({"print", contest, "menu", "--pdf", pdf}).exit, 2);
    EXPECT_EQ(runCli({"print", contest, "competitors"}).exit, 2);
    EXPECT_EQ(runCli({"print", contest, "competitors", "--round", "1", "--pdf", pdf}).exit, 2);
    EXPECT_EQ(runCli({"print", contest, "start-list", "--round", "1", "--pdf", pdf}).exit, 2);
    const CliRun unprepared = runCli({"print", contest, "round-sheet", "--round", "9", "--pdf", pdf});
    EXPECT_EQ(unprepared.exit, 1);
    EXPECT_NE(unprepared.err.find("Manche 9 : manche non préparée"), std::string::npos);
    const CliRun noDraw = runCli({"print", contest, "weighing", "--round", "2", "--pdf", pdf});
    EXPECT_EQ(noDraw.exit, 1);
    EXPECT_FALSE(std::filesystem::exists(pdf));

    // A contest without pilots: an empty list prints no page and no file.
    const std::string empty = dir.file("vide.r7s");
    ASSERT_EQ(runCli({"new", empty}).exit, 0);
    const CliRun nothing = runCli({"print", empty, "competitors", "--pdf", pdf});
    EXPECT_EQ(nothing.exit, 1);
    EXPECT_NE(nothing.err.find("rien à imprimer"), std::string::npos);
    EXPECT_EQ(runCli({"print", empty, "flight-sheets", "--pdf", pdf}).err,
              "r7t print: - Pas encore d'inscrits -\n");
    EXPECT_FALSE(std::filesystem::exists(pdf));

    // A folder that cannot be written.
    const CliRun unwritable = runCli({"print", contest, "competitors", "--pdf", dir.file("absent/x.pdf")});
    EXPECT_EQ(unwritable.exit, 1);
    EXPECT_NE(unwritable.err.find("écriture impossible"), std::string::npos);
}

TEST_F(PrintCli, InspectionSheetsPrintToPdf)
{
    Inspection inspection;
    for (int number : {4, 9}) {
        createPilot(inspection, number, "Pilote");
        Glider* one = inspection.findGlider(number, 1);
        one->model.assignUtf8("Fox");
        one->mass = number == 4 ? 3000 : 0;
        one->filled = 1;
    }
    inspection.filePath = dir.file("ctrl.ctr");
    inspection.isOpen = true;
    ASSERT_TRUE(MajFichier(inspection).ok());

    const std::string pdf = dir.file("ctrl.pdf");
    const CliRun run = runCli({"print-inspection", inspection.filePath, "--pdf", pdf});
    ASSERT_EQ(run.exit, 0) << run.err;
    EXPECT_EQ(run.out, pdf + " : 2 pages\n");
    expectTexts(pdfText(pdf), {"Caractéristiques planeurs du n° 4", "Planeur 1 - Pilote", "Masse en vol ( g ) 3000 Valide",
                               "Caractéristiques planeurs du n° 9", "?????", "Pas de planeur 2", "Signature pilote"});

    const CliRun one = runCli({"print-inspection", inspection.filePath, "--pdf", pdf, "--from", "9", "--to", "2"});
    ASSERT_EQ(one.exit, 0) << one.err;
    EXPECT_EQ(one.out, pdf + " : 1 page\n");
    EXPECT_EQ(runCli({"print-inspection", inspection.filePath, "--pdf", pdf, "--from", "5", "--to", "8"}).exit, 1);
    EXPECT_EQ(runCli({"print-inspection", contest, "--pdf", dir.file("y.pdf")}).exit, 1);
}
