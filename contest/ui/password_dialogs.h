// The password dialogs: "CREEPASS" sets the password of a new contest,
// "PASSWORD" asks the password of a loaded one, once.
#pragma once

#include "contest/contest.h"

#include "widgets/window_frame.h"

#include <QDialog>

#include <optional>
#include <string>

class QLineEdit;

namespace r7t::ui {

// CREEPASS: only O.K. closes it; the typed text, cut to 12 characters,
// becomes the password working copy (empty: no password). Returns 1.
class CreatePasswordDialog : public ButtonsOnlyDialog {
    Q_OBJECT
public:
    CreatePasswordDialog(Contest& contest, QWidget* parent = nullptr);
    QLineEdit* edit() const { return edit_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Contest& contest_;
    QLineEdit* edit_;
};

// PASSWORD: O.K. returns 1 when the typed text, cut to 12 characters, is
// exactly the contest's password, else 0; "Abandon" and Esc return 0.
class PasswordDialog : public QDialog {
    Q_OBJECT
public:
    PasswordDialog(const Contest& contest, QWidget* parent = nullptr);
    QLineEdit* edit() const { return edit_; }
    // What was typed when O.K. closed it; nothing after "Abandon".
    const std::optional<std::string>& typed() const { return typed_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const Contest& contest_;
    QLineEdit* edit_;
    std::optional<std::string> typed_;
};

// Shows CREEPASS over the parent.
void askNewPassword(Contest& contest, QWidget* parent);
// Shows PASSWORD over the parent; the typed text, or nothing when abandoned.
std::optional<std::string> askPassword(const Contest& contest, QWidget* parent);

} // namespace r7t::ui
