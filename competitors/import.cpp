#include "competitors/import.h"

#include "text/strings.h"
#include "competitors/frequency.h"
#include "string_table/formats.h"
#include "text/numbers.h"
#include "text/text.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <filesystem>
#include <fstream>
#include <optional>

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
    int semicolons = 0;     // capped, like commas: enough to tell the separator
    int commas = 0;
    bool visible = false;   // something other than spaces and tabs
    std::string unencodable; // the first character without a Windows-1252 form, UTF-8
    std::array<std::string, kFieldCount> fields;
};

enum class ImportEncoding { Cp1252, Utf8, Utf16LE, Utf16BE };

constexpr auto kEnd = std::char_traits<char>::eof();
constexpr char32_t kMalformed = 0xFFFD;

// The file's characters one at a time as Windows-1252 bytes. A Windows-1252
// file's bytes pass untouched; a Unicode file's characters are converted,
// one without a Windows-1252 form coming as '?' marked unencodable, a
// malformed sequence as U+FFFD.
class CharacterSource {
public:
    struct Character {
        int byte = kEnd; // kEnd at the end of the file
        char32_t code = 0;
        bool encodable = true;
    };

    CharacterSource(std::streambuf& in, ImportEncoding encoding) : in_(in), encoding_(encoding) {}

    Character next()
    {
        if (peeked_) {
            const Character c = *peeked_;
            peeked_.reset();
            return c;
        }
        return decode();
    }
    Character peek()
    {
        // A Windows-1252 byte is only looked at, so that a reader of the
        // header alone leaves the next line whole.
        if (!peeked_ && encoding_ == ImportEncoding::Cp1252) {
            const auto b = in_.sgetc();
            return {b, static_cast<char32_t>(b), true};
        }
        if (!peeked_)
            peeked_ = decode();
        return *peeked_;
    }
    bool sawMalformed() const { return malformed_; }

private:
    Character decode()
    {
        char32_t code = 0;
        switch (encoding_) {
        case ImportEncoding::Cp1252: {
            const auto b = in_.sbumpc();
            return {b, static_cast<char32_t>(b), true};
        }
        case ImportEncoding::Utf8:
            if (!readUtf8(code))
                return {};
            break;
        case ImportEncoding::Utf16LE:
        case ImportEncoding::Utf16BE:
            if (!readUtf16(code))
                return {};
            break;
        }
        const int b = cp1252Of(code);
        return b < 0 ? Character{'?', code, false} : Character{b, code, true};
    }

    char32_t malformed()
    {
        malformed_ = true;
        return kMalformed;
    }

    // Strict UTF-8: no overlong form, no surrogate, nothing above U+10FFFF,
    // so that Windows-1252 text is practically never taken for it.
    bool readUtf8(char32_t& code)
    {
        const auto lead = in_.sbumpc();
        if (lead == kEnd)
            return false;
        int more = 0;
        char32_t least = 0;
        if (lead < 0x80) {
            code = static_cast<char32_t>(lead);
            return true;
        }
        if (lead >= 0xC2 && lead <= 0xDF) {
            more = 1, least = 0x80, code = static_cast<char32_t>(lead & 0x1F);
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            more = 2, least = 0x800, code = static_cast<char32_t>(lead & 0x0F);
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            more = 3, least = 0x10000, code = static_cast<char32_t>(lead & 0x07);
        } else {
            code = malformed();
            return true;
        }
        for (int k = 0; k < more; ++k) {
            const auto c = in_.sgetc();
            if (c == kEnd || (c & 0xC0) != 0x80) {
                code = malformed(); // the byte that breaks the sequence starts the next one
                return true;
            }
            in_.sbumpc();
            code = (code << 6) | static_cast<char32_t>(c & 0x3F);
        }
        if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            code = malformed();
        return true;
    }

