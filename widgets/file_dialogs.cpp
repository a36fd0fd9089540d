#include "widgets/file_dialogs.h"

#include "text/strings.h"

#include <QDir>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>

namespace r7t::ui {

QString FrenchFileTypes::type(const QFileInfo& info) const
{
    if (info.isRoot())
        return QStringLiteral("Lecteur");
    if (info.isDir())
        return QStringLiteral("Dossier");
    return info.suffix().isEmpty() ? QStringLiteral("Fichier") : QStringLiteral("Fichier %1").arg(info.suffix());
}

QStringList nameFilters(int filterString)
{
    QStringList filters;
    for (const auto& [description, pattern] : filterPairs(makeFilter(filterString) + '\0')) {
        QString desc = QString::fromStdString(description);
        // "*.*" is every file on the systems the filter was written for;
        // here it would leave out the names without a dot.
        QString qtPattern = QString::fromStdString(pattern);
        qtPattern.replace(QStringLiteral("*.*"), QStringLiteral("*"));
        const qsizetype open = desc.lastIndexOf('(');
        if (open >= 0 && desc.endsWith(')'))
            desc = desc.left(open).trimmed();
        filters << QStringLiteral("%1 (%2)").arg(desc, qtPattern);
    }
    return filters;
}

PlatformFileChooser::PlatformFileChooser()
    : folder_(QDir::currentPath())
{
    restoreContestFilter();
}

void PlatformFileChooser::setFilter(int filterString, const QString& defaultSuffix)
{
    filters_ = nameFilters(filterString);
    suffix_ = defaultSuffix;
}

QString PlatformFileChooser::chooseSaveFile(QWidget* owner, const QString& title, const QString& proposedName)
{
    return choose(owner, title, QFileDialog::AcceptSave, proposedName);
}

QString PlatformFileChooser::chooseOpenFile(QWidget* owner, const QString& title)
{
    return choose(owner, title, QFileDialog::AcceptOpen, {});
}

QString PlatformFileChooser::choose(QWidget* owner, const QString& title, QFileDialog::AcceptMode mode,
                                    const QString& proposedName)
{
    FrenchFileTypes types; // outlives the dialog that shows them
    QFileDialog dialog(owner, title, folder_);
    dialog.setIconProvider(&types);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters(filters_);
    dialog.setDefaultSuffix(suffix_);
    if (!proposedName.isEmpty())
        dialog.selectFile(QDir(folder_).filePath(proposedName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString path = dialog.selectedFiles().constFirst();
    folder_ = QFileInfo(path).absolutePath();
    return path;
}

} // namespace r7t::ui
