// "SAISSCORE": the speed and duration flights of one competitor in one
// round, typed or corrected, and "REVOL", the duration of the re-flight it
// grants. The dialogs show and read their fields; every write to the
// records is scoring/score_entry.h's.
#pragma once

#include "contest/contest.h"
#include "scoring/score_entry.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace r7t::ui {

// Who opens the score entry: the round ranking offers no "Effacer".
enum class EntryOpener {
    ScoreList,
    RoundRanking,
};

// How an entry ended, so that the score list knows which line comes next.
enum class EntryEnd {
    NotOpened, // out of memory, or the competitor flies in no group of the round
    Validated,
    Abandoned,
    Deleted,
};

// The controls of a duration flight, the same in both dialogs.
struct DurationControls {
    QCheckBox* voidBox = nullptr;            // "Vol nul "
    QCheckBox* trial = nullptr;              // "Essai "
    QLineEdit* time = nullptr;               // "mn.ss"
    std::array<QRadioButton*, 3> landing{};  // grades 1, 2 and 3
    QCheckBox* loss = nullptr;               // "Perte d'élément "
};

class ScoreEntryDialog : public QDialog {
    Q_OBJECT
public:
    ScoreEntryDialog(Contest& contest, int32_t round, int32_t number, EntryOpener opener = EntryOpener::ScoreList,
                     QWidget* parent = nullptr);

    // False when there is nothing to edit: the dialog must not run.
    bool opened() const { return opened_; }
    EntryEnd end() const { return end_; }
    const ScoreEntry& entry() const { return entry_; }

    // "Valider", "Abandon", "Effacer", the "Revol " push button.
    void validate();
    void abandon();
    void erase();
    void editReflight();

    void reject() override; // Escape and the window's close: "Abandon"

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void showFields(const ScoreEntryFields& fields);
    ScoreEntryFields typedFields() const;
    void reflightBoxClicked(bool ticked);
    void finish(EntryEnd end, int result);

    Contest& contest_;
    ScoreEntry entry_;
    bool opened_ = false;
    EntryEnd end_ = EntryEnd::NotOpened;
    QString name_;

    QLineEdit* speedTime_;
    QCheckBox* speedVoid_;
    QCheckBox* speedTrial_;
    QCheckBox* speedLoss_;
    QCheckBox* wave2_;
    DurationControls duration_;
    QCheckBox* reflightBox_;
    QCheckBox* glider1_;
    QCheckBox* glider2_;
    QPushButton* reflightButton_;
    QPushButton* erase_;
    QPushButton* validate_;
};

class ReflightDialog : public QDialog {
    Q_OBJECT
public:
    ReflightDialog(FlightResult& reflight, int32_t round, int32_t number, const QString& name,
                   QWidget* parent = nullptr);

    // "Valider" (ends with 1 once the time is in range) and "Abandon" (0).
    void validate();
    void abandon();

    void reject() override; // Escape and the window's close: "Abandon"

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    FlightResult& reflight_;
    FlightResult opened_; // the re-flight as it was, put back by "Abandon"
    int32_t round_;
    int32_t number_;
    QString name_;
    DurationControls duration_;
};

// Opens the entry of that competitor in that round over the parent and
// runs it; the contest is saved by "Valider".
EntryEnd runScoreEntry(Contest& contest, int32_t round, int32_t number, EntryOpener opener, QWidget* parent);

} // namespace r7t::ui
