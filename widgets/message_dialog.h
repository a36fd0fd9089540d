// The message dialog "DIALMESS" (questions and alerts), the stop box
// "ALERTE", and the fault report that ends the program.
#pragma once

#include "contest/contest.h"

#include "widgets/window_frame.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <string>

class QPushButton;

namespace r7t::ui {

// DIALMESS: a beep, the picture of its mode, the text word-wrapped in blue.
// Only its buttons close it: 508 ("OUI" / "OK") returns 1, 509 ("NON") and
// 510 ("Annuler") return 0.
class MessageDialog : public ButtonsOnlyDialog {
    Q_OBJECT
public:
    // mode: kModeQuestion (960) or kModeAlert (962).
    MessageDialog(const QString& text, int mode, QWidget* parent = nullptr);

    int mode() const { return mode_; }
    const QString& text() const { return text_; }
    // Where the text is drawn, in client pixels.
    QRect textRect() const { return textRect_; }

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
    int mode_;
    QRect textRect_;
};

// Shows the message modally over the parent; 1 for the first button, else 0.
int MessDlg(QWidget* parent, const QString& text, int mode);
// The same with string n (MajMessage).
int MessDlg(QWidget* parent, int stringNumber, int mode);

// The system stop box titled "ALERTE", one OK button.
void Alerte(QWidget* owner, const QString& text);

// The window that should own a message shown now: the open modal dialog,
// else the active window (null before any window exists).
QWidget* messageOwner();

// The fault report: string 41 with the tag, in a stop box without owner,
// then the program ends without a further save. The contest's isOpen flag is
// cleared first so that nothing saves afterwards.
void showFaultReport(Contest& contest, const std::string& tag);
// The same for a program without a contest (the inspection program), which
// stops its own saves first.
void showFaultReport(const std::string& tag);

// How the program ends after a fault report (the program exits its event
// loops; tests replace it).
void setFaultEnding(std::function<void()> ending);
inline constexpr int kFaultExitCode = 3;

// Routes the contest's alerts (402, 401) to the message dialog and its fault
// report to showFaultReport.
void installContestHandlers(Contest& contest);

} // namespace r7t::ui
