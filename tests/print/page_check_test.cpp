// The page check (scripts/check-pages): every document of the longest
// contest and the inspection sheet, on A4 and US Letter, read back from the
// PDF with pdftotext -bbox. Skipped when pdftotext is not installed
// (scripts/setup installs poppler-utils).
#include "page_check.h"

#include "longest_texts.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using namespace r7t;
using namespace r7t::page_check;

namespace r7t {
// The paper's name in the tests' names and messages.
void PrintTo(PdfPaper paper, std::ostream* out) { *out << paperName(paper); }
} // namespace r7t

namespace {

TextBox box(double x1, double y1, double x2, double y2, const std::string& word = "w")
{
    return {x1, y1, x2, y2, word};
}

// A4 in points, 5 mm borders, rules ending at 530.
const PageFrame kFrame{14.17, 530};

std::vector<std::string> faultsOf(const std::vector<TextBox>& boxes)
{
    return checkPages({PdfPage{595, 842, boxes}}, kFrame);
}

} // namespace

TEST(PageCheck, BoxesSideBySideOrLineUnderLinePass)
{
    EXPECT_TRUE(faultsOf({box(100, 100, 200, 111), box(202, 100, 300, 111), box(100, 112, 200, 123)}).empty());
    // Font boxes of two lines may touch a little (ascent and descent are
    // more than the ink).
    EXPECT_TRUE(faultsOf({box(100, 100, 200, 113.4), box(100, 111.5, 200, 124.9)}).empty());
}

TEST(PageCheck, OverlapsAndTextsOffTheRulesAreFaults)
{
    // Two texts on one line, one running into the other.
    EXPECT_EQ(faultsOf({box(100, 100, 210, 111, "long"), box(200, 100, 300, 111, "next")}).size(), 1u);
    // A large number over the line below it.
    EXPECT_EQ(faultsOf({box(100, 100, 120, 122), box(110, 111, 200, 122)}).size(), 1u);
    // Past the rules' end, past the border, above the top border.
    EXPECT_EQ(faultsOf({box(500, 100, 531, 111)}).size(), 1u);
    EXPECT_EQ(faultsOf({box(500, 100, 590, 111)}).size(), 1u);
    EXPECT_EQ(faultsOf({box(100, 5, 200, 16)}).size(), 1u);
    EXPECT_EQ(faultsOf({box(100, 830, 200, 841)}).size(), 1u);
    const std::vector<std::string> faults = faultsOf({box(500, 100, 540, 111, "Total")});
    ASSERT_EQ(faults.size(), 1u);
    EXPECT_NE(faults[0].find("page 1: \"Total\""), std::string::npos) << faults[0];
}

class EveryDocument : public ::testing::TestWithParam<PdfPaper> {};

TEST_P(EveryDocument, OfTheLongestContestKeepsEachTextInsideItsColumn)
{
    if (!pdftotextAvailable())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    const PrintApplication application;
    fixtures::TempDir dir;
    const std::vector<DocumentCheck> checks = checkEveryDocument(dir.path(), GetParam());
    EXPECT_EQ(checks.size(), 11u);
    for (const DocumentCheck& check : checks) {
        EXPECT_GT(check.pages, 0) << check.name;
        std::string faults;
        for (size_t i = 0; i < check.faults.size() && i < 10; ++i)
            faults += "\n  " + check.faults[i];
        EXPECT_TRUE(check.faults.empty()) << check.name << " (" << paperName(GetParam()) << "): "
                                          << check.faults.size() << " faults" << faults;
    }
}

INSTANTIATE_TEST_SUITE_P(Paper, EveryDocument, ::testing::Values(PdfPaper::A4, PdfPaper::Letter),
                         [](const auto& info) { return std::string(paperName(info.param)); });

TEST(PageCheck, TheLongestContestHoldsTheLongestTexts)
{
    Contest c;
    fixtures::buildLongestContest(c);
    EXPECT_EQ(c.header.title.raw().size(), 63u);
    EXPECT_EQ(c.header.place.raw().size(), 31u);
    EXPECT_EQ(c.header.date.raw().size(), 11u);
    int competitors = 0, ghz = 0, mhz35 = 0, longRemarks = 0;
    for (const Pilot& p : c.pilots) {
        EXPECT_EQ(p.name.raw().size(), 31u);
        EXPECT_EQ(p.licence.raw().size(), 15u);
        EXPECT_EQ(p.club.raw().size(), 31u);
        EXPECT_EQ(p.country.raw().size(), 23u);
        longRemarks += p.remark.raw().size() == 127u;
        competitors += p.isCompetitor();
        for (int32_t f : {p.frequency1, p.frequency2}) {
            ghz += f == k24GHzFrequency;
            mhz35 += f > 35000 && f < 36000;
        }
    }
    EXPECT_EQ(competitors, 98);
    EXPECT_EQ(longRemarks, static_cast<int>(c.pilots.size()));
    EXPECT_GT(ghz, 0);
    EXPECT_GT(mhz35, 0);
}
