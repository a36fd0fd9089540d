#include "competitors/import.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace r7t;

namespace {

const std::string kHeader = "N°\tNom\tFréq1\tFréq2\tLicence\tClub\tN° club\tPays\tRemarque\n";

std::string line(const std::string& number, const std::string& name, const std::string& f1,
                 const std::string& f2 = "", const std::string& remark = "")
{
    return number + "\t" + name + "\t" + f1 + "\t" + f2 + "\tLIC" + number + "\tClub\t42\tFrance\t" + remark + "\n";
}

ImportOutcome importText(Contest& c, const std::string& text)
{
    std::istringstream in(text);
    return importCompetitors(c, in);
}

} // namespace

TEST(Import, CreatesEveryFieldOfEveryLine)
{
    Contest c;
    const std::string file = kHeader + line("7", "MARTIN", "35,01", "2400", "pas de remarque\tdixième champ") +
                             line("12", "DURAND", "2400000") + line("3", "PETIT", "72.21", "35012");
    ImportOutcome o = importText(c, file);
    ASSERT_EQ(o.status, ImportStatus::Imported);
    EXPECT_EQ(o.imported, 3u);
    EXPECT_EQ(o.errors, 0u);
    EXPECT_EQ(o.resultLine, "3  fiche(s) importée(s)  -  0  erreur(s)");
    EXPECT_EQ(c.competitorCount(), 3);
    EXPECT_EQ(c.highestCompetitorNumber(), 12);
    const Pilot* p = c.findPilot(7);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->name.raw(), "MARTIN");
    EXPECT_EQ(p->frequency1, 35010);
    EXPECT_EQ(p->frequency2, 2400000);
    EXPECT_EQ(p->licence.raw(), "LIC7");
    EXPECT_EQ(p->club.raw(), "Club");
    EXPECT_EQ(p->clubNumber, 42);
    EXPECT_EQ(p->country.raw(), "France");
    EXPECT_EQ(p->remark.utf8(), "pas de remarque\tdixième champ"); // a tenth field ends up in the remark
    EXPECT_EQ(p->participation, 99);
    EXPECT_EQ(c.findPilot(12)->frequency2, 0);
    EXPECT_EQ(c.findPilot(3)->frequency2, 35012);
    // Creation order is file order.
    EXPECT_EQ(c.pilots.front().number, 7);
    EXPECT_EQ(c.pilots.back().number, 3);
}

TEST(Import, AnyFaultImportsNothingAndListsFaultsInOrder)
{
    Contest c;
    const std::string file = kHeader + line("1", "A", "35010") +          // 2 fine
                             line("99", "", "2.4 GHz") +                   // 3 name, number, frequency
                             "5\tseven\ttabs\tonly\there\t\t\t\n" +        // 4 7 tabs
                             line("1", "C", "35030") +                     // 5 number met on line 2
                             line("6", "D", "35050", "41.5");              // 6 frequency 2
    ImportOutcome o = importText(c, file);
    EXPECT_EQ(o.status, ImportStatus::Refused);
    EXPECT_EQ(o.imported, 0u);
    EXPECT_TRUE(c.pilots.empty());
    EXPECT_EQ(c.competitorCount(), 0);
    EXPECT_EQ(o.errors, 6u);
    EXPECT_EQ(o.resultLine, "0  fiche(s) importée(s)  -  6  erreur(s)");
    EXPECT_EQ(o.errorLines, (std::vector<std::string>{
                                "ligne 3 - Nom absent",
                                "ligne 3 - Numéro doublé ou absent",
                                "ligne 3 - Fréquence incorrecte",
                                "ligne 4 - Ligne incorrecte",
                                "ligne 5 - Numéro doublé ou absent",
                                "ligne 6 - Fréquence incorrecte",
                            }));
    EXPECT_EQ(o.lastLine, 6u);
}

