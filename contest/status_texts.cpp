#include "contest/status_texts.h"

#include "text/strings.h"

#include <cmath>

namespace r7t {

std::string preparedRoundsText(const Contest& contest)
{
    std::string text = "-";
    for (int r = 1; r <= kMaxRounds; ++r)
        if (contest.roundPrepared[r])
            text += std::to_string(r) + "-";
    return text;
}

std::optional<std::string> bestSpeedText(const Contest& contest)
{
    const float best = contest.bestSpeedTime;
    if (!(best < 1000.0f))
        return std::nullopt;
    const int seconds = static_cast<int>(best) / 10;
    const int tenths = static_cast<int>(std::fmod(best, 10.0f));
    return std::to_string(seconds) + "," + std::to_string(tenths) + " " + std::string(MajStr(12));
}

} // namespace r7t
