// "PREPMANCHE": where the director draws a new round, looks at its speed and
// duration groups, accepts or abandons the draw, goes back to earlier
// rounds, deletes one, and prints start lists.
#pragma once

#include "contest/contest.h"
#include "rounds/draw.h"

#include <QDialog>

#include <functional>

class QListWidget;
class QMenu;
class QPushButton;

namespace r7t::ui {

class RoundPreparationDialog : public QDialog {
    Q_OBJECT
public:
    // Sends the main window one of its print commands (124 with the task,
    // 129 with 2).
    using CommandSender = std::function<void(int command, int parameter)>;

    RoundPreparationDialog(Contest& contest, DrawSession& session, CommandSender send, QWidget* parent = nullptr);

    // What the rounds menu does with an item: 1000 "Nouvelle", 1000 + r
    // "Manche r".
    void roundsMenuChosen(int id);
    // "Accepter", "Supprimer", "Terminé".
    void acceptDraw();
    void deleteRound();
    void finish();

    bool drawPending() const { return pending_; }
    QListWidget* speedList() const { return speed_; }
    QListWidget* durationList() const { return duration_; }
    // The list in front: kTaskSpeed or kTaskDuration.
    int view() const { return view_; }
    void showView(int task);

    void reject() override; // Escape and the window's close: as "Terminé"

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void newRound();
    void showRound(int round);
    void fillLists();
    // The question 407; true when the pending draw was abandoned (or none
    // was pending), false when the director keeps it.
    bool abandonPendingDraw();
    void showRoundsMenu();
    void showPrintMenu();
    void updateButtons();

    Contest& contest_;
    DrawSession& session_;
    CommandSender send_;
    bool pending_ = false;
    int view_;
    QListWidget* speed_;
    QListWidget* duration_;
    QPushButton* speedButton_;
    QPushButton* durationButton_;
    QPushButton* accept_;
    QPushButton* delete_;
    QPushButton* print_;
};

// "&Préparation": the dialog over the parent until "Terminé".
void runRoundPreparation(Contest& contest, DrawSession& session, const RoundPreparationDialog::CommandSender& send,
                         QWidget* parent);

} // namespace r7t::ui
