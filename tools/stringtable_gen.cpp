// Build tool: reads a string table (one "number<TAB>text" per line, UTF-8,
// escapes \r \t \\) and writes a C++ source defining the sorted table,
// and a header declaring every text with conversions as a TableFormat
// constant under the name the formats list gives it ("number<TAB>name").
// Any malformed line, unknown conversion, or text with conversions and no
// name fails the build rather than leaving a format unchecked.
#include "text/conversions.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

bool unescape(const std::string& in, std::string& out, std::string& error)
{
    out.clear();
    for (size_t i = 0; i < in.size(); ++i) {
        char c = in[i];
        if (c != '\\') {
            out += c;
            continue;
        }
        if (i + 1 >= in.size()) {
            error = "backslash at end of text";
            return false;
        }
        char e = in[++i];
        switch (e) {
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case '\\': out += '\\'; break;
        default: error = std::string("unknown escape \\") + e; return false;
        }
    }
    return true;
}

std::string cLiteral(const std::string& text)
{
    std::string lit = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            lit += '\\';
            lit += static_cast<char>(c);
        } else if (c >= 0x20 && c < 0x7f && c != '?') {
            lit += static_cast<char>(c);
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\%03o", c);
            lit += buf;
        }
    }
    return lit + "\"";
}

struct TableText {
    std::string text;
    int line = 0;
    std::vector<r7t::Conversion> conversions;
};

// A failure at a line of a file, as compilers write them.
struct Failure {
    std::string file;
    int line = 0;
    std::string message;
};

// The file's lines without their line end; empty and '#' lines are skipped.
// Each entry is (line number, text).
bool readLines(const std::string& path, std::vector<std::pair<int, std::string>>& lines)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        lines.emplace_back(lineNo, line);
    }
    return true;
}

// Splits "number<TAB>rest"; false when the number is missing or below 1.
bool splitNumbered(const std::string& line, int& number, std::string& rest)
{
    const auto tab = line.find('\t');
    try {
        size_t used = 0;
        number = std::stoi(line.substr(0, tab), &used);
        if (tab == std::string::npos || used != tab || number < 1)
            return false;
    } catch (...) {
        return false;
    }
    rest = line.substr(tab + 1);
    return true;
}

bool readTable(const std::string& path, std::map<int, TableText>& table, Failure& failure)
{
    std::vector<std::pair<int, std::string>> lines;
    if (!readLines(path, lines)) {
        failure = {path, 0, "cannot open"};
        return false;
    }
    for (const auto& [lineNo, line] : lines) {
        failure = {path, lineNo, ""};
        int number = 0;
        std::string field;
        TableText entry;
        entry.line = lineNo;
        if (!splitNumbered(line, number, field)) {
            failure.message = "expected number<TAB>text";
            return false;
        }
        if (!unescape(field, entry.text, failure.message))
            return false;
        if (table.count(number)) {
            failure.message = "number " + std::to_string(number) + " given twice";
            return false;
        }
        std::string error;
        if (!r7t::parseConversions(entry.text, entry.conversions, error)) {
            failure.message = "text " + std::to_string(number) + ": " + error;
            return false;
        }
        table[number] = std::move(entry);
    }
    return true;
}

bool isIdentifier(const std::string& name)
{
    if (name.empty() || (name[0] >= '0' && name[0] <= '9'))
        return false;
    for (char c : name)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_'))
            return false;
    return true;
}

// Every text with conversions needs a name, and a name only such a text.
bool readNames(const std::string& path, const std::string& tablePath, const std::map<int, TableText>& table,
               std::map<int, std::string>& names, Failure& failure)
{
    std::vector<std::pair<int, std::string>> lines;
    if (!readLines(path, lines)) {
        failure = {path, 0, "cannot open"};
        return false;
    }
    std::set<std::string> used;
    for (const auto& [lineNo, line] : lines) {
        failure = {path, lineNo, ""};
        int number = 0;
        std::string name;
        if (!splitNumbered(line, number, name) || !isIdentifier(name))
            failure.message = "expected number<TAB>name";
        else if (names.count(number) || used.count(name))
            failure.message = "number " + std::to_string(number) + " or name " + name + " given twice";
        else if (auto text = table.find(number); text == table.end() || text->second.conversions.empty())
            failure.message = "text " + std::to_string(number) + " has no conversion to declare";
        if (!failure.message.empty())
            return false;
        names[number] = name;
        used.insert(name);
    }
    for (const auto& [number, text] : table) {
        if (!text.conversions.empty() && !names.count(number)) {
            failure = {tablePath, text.line,
                       "text " + std::to_string(number) + " has conversions: name its format in " + path};
            return false;
        }
    }
    return true;
}

