// Build tool: reads a string table (one "number<TAB>text" per line, UTF-8,
// escapes \r \t \\) and writes a C++ source defining the sorted table.
// Any malformed line fails the build rather than losing a text.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>

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

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: r7t_stringtable_gen strings.txt out.cpp\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << argv[1] << ": cannot open\n";
        return 1;
    }
    std::map<int, std::string> table;
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        auto tab = line.find('\t');
        std::string error;
        std::string text;
        int number = 0;
        try {
            size_t used = 0;
            number = std::stoi(line.substr(0, tab), &used);
            if (tab == std::string::npos || used != tab || number < 1)
                error = "expected number<TAB>text";
        } catch (...) {
            error = "expected number<TAB>text";
        }
        if (error.empty())
            unescape(line.substr(tab + 1), text, error);
        if (error.empty() && table.count(number))
            error = "number " + std::to_string(number) + " given twice";
        if (!error.empty()) {
            std::cerr << argv[1] << ":" << lineNo << ": " << error << "\n";
            return 1;
        }
        table[number] = text;
    }

    std::ostringstream os;
    os << "// Generated from " << argv[1] << "; do not edit.\n"
       << "#include \"text/strings.h\"\n\n"
       << "namespace r7t {\n\nnamespace {\nconst StringEntry kEntries[] = {\n";
    for (const auto& [number, text] : table)
        os << "    {" << number << ", " << cLiteral(text) << "},\n";
    if (table.empty())
        os << "    {0, \"\"},\n";
    os << "};\n} // namespace\n\n"
       << "std::span<const StringEntry> stringTableEntries()\n{\n"
       << "    return {kEntries, " << table.size() << "};\n}\n\n} // namespace r7t\n";

    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out << os.str();
    return out ? 0 : 1;
}
