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

TEST(Text, UpperCaseKeepsAccentedLettersUpperCase)
{
    auto upper = [](std::string_view utf8) { return cp1252ToUtf8(upperCp1252(utf8ToCp1252(utf8))); };
    EXPECT_EQ(upper("Wüstenhöfer"), "WÜSTENHÖFER");
    EXPECT_EQ(upper("Garçon"), "GARÇON");
    EXPECT_EQ(upper("àáâãäåæçèéêëìíîïðñòóôõöøùúûüýþÿ"), "ÀÁÂÃÄÅÆÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖØÙÚÛÜÝÞŸ");
    EXPECT_EQ(upper("šœž"), "ŠŒŽ");
    // No Windows-1252 capital: kept. Neither are signs and digits touched.
    EXPECT_EQ(upper("ß µ ÷ ª º 0-9 € « »"), "ß µ ÷ ª º 0-9 € « »");
}

TEST(Text, UpperCaseChangesOnlyLowerCaseLettersAndIsStable)
{
    int changed = 0;
    for (int b = 1; b < 256; ++b) {
        const char c = static_cast<char>(b);
        const char u = upperCp1252(c);
        changed += u != c;
        // Upper case twice is upper case once; a capital stays as it is.
        EXPECT_EQ(upperCp1252(u), u) << b;
        // Each lower-case letter has a capital of its own.
        if (u != c) {
            for (int other = 1; other < b; ++other)
                EXPECT_FALSE(static_cast<char>(other) != u && upperCp1252(static_cast<char>(other)) == u) << b;
        }
    }
    // a-z, the 30 letters of 0xE0..0xFE (÷ is not one), and š œ ž ÿ.
    EXPECT_EQ(changed, 26 + 30 + 4);
    EXPECT_EQ(upperCp1252(std::string_view("\xC9t\xE9 \xC0")), "\xC9T\xC9 \xC0");
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
    // The C1 controls are no Windows-1252 characters: U+0080 is not "€", nor
    // U+0085 "…". Only the five bytes Windows-1252 leaves undefined come back
    // as the controls they were read as.
    for (char32_t c = 0x80; c <= 0x9F; ++c) {
        const bool undefinedByte = c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
        EXPECT_EQ(cp1252Of(c), undefinedByte ? static_cast<int>(c) : -1) << static_cast<int>(c);
        EXPECT_EQ(firstUnencodable(utf8Of(c)), undefinedByte ? std::nullopt : std::optional(utf8Of(c)));
        EXPECT_EQ(utf8ToCp1252(utf8Of(c)), undefinedByte ? std::string(1, static_cast<char>(c)) : "?");
    }

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
