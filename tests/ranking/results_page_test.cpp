// The results page and sheet read back as a browser and a spreadsheet
// program would: the page through an HTML parser, the sheet through
// Python's CSV reader; their numbers are r7t ranking's.
#include "contest/contest_file.h"
#include "ranking/results_page.h"
#include "support/cli_run.h"
#include "support/contest_builder.h"
#include "support/scored_contest.h"
#include "support/temp_dir.h"

#include <gumbo.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sstream>

using namespace r7t;
using fixtures::runCli;

namespace {

using Row = std::vector<std::string>;

struct Page {
    GumboOutput* output;
    explicit Page(const std::string& html) : output(gumbo_parse(html.c_str())) { }
    ~Page() { gumbo_destroy_output(&kGumboDefaultOptions, output); }
};

void collect(const GumboNode* node, GumboTag tag, std::vector<const GumboNode*>& found)
{
    if (node->type != GUMBO_NODE_ELEMENT)
        return;
    if (node->v.element.tag == tag)
        found.push_back(node);
    const GumboVector& children = node->v.element.children;
    for (unsigned i = 0; i < children.length; ++i)
        collect(static_cast<const GumboNode*>(children.data[i]), tag, found);
}

std::vector<const GumboNode*> elements(const GumboNode* root, GumboTag tag)
{
    std::vector<const GumboNode*> found;
    collect(root, tag, found);
    return found;
}

std::string text(const GumboNode* node)
{
    if (node->type == GUMBO_NODE_TEXT || node->type == GUMBO_NODE_WHITESPACE)
        return node->v.text.text;
    if (node->type != GUMBO_NODE_ELEMENT)
        return {};
    std::string all;
    const GumboVector& children = node->v.element.children;
    for (unsigned i = 0; i < children.length; ++i)
        all += text(static_cast<const GumboNode*>(children.data[i]));
    return all;
}

const GumboNode* withId(const GumboNode* root, GumboTag tag, const std::string& id)
{
    for (const GumboNode* node : elements(root, tag)) {
        const GumboAttribute* a = gumbo_get_attribute(&node->v.element.attributes, "id");
        if (a && id == a->value)
            return node;
    }
    return nullptr;
}

// The rows of the overall table, one text per cell.
std::vector<Row> overallRows(const std::string& html)
{
    Page page(html);
    const GumboNode* section = withId(page.output->root, GUMBO_TAG_SECTION, "classement");
    std::vector<Row> rows;
    if (!section)
        return rows;
    const GumboNode* body = elements(section, GUMBO_TAG_TBODY).at(0);
    for (const GumboNode* tr : elements(body, GUMBO_TAG_TR)) {
        Row row;
        for (const GumboNode* td : elements(tr, GUMBO_TAG_TD))
            row.push_back(text(td));
        rows.push_back(row);
    }
    return rows;
}

std::string squeeze(std::string s)
{
    s.erase(std::remove(s.begin(), s.end(), ' '), s.end());
    return s;
}

// r7t ranking's lines as rows: rank, number, total, then each round's total.
std::vector<Row> cliRows(const std::string& path, const std::vector<std::string>& options)
{
    std::vector<std::string> args {"ranking", path};
    args.insert(args.end(), options.begin(), options.end());
    const fixtures::CliRun run = runCli(args);
    EXPECT_EQ(run.exit, 0) << run.err;
    std::vector<Row> rows;
    std::istringstream in(run.out);
    std::string line;
    std::getline(in, line); // heading
    while (std::getline(in, line) && !line.starts_with("Meilleure")) {
        Row row;
        std::istringstream fields(line.substr(0, 2) + " " + line.substr(2));
        std::string rank, number, bar, total;
        fields >> rank >> number >> bar >> total >> bar;
        row = {rank, number, total};
        const std::string rest = line.substr(line.find('|', line.find('|') + 1) + 1);
        for (size_t i = 0; i + 9 <= rest.size(); i += 9)
            row.push_back(squeeze(rest.substr(i, 9)));
        rows.push_back(row);
    }
    return rows;
}

// The page's rows reduced to the same columns.
std::vector<Row> pageRows(const std::string& html)
{
    std::vector<Row> rows;
    for (const Row& cells : overallRows(html)) {
        Row row {cells.at(0), cells.at(1), cells.at(5)};
        row.insert(row.end(), cells.begin() + 7, cells.end());
        rows.push_back(row);
    }
    return rows;
}

// The sheet through Python's csv module: fields joined by \x1f, rows by \x1e.
std::vector<Row> readSheet(const std::string& path)
{
    const std::string command =
        "python3 -c 'import csv,sys; rows=csv.reader(open(sys.argv[1], encoding=\"utf-8-sig\", newline=\"\"), "
        "delimiter=\";\"); sys.stdout.write(\"\\x1e\".join(\"\\x1f\".join(r) for r in rows))' " +
        path;
    FILE* pipe = popen(command.c_str(), "r");
    std::string out;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        out.append(buffer, n);
    EXPECT_EQ(pclose(pipe), 0);
    std::vector<Row> rows;
    std::istringstream records(out);
    for (std::string record; std::getline(records, record, '\x1e');) {
        Row row;
        std::istringstream fields(record);
        for (std::string field; std::getline(fields, field, '\x1f');)
            row.push_back(field);
        if (!record.empty() && record.back() == '\x1f')
            row.push_back("");
        rows.push_back(row);
    }
    return rows;
}

// Nine competitors over the rounds; 3 is not classified, 8's flights are
// void, 9 is in no group, 2 and 5 carry hostile names.
struct Published {
    fixtures::TempDir dir;
    fixtures::ScoredContest s;
    std::string path;

