#include "text/strings.h"

#include <algorithm>

namespace r7t {

std::string_view TexteChaine(int n)
{
    auto entries = stringTableEntries();
    auto it = std::lower_bound(entries.begin(), entries.end(), n,
                               [](const StringEntry& e, int number) { return e.number < number; });
    if (it == entries.end() || it->number != n)
        return {};
    return it->text;
}

std::string truncateCharacters(std::string_view text, int maxChars)
{
    size_t pos = 0;
    int count = 0;
    while (pos < text.size() && count < maxChars) {
        unsigned char c = static_cast<unsigned char>(text[pos]);
        size_t len = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 1;
        pos = std::min(text.size(), pos + len);
        ++count;
    }
    return std::string(text.substr(0, pos));
}

std::string MajMessage(int n) { return truncateCharacters(TexteChaine(n + kLanguageOffset), kMessageLength); }
std::string MajStr(int n) { return truncateCharacters(TexteChaine(n + kLanguageOffset), kBufferLength); }
std::string controlText(int n) { return truncateCharacters(TexteChaine(n + kLanguageOffset), kControlTextLength); }

std::string makeFilter(int n)
{
    std::string filter = truncateCharacters(TexteChaine(n + kLanguageOffset), kFilterLength);
    if (filter.empty())
        return filter;
    const char separator = filter.back();
    std::replace(filter.begin(), filter.end(), separator, '\0');
    return filter;
}

std::vector<std::pair<std::string, std::string>> filterPairs(std::string_view filter)
{
    std::vector<std::string> parts;
    size_t start = 0;
    while (start < filter.size()) {
        size_t end = filter.find('\0', start);
        if (end == std::string_view::npos)
            end = filter.size();
        if (end == start)
            break; // double NUL: end of the list
        parts.emplace_back(filter.substr(start, end - start));
        start = end + 1;
    }
    std::vector<std::pair<std::string, std::string>> pairs;
    for (size_t i = 0; i + 1 < parts.size(); i += 2)
        pairs.emplace_back(parts[i], parts[i + 1]);
    return pairs;
}

} // namespace r7t
