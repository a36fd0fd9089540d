// What the commands of the main window open once their precondition holds:
// the dialogs of each subsystem and the print jobs.
#pragma once

namespace r7t::ui {

class MainWindow;

void installCommandHandlers(MainWindow& window);

} // namespace r7t::ui
