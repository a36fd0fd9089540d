#include "inspection/ui/new_pilot_dialog.h"

#include "contest/records.h"
#include "inspection/ui/inspection_common.h"
#include "text/numbers.h"
#include "text/strings.h"
#include "widgets/cp1252_validator.h"
#include "widgets/dialog_units.h"
#include "widgets/drawing_resources.h"
#include "widgets/message_dialog.h"
#include "widgets/pictures.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace r7t::ui {

namespace {

constexpr int kNumberLength = 9;
constexpr int kNameLength = 29;
constexpr int kNumberName = 597; // "Numéro du pilote :", its accessible name

QString withoutColon(QString text)
{
    text = text.trimmed();
    if (text.endsWith(QLatin1Char(':')))
        text.chop(1);
    return text.trimmed();
}

} // namespace

NewPilotDialog::NewPilotDialog(const Inspection& inspection, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , inspection_(inspection)
{
    setObjectName(QStringLiteral("NEWPILOT"));
    setWindowTitle(controlString(590));
    setWindowIcon(programIcon());
    const DialogUnits du = useTemplateFont(this);

    // The painted title takes (20,10)-(400,50) in pixels; the controls
    // follow below it.
    const int top = 56;
    auto* warning = new QLabel(controlString(591), this);
    warning->setObjectName(controlName(591));
    warning->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    warning->setWordWrap(true);
    warning->setGeometry(20, top, 380, 2 * du.charHeight() + 6);
    QPalette red = warning->palette();
    red.setColor(QPalette::WindowText, QColor(200, 0, 0));
    warning->setPalette(red);

    const int row1 = warning->geometry().bottom() + 10;
    const int fieldHeight = du.y(12);
    number_ = new QLineEdit(this);
    place(number_, 592, du, 0, 0, 30, 12);
    number_->setGeometry((420 - number_->width()) / 2, row1, number_->width(), fieldHeight);
    number_->setMaxLength(kNumberLength);
    number_->setAlignment(Qt::AlignCenter);
    number_->setAccessibleName(withoutColon(controlString(kNumberName)));
    number_->setAccessibleDescription(controlString(591).simplified());
    warning->setBuddy(number_);

    const int row2 = row1 + fieldHeight + 14;
    auto* nameLabel = new QLabel(controlString(592), this);
    nameLabel->setObjectName(controlName(596));
    nameLabel->setGeometry(20, row2, 130, fieldHeight);
    nameLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    name_ = new QLineEdit(this);
    name_->setObjectName(controlName(595));
    name_->setGeometry(156, row2, 244, fieldHeight);
    name_->setMaxLength(kNameLength);
    refuseUnstorableCharacters(name_);
    labelField(nameLabel, name_);

    const int row3 = row2 + fieldHeight + 18;
    auto* ok = new QPushButton(controlString(35), this);
    ok->setObjectName(controlName(593));
    ok->setGeometry(80, row3, du.x(50), du.y(14));
    ok->setDefault(true);
    auto* abandon = new QPushButton(controlString(38), this);
    abandon->setObjectName(controlName(594));
    abandon->setGeometry(420 - 80 - du.x(50), row3, du.x(50), du.y(14));
    setFixedSize(420, row3 + du.y(14) + 14);
    number_->setFocus();

    connect(ok, &QPushButton::clicked, this, &NewPilotDialog::confirm);
    connect(abandon, &QPushButton::clicked, this, &NewPilotDialog::reject);
}

void NewPilotDialog::confirm()
{
    const int32_t number = leadingInt32(number_->text().toStdString());
    if (!isCompetitorNumber(number)) {
        MessDlg(this, kInspectionMessageBadNumber, kModeAlert);
        number_->clear();
        number_->setFocus();
        return;
    }
    if (inspection_.findGlider(number, 1)) {
        MessDlg(this, kInspectionMessagePilotExists, kModeAlert);
        reject();
        return;
    }
    chosen_ = {number, toFileText(name_->text())};
    accept();
}

void NewPilotDialog::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    paintDialogTitle(this, QRect(QPoint(20, 10), QPoint(399, 49)), controlString(590), Qt::AlignHCenter);
}

std::optional<NewPilot> runNewPilotDialog(const Inspection& inspection, QWidget* owner)
{
    NewPilotDialog dialog(inspection, owner);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.chosen();
}

} // namespace r7t::ui
