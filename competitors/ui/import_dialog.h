// "IMPORTDLG": competitors registered at once from a tab-separated text file.
#pragma once

#include "contest/contest.h"

class QWidget;

namespace r7t::ui {

class FileChooser;

// The dialog over the owner, as "&Importer..." and the list's "Importer"
// open it. True when closed with "Terminé", which saved the contest.
bool runImportDialog(Contest& contest, FileChooser& files, QWidget* owner);

} // namespace r7t::ui