TEST(Import, SecondImportOfTheSameFileFlagsEveryNumber)
{
    Contest c;
    const std::string file = kHeader + line("1", "A", "35010") + line("2", "B", "35030") + line("98", "C", "35050");
    ASSERT_EQ(importText(c, file).imported, 3u);
    ImportOutcome again = importText(c, file);
    EXPECT_EQ(again.status, ImportStatus::Refused);
    EXPECT_EQ(again.errorLines, (std::vector<std::string>{"ligne 2 - Numéro doublé ou absent",
                                                          "ligne 3 - Numéro doublé ou absent",
                                                          "ligne 4 - Numéro doublé ou absent"}));
    EXPECT_EQ(c.pilots.size(), 3u);
    EXPECT_EQ(c.competitorCount(), 3);
}

TEST(Import, NumbersOutsideOneToNinetyEightAreRefused)
{
    Contest c;
    for (const char* number : {"99", "0", "", "-4", "abc", "101", "00000001" /* kept: "0000000" */}) {
        ImportOutcome o = importText(c, kHeader + line(number, "A", "35010"));
        EXPECT_EQ(o.errorLines, std::vector<std::string>{"ligne 2 - Numéro doublé ou absent"}) << number;
    }
    EXPECT_TRUE(c.pilots.empty());
}

TEST(Import, ShortLineEndsTheFile)
{
    Contest c;
    const std::string file = kHeader + line("1", "A", "35010") + "\t\t\t\n" + line("2", "", "bad") + "garbage\n";
    ImportOutcome o = importText(c, file);
    EXPECT_EQ(o.status, ImportStatus::Imported);
    EXPECT_EQ(o.imported, 1u);
    EXPECT_EQ(o.lastLine, 2u);
    EXPECT_EQ(c.findPilot(2), nullptr);
    // Said, not silently dropped: the lines with something in them.
    EXPECT_EQ(o.unread, 2u);
    EXPECT_EQ(o.unreadLine, "lecture arrêtée à la ligne 3 : 2 ligne(s) non lue(s)");
    Contest other;
    const ImportOutcome shortLine = importText(other, kHeader + line("1", "A", "35010") + "1\tB\t35\n\n \t\n");
    EXPECT_EQ(shortLine.unread, 1u); // the short line itself, not the blank ones
    const ImportOutcome trailing = importText(other, kHeader + line("2", "", "35010") + "\n\n\t\n");
    EXPECT_EQ(trailing.status, ImportStatus::Refused);
    EXPECT_EQ(trailing.unread, 0u);
    EXPECT_EQ(trailing.unreadLine, "");
    // Nine characters and the newline make ten: a line.
    EXPECT_EQ(importText(c, kHeader + "123456789\n").errorLines,
              std::vector<std::string>{"ligne 2 - Ligne incorrecte"});
    EXPECT_EQ(importText(c, kHeader + "12345678\n").errors, 0u);
}

TEST(Import, HeaderNeedsSevenTabs)
{
    Contest c;
    ImportOutcome o = importText(c, "a\tb\tc\td\te\tf\tg\n" + line("1", "A", "35010"));
    EXPECT_EQ(o.status, ImportStatus::Incompatible);
    EXPECT_EQ(o.alert, "Le fichier choisi est incompatible !");
    EXPECT_EQ(importText(c, "").status, ImportStatus::Incompatible);
    EXPECT_TRUE(c.pilots.empty());
    EXPECT_EQ(importText(c, "\t\t\t\t\t\t\t\n" + line("1", "A", "35010")).imported, 1u);
}

