// Start-up of the inspection program: one instance per user (beside the
// contest program, not handing over to it), "DIALFIC", the main window and
// the event loop.
#pragma once

#include <QString>

class QApplication;

namespace r7t::ui {

// The local server name of the running inspection program.
QString inspectionInstanceName();

// Runs the program; its exit code: 0 at a normal end, when no file was
// opened and when a running instance took over.
int runInspectionProgram(QApplication& app);

} // namespace r7t::ui
