#include "competitors/frequency.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <limits>

using namespace r7t;

TEST(Frequency, BandsHaveStrictLimits)
{
    struct Case {
        int32_t kHz;
        int band;
    };
    for (const Case& c : {Case{26500, -1}, {26501, 0}, {27399, 0}, {27400, -1}, {34900, -1}, {34901, 1},
                          {35998, 1}, {35999, -1}, {39999, -1}, {40000, 2}, {40998, 2}, {40999, -1},
                          {41000, 3}, {41299, 3}, {41300, -1}, {71999, -1}, {72000, 4}, {72998, 4},
                          {72999, -1}, {2399999, -1}, {2400000, 5}, {2483599, 5}, {2483600, -1}, {0, -1},
                          {-35010, -1}})
        EXPECT_EQ(BandeFrequence(c.kHz), c.band) << c.kHz;
}

TEST(Frequency, TextIsMegahertzWithThreeDecimalsOr24GHz)
{
    EXPECT_EQ(TexteFrequence(35010), "35.010");
    EXPECT_EQ(TexteFrequence(40685), "40.685");
    EXPECT_EQ(TexteFrequence(72210), "72.210");
    EXPECT_EQ(TexteFrequence(41000), "41.000");
    EXPECT_EQ(TexteFrequence(2399999), "2399.999");
    EXPECT_EQ(TexteFrequence(2400000), "2.4 GHz");
    EXPECT_EQ(TexteFrequence(2400060), "2.4 GHz");
}

TEST(Frequency, ChannelMenuHasItsColumnsAndReadsBackToItsValues)
{
    auto menu = channelMenu();
    ASSERT_EQ(menu.size(), 44u + 42u + 21u + 15u + 1u);
    for (size_t i = 0; i + 1 < menu.size(); ++i)
        EXPECT_EQ(menu[i].id, 2000 + static_cast<int>(i));
    EXPECT_EQ(menu.back().id, 2200);
    EXPECT_EQ(menu.back().kHz, 2400000);
    std::vector<int> columnStarts;
    for (const ChannelItem& item : menu)
        if (item.newColumn)
            columnStarts.push_back(item.id);
    EXPECT_EQ(columnStarts, (std::vector<int>{2044, 2086, 2107, 2200}));
    EXPECT_EQ(menu[33].kHz, 35330);
    EXPECT_EQ(menu[34].kHz, 35820);
    EXPECT_EQ(menu[43].kHz, 35910);
    EXPECT_EQ(menu[44].kHz, 40575);
    EXPECT_EQ(menu[85].kHz, 40985);
    EXPECT_EQ(menu[86].kHz, 41000);
    EXPECT_EQ(menu[106].kHz, 41200);
    EXPECT_EQ(menu[107].kHz, 72210);
    EXPECT_EQ(menu[121].kHz, 72490);
    // The chosen item's text (7 characters at most) goes into the field,
    // which must read it back as the same channel.
    for (const ChannelItem& item : menu) {
        const std::string text = TexteFrequence(item.kHz);
        EXPECT_LE(text.size(), 7u);
        EXPECT_EQ(readFormFrequency(text.substr(0, 7)), item.kHz) << text;
    }
}

TEST(Frequency, MegahertzReadingTruncatesTheExtendedProduct)
{
    // 40.999 is just above 40.999 as a double: its product truncates to
    // 40999 itself, not below.
    EXPECT_EQ(readMegahertz("40.999"), 40999);
    EXPECT_EQ(readMegahertz("40.9989"), 40998);
    EXPECT_EQ(readMegahertz("35.013"), 35012);
    EXPECT_EQ(readMegahertz("35.01"), 35009);
    EXPECT_EQ(readMegahertz("72.21"), 72209);
    EXPECT_EQ(readMegahertz("35"), 35000);
    EXPECT_EQ(readMegahertz("2.4 GHz"), 2399);
    EXPECT_EQ(readMegahertz("-35.01"), -35009);
    EXPECT_EQ(readMegahertz(" +41.1"), 41100);
    EXPECT_EQ(readMegahertz("abc"), std::nullopt);
    EXPECT_EQ(readMegahertz(""), std::nullopt);
    EXPECT_EQ(readMegahertz("inf"), std::nullopt);
    EXPECT_EQ(readMegahertz("1e300"), std::nullopt);
    EXPECT_EQ(readMegahertz("1e-300"), 0);
    if constexpr (std::numeric_limits<long double>::digits == 64) {
        // Where long double is the x87 extended type, the portable integer
        // computation must agree with it on every typed value.
        char text[32];
        for (int thousandths = 0; thousandths < 2500000; thousandths += 7) {
            std::snprintf(text, sizeof text, "%d.%03d", thousandths / 1000, thousandths % 1000);
            const double mhz = std::strtod(text, nullptr);
            const auto expected = static_cast<int64_t>(static_cast<long double>(mhz) * 1000.0L);
            ASSERT_EQ(readMegahertz(text), expected) << text;
        }
    }
}

