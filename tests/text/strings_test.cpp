#include "contest/status_texts.h"
#include "string_table/formats.h"
#include "text/strings.h"
#include "text/text.h"

#include <gtest/gtest.h>

using namespace r7t;

TEST(Strings, TableIsSortedWithinRangeAndValidUtf8)
{
    auto entries = stringTableEntries();
    ASSERT_GT(entries.size(), 100u);
    int previous = 0;
    for (const StringEntry& e : entries) {
        EXPECT_GT(e.number, previous);
        EXPECT_LE(e.number, 956);
        previous = e.number;
        // Every text must survive the conversion a file or a printer needs.
        EXPECT_EQ(cp1252ToUtf8(utf8ToCp1252(e.text)), e.text) << e.number;
    }
}

TEST(Strings, LoadsExactTextsByNumber)
{
    EXPECT_EQ(MajMessage(401), "Le fichier choisi est incompatible !");
    EXPECT_EQ(MajMessage(402), "Mémoire insuffisante\rCréation impossible !");
    EXPECT_EQ(MajStr(34), "R7T_%s.r7s");
    EXPECT_EQ(controlText(508), "OUI");
    EXPECT_EQ(MajStr(12), "secondes");
    EXPECT_EQ(MajMessage(955), std::string(TexteChaine(955)));
    EXPECT_EQ(MajMessage(957), "");
    EXPECT_EQ(MajMessage(0), "");
}

TEST(Strings, LoadersCutTextsToTheirBuffersByCharacters)
{
    std::string accents;
    for (int i = 0; i < 300; ++i)
        accents += "é";
    EXPECT_EQ(truncateCharacters(accents, 249).size(), 249u * 2);
    EXPECT_EQ(truncateCharacters("abc", 249), "abc");
    EXPECT_EQ(truncateCharacters("", 5), "");
}

TEST(Strings, FilterOfString33GivesTheTwoContestFilterPairs)
{
    std::string filter = makeFilter(33);
    EXPECT_EQ(filter.back(), '\0');
    auto pairs = filterPairs(filter + '\0');
    ASSERT_EQ(pairs.size(), 2u);
    EXPECT_EQ(pairs[0].first, "Fichiers concours (*.r7s)");
    EXPECT_EQ(pairs[0].second, "*.r7s");
    EXPECT_EQ(pairs[1].first, "Tous les fichiers (*.*)");
    EXPECT_EQ(pairs[1].second, "*.*");
    EXPECT_EQ(makeFilter(957), "");
}

TEST(Strings, FaultReportTextNamesTheTag)
{
    std::string text = formatText(kFaultReport, "FINDPILOTE");
    EXPECT_EQ(text.rfind("Pointeur non trouvé dans : FINDPILOTE\r", 0), 0u);
    EXPECT_GT(text.size(), std::string("Pointeur non trouvé dans : FINDPILOTE\r").size());
}

TEST(StatusTexts, PreparedRoundsAndBestSpeed)
{
    Contest c;
    EXPECT_EQ(preparedRoundsText(c), "-");
    EXPECT_FALSE(bestSpeedText(c));
    c.roundPrepared[1] = c.roundPrepared[2] = c.roundPrepared[12] = 1;
    EXPECT_EQ(preparedRoundsText(c), "-1-2-12-");
    c.bestSpeedTime = 234.0f;
    EXPECT_EQ(bestSpeedText(c).value_or(""), "23,4 secondes");
    c.bestSpeedTime = 999.0f;
    EXPECT_EQ(bestSpeedText(c).value_or(""), "99,9 secondes");
    c.bestSpeedTime = 90.0f;
    EXPECT_EQ(bestSpeedText(c).value_or(""), "9,0 secondes");
}
