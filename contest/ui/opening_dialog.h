// Opening a contest at start: the dialog "DIALFIC" (new contest or resume
// one), and the file given on the command line.
#pragma once

#include "contest/contest.h"
#include "contest/opening.h"

#include <QDialog>

namespace r7t::ui {

class FileChooser;

// DIALFIC: ends with 1 when a contest is open (isOpen).
class OpeningDialog : public QDialog {
    Q_OBJECT
public:
    OpeningDialog(Contest& contest, FileChooser& files, QWidget* parent = nullptr);

    // Button 518: a new contest, named through the save dialog.
    void newContest();
    // Button 519: an existing contest, chosen through the open dialog.
    void resumeContest();

    void reject() override; // "Arrêt" and Esc

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Contest& contest_;
    FileChooser& files_;
};

// The opening when no file was given: DIALFIC over the parent. True when a
// contest is open; otherwise filePath is empty and nothing was written.
bool runOpeningDialog(Contest& contest, FileChooser& files, QWidget* parent);

// The file given on the command line: loaded (an absent file is refused with
// message 401 and not created), then its password asked over the parent.
bool openFromCommandLine(Contest& contest, const std::string& path, QWidget* parent);

} // namespace r7t::ui
