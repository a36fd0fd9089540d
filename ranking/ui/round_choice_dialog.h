// "SAISCLASS": the rounds of a ranking "au choix", its discard count and
// whether zero totals are left out.
#pragma once

#include "contest/contest.h"

#include <QDialog>

#include <optional>
#include <vector>

class QCheckBox;
class QLineEdit;
class QListWidget;

namespace r7t::ui {

struct RoundChoice {
    std::vector<int32_t> rounds;
    int discard = 0;
    bool skipZeroTotals = false;
};

class RoundChoiceDialog : public QDialog {
    Q_OBJECT
public:
    RoundChoiceDialog(const Contest& contest, int discard, QWidget* parent = nullptr);

    QListWidget* list() const { return list_; }
    // What "O.K." read; empty rounds when nothing was selected.
    const RoundChoice& choice() const { return choice_; }

    void selectAll();
    // "O.K.": ends with 1 when a round is selected, else with 0.
    void confirm();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QListWidget* list_;
    QLineEdit* discard_;
    QCheckBox* skipZero_;
    RoundChoice choice_;
};

// The choice, or nothing when abandoned or confirmed with no round.
std::optional<RoundChoice> runRoundChoice(const Contest& contest, QWidget* parent);

} // namespace r7t::ui
