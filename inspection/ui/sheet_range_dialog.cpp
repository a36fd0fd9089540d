#include "inspection/ui/sheet_range_dialog.h"

#include "inspection/ui/inspection_common.h"
#include "widgets/dialog_units.h"
#include "widgets/drawing_resources.h"
#include "widgets/pictures.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace r7t::ui {

namespace {

constexpr int kNumberLength = 3;

} // namespace

SheetRangeDialog::SheetRangeDialog(int highestNumber, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("RANGEFEUILLES"));
    setWindowTitle(QString::fromLatin1(kInspectionTitle));
    setWindowIcon(programIcon());
    const DialogUnits du = useTemplateFont(this);
    setFixedSize(du.size(200, 86));

    // The prompt 730 has no text in this program.
    addStatic(this, 730, controlString(730), du, 10, 8, 180, 20, Qt::AlignHCenter | Qt::AlignTop);
    auto field = [&](int label, int id, int labelX, int labelWidth) {
        QLabel* text = addStatic(this, -1, controlString(label), du, labelX, 40, labelWidth, 10,
                                 Qt::AlignRight | Qt::AlignTop);
        QLineEdit* edit = addEdit(this, id, du, labelX + labelWidth + 2, 38, 24, 13);
        edit->setMaxLength(kNumberLength);
        labelField(text, edit);
        return edit;
    };
    from_ = field(733, 731, 10, 86);
    to_ = field(734, 732, 124, 20);
    from_->setText(QStringLiteral("1"));
    to_->setText(QString::number(highestNumber));

    auto* ok = addButton(this, 1, controlString(35), du, 10, 64, 50, 14);
    auto* abandon = addButton(this, 2, controlString(38), du, 140, 64, 50, 14);
    ok->setDefault(true);
    from_->selectAll();
    from_->setFocus();

    connect(ok, &QPushButton::clicked, this, &SheetRangeDialog::accept);
    connect(abandon, &QPushButton::clicked, this, &SheetRangeDialog::reject);
}

SheetRange SheetRangeDialog::range() const
{
    return sheetRange(from_->text().toStdString(), to_->text().toStdString());
}

std::optional<SheetRange> runSheetRangeDialog(int highestNumber, QWidget* owner)
{
    SheetRangeDialog dialog(highestNumber, owner);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.range();
}

} // namespace r7t::ui