TEST(Import, UnicodeSheetsAreConvertedToWindows1252)
{
    const std::string sheet = kHeader + line("1", "Jérôme", "35010") + line("2", "Cœur ŒUVRE", "35030", "", "€ — “ok”");
    const auto check = [](const std::string& bytes, const char* what) {
        Contest c;
        ImportOutcome o = importText(c, bytes);
        ASSERT_EQ(o.status, ImportStatus::Imported) << what << (o.errorLines.empty() ? "" : o.errorLines[0]);
        EXPECT_EQ(o.imported, 2u) << what;
        EXPECT_EQ(c.findPilot(1)->name.raw(), "J\xe9r\xf4me") << what;
        EXPECT_EQ(c.findPilot(2)->name.utf8(), "Cœur ŒUVRE") << what;
        EXPECT_EQ(c.findPilot(2)->remark.utf8(), "€ — “ok”") << what;
    };
    check(sheet, "UTF-8");
    check("\xEF\xBB\xBF" + sheet, "UTF-8 with its mark");

    const std::u16string wide = u"N°\tNom\tF1\tF2\tLic\tClub\tNc\tPays\tRem\r\n"
                                u"1\tJérôme\t35010\t\tLIC1\tClub\t42\tFrance\t\r\n"
                                u"2\tCœur ŒUVRE\t35030\t\tLIC2\tClub\t42\tFrance\t€ — “ok”\r\n";
    std::string le = "\xFF\xFE", be = "\xFE\xFF";
    for (char16_t u : wide) {
        le += static_cast<char>(u & 0xFF);
        le += static_cast<char>(u >> 8);
        be += static_cast<char>(u >> 8);
        be += static_cast<char>(u & 0xFF);
    }
    check(le, "UTF-16 LE");
    check(be, "UTF-16 BE");
    // Without the byte-order mark, told by the NULs of its ASCII characters.
    check(le.substr(2), "UTF-16 LE without mark");
    check(be.substr(2), "UTF-16 BE without mark");
}

TEST(Import, NulsInAWindows1252SheetDoNotMakeItUtf16)
{
    // A few NULs, none in alternating places: still Windows-1252 (the NUL
    // ends the field's text, as it always did).
    const std::string file = kHeader + line("1", std::string("A\0B", 3), "35010") + line("2", "H\xe9l\xe8ne", "35030");
    Contest c;
    ImportOutcome o = importText(c, file);
    ASSERT_EQ(o.status, ImportStatus::Imported) << (o.errorLines.empty() ? "" : o.errorLines[0]);
    EXPECT_EQ(c.findPilot(2)->name.raw(), "H\xe9l\xe8ne");
}

TEST(Import, Windows1252SheetIsReadByteForByte)
{
    // Every byte above 0x7F but the last, the undefined ones included.
    std::string high;
    for (int b = 0x80; b < 0xFF; ++b)
        high += static_cast<char>(b);
    const std::string file = utf8ToCp1252(kHeader + line("1", "Hélène", "35010")) + line("2", "B", "35030", "", high) +
                             line("3", "Ã©", "35050"); // also valid UTF-8, but not the whole file
    Contest c;
    ImportOutcome o = importText(c, file);
    ASSERT_EQ(o.status, ImportStatus::Imported) << (o.errorLines.empty() ? "" : o.errorLines[0]);
    EXPECT_EQ(c.findPilot(1)->name.raw(), "H\xe9l\xe8ne");
    EXPECT_EQ(c.findPilot(2)->remark.raw(), high);
    EXPECT_EQ(c.findPilot(3)->name.raw(), "Ã©");
}

