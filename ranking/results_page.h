// The overall ranking for everyone: a self-contained web page that phones
// show and that prints on A4, and a spreadsheet file. Both come from the
// same computation and number texts as every ranking on screen and paper.
#pragma once

#include "contest/contest.h"
#include "ranking/ranking.h"

#include <string>

namespace r7t {

// The page, UTF-8: contest header, overall ranking with each round's
// points (discarded ones in brackets), the best speed, each selected
// round's results in its ranking order, each competitor's detail, and when
// it was produced. Every contest text is escaped. Evaluates the rounds it
// ranks, as the round ranking does.
std::string resultsPage(Contest& contest, const OverallRanking& ranking, const std::string& producedAt);

// The overall ranking as a spreadsheet file: UTF-8 with a byte-order mark,
// ";" between fields, one header row, one row per competitor, numbers with
// a decimal comma so that a French spreadsheet program reads them as
// numbers; fields quoted when they need it, quotes doubled.
std::string resultsSheet(const Contest& contest, const OverallRanking& ranking);

// The local date and time as the page says when it was produced.
std::string productionTime();

// Text for HTML content and attribute values.
std::string escapeHtml(std::string_view text);

} // namespace r7t
