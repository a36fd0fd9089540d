// What every window of the contest program does with the open contest:
// save it after a change, and have the main window's counts drawn again.
#pragma once

#include "contest/contest.h"
#include "contest/contest_file.h"

#include <functional>

class QWidget;

namespace r7t::ui {

// MajFichier with, when it fails, the alert naming the file over the owner;
// the contest stays in memory and the next save tries again.
SaveOutcome saveContest(QWidget* owner, Contest& contest);

// The counts of the contest changed: the main window's lower status box is
// drawn again. The main window installs how (nothing before it exists).
void redrawCounters();
void setCountersRedraw(std::function<void()> redraw);

} // namespace r7t::ui
