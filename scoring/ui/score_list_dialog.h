// "LSTSCORE": the competitors of one round, each marked with the state of
// his result, from which the director opens the score entry line after
// line. Leaving a round or the list evaluates the round.
#pragma once

#include "contest/contest.h"

#include <QDialog>

class QListWidget;
class QListWidgetItem;

namespace r7t::ui {

// The item data role holding a score-list line's competitor number.
inline constexpr int kCompetitorNumberRole = Qt::UserRole + 2;

class ScoreListDialog : public QDialog {
    Q_OBJECT
public:
    explicit ScoreListDialog(Contest& contest, QWidget* parent = nullptr);

    QListWidget* list() const { return list_; }

    // An item of the round menu: the round left is evaluated, that one shown.
    void chooseRound(int round);
    // "Saisir" and a double click: the entry of the selected competitor.
    void enterSelected();
    // "Terminé": the round evaluated, the contest saved, the list closed.
    void finish();

    void reject() override; // Escape and the window's close: as "Terminé"

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Fills the list with the current round's lines, that row selected.
    void fill(int selectRow);
    void showRoundMenu();

    Contest& contest_;
    QListWidget* list_;
};

// "&Scores": the list over the parent until "Terminé".
void runScoreList(Contest& contest, QWidget* parent);

} // namespace r7t::ui