    explicit Published(int rounds)
    {
        s.contest.header.title.assignUtf8("Coupe <b>d'hiver</b> & amis");
        for (int n = 1; n <= 9; ++n)
            s.competitor(n);
        s.contest.findPilot(2)->name.assignUtf8("<script>alert(1)</script>");
        s.contest.findPilot(5)->name.assignUtf8("Dupont & Fils; dit \"le Rapide\"");
        s.contest.findPilot(3)->licence.assignUtf8("nc 3");
        fixtures::addPilot(s.contest, kFirstTowPilot, {.name = "Remorqueur"});
        for (int r = 1; r <= rounds; ++r) {
            s.round(r, {{1, 2, 3, 4}, {5, 6, 7, 8}});
            for (int n = 1; n <= 7; ++n)
                s.flight(r, n, 200 + 7 * ((n * r) % 9), 420 + (n * 13 + r) % 60);
            s.flight(r, 8, 0, 0).durationVoid = 1;
        }
        s.evaluate();
        path = fixtures::saveContestFile(s.contest, dir.file("concours.r7s"));
    }

    std::string page(const std::vector<std::string>& options)
    {
        const std::string out = dir.file("page.html");
        std::vector<std::string> args {"publish", path, "-o", out, "--force"};
        args.insert(args.end(), options.begin(), options.end());
        const fixtures::CliRun run = runCli(args);
        EXPECT_EQ(run.exit, 0) << run.err;
        return fixtures::readFile(out);
    }
};

} // namespace

TEST(ResultsPage, NumbersAreTheRankingsAndEveryTextIsEscaped)
{
    for (int rounds : {1, 4}) {
        Published p(rounds);
        const std::vector<std::string> options =
            rounds == 1 ? std::vector<std::string> {"--final"} : std::vector<std::string> {"--final", "--discard", "1"};
        const std::string html = p.page(options);
        const std::vector<Row> rows = pageRows(html);
        EXPECT_EQ(rows, cliRows(p.path, options)) << rounds;
        ASSERT_EQ(rows.size(), 9u);
        // 9 never flew: last, with nothing in any round.
        EXPECT_EQ(rows.back().at(1), "9");
        EXPECT_EQ(rows.back().at(2), "0.00");

        Page page(html);
        EXPECT_TRUE(elements(page.output->root, GUMBO_TAG_SCRIPT).empty()) << "a name runs nothing";
        EXPECT_TRUE(elements(page.output->root, GUMBO_TAG_B).empty());
        const std::vector<Row> cells = overallRows(html);
        std::vector<std::string> names;
        for (const Row& row : cells)
            names.push_back(row.at(2));
        EXPECT_NE(std::find(names.begin(), names.end(), "<script>alert(1)</script>"), names.end());
        EXPECT_NE(std::find(names.begin(), names.end(), "Dupont & Fils; dit \"le Rapide\""), names.end());
        EXPECT_EQ(text(elements(page.output->root, GUMBO_TAG_H1).at(0)), "Coupe <b>d'hiver</b> & amis");
        // Every round has its table, every competitor his detail.
        EXPECT_EQ(elements(page.output->root, GUMBO_TAG_TABLE).size(), 1u + rounds + 9u);
        const GumboNode* absent = withId(page.output->root, GUMBO_TAG_DETAILS, "c9");
        ASSERT_NE(absent, nullptr);
        EXPECT_NE(text(absent).find("----"), std::string::npos);
    }
}

TEST(ResultsPage, NotClassifiedAndDiscardedRoundsAreMarked)
{
    Published p(4);
    const std::vector<Row> rows = overallRows(p.page({"--final", "--discard", "1"}));
    const auto nc = std::find_if(rows.begin(), rows.end(), [](const Row& r) { return r.at(1) == "3"; });
    ASSERT_NE(nc, rows.end());
    EXPECT_EQ(nc->at(0), "NC");
    for (const Row& row : rows) {
        EXPECT_EQ(std::count_if(row.begin() + 7, row.end(), [](const std::string& c) { return c.starts_with("("); }), 1)
            << row.at(1);
    }
}

TEST(ResultsSheet, ReadBackGivesTheRankingRowsAndNamesWhole)
{
    Published p(4);
    const std::string out = p.dir.file("resultats.csv");
    ASSERT_EQ(runCli({"export", p.path, "--final", "--discard", "1", "--csv", "-o", out}).exit, 0);
    const std::string bytes = fixtures::readFile(out);
    EXPECT_TRUE(bytes.starts_with("\xEF\xBB\xBF")) << "the byte-order mark";

    const std::vector<Row> sheet = readSheet(out);
    ASSERT_EQ(sheet.size(), 10u);
    EXPECT_EQ(sheet[0], (Row {"Rang", "N°", "Nom", "Club", "Pays", "Total", "% du premier", "M 1", "M 2", "M 3", "M 4",
                              "Manches écartées"}));
    const std::vector<Row> cli = cliRows(p.path, {"--final", "--discard", "1"});
    for (size_t i = 0; i < cli.size(); ++i) {
        const Row& row = sheet[i + 1];
        ASSERT_EQ(row.size(), 12u) << i;
        std::string total = row[5];
        std::replace(total.begin(), total.end(), ',', '.');
        EXPECT_EQ((Row {row[0], row[1], total}), (Row {cli[i][0], cli[i][1], cli[i][2]})) << i;
    }
    const auto dupont = std::find_if(sheet.begin(), sheet.end(), [](const Row& r) { return r.at(1) == "5"; });
    ASSERT_NE(dupont, sheet.end());
    EXPECT_EQ(dupont->at(2), "Dupont & Fils; dit \"le Rapide\"");
}
