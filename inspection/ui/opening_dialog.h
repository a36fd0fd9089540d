// "DIALFIC" of the inspection program: a new inspection file (proposed
// name "R7T_%s.ctr" with today's date) or an existing one. A cancelled or
// refused choice ends the dialog without a file, and the program ends.
#pragma once

#include "inspection/glider.h"

#include <QDialog>

namespace r7t::ui {

class FileChooser;

class InspectionOpeningDialog : public QDialog {
    Q_OBJECT
public:
    InspectionOpeningDialog(Inspection& inspection, FileChooser& files, QWidget* parent = nullptr);

    // Button 518: a new file, named through the save dialog.
    void newInspection();
    // Button 519: an existing file, chosen through the open dialog.
    void resumeInspection();

    void reject() override; // "Arrêt" and Esc

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Inspection& inspection_;
    FileChooser& files_;
};

// DIALFIC over the parent: true when a file is open (isOpen); otherwise
// nothing was written and no record is held.
bool runInspectionOpening(Inspection& inspection, FileChooser& files, QWidget* parent);

// A file named on the command line (a .ctr file opened from the file
// manager): opened without "DIALFIC"; a refusal is shown and ends the
// program.
bool openInspectionArgument(Inspection& inspection, const QString& path);

// The proposed name of a new file: string 34 with the date as 06_12_26.
QString proposedInspectionName(int day, int month, int year);

} // namespace r7t::ui
