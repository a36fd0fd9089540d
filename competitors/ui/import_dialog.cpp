#include "competitors/ui/import_dialog.h"

#include "competitors/import.h"
#include "text/strings.h"
#include "widgets/contest_window.h"
#include "widgets/dialog_units.h"
#include "widgets/drawing_resources.h"
#include "widgets/file_dialogs.h"
#include "widgets/help_window.h"
#include "widgets/message_dialog.h"
#include "widgets/pictures.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace r7t::ui {

namespace {

constexpr int kHelpTopicImport = 16;
constexpr int kImportFilter = 745;
constexpr int kTextFileTitle = 44; // "CHOISIR UN FICHIER TEXTE"

// In dialog units: the first height ends below the buttons, the grown one
// below the error list.
constexpr int kWidth = 360;
constexpr int kFirstHeight = 70;
constexpr int kGrownHeight = 150;

} // namespace

ImportDialog::ImportDialog(Contest& contest, FileChooser& files, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , contest_(contest)
    , files_(files)
{
    setObjectName(QStringLiteral("IMPORTDLG"));
    setWindowTitle(controlString(744));
    setWindowIcon(programIcon());
    const DialogUnits du = useTemplateFont(this);

    // Created in the order the keyboard visits them.
    auto* label = addStatic(this, 740, controlString(740), du, 10, 8, 276, 10);
    fileName_ = addEdit(this, 742, du, 10, 20, 276, 13);
    labelField(label, fileName_);
    auto* browse = addButton(this, 743, controlString(670), du, 294, 19, 56, 15);
    result_ = addStatic(this, 741, QString(), du, 10, 38, 340, 10);
    import_ = addButton(this, 744, controlString(744), du, 232, 50, 56, 14);
    done_ = addButton(this, 745, controlString(666), du, 294, 50, 56, 14);
    auto* help = addButton(this, 850, QStringLiteral("?"), du, 10, 50, 14, 14);
    errors_ = new QListWidget(this);
    place(errors_, 747, du, 10, 72, 340, 70);
    errors_->hide();
    import_->setDefault(true);

    setFixedSize(du.size(kWidth, kFirstHeight));
    grownSize_ = du.size(kWidth, kGrownHeight);
    fileName_->setFocus();

    connect(browse, &QPushButton::clicked, this, &ImportDialog::browse);
    connect(import_, &QPushButton::clicked, this, &ImportDialog::importFile);
    connect(done_, &QPushButton::clicked, this, &ImportDialog::finish);
    connect(help, &QPushButton::clicked, this, [this] { openHelp(this, kHelpTopicImport); });
}

void ImportDialog::browse()
{
    fileName_->clear();
    files_.setFilter(kImportFilter, QStringLiteral("txt"));
    const QString path = files_.chooseOpenFile(this, controlString(kTextFileTitle));
    files_.restoreContestFilter();
    fileName_->setText(path);
    fileName_->setFocus();
}

void ImportDialog::importFile()
{
    const ImportOutcome outcome =
        importCompetitorsFromFile(contest_, QFile::encodeName(fileName_->text()).toStdString());
    imported_ += outcome.imported;
    if (outcome.status == ImportStatus::CannotOpen) {
        MessDlg(this, tableText(outcome.alert), kModeAlert);
        fileName_->setFocus();
        return;
    }
    if (outcome.status == ImportStatus::Incompatible) {
        QString alert = tableText(outcome.alert);
        if (!outcome.hint.empty())
            alert += QStringLiteral("\n") + QString::fromStdString(outcome.hint);
        MessDlg(this, alert, kModeAlert);
    }
    QString result = QString::fromStdString(outcome.resultLine);
    if (!outcome.unreadLine.empty())
        result += QStringLiteral("  -  ") + QString::fromStdString(outcome.unreadLine);
    result_->setText(result);
    // Listed after an import too: a line left out must not go unnoticed.
    if (!outcome.errorLines.empty()) {
        QStringList lines;
        for (const std::string& line : outcome.errorLines)
            lines << QString::fromStdString(line);
        showErrorList(lines);
    }
    import_->hide();
    done_->setDefault(true);
    done_->setFocus();
}

void ImportDialog::showErrorList(const QStringList& lines)
{
    errors_->clear();
    errors_->addItems(lines);
    errors_->setAccessibleName(result_->text());
    setFixedSize(grownSize_);
    errors_->show();
}

bool ImportDialog::errorListShown() const { return errors_->isVisible(); }

void ImportDialog::finish()
{
    redrawCounters();
    saveContest(this, contest_);
    accept();
}

void ImportDialog::reject()
{
    if (imported_ > 0)
        finish();
    else
        QDialog::reject();
}

bool runImportDialog(Contest& contest, FileChooser& files, QWidget* owner)
{
    ImportDialog dialog(contest, files, owner);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace r7t::ui
