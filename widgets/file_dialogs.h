// The shared file-dialog description (PopFileInitialize): the contest filter
// of string 33, the default extension "r7s", the folder of the last choice.
// Behind an interface so that tests can answer the dialogs.
#pragma once

#include <QFileDialog>
#include <QFileIconProvider>
#include <QString>
#include <QStringList>

class QWidget;

namespace r7t::ui {

class FileChooser {
public:
    virtual ~FileChooser() = default;
    // The save dialog (overwriting asks first); an empty path when cancelled.
    virtual QString chooseSaveFile(QWidget* owner, const QString& title, const QString& proposedName) = 0;
    // The open dialog; the file must exist. An empty path when cancelled.
    virtual QString chooseOpenFile(QWidget* owner, const QString& title) = 0;

    // Another filter and extension for the next dialogs (the import and the
    // text export use them), and back to the contest's.
    virtual void setFilter(int filterString, const QString& defaultSuffix) = 0;
    void restoreContestFilter() { setFilter(kContestFilter, QStringLiteral("r7s")); }

    static constexpr int kContestFilter = 33;
};

// Qt name filters from a table filter (string n through makeFilter):
// "Fichiers concours (*.r7s)", and "*.*" meaning every file.
QStringList nameFilters(int filterString);

// The type column of Qt's own file dialog in French ("Dossier", "Fichier
// r7s"): Qt's French translation has no words for it. A dialog is given one
// that outlives it (QFileDialog::setIconProvider).
class FrenchFileTypes : public QFileIconProvider {
public:
    QString type(const QFileInfo& info) const override;
};

// The platform's own file dialogs.
class PlatformFileChooser : public FileChooser {
public:
    // PopFileInitialize: the contest filter and extension, the current folder.
    PlatformFileChooser();

    void setFilter(int filterString, const QString& defaultSuffix) override;

    QString chooseSaveFile(QWidget* owner, const QString& title, const QString& proposedName) override;
    QString chooseOpenFile(QWidget* owner, const QString& title) override;

    const QString& folder() const { return folder_; }

private:
    // Both dialogs: the filters, the extension and the last folder; a
    // proposed name for a save.
    QString choose(QWidget* owner, const QString& title, QFileDialog::AcceptMode mode, const QString& proposedName);

    QStringList filters_;
    QString suffix_;
    QString folder_;
};

} // namespace r7t::ui
