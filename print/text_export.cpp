#include "print/text_export.h"

#include "text/strings.h"
#include "contest/atomic_file.h"
#include "ranking/ranking_lines.h"
#include "scoring/time_formats.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <span>

namespace r7t {

namespace {

constexpr const char* kVersionTag = "V3";
constexpr int kTitleText = 83;        // "Classement"
constexpr int kIntermediateText = 84; // "intermédiaire"
constexpr int kFinalText = 85;        // "final"

// The fixed texts are written here in UTF-8 and go to the file in Windows-1252.
std::string ansi(std::string_view utf8) { return utf8ToCp1252(utf8); }

std::string upperAscii(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return upper;
}

// Right-aligns text in width, as "%*s" does.
void appendRight(std::string& out, std::string_view text, size_t width)
{
    if (text.size() < width)
        out.append(width - text.size(), ' ');
    out.append(text);
}

// "%7.2f": to_chars with a precision rounds exactly as printf does, at a
// fraction of its cost (the export writes three per round line).
void appendPoints(std::string& out, float value)
{
    char buffer[64];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, double(value), std::chars_format::fixed, 2);
    appendRight(out, error == std::errc() ? std::string_view(buffer, size_t(end - buffer)) : "", 7);
}

// A short field built without printf or allocation.
class Field {
public:
    Field& operator<<(std::string_view text)
    {
        const size_t n = std::min(text.size(), sizeof buffer_ - length_);
        std::copy_n(text.data(), n, buffer_ + length_);
        length_ += n;
        return *this;
    }
    // "%i"
    Field& operator<<(int value)
    {
        auto [end, error] = std::to_chars(buffer_ + length_, buffer_ + sizeof buffer_, value);
        if (error == std::errc())
            length_ = static_cast<size_t>(end - buffer_);
        return *this;
    }
    std::string_view view() const { return {buffer_, length_}; }

private:
    char buffer_[48];
    size_t length_ = 0;
};

// "m%2i%6s%6s  %7.2f  |%14s%6s%6s  %7.2f | %s  %s\r\n" of one round.
void appendRoundLine(std::string& out, int32_t round, const RoundScore& s)
{
    const FlightResult* f = s.durationResult;
    Field speed, speedPenalty, duration, landing, durationPenalty;
    std::string_view glider;
    if (!f || f->speedVoid)
        speed << "----";
    else
        speed << FormatVitesse(f->speedTime);
    if (!f || f->durationVoid) {
        duration << "----    ";
    } else {
        duration << "(" << s.group << ") ";
        duration << FormatDuree(f->durationTime);
        duration << (s.reflightUsed ? " (R)" : "    ");
        if (f->landingTarget)
            landing << "+20";
        const int penalty = kPenalty * (f->landingBeyond100 != 0) + kPenalty * (f->durationLoss != 0);
        if (penalty > 0)
            durationPenalty << "-" << penalty;
    }
    if (f) {
        if (f->speedLoss && !f->speedVoid)
            speedPenalty << "-" << kPenalty;
        glider = f->glider == 2 ? "pl2" : "pl1";
    }
    Field number;
    number << round;
    out += 'm';
    appendRight(out, number.view(), 2);
    appendRight(out, speed.view(), 6);
    appendRight(out, speedPenalty.view(), 6);
    out += "  ";
    appendPoints(out, s.speedPoints);
    out += "  |";
    appendRight(out, duration.view(), 14);
    appendRight(out, landing.view(), 6);
    appendRight(out, durationPenalty.view(), 6);
    out += "  ";
    appendPoints(out, s.durationPoints);
    out += " | ";
    out += s.discarded ? '(' : ' ';
    appendPoints(out, s.total);
    out += s.discarded ? ')' : ' ';
    out += "  ";
    out += glider;
    out += "\r\n";
}

} // namespace

std::string exportPathFor(const std::string& contestPath)
{
    // Only a dot of the file name starts the extension.
    const size_t slash = contestPath.find_last_of("/\\");
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const size_t dot = contestPath.find_last_of('.');
    if (dot == std::string::npos || dot < nameStart)
        return contestPath + ".txt";
    return contestPath.substr(0, dot) + ".txt";
}

std::optional<std::string> exportText(Contest& contest, const OverallRanking& ranking)
{
    const std::string equals = std::string(74, '=') + "\r\n";
    const std::string hyphens = std::string(74, '-') + "\r\n";
    const std::string columns =
        ansi("     Vit.  PénV  Pts V    |  (G) Durée     Att.  PénD   Pts D  |  Total \r\n");
    const ContestHeader& header = contest.header;

    std::string text;
    text.reserve(1024 + ranking.totals.size() * (400 + 80 * static_cast<size_t>(ranking.selectedCount)));
    text += ansi(MajStr(kTitleText)) + "  " +
            ansi(MajStr(ranking.mode == RankingMode::Final ? kFinalText : kIntermediateText)) + "\r\n";
    text += "R7T ";
    text += kVersionTag;
    text += " - ";
    text.append(header.title.raw()).append(" - ").append(header.place.raw()).append(" - ");
    text.append(header.date.raw()).append("\r\n");
    text += equals;

    int rank = 0;
    const float leader = ranking.leaderTotal();
    for (const TotalScore& entry : ranking.totals) {
        const Pilot* pilot = contest.findPilot(entry.number);
        if (!pilot)
            continue;
        if (ranking.skipZeroTotals && entry.total == 0.0f)
            continue;
        const std::string name = upperAscii(pilot->name.raw());
        const std::string licence(pilot->licence.raw());
        if (isNotClassified(*pilot))
            text += stringPrintf("Rang : NC - %s - Dossard : %i - Licence : %s\r\n\r\n", name.c_str(), entry.number,
                               licence.c_str());
        else
            text += stringPrintf("Rang : %i - %s - Dossard : %i - Licence : %s\r\n\r\n", ++rank, name.c_str(),
                               entry.number, licence.c_str());
        text += columns;
        text += hyphens;
        if (entry.number >= 1 && entry.number <= ranking.maxNumber)
            for (int r = 1; r <= ranking.lastRound; ++r)
                if (contest.roundComplete[r] && ranking.isSelected(r))
                    appendRoundLine(text, r, ranking.score(entry.number, r));
        text += stringPrintf("     Total : %7.2f points   %5.1f %%\r\n\r\n", double(entry.total),
                           percentOfLeader(entry.total, leader));
        text += equals;
    }

    for (int32_t number : ranking.bestSpeedHolders) {
        if (number == 0)
            continue;
        const Pilot* pilot = contest.findPilot(number, Report::Yes);
        if (!pilot)
            return std::nullopt;
        text += stringPrintf("Meilleure vitesse : %i,%i s par n", ranking.bestSpeed / 10, ranking.bestSpeed % 10);
        text += ansi("°");
        text += stringPrintf(" %i - ", number);
        text.append(pilot->name.raw()).append("\r\n");
    }
    return text;
}

ExportOutcome ExportTexte(Contest& contest, const OverallRanking& ranking, const std::string& path)
{
    const std::optional<std::string> text = exportText(contest, ranking);
    if (!text)
        return {false, "pilote introuvable"};
    const WriteOutcome written = writeFileAtomically(
        path, std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(text->data()), text->size()));
    return {written.ok, written.error};
}

} // namespace r7t
