// Start-up of the contest program (WinMain): one instance, the contest
// opened from the command line or through DIALFIC, the main window, the
// message loop.
#pragma once

#include <string>
#include <vector>

class QApplication;

namespace r7t::ui {

// Runs the program with its arguments (without the program's name); returns
// its exit code: 0 at a normal end, when no contest was opened, and when a
// running instance took over.
int runContestProgram(QApplication& app, const std::vector<std::string>& arguments);

} // namespace r7t::ui
