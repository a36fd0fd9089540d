// "PESEEDLG": the competitors drawn for the weighing control of a round,
// confidential to the contest director, and their weighing sheet.
#pragma once

#include "contest/contest.h"
#include "print/ui/print_job.h"
#include "rounds/draw.h"

#include <QDialog>

class QListWidget;
class QPushButton;

namespace r7t::ui {

// Opens on the last prepared round. A round's weighing draw is made the
// first time the round is shown, with the session's generator, and the
// contest saved then; later showings list the same competitors.
class WeighingDialog : public QDialog {
    Q_OBJECT
public:
    WeighingDialog(Contest& contest, DrawSession& session, PrintRunner print, QWidget* parent = nullptr);

    // Makes the round the current one and lists its weighing selection.
    void showRound(int round);
    int round() const { return contest_.currentRound; }
    QListWidget* list() const { return list_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // 713: the prepared rounds at the mouse (under the button when the
    // keyboard pressed it).
    void chooseRound();
    // 714: the weighing sheet of the current round.
    void print();

    Contest& contest_;
    RandomSource& random_;
    PrintRunner print_;
    QListWidget* list_;
    QPushButton* roundButton_;
    QRect titleRect_;
    QRect roundRect_;
};

// "P&esées": the dialog over the owner until "Terminé".
void runWeighingDialog(Contest& contest, DrawSession& session, const PrintRunner& print, QWidget* owner);

} // namespace r7t::ui