// The text as the table writes it, for a comment.
std::string escaped(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\r')
            out += "\\r";
        else if (c == '\t')
            out += "\\t";
        else if (c == '\\')
            out += "\\\\";
        else
            out += c;
    }
    return out;
}

const char* kindName(r7t::ConversionKind kind)
{
    switch (kind) {
    case r7t::ConversionKind::Text: return "ConversionKind::Text";
    case r7t::ConversionKind::Integer: return "ConversionKind::Integer";
    case r7t::ConversionKind::Unsigned: return "ConversionKind::Unsigned";
    }
    return "";
}

std::string tableSource(const std::string& tablePath, const std::map<int, TableText>& table)
{
    std::ostringstream os;
    os << "// Generated from " << tablePath << "; do not edit.\n"
       << "#include \"text/strings.h\"\n\n"
       << "namespace r7t {\n\nnamespace {\nconst StringEntry kEntries[] = {\n";
    for (const auto& [number, entry] : table)
        os << "    {" << number << ", " << cLiteral(entry.text) << "},\n";
    if (table.empty())
        os << "    {0, \"\"},\n";
    os << "};\n} // namespace\n\n"
       << "std::span<const StringEntry> stringTableEntries()\n{\n"
       << "    return {kEntries, " << table.size() << "};\n}\n\n} // namespace r7t\n";
    return os.str();
}

std::string formatsHeader(const std::string& tablePath, const std::string& namesPath,
                          const std::map<int, TableText>& table, const std::map<int, std::string>& names)
{
    namespace fs = std::filesystem;
    std::ostringstream os;
    os << "// Generated from " << fs::path(tablePath).filename().string() << " and "
       << fs::path(namesPath).filename().string() << "; do not edit.\n"
       << "// The table's texts used as formats: use them with formatText or formatMessage.\n"
       << "#pragma once\n\n#include \"text/format.h\"\n\nnamespace r7t {\n";
    for (const auto& [number, name] : names) {
        const TableText& text = table.at(number);
        os << "\n// " << number << " \"" << escaped(text.text) << "\"\n"
           << "inline constexpr TableFormat<";
        for (size_t i = 0; i < text.conversions.size(); ++i)
            os << (i ? ", " : "") << kindName(text.conversions[i].kind);
        os << "> " << name << "{" << number << "};\n";
    }
    os << "\n} // namespace r7t\n";
    return os.str();
}

// Leaves an unchanged file alone, so that a text edit recompiles only the
// table, not every user of the formats.
bool writeIfChanged(const std::string& path, const std::string& content)
{
    {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream old;
        if (in && (old << in.rdbuf()) && old.str() == content)
            return true;
    }
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::cerr << "usage: r7t_stringtable_gen strings.txt formats.txt out.cpp out.h\n";
        return 2;
    }
    const std::string tablePath = argv[1];
    const std::string namesPath = argv[2];
    std::map<int, TableText> table;
    std::map<int, std::string> names;
    Failure failure;
    if (!readTable(tablePath, table, failure) || !readNames(namesPath, tablePath, table, names, failure)) {
        std::cerr << failure.file;
        if (failure.line > 0)
            std::cerr << ":" << failure.line;
        std::cerr << ": " << failure.message << "\n";
        return 1;
    }
    if (!writeIfChanged(argv[3], tableSource(tablePath, table)) ||
        !writeIfChanged(argv[4], formatsHeader(tablePath, namesPath, table, names))) {
        std::cerr << "cannot write the generated files\n";
        return 1;
    }
    return 0;
}