TEST(Import, CharacterWithoutAWindows1252FormMakesItsLineFaulty)
{
    Contest c;
    const std::string file = kHeader + line("1", "Łukasz", "bad") + line("2", "B", "35030", "", "😀 et ☺") +
                             line("3", "Zoë", "35050");
    ImportOutcome o = importText(c, file);
    EXPECT_EQ(o.status, ImportStatus::Refused);
    EXPECT_TRUE(c.pilots.empty());
    EXPECT_EQ(o.errors, 3u);
    EXPECT_EQ(o.errorLines, (std::vector<std::string>{
                                "ligne 2 - Fréquence incorrecte",
                                "ligne 2 - Caractère « Ł » impossible à enregistrer",
                                "ligne 3 - Caractère « 😀 » impossible à enregistrer",
                            }));
    // A malformed sequence in a file marked UTF-8, and a lone UTF-16 half.
    EXPECT_EQ(importText(c, "\xEF\xBB\xBF" + kHeader + line("1", "A\xE9z", "35010")).errorLines,
              std::vector<std::string>{"ligne 2 - Caractère « \xEF\xBF\xBD » impossible à enregistrer"});
    std::string le = "\xFF\xFE";
    for (char16_t u : std::u16string(u"\t\t\t\t\t\t\t\n1\tA") + char16_t(0xD83D) + u"\t35010\t\t\t\t\t\t\n")
        le += {static_cast<char>(u & 0xFF), static_cast<char>(u >> 8)};
    EXPECT_EQ(importText(c, le).errorLines,
              std::vector<std::string>{"ligne 2 - Caractère « \xEF\xBF\xBD » impossible à enregistrer"});
    EXPECT_TRUE(c.pilots.empty());
}

TEST(Import, SheetSeparatedBySemicolonsOrCommasGetsAHint)
{
    Contest c;
    ImportOutcome semicolons = importText(c, "N°;Nom;F1;F2;Lic;Club;Nc;Pays;Rem\n1;A;35010;;L;C;1;F;\n");
    EXPECT_EQ(semicolons.status, ImportStatus::Incompatible);
    EXPECT_EQ(semicolons.alert, "Le fichier choisi est incompatible !");
    EXPECT_EQ(semicolons.hint, "Les champs de ce fichier sont séparés par des points-virgules : ils doivent l'être "
                               "par des tabulations (enregistrer la feuille au format texte avec tabulations).");
    ImportOutcome commas = importText(c, "N,Nom,F1,F2,Lic,Club,Nc,Pays,Rem\r\n");
    EXPECT_EQ(commas.status, ImportStatus::Incompatible);
    EXPECT_NE(commas.hint.find("séparés par des virgules"), std::string::npos);
    EXPECT_EQ(importText(c, "a\tb\tc\td\te;f;g;h;i;j;k\n").hint, "");
    EXPECT_EQ(importText(c, "Nom, prénom, club\n").hint, "");
    EXPECT_TRUE(c.pilots.empty());
}

TEST(Import, LinesOfAnyLengthKeepTheirFieldWidths)
{
    Contest c;
    const std::string longName(5000, 'N');
    const std::string longRemark(100000, 'r');
    const std::string file = kHeader + line("1", longName, "35010", "", longRemark) +
                             "2\tCRLF\t35.03\t\tL\tC\t1\tF\tfin\r\n" + line("3", "C", "35050");
    ImportOutcome o = importText(c, file);
    ASSERT_EQ(o.status, ImportStatus::Imported) << (o.errorLines.empty() ? "" : o.errorLines[0]);
    EXPECT_EQ(o.imported, 3u);
    EXPECT_EQ(o.lastLine, 4u);
    EXPECT_EQ(c.findPilot(1)->name.raw(), std::string(31, 'N'));
    EXPECT_EQ(c.findPilot(1)->remark.raw(), std::string(127, 'r'));
    EXPECT_EQ(c.findPilot(2)->remark.raw(), "fin"); // CR LF is the line end
}

