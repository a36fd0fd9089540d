// The overall ranking as a text file: one block per competitor with one
// line per counted round, Windows-1252 bytes, CR LF line ends.
#pragma once

#include "contest/contest.h"
#include "ranking/ranking.h"

#include <optional>
#include <string>

namespace r7t {

// The name proposed for the file: the contest path with the extension of
// its file name replaced by ".txt" (".txt" appended when it has none).
std::string exportPathFor(const std::string& contestPath);

// The file's bytes. A best-speed holder without a pilot record raises the
// fault report "FINDPILOTE" and gives nothing.
std::optional<std::string> exportText(Contest& contest, const OverallRanking& ranking);

struct ExportOutcome {
    bool ok = false;
    std::string error; // what failed, for the message naming the file
};

// Writes the export to path, replacing the file atomically.
ExportOutcome ExportTexte(Contest& contest, const OverallRanking& ranking, const std::string& path);

} // namespace r7t
