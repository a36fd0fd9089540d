#include "competitors/import.h"

#include "text/strings.h"
#include "competitors/frequency.h"
#include "string_table/formats.h"
#include "text/numbers.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <filesystem>
#include <fstream>

namespace r7t {

namespace {

constexpr int kFieldCount = 9;
// Characters kept of each field: number, name, frequency 1, frequency 2,
// licence, club, club number, country, remark.
constexpr std::array<std::size_t, kFieldCount> kFieldWidths{7, 31, 15, 15, 15, 31, 7, 23, 127};
constexpr int kDataLineTabs = kFieldCount - 1;

constexpr int kFirstImportNumber = 1;
constexpr int kLastImportNumber = 98;

struct ImportLine {
    std::size_t length = 0; // characters, the line end counting as one
    int tabs = 0;           // counted up to the remark's start, then capped
    std::array<std::string, kFieldCount> fields;
};

// Reads one line of any length, keeping only what the fields hold. False
// at the end of the stream (nothing read).
bool readLine(std::streambuf& in, ImportLine& line)
{
    line = ImportLine{};
    int field = 0;
    bool any = false;
    constexpr auto eof = std::char_traits<char>::eof();
    for (auto c = in.sbumpc(); c != eof; c = in.sbumpc()) {
        any = true;
        // CR LF, LF and CR alone all end a line, whatever wrote the file.
        if (c == '\r') {
            if (in.sgetc() == '\n')
                in.sbumpc();
            c = '\n';
        }
        if (line.length < SIZE_MAX)
            ++line.length;
        if (c == '\n')
            return true;
        if (c == '\t' && field < kDataLineTabs) {
            ++field;
            ++line.tabs;
            continue;
        }
        if (c == '\t' && line.tabs < kDataLineTabs + 1)
            ++line.tabs; // the remark keeps its tabs; one more is enough to know
        std::string& text = line.fields[static_cast<std::size_t>(field)];
        if (text.size() < kFieldWidths[static_cast<std::size_t>(field)])
            text += static_cast<char>(c);
    }
    return any;
}

void addFlag(ImportFlags& flags, std::size_t& errors, std::size_t lineNumber, uint8_t flag)
{
    flags.set(lineNumber, flag);
    ++errors;
}

} // namespace

void ImportFlags::set(std::size_t line, uint8_t flag)
{
    if (!lines_.empty() && lines_.back().first == line) {
        lines_.back().second |= flag;
        return;
    }
    auto it = std::lower_bound(lines_.begin(), lines_.end(), line,
                               [](const auto& entry, std::size_t l) { return entry.first < l; });
    if (it != lines_.end() && it->first == line)
        it->second |= flag;
    else
        lines_.insert(it, {line, flag});
}

uint8_t ImportFlags::get(std::size_t line) const
{
    auto it = std::lower_bound(lines_.begin(), lines_.end(), line,
                               [](const auto& entry, std::size_t l) { return entry.first < l; });
    return it != lines_.end() && it->first == line ? it->second : 0;
}

bool readImportHeader(std::istream& file)
{
    std::streambuf* in = file.rdbuf();
    if (!in)
        return false;
    ImportLine header;
    return readLine(*in, header) && header.tabs >= kImportHeaderTabs;
}

std::size_t LitFichierImport(Contest& contest, std::istream& file, std::size_t& errors, std::size_t& imported,
                             ImportFlags& flags, ImportMode mode)
{
    errors = 0;
    std::size_t lineNumber = 1;
    std::streambuf* in = file.rdbuf();
    if (!in)
        return lineNumber;
    std::bitset<kLastImportNumber + 1> numbersMet;
    ImportLine line;
    while (readLine(*in, line) && line.length >= kImportMinLineLength) {
        ++lineNumber;
        if (line.tabs < kDataLineTabs) {
            addFlag(flags, errors, lineNumber, kImportBadLine);
            continue;
        }
        const auto& f = line.fields;
        bool faulty = false;
        if (f[1].empty()) {
            addFlag(flags, errors, lineNumber, kImportNameMissing);
            faulty = true;
        }
        const int32_t number = leadingInt32(f[0]);
        const bool numberInRange = number >= kFirstImportNumber && number <= kLastImportNumber;
        if (!numberInRange || contest.findPilot(number) || numbersMet.test(static_cast<std::size_t>(number))) {
            addFlag(flags, errors, lineNumber, kImportBadNumber);
            faulty = true;
        }
        if (numberInRange)
            numbersMet.set(static_cast<std::size_t>(number));
        const std::optional<int32_t> frequency1 = readImportFrequency1(f[2]);
        if (!frequency1) {
            addFlag(flags, errors, lineNumber, kImportBadFrequency);
            faulty = true;
        }
        // Frequency 2 is checked by both passes, so that a bad one stops the
        // whole import instead of silently leaving its line out.
        const std::optional<int32_t> frequency2 = readImportFrequency2(f[3]);
        if (!frequency2) {
            addFlag(flags, errors, lineNumber, kImportBadFrequency);
            faulty = true;
        }
        if (mode != kImportCreate || faulty)
            continue;
        Pilot* p = contest.addPilot(number);
        if (!p) {
            // The out-of-memory alert is raised once; nothing more can be created.
            ++errors;
            break;
        }
        p->name.assignRaw(f[1]);
        p->frequency1 = *frequency1;
        p->frequency2 = *frequency2;
        p->licence.assignRaw(f[4]);
        p->club.assignRaw(f[5]);
        p->clubNumber = leadingInt32(f[6]);
        p->country.assignRaw(f[7]);
        p->remark.assignRaw(f[8]);
        ++imported;
    }
    return lineNumber;
}

std::vector<std::string> importErrorLines(const ImportFlags& flags)
{
    static constexpr std::array<std::pair<uint8_t, TableFormat<ConversionKind::Unsigned>>, 4> kOrder{{
        {kImportNameMissing, kImportLineNameMissing},
        {kImportBadLine, kImportLineMalformed},
        {kImportBadNumber, kImportLineBadNumber},
        {kImportBadFrequency, kImportLineBadFrequency},
    }};
    std::vector<std::string> lines;
    for (const auto& [line, bits] : flags.faultyLines())
        for (const auto& [flag, message] : kOrder)
            if (bits & flag)
                lines.push_back(formatText(message, line));
    return lines;
}

std::string importResultLine(std::size_t imported, std::size_t errors)
{
    return formatText(kImportSummary, imported, errors);
}

std::string importCannotOpenText(const std::string& path)
{
    return "Le fichier " + path + " ne peut pas être ouvert !";
}

ImportOutcome importCompetitors(Contest& contest, std::istream& file)
{
    ImportOutcome outcome;
    if (!readImportHeader(file)) {
        outcome.status = ImportStatus::Incompatible;
        outcome.alert = MajMessage(kMessageImportIncompatible);
        return outcome;
    }
    std::size_t none = 0;
    outcome.lastLine = LitFichierImport(contest, file, outcome.errors, none, outcome.flags, kImportCheck);
    if (outcome.errors > 0) {
        outcome.status = ImportStatus::Refused;
        outcome.errorLines = importErrorLines(outcome.flags);
        outcome.resultLine = importResultLine(0, outcome.errors);
        return outcome;
    }
    file.clear();
    if (!file.seekg(0) || !readImportHeader(file)) {
        outcome.status = ImportStatus::CannotOpen;
        outcome.alert = "Le fichier ne peut pas être relu !";
        return outcome;
    }
    outcome.lastLine =
        LitFichierImport(contest, file, outcome.errors, outcome.imported, outcome.flags, kImportCreate);
    outcome.resultLine = importResultLine(outcome.imported, outcome.errors);
    outcome.errorLines = importErrorLines(outcome.flags);
    return outcome;
}

ImportOutcome importCompetitorsFromFile(Contest& contest, const std::string& path)
{
    std::error_code ec;
    std::ifstream file;
    if (!std::filesystem::is_directory(path, ec))
        file.open(path, std::ios::binary);
    if (!file.is_open()) {
        ImportOutcome outcome;
        outcome.status = ImportStatus::CannotOpen;
        outcome.alert = importCannotOpenText(path);
        return outcome;
    }
    return importCompetitors(contest, file);
}

} // namespace r7t
