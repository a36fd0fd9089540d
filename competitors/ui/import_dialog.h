// "IMPORTDLG": competitors registered at once from a tab-separated text file.
#pragma once

#include "contest/contest.h"

#include <QDialog>

#include <cstddef>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace r7t::ui {

class FileChooser;

// One import per opening: "Importer" hides once the file could be opened.
// The faulty lines show in list 747, below the part first in sight.
class ImportDialog : public QDialog {
    Q_OBJECT
public:
    ImportDialog(Contest& contest, FileChooser& files, QWidget* parent = nullptr);

    // 743: the file chosen through the open dialog, with the import filter.
    void browse();
    // 744: checks the whole file, creates its competitors when no line is
    // faulty, else lists the faults.
    void importFile();
    // 745: the counts redrawn, the contest saved, closed with 1.
    void finish();

    // Esc and the window's close. Competitors imported are already in the
    // contest: they are saved as "Terminé" would, never left unsaved.
    void reject() override;

    bool errorListShown() const;
    std::size_t importedCount() const { return imported_; }

private:
    void showErrorList(const QStringList& lines);

    Contest& contest_;
    FileChooser& files_;
    QLineEdit* fileName_;
    QLabel* result_;
    QListWidget* errors_;
    QPushButton* import_;
    QPushButton* done_;
    QSize grownSize_;
    std::size_t imported_ = 0;
};

// The dialog over the owner, as "&Importer..." and the list's "Importer"
// open it. True when closed with "Terminé", or closed otherwise after an
// import; the contest was then saved.
bool runImportDialog(Contest& contest, FileChooser& files, QWidget* owner);

} // namespace r7t::ui
