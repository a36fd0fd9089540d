// "CHGTFREQ": a frequency change cancels the start groups from a chosen round on.
#pragma once

#include "contest/contest.h"

#include <QDialog>

class QLineEdit;

namespace r7t::ui {

// Field 680 proposes the first round without scores. "Continuer" (684)
// refuses a round that has some and cancels from any later one; "Abandon"
// (685), Esc and the close box change nothing.
class FrequencyChangeDialog : public QDialog {
    Q_OBJECT
public:
    explicit FrequencyChangeDialog(Contest& contest, QWidget* parent = nullptr);

    // 684: refused with the "ALERTE" box and the field reset, or the rounds
    // cancelled, the contest saved and the dialog closed with 1.
    void confirm();

private:
    Contest& contest_;
    QLineEdit* round_;
};

// The dialog over the owner (the person form). True after "Continuer"
// cancelled the groups and saved the contest; false after "Abandon",
// nothing changed.
bool runFrequencyChangeDialog(Contest& contest, QWidget* owner);

} // namespace r7t::ui
