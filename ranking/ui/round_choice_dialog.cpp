#include "ranking/ui/round_choice_dialog.h"

#include "string_table/formats.h"
#include "text/numbers.h"
#include "widgets/dialog_units.h"
#include "widgets/drawing_resources.h"
#include "widgets/help_window.h"
#include "widgets/list_line_delegate.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace r7t::ui {

namespace {

constexpr int kHelpTopicChosenRanking = 10;
// Typed counts are read from their first characters only.
constexpr int kDiscardDigits = 7;
// The round number of an item starts at its tenth character.
constexpr int kRoundNumberColumn = 9;

QString itemText(int round)
{
    return QStringLiteral("   %1   ").arg(QString::fromStdString(formatText(kRoundTitle, round)));
}

} // namespace

RoundChoiceDialog::RoundChoiceDialog(const Contest& contest, int discard, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("SAISCLASS"));
    setWindowTitle(controlString(649));
    const DialogUnits du = useTemplateFont(this);
    setFixedSize(du.size(206, 228));

    list_ = new QListWidget(this);
    place(list_, 723, du, 16, 28, 88, 164);
    list_->setSelectionMode(QAbstractItemView::MultiSelection);
    list_->setAccessibleName(controlString(722).simplified());
    makeOwnerDrawnList(list_, fixedListFont(), resources().txtBlue);
    // Sorted as text, as the director has always seen it: 1, 10, 11, 2...
    list_->setSortingEnabled(true);
    for (int r = 1; r <= kMaxRounds; ++r)
        if (contest.roundComplete[r])
            addListLine(list_, itemText(r));
    list_->clearSelection();

    // Wider than drawn at first, on the same centre: the desktop's font
    // wraps the question on three lines in 60 units, and cut it.
    QLabel* label = addStatic(this, 721, controlString(645), du, 117, 28, 76, 16, Qt::AlignHCenter | Qt::AlignTop);
    discard_ = addEdit(this, 724, du, 144, 48, 24, 12);
    labelField(label, discard_);
    discard_->setText(QString::number(discard));
    auto* all = addButton(this, 727, controlString(725), du, 126, 95, 65, 16);
    auto* abandon = addButton(this, 726, controlString(38), du, 126, 123, 65, 16);
    auto* ok = addButton(this, 725, controlString(35), du, 126, 147, 65, 16);
    ok->setDefault(true);
    skipZero_ = new QCheckBox(controlString(728), this);
    place(skipZero_, 728, du, 128, 172, 72, 16); // 60 units cut its last letter
    addStatic(this, 722, controlString(722), du, 16, 196, 108, 20);
    addHelpButton(this, 850, du, 174, 200, 16, 16, kHelpTopicChosenRanking);

    connect(all, &QPushButton::clicked, this, &RoundChoiceDialog::selectAll);
    connect(abandon, &QPushButton::clicked, this, &QDialog::reject);
    connect(ok, &QPushButton::clicked, this, &RoundChoiceDialog::confirm);

    discard_->setFocus();
    discard_->selectAll();
}

void RoundChoiceDialog::selectAll() { list_->selectAll(); }

void RoundChoiceDialog::confirm()
{
    choice_ = {};
    choice_.discard = leadingInt32(discard_->text().left(kDiscardDigits).toStdString());
    for (int row = 0; row < list_->count(); ++row) {
        const QListWidgetItem* item = list_->item(row);
        if (item->isSelected())
            choice_.rounds.push_back(leadingInt32(item->text().mid(kRoundNumberColumn).toStdString()));
    }
    choice_.skipZeroTotals = skipZero_->isChecked();
    done(choice_.rounds.empty() ? 0 : 1);
}

void RoundChoiceDialog::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    const DialogUnits du(font());
    paintDialogTitle(this, du.rect(5, 4, 295, 21), windowTitle(), Qt::AlignLeft);
}

std::optional<RoundChoice> runRoundChoice(const Contest& contest, QWidget* parent)
{
    RoundChoiceDialog dialog(contest, 0, parent);
    if (dialog.exec() != 1)
        return std::nullopt;
    return dialog.choice();
}

} // namespace r7t::ui
