#include "page_check.h"

#include "longest_texts.h"

#include "inspection/glider.h"
#include "print/inspection_sheet.h"
#include "print/printed_lists.h"
#include "print/printed_rankings.h"
#include "ranking/ranking.h"
#include "text/text.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>

namespace r7t::page_check {

namespace {

std::string run(const std::string& command, int& status)
{
    std::string out;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) {
        status = -1;
        return out;
    }
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, n);
    status = ::pclose(pipe);
    return out;
}

std::string quoted(const std::string& path)
{
    std::string q = "'";
    for (char c : path)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// The value of attribute name="..." in the tag text.
double attribute(const std::string& tag, const char* name)
{
    const std::string key = std::string(name) + "=\"";
    const size_t at = tag.find(key);
    if (at == std::string::npos)
        return 0;
    return std::strtod(tag.c_str() + at + key.size(), nullptr);
}

std::string unescaped(const std::string& text)
{
    static const std::pair<const char*, const char*> entities[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&#39;", "'"}, {"&amp;", "&"}};
    std::string out;
    for (size_t i = 0; i < text.size();) {
        bool replaced = false;
        if (text[i] == '&')
            for (const auto& [entity, character] : entities)
                if (text.compare(i, std::char_traits<char>::length(entity), entity) == 0) {
                    out += character;
                    i += std::char_traits<char>::length(entity);
                    replaced = true;
                    break;
                }
        if (!replaced)
            out += text[i++];
    }
    return out;
}

std::string describe(const TextBox& b)
{
    return stringPrintf("\"%s\" (%.1f-%.1f, %.1f-%.1f)", b.word.c_str(), b.xMin, b.xMax, b.yMin, b.yMax);
}

} // namespace

bool pdftotextAvailable()
{
    int status = 0;
    run("pdftotext -v 2>&1", status);
    return status == 0;
}

std::optional<std::vector<PdfPage>> readTextBoxes(const std::string& pdf)
{
    int status = 0;
    const std::string xhtml = run("pdftotext -bbox " + quoted(pdf) + " - 2>/dev/null", status);
    if (status != 0)
        return std::nullopt;
    std::vector<PdfPage> pages;
    for (size_t at = xhtml.find('<'); at != std::string::npos; at = xhtml.find('<', at + 1)) {
        const size_t close = xhtml.find('>', at);
        if (close == std::string::npos)
            break;
        const std::string tag = xhtml.substr(at, close - at + 1);
        if (tag.rfind("<page ", 0) == 0) {
            pages.push_back({attribute(tag, "width"), attribute(tag, "height"), {}});
        } else if (tag.rfind("<word ", 0) == 0 && !pages.empty()) {
            const size_t end = xhtml.find("</word>", close);
            if (end == std::string::npos)
                break;
            pages.back().boxes.push_back({attribute(tag, "xMin"), attribute(tag, "yMin"), attribute(tag, "xMax"),
                                          attribute(tag, "yMax"), unescaped(xhtml.substr(close + 1, end - close - 1))});
            at = end;
        }
    }
    return pages;
}

std::vector<std::string> checkPages(const std::vector<PdfPage>& pages, const PageFrame& frame)
{
    std::vector<std::string> faults;
    for (size_t p = 0; p < pages.size(); ++p) {
        const PdfPage& page = pages[p];
        const std::string where = stringPrintf("page %zu: ", p + 1);
        for (const TextBox& b : page.boxes) {
            if (b.xMin < frame.margin - kTolerance || b.yMin < frame.margin - kTolerance ||
                b.xMax > page.width - frame.margin + kTolerance || b.yMax > page.height - frame.margin + kTolerance)
                faults.push_back(where + describe(b) + " leaves the printable area");
            else if (b.xMax > frame.rulesRight + kTolerance)
                faults.push_back(where + describe(b) + stringPrintf(" passes the right end of the rules (%.1f)",
                                                                    frame.rulesRight));
        }
        std::vector<const TextBox*> byTop;
        for (const TextBox& b : page.boxes)
            byTop.push_back(&b);
        std::sort(byTop.begin(), byTop.end(), [](const TextBox* a, const TextBox* b) { return a->yMin < b->yMin; });
        for (size_t i = 0; i < byTop.size(); ++i)
            for (size_t j = i + 1; j < byTop.size() && byTop[j]->yMin < byTop[i]->yMax; ++j) {
                const TextBox& upper = *byTop[i];
                const TextBox& lower = *byTop[j];
                const double across = std::min(upper.xMax, lower.xMax) - std::max(upper.xMin, lower.xMin);
                const double down = std::min(upper.yMax, lower.yMax) - lower.yMin;
                if (across <= kTolerance || down <= kTolerance)
                    continue;
                // Two lines one above the other whose font boxes touch.
                const bool stacked = lower.yMin > upper.yMin + kTolerance &&
                                     down <= kLineOverlapAllowance * (lower.yMax - lower.yMin) &&
                                     down <= kLineOverlapAllowance * (upper.yMax - upper.yMin);
                if (!stacked)
                    faults.push_back(where + describe(upper) + " overlaps " + describe(lower));
            }
    }
    return faults;
}

const char* paperName(PdfPaper paper) { return paper == PdfPaper::Letter ? "Letter" : "A4"; }

std::vector<DocumentCheck> checkEveryDocument(const std::string& folder, PdfPaper paper)
{
    static Contest contest;
    static Inspection inspection;
    static const bool built = [] {
        fixtures::buildLongestContest(contest);
        fixtures::buildLongestInspection(inspection);
        return true;
    }();
    (void)built;
    constexpr int round = fixtures::kLongestRound;

    OverallRanking finalRanking;
    openFinalRanking(contest, finalRanking);
    OverallRanking chosenRanking;
    openChosenRanking(contest, chosenRanking, {1, 2, 3}, 1, false);
    const std::vector<RoundScore> roundScores = rankRound(contest, round);

    using Document = std::function<PrintOutcome(PrintEngine&)>;
    const std::vector<std::pair<std::string, Document>> documents = {
        {"competitors", [&](PrintEngine& e) { return printPilotList(contest, e, PilotListKind::Competitors); }},
        {"tow-pilots", [&](PrintEngine& e) { return printPilotList(contest, e, PilotListKind::TowPilots); }},
        {"flight-sheets", [&](PrintEngine& e) { return printFlightSheets(contest, e, 1, 99); }},
        {"start-list-speed", [&](PrintEngine& e) { return printStartList(contest, e, round, kTaskSpeed); }},
        {"start-list-duration", [&](PrintEngine& e) { return printStartList(contest, e, round, kTaskDuration); }},
        {"round-sheet", [&](PrintEngine& e) { return printRoundSheet(contest, e, round); }},
        {"weighing", [&](PrintEngine& e) { return printWeighingSheet(contest, e, round); }},
        {"round-results", [&](PrintEngine& e) { return ImprimeManche(contest, e, round, roundScores); }},
        {"ranking-final", [&](PrintEngine& e) { return ImprimeClassement(contest, e, finalRanking); }},
        {"ranking-chosen", [&](PrintEngine& e) { return ImprimeClassement(contest, e, chosenRanking); }},
        {"inspection", [&](PrintEngine& e) { return ImprPlaneur(inspection, e, 1, 99); }},
    };

    const std::string typed = utf8ToCp1252(fixtures::kTypedLetters);
    const double pointsPerUnit = 72.0 / kPdfResolution;
    const double margin = kPdfMarginMillimetres / 25.4 * 72.0;
    std::vector<DocumentCheck> checks;
    for (const auto& [name, document] : documents) {
        DocumentCheck check;
        check.name = name;
        check.pdf = folder + "/" + name + "-" + paperName(paper) + ".pdf";
        std::remove(check.pdf.c_str());
        std::unique_ptr<PrintDevice> device = makePdfDevice(check.pdf, paper);
        PrintEngine engine(*device);
        // Only texts typed into the contest may be cut to fit their columns;
        // a number drawn whole past its room is a column too narrow.
        engine.reportMisfit = [&](std::string_view text, std::string_view drawn) {
            if (check.faults.size() >= 1000)
                return;
            const std::string removed(text.substr(drawn.size()));
            if (drawn.size() == text.size())
                check.faults.push_back("\"" + cp1252ToUtf8(text) + "\" is wider than its column");
            else if (removed.find_first_not_of(typed) != std::string::npos)
                check.faults.push_back("\"" + cp1252ToUtf8(text) + "\" cut to \"" + cp1252ToUtf8(drawn) + "\"");
        };
        const PrintOutcome outcome = document(engine);
        check.pages = engine.pagesStarted();
        const PageFrame frame{margin, margin + engine.rulesRight() * pointsPerUnit};
        device.reset();
        if (outcome != PrintOutcome::Printed) {
            check.faults.push_back("not printed");
        } else if (const auto pages = readTextBoxes(check.pdf)) {
            if (static_cast<int>(pages->size()) != check.pages)
                check.faults.push_back(stringPrintf("%zu pages read back, %d printed", pages->size(), check.pages));
            for (std::string& fault : checkPages(*pages, frame))
                check.faults.push_back(std::move(fault));
        } else {
            check.faults.push_back("pdftotext could not read " + check.pdf);
        }
        checks.push_back(std::move(check));
    }
    return checks;
}

} // namespace r7t::page_check
