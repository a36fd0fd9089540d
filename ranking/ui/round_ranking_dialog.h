// "CLASSE": the ranking of one complete round, chosen from a menu of the
// complete rounds, printed, and corrected by a double click on a line.
#pragma once

#include "contest/contest.h"
#include "print/ui/print_job.h"
#include "scoring/score_rules.h"

#include <QDialog>

#include <vector>

class QListWidget;

namespace r7t::ui {

class RoundRankingDialog : public QDialog {
    Q_OBJECT
public:
    RoundRankingDialog(Contest& contest, PrintRunner print, QWidget* parent = nullptr);

    QListWidget* list() const { return list_; }
    int shownRound() const { return round_; }

    // An item of the round menu: that round ranked and shown.
    void showRound(int round);
    // A double click on a competitor line: his score entry on the shown
    // round, then the ranking again with him at his new place.
    void correctSelected();
    // "Imprimer": the shown round's results.
    void printRound();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void fill();
    void showRoundMenu();

    Contest& contest_;
    PrintRunner print_;
    QListWidget* list_;
    int round_ = 0;
    std::vector<RoundScore> sorted_;
};

// "&Par manche": the ranking over the parent until "Terminé".
void runRoundRanking(Contest& contest, const PrintRunner& print, QWidget* parent);

} // namespace r7t::ui
