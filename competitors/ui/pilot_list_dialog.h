// "CHOIXPIL": the list of the competitors or of the tow pilots, from which
// people are registered, modified, deleted, printed and imported.
#pragma once

#include "competitors/pilot_entry.h"
#include "contest/contest.h"
#include "print/ui/print_job.h"

#include <QDialog>

#include <functional>

class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace r7t::ui {

class FileChooser;

class PilotListDialog : public QDialog {
    Q_OBJECT
public:
    PilotListDialog(Contest& contest, PersonKind kind, FileChooser& files, QWidget* parent = nullptr);

    // How "Imprimer" runs its print job (tests print on a recording device).
    void setPrintRunner(PrintRunner runner) { printRunner_ = std::move(runner); }
    QListWidget* list() const { return list_; }

    void done(int result) override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Fills the list again, the line of that person selected.
    void refill(int32_t selectNumber = 0);
    int32_t selectedNumber() const;
    void newPerson();
    void modifyPerson();
    void deleteSelected();
    void print();
    void import();
    void lineActivated(QListWidgetItem* item);

    Contest& contest_;
    PersonKind kind_;
    FileChooser& files_;
    PrintRunner printRunner_;
    QListWidget* list_;
    QPushButton* modify_;
    QPushButton* delete_;
    QPushButton* print_;
};

// "&Concurrents" and "&Remorqueurs": the list over the parent.
void runPilotList(Contest& contest, PersonKind kind, FileChooser& files, QWidget* parent, const PrintRunner& print);

} // namespace r7t::ui
