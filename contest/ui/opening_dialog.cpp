#include "contest/ui/opening_dialog.h"

#include "text/strings.h"
#include "widgets/dialog_units.h"
#include "widgets/drawing_resources.h"
#include "widgets/file_dialogs.h"
#include "widgets/help_window.h"
#include "widgets/message_dialog.h"
#include "widgets/pictures.h"
#include "contest/ui/password_dialogs.h"

#include <QPainter>
#include <QPushButton>

namespace r7t::ui {

namespace {

constexpr int kHelpTopicOpening = 2;

// The loader's refusals raise their own alerts; a file held by another
// writer is refused here, in the same alert box, before it is read, and a
// damaged one with what is wrong in it. Records the loader left out are
// told once the contest is open.
OpenStatus openWithAlerts(Contest& contest, const std::string& path, QWidget* parent)
{
    LockHolder holder = LockHolder::Command;
    LoadOutcome loaded;
    const OpenStatus status = openContestFile(
        contest, path, [&contest, parent] { return askPassword(contest, parent); }, &holder, &loaded);
    auto alert = [](const std::string& text) { MessDlg(messageOwner(), tableText(text), kModeAlert); };
    if (status == OpenStatus::Locked)
        alert(lockRefusalText(holder));
    else if (status == OpenStatus::Damaged)
        alert(MajMessage(kMessageIncompatible) + "\r(fichier endommagé, " + loaded.damage + ")");
    else if (status == OpenStatus::Opened && !droppedRecordsText(loaded).empty())
        alert(droppedRecordsText(loaded, true));
    return status;
}

} // namespace

OpeningDialog::OpeningDialog(Contest& contest, FileChooser& files, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , contest_(contest)
    , files_(files)
{
    setObjectName(QStringLiteral("DIALFIC"));
    setWindowTitle(controlString(500));
    setWindowIcon(programIcon());
    const DialogUnits du = useTemplateFont(this);
    setFixedSize(du.size(161, 142));

    auto* create = addButton(this, 518, controlString(518), du, 14, 57, 138, 19);
    create->setDefault(true);
    auto* resume = addButton(this, 519, controlString(519), du, 14, 87, 138, 19);
    auto* stop = addButton(this, 2, controlString(520), du, 14, 116, 36, 12);
    auto* help = addButton(this, 850, QStringLiteral("?"), du, 140, 116, 12, 12);
    create->setFocus();

    connect(create, &QPushButton::clicked, this, &OpeningDialog::newContest);
    connect(resume, &QPushButton::clicked, this, &OpeningDialog::resumeContest);
    connect(stop, &QPushButton::clicked, this, &OpeningDialog::reject);
    connect(help, &QPushButton::clicked, this, [this] { openHelp(this, kHelpTopicOpening); });
}

void OpeningDialog::newContest()
{
    const QString name = QString::fromStdString(proposedFileNameToday());
    const QString path = files_.chooseSaveFile(this, controlString(32), name);
    if (path.isEmpty()) {
        done(contest_.isOpen ? 1 : 0);
        return;
    }
    startNewContest(contest_, path.toStdString(), {});
    askNewPassword(contest_, this);
    done(1);
}

void OpeningDialog::resumeContest()
{
    const QString path = files_.chooseOpenFile(this, controlString(36));
    if (path.isEmpty()) {
        done(0);
        return;
    }
    openWithAlerts(contest_, path.toStdString(), this);
    done(contest_.isOpen ? 1 : 0);
}

void OpeningDialog::reject()
{
    contest_.isOpen = false;
    done(0);
}

void OpeningDialog::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    QPainter painter(this);
    drawPicture(painter, QStringLiteral("ZARB"), 15, 15);
    drawPicture(painter, QStringLiteral("CREDITS"), 95, 15);
}

bool runOpeningDialog(Contest& contest, FileChooser& files, QWidget* parent)
{
    OpeningDialog dialog(contest, files, parent);
    const bool opened = dialog.exec() == 1 && contest.isOpen && !contest.fault();
    if (!opened) {
        contest.isOpen = false;
        contest.setPath({});
    }
    return opened;
}

bool openFromCommandLine(Contest& contest, const std::string& path, QWidget* parent)
{
    const OpenStatus status = openWithAlerts(contest, path, parent);
    return status == OpenStatus::Opened && !contest.fault();
}

} // namespace r7t::ui
