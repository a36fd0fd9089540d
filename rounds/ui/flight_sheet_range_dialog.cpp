#include "rounds/ui/flight_sheet_range_dialog.h"

#include "widgets/dialog_units.h"
#include "widgets/drawing_resources.h"
#include "widgets/help_window.h"
#include "widgets/pictures.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace r7t::ui {

namespace {

constexpr int kHelpTopicRange = 15;
constexpr int kNumberLength = 3;

} // namespace

FlightSheetRangeDialog::FlightSheetRangeDialog(const Contest& contest, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("RANGEFEUILLES"));
    setWindowTitle(controlString(500));
    setWindowIcon(programIcon());
    const DialogUnits du = useTemplateFont(this);
    setFixedSize(du.size(200, 86));

    auto* question = addStatic(this, 730, controlString(730), du, 10, 8, 180, 20, Qt::AlignHCenter | Qt::AlignTop);
    setAccessibleDescription(question->text());
    auto field = [&](const QString& label, int id, int labelX, int labelWidth) {
        QLabel* text = addStatic(this, -1, label, du, labelX, 40, labelWidth, 10, Qt::AlignRight | Qt::AlignTop);
        QLineEdit* edit = addEdit(this, id, du, labelX + labelWidth + 2, 38, 24, 13);
        edit->setMaxLength(kNumberLength);
        labelField(text, edit);
        return edit;
    };
    from_ = field(QStringLiteral("Pilotes inscrits de : "), 731, 10, 86);
    to_ = field(QStringLiteral("à : "), 732, 124, 20);
    from_->setText(QStringLiteral("1"));
    to_->setText(QString::number(contest.competitorCount()));

    auto* ok = addButton(this, 1, controlString(35), du, 10, 64, 50, 14);
    auto* help = addButton(this, 850, controlString(850), du, 92, 64, 16, 14);
    auto* abandon = addButton(this, 2, controlString(38), du, 140, 64, 50, 14);
    ok->setDefault(true);
    from_->selectAll();
    from_->setFocus();

    connect(ok, &QPushButton::clicked, this, &FlightSheetRangeDialog::accept);
    connect(abandon, &QPushButton::clicked, this, &FlightSheetRangeDialog::reject);
    connect(help, &QPushButton::clicked, this, [this] { openHelp(this, kHelpTopicRange); });
}

FlightSheetRange FlightSheetRangeDialog::range() const
{
    return flightSheetRange(from_->text().toStdString(), to_->text().toStdString());
}

std::optional<FlightSheetRange> runFlightSheetRangeDialog(const Contest& contest, QWidget* owner)
{
    FlightSheetRangeDialog dialog(contest, owner);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.range();
}

} // namespace r7t::ui
