#include "ranking/ui/round_ranking_dialog.h"

#include "print/printed_rankings.h"
#include "ranking/ranking.h"
#include "ranking/ranking_lines.h"
#include "rounds/preparation.h"
#include "scoring/ui/score_entry_dialog.h"
#include "string_table/formats.h"
#include "widgets/contest_window.h"
#include "widgets/dialog_units.h"
#include "widgets/drawing_resources.h"
#include "widgets/help_window.h"
#include "widgets/list_line_delegate.h"

#include <QCursor>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPushButton>

namespace r7t::ui {

namespace {

constexpr int kHelpTopicRoundRanking = 9;

} // namespace

RoundRankingDialog::RoundRankingDialog(Contest& contest, PrintRunner print, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), contest_(contest),
      print_(std::move(print))
{
    setObjectName(QStringLiteral("CLASSE"));
    setWindowTitle(controlString(640));
    const DialogUnits du = useTemplateFont(this);
    setFixedSize(du.size(430, 248));

    list_ = new QListWidget(this);
    place(list_, 641, du, 16, 22, 340, 218);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setAccessibleDescription(controlString(648));
    makeOwnerDrawnList(list_, fixedListFont(), resources().txtBlack, designTabStops(du, {60, 110, 170, 285, 390, 500}));

    auto* round = addButton(this, 644, controlString(576), du, 368, 24, 52, 16);
    addStatic(this, 648, controlString(648), du, 368, 137, 52, 35, Qt::AlignHCenter | Qt::AlignTop);
    auto* printButton = addButton(this, 643, controlString(579), du, 368, 179, 52, 16);
    auto* finished = addButton(this, 642, controlString(575), du, 368, 203, 52, 16);
    finished->setDefault(true);
    addHelpButton(this, 850, du, 403, 227, 16, 12, kHelpTopicRoundRanking);

    connect(round, &QPushButton::clicked, this, &RoundRankingDialog::showRoundMenu);
    connect(printButton, &QPushButton::clicked, this, &RoundRankingDialog::printRound);
    connect(finished, &QPushButton::clicked, this, &QDialog::accept);
    connect(list_, &QListWidget::itemDoubleClicked, this, &RoundRankingDialog::correctSelected);

    showRound(contest_.lastCompleteRound);
}

void RoundRankingDialog::fill()
{
    list_->clear();
    sorted_ = rankRound(contest_, round_);
    if (contest_.fault())
        return;
    list_->setAccessibleName(QString::fromStdString(formatText(kRoundTitle, round_)));
    for (const std::string& line : roundRankingLines(sorted_))
        addListLine(list_, QString::fromStdString(line));
    if (list_->count() > 1)
        list_->setCurrentRow(1);
    list_->setFocus();
    update();
}

void RoundRankingDialog::showRound(int round)
{
    if (!isValidRound(round) || !contest_.roundComplete[round])
        return;
    round_ = round;
    fill();
}

void RoundRankingDialog::correctSelected()
{
    const QListWidgetItem* item = list_->currentItem();
    if (!item || list_->currentRow() < 1 || !item->isSelected())
        return;
    const int32_t number = roundRankingLineNumber(item->text().toStdString());
    runScoreEntry(contest_, round_, number, EntryOpener::RoundRanking, this);
    if (contest_.fault())
        return;
    redrawCounters();
    fill();
    repaint();
}

void RoundRankingDialog::printRound()
{
    if (!print_)
        return;
    const int round = round_;
    const std::vector<RoundScore> sorted = sorted_;
    print_(this, [this, round, sorted](PrintEngine& engine) { return ImprimeManche(contest_, engine, round, sorted); });
}

void RoundRankingDialog::showRoundMenu()
{
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("roundMenu"));
    for (int r = 1; r <= kMaxRounds; ++r) {
        if (contest_.roundComplete[r])
            menu.addAction(QString::fromStdString(formatText(kRoundTitle, r)))->setData(r);
    }
    if (QAction* chosen = menu.exec(QCursor::pos()))
        showRound(chosen->data().toInt());
}

void RoundRankingDialog::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    const DialogUnits du(font());
    paintDialogTitle(this, du.rect(5, 4, 295, 21), windowTitle(), Qt::AlignHCenter);
    if (round_ >= 1) {
        QPainter painter(this);
        QFont big = resources().fontBig;
        big.setPixelSize(du.y(32));
        painter.setFont(big);
        painter.setPen(resources().txtBlue);
        painter.drawText(du.rect(365, 60, 50, 40), Qt::AlignCenter, QString::number(round_));
    }
}

void runRoundRanking(Contest& contest, const PrintRunner& print, QWidget* parent)
{
    RoundRankingDialog dialog(contest, print, parent);
    dialog.exec();
}

} // namespace r7t::ui
