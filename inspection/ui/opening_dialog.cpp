#include "inspection/ui/opening_dialog.h"

#include "contest/opening.h"
#include "inspection/opening.h"
#include "inspection/ui/inspection_common.h"
#include "string_table/formats.h"
#include "text/strings.h"
#include "widgets/dialog_units.h"
#include "widgets/drawing_resources.h"
#include "widgets/file_dialogs.h"
#include "widgets/help_window.h"
#include "widgets/message_dialog.h"
#include "widgets/pictures.h"

#include <QDate>
#include <QPainter>
#include <QPushButton>

namespace r7t::ui {

namespace {

constexpr int kHelpTopicOpening = 2;

void refuseLocked(InspectionOpenStatus status, LockHolder holder)
{
    if (status == InspectionOpenStatus::Locked)
        MessDlg(messageOwner(), lockRefusal(holder), kModeAlert);
}

} // namespace

QString proposedInspectionName(int day, int month, int year)
{
    return QString::fromStdString(formatText(kProposedFileName, fileDateText(day, month, year)));
}

InspectionOpeningDialog::InspectionOpeningDialog(Inspection& inspection, FileChooser& files, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , inspection_(inspection)
    , files_(files)
{
    setObjectName(QStringLiteral("DIALFIC"));
    setWindowTitle(QString::fromLatin1(kInspectionTitle));
    setWindowIcon(programIcon());
    const DialogUnits du = useTemplateFont(this);
    setFixedSize(du.size(161, 142));

    auto* create = addButton(this, 518, controlString(518), du, 14, 57, 138, 19);
    create->setDefault(true);
    auto* resume = addButton(this, 519, controlString(519), du, 14, 87, 138, 19);
    auto* stop = addButton(this, 2, controlString(520), du, 14, 116, 36, 12);
    auto* help = addButton(this, 850, controlString(850), du, 140, 116, 12, 12);
    help->setAccessibleName(controlString(647));
    create->setFocus();

    connect(create, &QPushButton::clicked, this, &InspectionOpeningDialog::newInspection);
    connect(resume, &QPushButton::clicked, this, &InspectionOpeningDialog::resumeInspection);
    connect(stop, &QPushButton::clicked, this, &InspectionOpeningDialog::reject);
    // The "?" opens the help; ending the program there would surprise.
    connect(help, &QPushButton::clicked, this, [this] { openHelp(this, kHelpTopicOpening); });
}

void InspectionOpeningDialog::newInspection()
{
    const QDate today = QDate::currentDate();
    const QString path =
        files_.chooseSaveFile(this, controlString(32), proposedInspectionName(today.day(), today.month(), today.year()));
    LockHolder holder = LockHolder::Command;
    if (!path.isEmpty()) {
        const InspectionOpenStatus status = startNewInspection(inspection_, path.toStdString(), &holder);
        refuseLocked(status, holder);
    }
    done(inspection_.isOpen ? 1 : 0);
}

void InspectionOpeningDialog::resumeInspection()
{
    const QString path = files_.chooseOpenFile(this, controlString(36));
    LockHolder holder = LockHolder::Command;
    if (!path.isEmpty()) {
        const InspectionOpenStatus status = openInspectionFile(inspection_, path.toStdString(), &holder);
        refuseLocked(status, holder);
    }
    done(inspection_.isOpen ? 1 : 0);
}

void InspectionOpeningDialog::reject()
{
    inspection_.isOpen = false;
    done(0);
}

void InspectionOpeningDialog::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    QPainter painter(this);
    drawPicture(painter, QStringLiteral("ZARB"), 15, 15);
    drawPicture(painter, QStringLiteral("CREDITS"), 95, 15);
}

bool runInspectionOpening(Inspection& inspection, FileChooser& files, QWidget* parent)
{
    InspectionOpeningDialog dialog(inspection, files, parent);
    const bool opened = dialog.exec() == 1 && inspection.isOpen;
    if (!opened) {
        inspection.isOpen = false;
        inspection.filePath.clear();
        inspection.writerLock.reset();
        inspection.clearRecords();
    }
    return opened;
}

bool openInspectionArgument(Inspection& inspection, const QString& path)
{
    LockHolder holder = LockHolder::Command;
    const InspectionOpenStatus status = openInspectionFile(inspection, path.toStdString(), &holder);
    refuseLocked(status, holder);
    return status == InspectionOpenStatus::Opened && inspection.isOpen;
}

} // namespace r7t::ui
