#include "competitors/launch.h"

#include "text/numbers.h"

#include <algorithm>
#include <cstdio>

namespace r7t {

LaunchSettings applyLaunchChoices(Contest& contest, const LaunchChoices& choices)
{
    for (Pilot& p : contest.pilots) {
        if (!p.isCompetitor())
            continue;
        const bool absent = std::find(choices.absent.begin(), choices.absent.end(), p.number) != choices.absent.end();
        p.participation = absent ? 0 : kParticipating;
    }
    LaunchSettings settings;
    settings.sameStartOrder = choices.sameStarts;
    // The field holds 7 characters; a negative count would leave the draw
    // without any bound on its passes, so it counts as 0.
    const int64_t attempts = leadingInteger(std::string_view(choices.attemptsText).substr(0, 7));
    settings.attempts = static_cast<int>(std::clamp<int64_t>(attempts, 0, kMaxAttempts));
    return settings;
}

std::vector<LaunchLine> launchLines(const Contest& contest)
{
    std::vector<LaunchLine> lines;
    for (const Pilot& p : contest.pilots) {
        if (!p.isCompetitor())
            continue;
        char number[16];
        std::snprintf(number, sizeof number, " %02u  - ", static_cast<unsigned>(p.number));
        std::string text = number;
        const std::string_view name = p.name.raw();
        text += name;
        if (name.size() < 20)
            text.append(20 - name.size(), ' ');
        lines.push_back({p.number, std::move(text), p.participation == 0});
    }
    std::sort(lines.begin(), lines.end(), [](const LaunchLine& a, const LaunchLine& b) { return a.number < b.number; });
    return lines;
}

} // namespace r7t
