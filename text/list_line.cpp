#include "text/list_line.h"

#include <algorithm>

namespace r7t {

int nextTabStop(int x, std::span<const int> tabStops, int averageCharWidth)
{
    auto every = [x](int interval) { return interval > 0 ? (x / interval + 1) * interval : x; };
    if (tabStops.size() == 1)
        return every(tabStops.front());
    for (int stop : tabStops)
        if (stop > x)
            return stop;
    return every(8 * std::max(1, averageCharWidth));
}

std::vector<TextRun> layoutTabbedLine(std::string_view text, std::span<const int> tabStops, int averageCharWidth,
                                      const std::function<int(std::string_view)>& width)
{
    std::vector<TextRun> runs;
    int x = 0;
    size_t start = 0;
    while (true) {
        const size_t tab = text.find('\t', start);
        const std::string_view piece = text.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start);
        if (!piece.empty())
            runs.push_back({x, std::string(piece)});
        x += piece.empty() ? 0 : width(piece);
        if (tab == std::string_view::npos)
            break;
        x = nextTabStop(x, tabStops, averageCharWidth);
        start = tab + 1;
    }
    return runs;
}

} // namespace r7t
