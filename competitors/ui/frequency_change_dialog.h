// "CHGTFREQ": a frequency change cancels the start groups from a chosen round on.
#pragma once

#include "contest/contest.h"

class QWidget;

namespace r7t::ui {

// The dialog over the owner (the person form). True after "Continuer"
// cancelled the groups and saved the contest; false after "Abandon",
// nothing changed.
bool runFrequencyChangeDialog(Contest& contest, QWidget* owner);

} // namespace r7t::ui
