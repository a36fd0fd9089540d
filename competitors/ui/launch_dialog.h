// "ABANDONDLG": who does not fly the round about to be drawn, and the draw's
// settings.
#pragma once

#include "competitors/launch.h"
#include "contest/contest.h"

class QWidget;

namespace r7t::ui {

// The dialog over the owner for the round being drawn, its field showing the
// attempts now in force. Returns on "Lancer" only, the competitors'
// participation written; the caller keeps the settings for the draw.
LaunchSettings runLaunchDialog(Contest& contest, int round, int attempts, QWidget* owner);

} // namespace r7t::ui