    // One 16-bit unit; an odd last byte is a malformed unit.
    bool readUnit(char32_t& unit)
    {
        if (pendingUnit_) {
            unit = *pendingUnit_;
            pendingUnit_.reset();
            return true;
        }
        const auto first = in_.sbumpc();
        if (first == kEnd)
            return false;
        const auto second = in_.sbumpc();
        if (second == kEnd) {
            unit = malformed();
            return true;
        }
        unit = static_cast<char32_t>(encoding_ == ImportEncoding::Utf16LE ? first | (second << 8)
                                                                           : (first << 8) | second);
        return true;
    }

    bool readUtf16(char32_t& code)
    {
        if (!readUnit(code))
            return false;
        if (code >= 0xDC00 && code <= 0xDFFF) {
            code = malformed();
        } else if (code >= 0xD800 && code <= 0xDBFF) {
            char32_t low = 0;
            const bool more = readUnit(low);
            if (more && low >= 0xDC00 && low <= 0xDFFF) {
                code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
            } else {
                if (more)
                    pendingUnit_ = low; // not a low half: a character of its own
                code = malformed();
            }
        }
        return true;
    }

    std::streambuf& in_;
    ImportEncoding encoding_;
    std::optional<Character> peeked_;
    std::optional<char32_t> pendingUnit_;
    bool malformed_ = false;
};