TEST(Frequency, FormReadingRoundsTo5kHzAndRefusesOutOfBand)
{
    for (const char* text : {"35.01", "35,01", "35010", "35012", "35.010", "35,012"})
        EXPECT_EQ(readFormFrequency(text), 35010) << text;
    EXPECT_EQ(readFormFrequency("35013"), 35015);
    EXPECT_EQ(readFormFrequency("35014"), 35015);
    EXPECT_EQ(readFormFrequency("72.21"), 72210);
    EXPECT_EQ(readFormFrequency("40999"), std::nullopt);
    EXPECT_EQ(readFormFrequency("40.999"), std::nullopt); // 40999 kHz: in no band
    EXPECT_EQ(readFormFrequency("40998"), 41000);        // rounded up into the 41 MHz band
    EXPECT_EQ(readFormFrequency("40.998"), 40995);       // 40997 rounded down
    EXPECT_EQ(readFormFrequency("35.013"), 35010);       // 35012 rounded down
    EXPECT_EQ(readFormFrequency("35998"), std::nullopt); // rounds to 36000, out of band
    EXPECT_EQ(readFormFrequency("-35010"), std::nullopt);
    EXPECT_EQ(readFormFrequency("1e5"), std::nullopt);
    // Only the first 6 characters count.
    EXPECT_EQ(readFormFrequency("35.0149"), 35015);
    // Any text starting with "2" is 2.4 GHz, so no 27 MHz channel can be typed.
    for (const char* text : {"2", "2.4 GHz", "27.195", "27195", "2400000", "2x"})
        EXPECT_EQ(readFormFrequency(text), 2400000) << text;
    // Nothing given: 0 (the form asks for frequency 1, frequency 2 is none).
    for (const char* text : {"", "0", "abc", "0.5", " "})
        EXPECT_EQ(readFormFrequency(text), 0) << text;
}

TEST(Frequency, ImportReadingsFollowTheirOwnRules)
{
    for (const char* text : {"35.01", "35,01", "35010", "35012"})
        EXPECT_EQ(readImportFrequency1(text), 35010) << text;
    EXPECT_EQ(readImportFrequency1("35013"), 35015);
    EXPECT_EQ(readImportFrequency1("2400"), 2400000);
    EXPECT_EQ(readImportFrequency1("2400000"), 2400000);
    EXPECT_EQ(readImportFrequency1("2.4 GHz"), std::nullopt);
    EXPECT_EQ(readImportFrequency1("27195"), 2400000); // a 27 MHz value becomes 2.4 GHz
    EXPECT_EQ(readImportFrequency1("27.195"), 2400000);
    EXPECT_EQ(readImportFrequency1("40999"), std::nullopt);
    EXPECT_EQ(readImportFrequency1("40.999"), std::nullopt);
    EXPECT_EQ(readImportFrequency1("40.9989"), 41000);
    EXPECT_EQ(readImportFrequency1("35998"), std::nullopt);
    EXPECT_EQ(readImportFrequency1(""), std::nullopt);
    EXPECT_EQ(readImportFrequency1("0"), std::nullopt);

    EXPECT_EQ(readImportFrequency2(""), 0);
    EXPECT_EQ(readImportFrequency2("0"), 0);
    EXPECT_EQ(readImportFrequency2("none"), 0);
    EXPECT_EQ(readImportFrequency2("35012"), 35012); // kHz inside a band: kept as it is
    EXPECT_EQ(readImportFrequency2("27195"), 27195);
    EXPECT_EQ(readImportFrequency2("35.012"), 35010); // MHz: rounded
    EXPECT_EQ(readImportFrequency2("35,014"), 35015);
    EXPECT_EQ(readImportFrequency2("35,013"), 35010); // 35012 truncated, then rounded down
    EXPECT_EQ(readImportFrequency2("2400"), 2400000);
    EXPECT_EQ(readImportFrequency2("2400000"), 2400000);
    EXPECT_EQ(readImportFrequency2("2.4 GHz"), std::nullopt);
    EXPECT_EQ(readImportFrequency2("40999"), std::nullopt);
    EXPECT_EQ(readImportFrequency2("35.9985"), std::nullopt); // 35998 rounds out of the band
}
