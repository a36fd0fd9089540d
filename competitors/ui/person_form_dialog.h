// "SAISPIL": the form of one competitor or tow pilot, to register a new one
// or modify one.
#pragma once

#include "competitors/pilot_entry.h"
#include "contest/contest.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace r7t::ui {

class PersonFormDialog : public QDialog {
    Q_OBJECT
public:
    // number 0: a new person of the kind, else the person to modify.
    PersonFormDialog(Contest& contest, PersonKind kind, int32_t number, QWidget* parent = nullptr);

    // The person created or modified once the dialog ends with OK.
    int32_t number() const { return number_; }
    bool isNew() const { return isNew_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void fill(const Pilot& pilot);
    PersonForm typedForm() const;
    void confirm();
    void changeFrequency();
    void focusField(FormField field);

    Contest& contest_;
    PersonKind kind_;
    int32_t number_;
    bool isNew_;
    bool frequenciesUnlocked_ = false;
    PersonForm opened_; // what modify mode filled the fields with
    QLineEdit* name_;
    QLineEdit* licence_;
    QLineEdit* club_;
    QLineEdit* clubNumber_;
    QLineEdit* country_;
    QLineEdit* remark_;
    QLineEdit* frequency1_;
    QLineEdit* frequency2_;
    QLineEdit* mass1_;
    QLineEdit* mass2_;
    QLabel* abandonLine_;
    QPushButton* confirm_;
    QPushButton* frequencyChange_;
};

// Opens the form over the parent; the number of the person created or
// modified (the contest saved), or 0 when nothing was stored.
int32_t runPersonForm(Contest& contest, PersonKind kind, int32_t number, QWidget* parent);

} // namespace r7t::ui
