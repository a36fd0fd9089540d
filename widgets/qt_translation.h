// Qt's own texts in French: standard buttons, the file and print dialogs
// and their questions. Every windowed program loads it at start-up.
#pragma once

class QTranslator;

namespace r7t::ui {

// Installs Qt's French translation (qtbase_fr), read from Qt's translations
// folder or else from "translations" beside the program. Returns the
// installed translator, owned by the application, or null when none loads.
QTranslator* installQtFrench();

} // namespace r7t::ui
