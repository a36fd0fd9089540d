#include "text/list_line.h"

#include <gtest/gtest.h>

using namespace r7t;

namespace {

// Every character is 10 pixels wide.
int tenPerChar(std::string_view s) { return static_cast<int>(s.size()) * 10; }

std::vector<TextRun> layout(std::string_view text, std::vector<int> stops, int average = 7)
{
    return layoutTabbedLine(text, stops, average, tenPerChar);
}

} // namespace

TEST(ListLine, TabsMoveToTheNextStopStrictlyRight)
{
    EXPECT_EQ(layout("ab\tcd\tef", {50, 110}), (std::vector<TextRun>{{0, "ab"}, {50, "cd"}, {110, "ef"}}));
    // Ending exactly on a stop moves on to the next one.
    EXPECT_EQ(layout("12345\tx", {50, 110}), (std::vector<TextRun>{{0, "12345"}, {110, "x"}}));
    // A first column wider than the first stop skips it (pilot lines: stops 5 and 110).
    EXPECT_EQ(layout(" 7\tDUPONT", {5, 110}), (std::vector<TextRun>{{0, " 7"}, {110, "DUPONT"}}));
}

TEST(ListLine, EmptyColumnsStillAdvance)
{
    EXPECT_EQ(layout("\t\tx", {5, 110}), (std::vector<TextRun>{{110, "x"}}));
    EXPECT_EQ(layout("a\t", {50}), (std::vector<TextRun>{{0, "a"}}));
    EXPECT_TRUE(layout("", {50}).empty());
    EXPECT_EQ(layout("no tab", {}), (std::vector<TextRun>{{0, "no tab"}}));
}

TEST(ListLine, PastTheLastStopTabsFallEveryEightAverageCharacters)
{
    // 120 pixels of text, average width 7: stops every 56 pixels.
    EXPECT_EQ(layout("abcdefghijkl\tx", {50, 110}), (std::vector<TextRun>{{0, "abcdefghijkl"}, {168, "x"}}));
    EXPECT_EQ(layout("a\tb", {}, 6), (std::vector<TextRun>{{0, "a"}, {48, "b"}}));
}

TEST(ListLine, OneStopRepeatsAtItsInterval)
{
    EXPECT_EQ(layout("a\tb\tccccc\td", {30}),
              (std::vector<TextRun>{{0, "a"}, {30, "b"}, {60, "ccccc"}, {120, "d"}}));
}
