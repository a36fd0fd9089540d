// What the inspection program's windows share: its pictures, its drawing
// resources with its own version, saving the file with the alert that
// names it, and the alerts of the inspection records.
#pragma once

#include "inspection/ctr_file.h"
#include "inspection/glider.h"

#include <QString>
#include <QStringList>

class QWidget;

namespace r7t::ui {

struct ScreenScale;

inline constexpr const char* kInspectionVersionNumber = "1.0.1";
inline constexpr const char* kInspectionTitle = "Orvel_ctrl";

// Every picture name the inspection program draws.
const QStringList& inspectionPictureNames();

// initResources with the inspection program's version text.
void initInspectionResources(const ScreenScale& scale);

// MajFichier; when it fails, the alert naming the file over the owner. The
// records stay in memory and the next change tries again.
InspectionSaveOutcome saveInspection(QWidget* owner, const Inspection& inspection);
// The question asked before quitting without the last changes.
QString quitUnsavedQuestion(const Inspection& inspection, const InspectionSaveOutcome& saved);

// The records' alerts (401 with why the file could not be read, 402) in the
// message dialog.
void installInspectionHandlers(Inspection& inspection);

// The refusal of a file another program holds (its lock).
QString lockRefusal(LockHolder holder);

} // namespace r7t::ui
