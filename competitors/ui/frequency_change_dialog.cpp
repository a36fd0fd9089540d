#include "competitors/ui/frequency_change_dialog.h"

#include "competitors/frequency_change.h"
#include "text/strings.h"
#include "widgets/contest_window.h"
#include "widgets/dialog_units.h"
#include "widgets/drawing_resources.h"
#include "widgets/message_dialog.h"
#include "widgets/pictures.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace r7t::ui {

namespace {

constexpr int kRoundLength = 7;

} // namespace

FrequencyChangeDialog::FrequencyChangeDialog(Contest& contest, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , contest_(contest)
{
    setObjectName(QStringLiteral("CHGTFREQ"));
    setWindowTitle(controlString(500));
    setWindowIcon(programIcon());
    const DialogUnits du = useTemplateFont(this);
    setFixedSize(du.size(230, 96));

    auto* heading = addStatic(this, 681, controlString(681), du, 10, 8, 210, 10, Qt::AlignHCenter | Qt::AlignTop);
    QFont bold = this->font();
    bold.setBold(true);
    heading->setFont(bold);
    auto* label = addStatic(this, 682, controlString(682), du, 10, 28, 130, 10);
    round_ = addEdit(this, 680, du, 144, 26, 30, 13);
    round_->setMaxLength(kRoundLength);
    round_->setText(QString::number(firstCancellableRound(contest_)));
    labelField(label, round_);
    auto* warning = addStatic(this, 683, controlString(683), du, 10, 46, 210, 20, Qt::AlignHCenter | Qt::AlignTop);
    QPalette red = warning->palette();
    red.setColor(QPalette::WindowText, QColor(192, 0, 0));
    warning->setPalette(red);
    auto* proceed = addButton(this, 684, controlString(511), du, 166, 74, 54, 14);
    auto* abandon = addButton(this, 685, controlString(905), du, 10, 74, 54, 14);
    proceed->setDefault(true);
    round_->selectAll();
    round_->setFocus();

    connect(proceed, &QPushButton::clicked, this, &FrequencyChangeDialog::confirm);
    connect(abandon, &QPushButton::clicked, this, &FrequencyChangeDialog::reject);
}

void FrequencyChangeDialog::confirm()
{
    const FrequencyChangeOutcome outcome = cancelRoundsFrom(contest_, round_->text().toStdString());
    if (outcome.status == FrequencyChangeStatus::RoundAlreadyFlown) {
        Alerte(this, QString::fromUtf8(kRoundAlreadyFlownText));
        round_->setText(QString::number(outcome.firstCancellable));
        round_->selectAll();
        round_->setFocus();
        return;
    }
    saveContest(this, contest_);
    redrawCounters();
    accept();
}

bool runFrequencyChangeDialog(Contest& contest, QWidget* owner)
{
    FrequencyChangeDialog dialog(contest, owner);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace r7t::ui
