#include "text/text.h"

#include <gtest/gtest.h>

using namespace r7t;

TEST(Text, EveryWindows1252ByteRoundTripsThroughUtf8)
{
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(all)), all);
}

TEST(Text, FrenchTextsConvertBothWays)
{
    EXPECT_EQ(cp1252ToUtf8("Dur\xE9" "e \x80 \x9C" "uvre"), "Durée € œuvre");
    EXPECT_EQ(utf8ToCp1252("Intitulé du concours « été » – 20 €"),
              "Intitul\xE9 du concours \xAB \xE9t\xE9 \xBB \x96 20 \x80");
}

TEST(Text, UnrepresentableOrMalformedInputBecomesQuestionMarks)
{
    EXPECT_EQ(utf8ToCp1252("Łódź"), "?\xF3" "d?");
    EXPECT_EQ(utf8ToCp1252("中"), "?");
    EXPECT_EQ(utf8ToCp1252("a\xC3"), "a?");      // cut sequence
    EXPECT_EQ(utf8ToCp1252("\xE9t\xE9"), "?t?"); // Latin-1 bytes are not UTF-8
}

TEST(Text, FirstUnencodableNamesTheCharacterThatWouldBecomeAQuestionMark)
{
    // Everything Windows-1252 holds passes, the upper-half extras included.
    EXPECT_EQ(firstUnencodable(""), std::nullopt);
    EXPECT_EQ(firstUnencodable("Aérodrome « été » – 20 € œuvre Š ÿ"), std::nullopt);
    EXPECT_EQ(firstUnencodable(cp1252ToUtf8("\x81\x8D\x8F\x90\x9D")), std::nullopt);

    EXPECT_EQ(firstUnencodable("Łódź"), "Ł");
    EXPECT_EQ(firstUnencodable("Erdős"), "ő");
    EXPECT_EQ(firstUnencodable("Vol 🛩 plané"), "🛩");
    EXPECT_EQ(firstUnencodable("é中Ł"), "中"); // the first one, not any
    EXPECT_EQ(firstUnencodable("\xC2\x80"), "\xC2\x80"); // U+0080 is no Windows-1252 byte

    // Malformed input is named by U+FFFD and never read past its end.
    EXPECT_EQ(firstUnencodable("a\xC3"), "\xEF\xBF\xBD");
    EXPECT_EQ(firstUnencodable("\xE9t\xE9"), "\xEF\xBF\xBD");
    EXPECT_EQ(firstUnencodable("ok\xF0\x9F\x9B"), "\xEF\xBF\xBD");

    // A text accepted here is stored without a single '?'.
    for (const char* text : {"Hélène", "Zoé € œ", "Ÿvette"}) {
        ASSERT_EQ(firstUnencodable(text), std::nullopt) << text;
        EXPECT_EQ(cp1252ToUtf8(utf8ToCp1252(text)), text);
    }
}

TEST(Text, FixedTextKeepsItsTerminatorAndNeverReadsPastTheField)
{
    FixedText<8> t;
    t.assignUtf8("Planeur rouge");
    EXPECT_EQ(t.raw(), "Planeur");
    EXPECT_EQ(t.bytes[7], '\0');
    t.assignUtf8("été");
    EXPECT_EQ(t.raw().size(), 3u);
    EXPECT_EQ(t.utf8(), "été");
    EXPECT_EQ(t.bytes[4], '\0'); // the rest cleared

    t.bytes.fill('x'); // as a damaged file may leave it
    EXPECT_EQ(t.raw(), "xxxxxxxx");
}