TEST(Import, CrLfAndCrAloneEndLinesLikeLf)
{
    const std::string lf = kHeader + line("1", "A", "35010") + line("2", "B", "35030", "", "fin") +
                           "\n" + line("3", "C", "35050");
    for (const std::string end : {"\r", "\r\n"}) {
        std::string file;
        for (char ch : lf)
            file += ch == '\n' ? end : std::string(1, ch);
        Contest c;
        ImportOutcome o = importText(c, file);
        ASSERT_EQ(o.status, ImportStatus::Imported) << (o.errorLines.empty() ? "" : o.errorLines[0]);
        EXPECT_EQ(o.imported, 2u); // the blank line still ends the reading
        ASSERT_NE(c.findPilot(2), nullptr);
        EXPECT_EQ(c.findPilot(2)->remark.raw(), "fin");
        EXPECT_EQ(c.findPilot(3), nullptr);
        EXPECT_EQ(o.unread, 1u);
    }
    Contest single;
    std::istringstream in("a\tb\tc\td\te\tf\tg\th\r1\tA\t35010\t\t\t\t\t\t\r");
    ASSERT_TRUE(readImportHeader(in)); // leaves the next line whole
    std::size_t errors = 0, imported = 0;
    ImportFlags flags;
    LitFichierImport(single, in, errors, imported, flags, kImportCreate);
    EXPECT_EQ(imported, 1u);
    // Mixed in one file, as after an edit in another program.
    Contest c;
    EXPECT_EQ(importText(c, kHeader + "1\tA\t35010\t\t\t\t\t\t\r" + line("2", "B", "35030") +
                                "3\tC\t35050\t\t\t\t\t\t\r\n")
                  .imported,
              3u);
}

TEST(Import, ErrorFlagsForAnyNumberOfLines)
{
    Contest c;
    std::string file = kHeader;
    for (int i = 0; i < 3000; ++i)
        file += line("1", "A", "35010");
    ImportOutcome o = importText(c, file);
    EXPECT_EQ(o.status, ImportStatus::Refused);
    ASSERT_EQ(o.errorLines.size(), 2999u);
    EXPECT_EQ(o.errorLines.front(), "ligne 3 - Numéro doublé ou absent");
    EXPECT_EQ(o.errorLines.back(), "ligne 3001 - Numéro doublé ou absent");
    EXPECT_EQ(o.flags.get(2), 0);
    EXPECT_EQ(o.flags.get(3001), kImportBadNumber);
}

TEST(Import, CheckModeCreatesNothingAndCreateModeSkipsFaultyLines)
{
    Contest c;
    std::istringstream in(line("4", "A", "35010") + line("5", "", "35030") + line("6", "C", "35050"));
    std::size_t errors = 0, imported = 0;
    ImportFlags flags;
    EXPECT_EQ(LitFichierImport(c, in, errors, imported, flags, kImportCheck), 4u);
    EXPECT_EQ(errors, 1u);
    EXPECT_EQ(imported, 0u);
    EXPECT_TRUE(c.pilots.empty());
    in.clear();
    in.seekg(0);
    flags.clear();
    LitFichierImport(c, in, errors, imported, flags, kImportCreate);
    EXPECT_EQ(errors, 1u);
    EXPECT_EQ(imported, 2u);
    EXPECT_EQ(flags.get(3), kImportNameMissing);
    EXPECT_NE(c.findPilot(4), nullptr);
    EXPECT_EQ(c.findPilot(5), nullptr);
    EXPECT_EQ(c.competitorCount(), 2);
}

TEST(Import, FileThatCannotBeOpenedGetsAnAlert)
{
    Contest c;
    fixtures::TempDir dir;
    ImportOutcome missing = importCompetitorsFromFile(c, dir.file("absent.txt"));
    EXPECT_EQ(missing.status, ImportStatus::CannotOpen);
    EXPECT_EQ(missing.alert, "Le fichier " + dir.file("absent.txt") + " ne peut pas être ouvert !");
    EXPECT_EQ(importCompetitorsFromFile(c, dir.path()).status, ImportStatus::CannotOpen);

    fixtures::writeFile(dir.file("list.txt"), utf8ToCp1252(kHeader + line("8", "Hélène", "35.01")));
    ImportOutcome o = importCompetitorsFromFile(c, dir.file("list.txt"));
    EXPECT_EQ(o.status, ImportStatus::Imported);
    EXPECT_EQ(c.findPilot(8)->name.utf8(), "Hélène");
}
