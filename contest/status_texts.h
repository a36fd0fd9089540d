// Texts of the main window's status display, shared by the window and r7t.
#pragma once

#include "contest/contest.h"

#include <optional>
#include <string>

namespace r7t {

// "-" then "%i-" for each prepared round: "-1-2-".
std::string preparedRoundsText(const Contest& contest);

// "23,4 secondes" for 234 tenths; nothing while no speed time exists.
std::optional<std::string> bestSpeedText(const Contest& contest);

} // namespace r7t
