#include "ranking/results_page.h"

#include "ranking/ranking_lines.h"
#include "scoring/time_formats.h"
#include "text/text.h"

#include <algorithm>
#include <ctime>

namespace r7t {

namespace {

constexpr int kPenalty = 200;

// Readable on a phone (wide tables scroll in their own box), printable on
// A4, dark text on light backgrounds.
constexpr const char* kStyle = R"(
:root { color: #111; background: #fff; font-family: system-ui, sans-serif; line-height: 1.4; }
body { margin: 0 auto; padding: 0.5rem 1rem 2rem; max-width: 72rem; }
h1 { font-size: 1.5rem; margin: 0.5rem 0 0; color: #0b2a5b; }
h2 { font-size: 1.2rem; margin: 1.5rem 0 0.5rem; color: #0b2a5b; }
.lieu { margin: 0.2rem 0 1rem; }
.defile { overflow-x: auto; max-width: 100%; }
table { border-collapse: collapse; font-variant-numeric: tabular-nums; }
caption { text-align: left; font-weight: bold; padding: 0.3rem 0; }
th, td { border: 1px solid #999; padding: 0.2rem 0.45rem; white-space: nowrap; }
th { background: #e3e9f3; }
td { text-align: right; }
td.t { text-align: left; }
td.e { color: #555; }
.legende, .produit { font-size: 0.9rem; color: #333; }
details { margin: 0.3rem 0; }
summary { cursor: pointer; }
a { color: #0b3d91; }
@media print {
  @page { size: A4; margin: 12mm; }
  body { max-width: none; padding: 0; font-size: 9pt; }
  .defile { overflow: visible; }
  details > summary { list-style: none; }
  details:not([open]) > table { display: table; }
  a { color: inherit; text-decoration: none; }
  section { break-inside: auto; }
  tr { break-inside: avoid; }
}
)";

template <size_t N>
std::string utf8(const FixedText<N>& text)
{
    return text.utf8();
}

std::string points(float value) { return stringPrintf("%.2f", double(value)); }

// A round's points in the overall table: in brackets when discarded.
std::string roundPoints(const RoundScore& score)
{
    return score.discarded ? "(" + points(score.total) + ")" : points(score.total);
}

// A cell, right-aligned unless of class "t" (text). Its end tag is left out,
// as HTML allows: the largest contest has some ninety thousand cells.
std::string cell(const std::string& text, const char* cls = nullptr)
{
    std::string html = cls ? std::string("<td class=") + cls + ">" : std::string("<td>");
    return html + escapeHtml(text);
}

std::string headings(std::initializer_list<std::string> names)
{
    std::string html = "<tr>";
    for (const std::string& name : names)
        html += "<th scope=\"col\">" + escapeHtml(name) + "</th>";
    return html + "</tr>";
}

// The rounds the ranking counts, in order.
std::vector<int32_t> countedRounds(const Contest& contest, const OverallRanking& ranking)
{
    std::vector<int32_t> rounds;
    for (int r = 1; r <= ranking.lastRound; ++r)
        if (contest.roundComplete[r] && ranking.isSelected(r))
            rounds.push_back(r);
    return rounds;
}

std::string rankText(const RankedEntry& entry) { return entry.rank > 0 ? std::to_string(entry.rank) : "NC"; }

std::string pilotName(const RankedEntry& entry) { return entry.pilot ? utf8(entry.pilot->name) : std::string(); }

// The speed, duration and penalty texts of a counted flight, as the detail
// line writes them.
struct FlightCells {
    std::string speed = "----";
    std::string speedPenalty;
    std::string duration = "----";
    std::string landing;
    std::string durationPenalty;
    std::string glider;
};

FlightCells flightCells(const RoundScore& score)
{
    FlightCells c;
    const FlightResult* f = score.durationResult;
    if (!f)
        return c;
    if (!f->speedVoid)
        c.speed = FormatVitesse(f->speedTime);
    if (f->speedLoss && !f->speedVoid)
        c.speedPenalty = stringPrintf("-%i", kPenalty);
    if (!f->durationVoid) {
        c.duration = stringPrintf("(%i) %s", score.group, FormatDuree(f->durationTime).c_str());
        if (score.reflightUsed)
            c.duration += " (R)";
        if (f->landingTarget)
            c.landing = "+20";
        const int penalty = kPenalty * (f->landingBeyond100 != 0) + kPenalty * (f->durationLoss != 0);
        if (penalty)
            c.durationPenalty = stringPrintf("-%i", penalty);
    }
    c.glider = f->glider == 2 ? "PL2" : "PL1";
    return c;
}

std::string overallSection(const Contest& contest, const OverallRanking& ranking, const std::vector<int32_t>& rounds,
                           const std::vector<RankedEntry>& order)
{
    const float leader = ranking.leaderTotal();
    const std::string kind = ranking.mode == RankingMode::Final ? "Classement final" : "Classement intermédiaire";
    // The heading outside the table's scrolling box, so that a phone shows it whole.
    std::string html = "<section id=\"classement\"><h2>" + kind;
    html += stringPrintf(" &mdash; %zu manche%s, %i écartée%s", rounds.size(), rounds.size() > 1 ? "s" : "",
                         ranking.discardCount, ranking.discardCount > 1 ? "s" : "");
    html += "</h2><div class=\"defile\"><table><caption>" + kind;
    html += "</caption><thead><tr><th scope=\"col\">Rang</th><th scope=\"col\">N°</th><th scope=\"col\">Nom</th>"
            "<th scope=\"col\">Club</th><th scope=\"col\">Pays</th><th scope=\"col\">Total</th>"
            "<th scope=\"col\">% du premier</th>";
    for (int32_t r : rounds)
        html += stringPrintf("<th scope=\"col\">M %i</th>", r);
    html += "</tr></thead><tbody>\n";
    for (const RankedEntry& entry : order) {
        html += "<tr>" + cell(rankText(entry)) + cell(std::to_string(entry.number));
        html += stringPrintf("<td class=t><a href=\"#c%i\">", entry.number) + escapeHtml(pilotName(entry)) + "</a>";
        html += cell(entry.pilot ? utf8(entry.pilot->club) : "", "t") +
                cell(entry.pilot ? utf8(entry.pilot->country) : "", "t");
        html += cell(points(entry.total));
        html += cell(stringPrintf("%.1f", percentOfLeader(entry.total, leader)));
        for (int32_t r : rounds) {
            const RoundScore& s = ranking.score(entry.number, r);
            html += cell(roundPoints(s), s.discarded ? "e" : nullptr);
        }
        html += "</tr>\n";
    }
    html += "</tbody></table></div>";
    html += "<p class=\"legende\">(entre parenthèses) : manche écartée ; NC : non classé.</p>";
    const std::vector<std::string> speed = bestSpeedLines(contest, ranking);
    for (const std::string& line : speed)
        html += "<p>" + escapeHtml(line) + "</p>";
    return html + "</section>\n";
}

std::string roundSection(Contest& contest, int32_t round)
{
    std::string html =
        stringPrintf("<section id=\"m%i\"><h2>Manche %i</h2><div class=\"defile\"><table>", round, round);
    html += stringPrintf("<caption>Résultats de la manche %i</caption><thead>", round);
    html += headings({"Rang", "N°", "Nom", "Vitesse", "Pén. V", "Points V", "(G) Durée", "Atterr.", "Pén. D",
                      "Points D", "Total", "Planeur"});
    html += "</thead><tbody>\n";
    int position = 0;
    for (const RoundScore& s : rankRound(contest, round)) {
        ++position;
        if (!s.durationResult)
            continue;
        const FlightCells c = flightCells(s);
        const Pilot* pilot = contest.findPilot(s.number);
        html += "<tr>" + cell(std::to_string(position)) + cell(std::to_string(s.number));
        html += cell(pilot ? utf8(pilot->name) : "", "t") + cell(c.speed) + cell(c.speedPenalty);
        html += cell(points(s.speedPoints)) + cell(c.duration, "t") + cell(c.landing);
        html += cell(c.durationPenalty) + cell(points(s.durationPoints));
        html += cell(points(s.total)) + cell(c.glider, "t") + "</tr>\n";
    }
    return html + "</tbody></table></div><p class=\"legende\">(R) : durée du revol.</p></section>\n";
}

std::string detailSection(const OverallRanking& ranking, const std::vector<int32_t>& rounds,
                          const std::vector<RankedEntry>& order)
{
    std::string html = "<section id=\"details\"><h2>Détail par concurrent</h2>\n";
    for (const RankedEntry& entry : order) {
        html += stringPrintf("<details id=\"c%i\"><summary>", entry.number);
        html += escapeHtml(rankText(entry) + " - n° " + std::to_string(entry.number) + " - " + pilotName(entry) +
                           " - " + points(entry.total) + " pts");
        html += "</summary><table><caption>" + escapeHtml(pilotName(entry)) + "</caption><thead>";
        html += headings({"Manche", "Vitesse", "Pén. V", "Points V", "(G) Durée", "Atterr.", "Pén. D", "Points D",
                          "Total", "Planeur"});
        html += "</thead><tbody>";
        for (int32_t r : rounds) {
            const RoundScore& s = ranking.score(entry.number, r);
            const FlightCells c = flightCells(s);
            html += "<tr>" + cell(stringPrintf("M %i", r), "t") + cell(c.speed) + cell(c.speedPenalty);
            html += cell(points(s.speedPoints)) + cell(c.duration, "t") + cell(c.landing);
            html += cell(c.durationPenalty) + cell(points(s.durationPoints));
            html += cell(roundPoints(s), s.discarded ? "e" : nullptr) + cell(c.glider, "t") + "</tr>\n";
        }
        html += "</tbody></table></details>\n";
    }
    return html + "</section>\n";
}

// A spreadsheet field, quoted when it holds a separator, a quote, a line
// end or edge spaces.
std::string sheetField(const std::string& text)
{
    const bool quoted = text.find_first_of(";\"\r\n") != std::string::npos ||
                        (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    if (!quoted)
        return text;
    std::string field = "\"";
    for (char c : text) {
        if (c == '"')
            field += '"';
        field += c;
    }
    return field + "\"";
}

std::string decimalComma(std::string number)
{
    std::replace(number.begin(), number.end(), '.', ',');
    return number;
}

} // namespace

std::string productionTime()
{
    const std::time_t t = std::time(nullptr);
    std::tm local {};
    localtime_r(&t, &local);
    char text[40];
    std::strftime(text, sizeof text, "%d/%m/%Y à %H:%M", &local);
    return text;
}

std::string escapeHtml(std::string_view text)
{
    std::string html;
    html.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&': html += "&amp;"; break;
        case '<': html += "&lt;"; break;
        case '>': html += "&gt;"; break;
        case '"': html += "&quot;"; break;
        case '\'': html += "&#39;"; break;
        default: html += c;
        }
    }
    return html;
}

std::string resultsPage(Contest& contest, const OverallRanking& ranking, const std::string& producedAt)
{
    const std::vector<int32_t> rounds = countedRounds(contest, ranking);
    const std::vector<RankedEntry> order = overallOrder(contest, ranking);
    const std::string title = utf8(contest.header.title);
    const std::string kind = ranking.mode == RankingMode::Final ? "Classement final" : "Classement intermédiaire";

    std::string html = "<!DOCTYPE html>\n<html lang=\"fr\">\n<head>\n<meta charset=\"utf-8\">\n"
                       "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>";
    html += escapeHtml((title.empty() ? std::string("R7T") : title) + " - " + kind);
    html += "</title>\n<style>" + std::string(kStyle) + "</style>\n</head>\n<body>\n<header><h1>";
    html += escapeHtml(title) + "</h1><p class=\"lieu\">";
    html += escapeHtml(utf8(contest.header.place) + " - " + utf8(contest.header.date)) + "</p></header>\n<main>\n";
    html += overallSection(contest, ranking, rounds, order);
    for (int32_t r : rounds)
        html += roundSection(contest, r);
    html += detailSection(ranking, rounds, order);
    html += "</main>\n<footer><p class=\"produit\">Produit le " + escapeHtml(producedAt) +
            " par R7T.</p></footer>\n</body>\n</html>\n";
    return html;
}

std::string resultsSheet(const Contest& contest, const OverallRanking& ranking)
{
    const std::vector<int32_t> rounds = countedRounds(contest, ranking);
    const float leader = ranking.leaderTotal();
    std::string sheet = "\xEF\xBB\xBF"
                        "Rang;N°;Nom;Club;Pays;Total;% du premier";
    for (int32_t r : rounds)
        sheet += stringPrintf(";M %i", r);
    sheet += ";Manches écartées\r\n";
    for (const RankedEntry& entry : overallOrder(contest, ranking)) {
        sheet += rankText(entry) + ";" + std::to_string(entry.number) + ";" + sheetField(pilotName(entry));
        sheet += ";" + sheetField(entry.pilot ? utf8(entry.pilot->club) : "");
        sheet += ";" + sheetField(entry.pilot ? utf8(entry.pilot->country) : "");
        sheet += ";" + decimalComma(points(entry.total));
        sheet += ";" + decimalComma(stringPrintf("%.1f", percentOfLeader(entry.total, leader)));
        std::string discarded;
        for (int32_t r : rounds) {
            const RoundScore& s = ranking.score(entry.number, r);
            sheet += ";" + decimalComma(points(s.total));
            if (s.discarded)
                discarded += (discarded.empty() ? "" : " ") + stringPrintf("M%i", r);
        }
        sheet += ";" + discarded + "\r\n";
    }
    return sheet;
}

} // namespace r7t
