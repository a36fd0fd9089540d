#include "text/format.h"

#include "string_table/formats.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

using namespace r7t;

namespace {

// A call the compiler accepts. Calls that do not match a text's conversions
// must not compile, so they are checked here rather than run.
template <typename Format, typename... Args>
concept TextFormattable = requires(Format f, const Args&... args) { formatText(f, args...); };
template <typename Format, typename... Args>
concept MessageFormattable = requires(Format f, const Args&... args) { formatMessage(f, args...); };

using RoundTitle = decltype(kRoundTitle);
static_assert(TextFormattable<RoundTitle, int>);
static_assert(TextFormattable<RoundTitle, long long>);
static_assert(!TextFormattable<RoundTitle>);
static_assert(!TextFormattable<RoundTitle, int, int>);
static_assert(!TextFormattable<RoundTitle, const char*>);
static_assert(!TextFormattable<RoundTitle, std::string>);
static_assert(!TextFormattable<RoundTitle, unsigned>); // "%i" wants a signed value
static_assert(!TextFormattable<RoundTitle, double>);
static_assert(!TextFormattable<RoundTitle, char>);
static_assert(!TextFormattable<RoundTitle, bool>);

using ScoreDeletionQuestion = decltype(kScoreDeletionQuestion);
static_assert(MessageFormattable<ScoreDeletionQuestion, std::string, int>);
static_assert(MessageFormattable<ScoreDeletionQuestion, const char*, int32_t>);
static_assert(!MessageFormattable<ScoreDeletionQuestion, int, std::string>); // order counts
static_assert(!MessageFormattable<ScoreDeletionQuestion, std::string>);
static_assert(!MessageFormattable<ScoreDeletionQuestion, std::nullptr_t, int>);

using ImportSummary = decltype(kImportSummary);
static_assert(TextFormattable<ImportSummary, std::size_t, unsigned>);
static_assert(!TextFormattable<ImportSummary, int, int>); // "%u" wants an unsigned value
static_assert(!TextFormattable<ImportSummary, std::size_t>);
static_assert(TextFormattable<decltype(kFaultReport), std::string_view>);
static_assert(!TextFormattable<decltype(kFaultReport), int>);

Conversion only(std::string_view text)
{
    std::vector<Conversion> conversions;
    std::string error;
    EXPECT_TRUE(parseConversions(text, conversions, error)) << text << ": " << error;
    EXPECT_EQ(conversions.size(), 1u) << text;
    return conversions.empty() ? Conversion{} : conversions.front();
}

std::string refusal(std::string_view text)
{
    std::vector<Conversion> conversions;
    std::string error;
    EXPECT_FALSE(parseConversions(text, conversions, error)) << text;
    return error;
}

// The C library is the reference for integers; its formats vary with the case.
template <typename Integer>
std::string printed(const char* format, Integer value)
{
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

std::string substituted(std::string_view format, std::vector<FormatArgument> arguments)
{
    return substituteArguments(format, arguments);
}

} // namespace

TEST(Conversions, ReadsTheFormsTablesUse)
{
    EXPECT_EQ(only("R7T_%s.r7s").kind, ConversionKind::Text);
    EXPECT_EQ(only("Manche %i").kind, ConversionKind::Integer);
    EXPECT_EQ(only("%d").kind, ConversionKind::Integer);
    EXPECT_EQ(only("ligne %u - Nom absent").kind, ConversionKind::Unsigned);

    const Conversion padded = only("n° %02u");
    EXPECT_EQ(padded.kind, ConversionKind::Unsigned);
    EXPECT_TRUE(padded.zeroPadded);
    EXPECT_FALSE(padded.leftAligned);
    EXPECT_EQ(padded.width, 2);

    const Conversion left = only("%-20s|");
    EXPECT_TRUE(left.leftAligned);
    EXPECT_EQ(left.width, 20);

    std::vector<Conversion> conversions;
    std::string error;
    ASSERT_TRUE(parseConversions("Suppression du score de %s pour la manche %i.\rC'est sûr ?", conversions, error));
    ASSERT_EQ(conversions.size(), 2u);
    EXPECT_EQ(conversions[0].kind, ConversionKind::Text);
    EXPECT_EQ(conversions[1].kind, ConversionKind::Integer);

    ASSERT_TRUE(parseConversions("100%% sûr, 5%%", conversions, error));
    EXPECT_TRUE(conversions.empty());
    ASSERT_TRUE(parseConversions("", conversions, error));
    EXPECT_TRUE(conversions.empty());
}

TEST(Conversions, RefusesEveryOtherUseOfPercent)
{
    EXPECT_NE(refusal("Vitesse %.2f s").find("\"%.2f\""), std::string::npos);
    EXPECT_NE(refusal("%x").find("\"%x\""), std::string::npos);
    EXPECT_NE(refusal("%ld").find("\"%l\""), std::string::npos);
    EXPECT_NE(refusal("100 %").find("\"%\""), std::string::npos);
    EXPECT_NE(refusal("50 % des pilotes").find("\"%\""), std::string::npos);
    refusal("%n");
    refusal("%p");
    refusal("%c");
    refusal("%+d");
    refusal("% d");
    refusal("%*d");
    refusal("%05s");  // zero padding of a text is undefined
    refusal("%100u"); // widths have at most two digits
    refusal("%-05d"); // one flag at most
    refusal("%%%");
    refusal("Manche %i %é");
}

TEST(Format, IntegersAreWrittenAsPrintfWritesThem)
{
    const long long signedValues[] = {0, 7, -7, 42, -42, 123456, LLONG_MIN, LLONG_MAX};
    const char* signedForms[][2] = {{"%i", "%lli"}, {"%d", "%lld"}, {"%5i", "%5lli"},
                                    {"%-5i|", "%-5lli|"}, {"%05i", "%05lli"}, {"%02d", "%02lld"}};
    for (long long value : signedValues)
        for (const auto& [form, reference] : signedForms)
            EXPECT_EQ(substituted(form, {value}), printed(reference, value)) << form << " " << value;

    const unsigned long long unsignedValues[] = {0, 3, 12, 99, 100, 4294967295ull, ULLONG_MAX};
    const char* unsignedForms[][2] = {{"%u", "%llu"}, {"%02u", "%02llu"}, {"%3u", "%3llu"}, {"%-3u|", "%-3llu|"}};
    for (unsigned long long value : unsignedValues)
        for (const auto& [form, reference] : unsignedForms)
            EXPECT_EQ(substituted(form, {value}), printed(reference, value)) << form << " " << value;
}

TEST(Format, TextsAndPercentSigns)
{
    using namespace std::string_literals;
    EXPECT_EQ(substituted("R7T_%s.r7s", {"06_12_26"}), "R7T_06_12_26.r7s");
    EXPECT_EQ(substituted("[%5s]", {"ab"}), "[   ab]");
    EXPECT_EQ(substituted("[%-5s]", {"ab"}), "[ab   ]");
    EXPECT_EQ(substituted("[%2s]", {"abcd"}), "[abcd]");
    EXPECT_EQ(substituted("%s", {""}), "");
    EXPECT_EQ(substituted("a%sb", {"\0z"s}), "a\0zb"s);
    EXPECT_EQ(substituted("100%% %s %s", {"x"}), "100% x %s");
    EXPECT_EQ(substituted("%%s %%i", {"x", 1LL}), "%s %i");
}

TEST(Format, NeverReadsPastOrAcrossItsArguments)
{
    // Too few: what is left is copied as written.
    EXPECT_EQ(substituted("%s pour la manche %i.", {"Dupont"}), "Dupont pour la manche %i.");
    EXPECT_EQ(substituted("%02u - %u", {}), "%02u - %u");
    // Too many: the extra ones are left out.
    EXPECT_EQ(substituted("Manche %i", {3LL, 4LL}), "Manche 3");
    // An argument of another kind is not taken for the conversion.
    EXPECT_EQ(substituted("%i et %s", {"a", "b"}), "%i et b");
    EXPECT_EQ(substituted("%u", {-1LL}), "%u");
    // Substituted text is never read as a format.
    EXPECT_EQ(substituted("%s (%i)", {"%i%s%%", 3LL}), "%i%s%% (3)");
    // A text cut by its loader may end inside a conversion.
    EXPECT_EQ(substituted("ligne %0", {12ull}), "ligne %0");
    EXPECT_EQ(substituted("50 % des %s", {"pilotes"}), "50 % des pilotes");
}

TEST(Format, TableTextsGiveTheirExactTexts)
{
    EXPECT_EQ(formatText(kRoundTitle, 3), "Manche 3");
    EXPECT_EQ(formatText(kRoundTitle, -1), "Manche -1");
    EXPECT_EQ(formatText(kStartSortTitle, 12), "Tri des départs de la manche 12");
    EXPECT_EQ(formatText(kProposedFileName, "06_12_26"), "R7T_06_12_26.r7s");
    EXPECT_EQ(formatText(kImportSummary, std::size_t{3}, std::size_t{0}), "3  fiche(s) importée(s)  -  0  erreur(s)");
    EXPECT_EQ(formatText(kImportLineNameMissing, 12u), "ligne 12 - Nom absent");
    EXPECT_EQ(formatText(kImportLineBadFrequency, 2u), "ligne 2 - Fréquence incorrecte");
    EXPECT_EQ(formatText(kImportLineMalformed, 4u), "ligne 4 - Ligne incorrecte");
    EXPECT_EQ(formatText(kImportLineBadNumber, 40000000000ull), "ligne 40000000000 - Numéro doublé ou absent");
    EXPECT_EQ(formatMessage(kScoreDeletionQuestion, std::string("Éloïse %i"), 2),
              "Suppression du score de Éloïse %i pour la manche 2.\rC'est sûr ?");
}