// Reads one line of any length, keeping only what the fields hold. False
// at the end of the stream (nothing read).
bool readLine(CharacterSource& in, ImportLine& line)
{
    line = ImportLine{};
    int field = 0;
    bool any = false;
    for (auto ch = in.next(); ch.byte != kEnd; ch = in.next()) {
        any = true;
        int c = ch.byte;
        // CR LF, LF and CR alone all end a line, whatever wrote the file.
        if (c == '\r') {
            if (in.peek().byte == '\n')
                in.next();
            c = '\n';
        }
        if (line.length < SIZE_MAX)
            ++line.length;
        if (c == '\n')
            return true;
        if (!ch.encodable && line.unencodable.empty())
            line.unencodable = utf8Of(ch.code);
        if (c != ' ' && c != '\t')
            line.visible = true;
        if (c == ';' && line.semicolons <= kDataLineTabs)
            ++line.semicolons;
        if (c == ',' && line.commas <= kDataLineTabs)
            ++line.commas;
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

std::string importSeparatorHint(const char* separators)
{
    return std::string("Les champs de ce fichier sont séparés par des ") + separators +
           " : ils doivent l'être par des tabulations (enregistrer la feuille au format texte avec "
           "tabulations).";
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

void ImportFlags::setUnencodable(std::size_t line, std::string character)
{
    set(line, kImportUnencodable);
    auto it = std::lower_bound(characters_.begin(), characters_.end(), line,
                               [](const auto& entry, std::size_t l) { return entry.first < l; });
    if (it == characters_.end() || it->first != line)
        characters_.insert(it, {line, std::move(character)});
}

std::string ImportFlags::unencodable(std::size_t line) const
{
    auto it = std::lower_bound(characters_.begin(), characters_.end(), line,
                               [](const auto& entry, std::size_t l) { return entry.first < l; });
    return it != characters_.end() && it->first == line ? it->second : std::string();
}

namespace {

bool readHeader(CharacterSource& in, ImportLine& header)
{
    return readLine(in, header) && header.tabs >= kImportHeaderTabs;
}

// The data lines up to the end or the first short line; with unread, the
// lines after that one with something in them (the short line included).
std::size_t readDataLines(Contest& contest, CharacterSource& in, std::size_t& errors, std::size_t& imported,
                          ImportFlags& flags, ImportMode mode, std::size_t* unread)
{
    errors = 0;
    std::size_t lineNumber = 1;
    std::bitset<kLastImportNumber + 1> numbersMet;
    // The numbers already taken, looked up once rather than per line: a
    // competitor created by this pass is in numbersMet.
    std::bitset<kLastImportNumber + 1> registered;
    for (const Pilot& p : contest.pilots)
        if (p.number >= kFirstImportNumber && p.number <= kLastImportNumber)
            registered.set(static_cast<std::size_t>(p.number));
    ImportLine line;
    bool stoppedShort = false;
    while (readLine(in, line)) {
        if (line.length < kImportMinLineLength) {
            stoppedShort = true;
            break;
        }
        ++lineNumber;
        bool faulty = false;
        if (!line.unencodable.empty()) {
            flags.setUnencodable(lineNumber, line.unencodable);
            ++errors;
            faulty = true;
        }
        if (line.tabs < kDataLineTabs) {
            addFlag(flags, errors, lineNumber, kImportBadLine);
            continue;
        }
        const auto& f = line.fields;
        if (f[1].empty()) {
            addFlag(flags, errors, lineNumber, kImportNameMissing);
            faulty = true;
        }
        const int32_t number = leadingInt32(f[0]);
        const bool numberInRange = number >= kFirstImportNumber && number <= kLastImportNumber;
        if (!numberInRange || registered.test(static_cast<std::size_t>(number)) ||
            numbersMet.test(static_cast<std::size_t>(number))) {
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
    if (unread) {
        *unread = 0;
        for (bool more = stoppedShort; more; more = readLine(in, line))
            if (line.visible)
                ++*unread;
    }
    return lineNumber;
}

struct Encoding {
    ImportEncoding encoding = ImportEncoding::Cp1252;
    std::streamoff start = 0; // past the byte-order mark
};

// The bytes looked at for UTF-16 without a byte-order mark.
constexpr std::size_t kUtf16Probe = 512;

// UTF-16 without a byte-order mark, from the NULs of its first bytes: the
// text of a competitor sheet is mostly ASCII, whose characters are a NUL
// and the letter in UTF-16, so that at least half the pairs have their NUL
// on the same side (second in little-endian, first in big-endian) and
// hardly any on the other. Windows-1252 and UTF-8 text holds no NUL at all.
std::optional<ImportEncoding> utf16WithoutMark(std::streambuf& in)
{
    std::size_t pairs = 0, firstNul = 0, secondNul = 0;
    while (pairs < kUtf16Probe / 2) {
        const auto first = in.sbumpc();
        const auto second = first == kEnd ? kEnd : in.sbumpc();
        if (second == kEnd)
            break;
        ++pairs;
        firstNul += first == 0;
        secondNul += second == 0;
    }
    if (pairs < 2)
        return std::nullopt;
    if (2 * secondNul >= pairs && 8 * firstNul <= pairs)
        return ImportEncoding::Utf16LE;
    if (2 * firstNul >= pairs && 8 * secondNul <= pairs)
        return ImportEncoding::Utf16BE;
    return std::nullopt;
}

// From the byte-order mark; else UTF-16 from the NULs of its first bytes;
// else UTF-8 when the file has non-ASCII bytes and all of them form valid
// UTF-8 (Windows-1252 French text practically never does: an accented
// letter followed by a plain one is malformed). Leaves the stream at its
// start; nothing when it cannot be read again.
std::optional<Encoding> detectEncoding(std::istream& file)
{
    std::streambuf& in = *file.rdbuf();
    std::array<int, 3> head{kEnd, kEnd, kEnd};
    for (int& b : head)
        b = in.sbumpc();
    Encoding found;
    if (head[0] == 0xEF && head[1] == 0xBB && head[2] == 0xBF) {
        found = {ImportEncoding::Utf8, 3};
    } else if (head[0] == 0xFF && head[1] == 0xFE) {
        found = {ImportEncoding::Utf16LE, 2};
    } else if (head[0] == 0xFE && head[1] == 0xFF) {
        found = {ImportEncoding::Utf16BE, 2};
    } else {
        file.clear();
        if (!file.seekg(0))
            return std::nullopt;
        if (const std::optional<ImportEncoding> utf16 = utf16WithoutMark(in)) {
            found = {*utf16, 0};
        } else {
            file.clear();
            if (!file.seekg(0))
                return std::nullopt;
            CharacterSource utf8(in, ImportEncoding::Utf8);
            bool nonAscii = false;
            for (auto c = utf8.next(); c.byte != kEnd && !utf8.sawMalformed(); c = utf8.next())
                nonAscii = nonAscii || c.code >= 0x80;
            if (nonAscii && !utf8.sawMalformed())
                found = {ImportEncoding::Utf8, 0};
        }
    }
    file.clear();
    if (!file.seekg(found.start))
        return std::nullopt;
    return found;
}

} // namespace

bool readImportHeader(std::istream& file)
{
    std::streambuf* in = file.rdbuf();
    if (!in)
        return false;
    CharacterSource source(*in, ImportEncoding::Cp1252);
    ImportLine header;
    return readHeader(source, header);
}

std::size_t LitFichierImport(Contest& contest, std::istream& file, std::size_t& errors, std::size_t& imported,
                             ImportFlags& flags, ImportMode mode)
{
    std::streambuf* in = file.rdbuf();
    if (!in) {
        errors = 0;
        return 1;
    }
    CharacterSource source(*in, ImportEncoding::Cp1252);
    return readDataLines(contest, source, errors, imported, flags, mode, nullptr);
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
    for (const auto& [line, bits] : flags.faultyLines()) {
        for (const auto& [flag, message] : kOrder)
            if (bits & flag)
                lines.push_back(formatText(message, line));
        if (bits & kImportUnencodable)
            lines.push_back(formatText(kImportLineUnencodable, line, flags.unencodable(line)));
    }
    return lines;
}

std::string importResultLine(std::size_t imported, std::size_t errors)
{
    return formatText(kImportSummary, imported, errors);
}

std::string importUnreadLine(std::size_t unread, std::size_t stopLine)
{
    return stringPrintf("lecture arrêtée à la ligne %zu : %zu ligne(s) non lue(s)", stopLine, unread);
}

std::string importCannotOpenText(const std::string& path)
{
    return "Le fichier " + path + " ne peut pas être ouvert !";
}

ImportOutcome importCompetitors(Contest& contest, std::istream& file)
{
    ImportOutcome outcome;
    const auto cannotReadAgain = [&] {
        outcome.status = ImportStatus::CannotOpen;
        outcome.alert = "Le fichier ne peut pas être relu !";
        return outcome;
    };
    if (!file.rdbuf())
        return cannotReadAgain();
    const std::optional<Encoding> encoding = detectEncoding(file);
    if (!encoding)
        return cannotReadAgain();
    ImportLine header;
    {
        CharacterSource source(*file.rdbuf(), encoding->encoding);
        if (!readHeader(source, header)) {
            outcome.status = ImportStatus::Incompatible;
            outcome.alert = MajMessage(kMessageImportIncompatible);
            if (header.semicolons >= kImportHeaderTabs)
                outcome.hint = importSeparatorHint("points-virgules");
            else if (header.commas >= kImportHeaderTabs)
                outcome.hint = importSeparatorHint("virgules");
            return outcome;
        }
        std::size_t none = 0;
        outcome.lastLine =
            readDataLines(contest, source, outcome.errors, none, outcome.flags, kImportCheck, &outcome.unread);
    }
    if (outcome.unread > 0)
        outcome.unreadLine = importUnreadLine(outcome.unread, outcome.lastLine + 1);
    if (outcome.errors > 0) {
        outcome.status = ImportStatus::Refused;
        outcome.errorLines = importErrorLines(outcome.flags);
        outcome.resultLine = importResultLine(0, outcome.errors);
        return outcome;
    }
    file.clear();
    if (!file.seekg(encoding->start))
        return cannotReadAgain();
    CharacterSource source(*file.rdbuf(), encoding->encoding);
    if (!readHeader(source, header))
        return cannotReadAgain();
    outcome.lastLine = readDataLines(contest, source, outcome.errors, outcome.imported, outcome.flags,
                                     kImportCreate, nullptr);
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
