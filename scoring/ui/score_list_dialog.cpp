#include "scoring/ui/score_list_dialog.h"

#include "rounds/preparation.h"
#include "scoring/score_list.h"
#include "scoring/score_rules.h"
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
#include <QShortcut>

namespace r7t::ui {

namespace {

constexpr int kHelpTopicScores = 8;

// What a screen reader says of a line's picture.
QString stateDescription(LineMark mark)
{
    switch (mark) {
    case LineMark::FeuVert: return QStringLiteral("score complet");
    case LineMark::FeuTempo: return QStringLiteral("score incomplet");
    default: return QStringLiteral("rien de saisi");
    }
}

} // namespace

ScoreListDialog::ScoreListDialog(Contest& contest, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , contest_(contest)
{
    setObjectName(QStringLiteral("LSTSCORE"));
    setWindowTitle(controlString(589));
    const DialogUnits du = useTemplateFont(this);
    setFixedSize(du.size(247, 216));

    list_ = new QListWidget(this);
    place(list_, 593, du, 13, 24, 155, 192);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setAccessibleDescription(controlString(557));
    makeOwnerDrawnList(list_, resources().fontStd, resources().txtBlack);

    auto* round = addButton(this, 590, controlString(576), du, 184, 23, 52, 16);
    addStatic(this, 592, controlString(557), du, 184, 98, 52, 56);
    auto* enter = addButton(this, 594, controlString(594), du, 184, 165, 52, 16);
    auto* finished = addButton(this, 591, controlString(575), du, 184, 192, 52, 16);
    // Enter on a focused button presses it; anywhere else it opens the entry.
    for (QPushButton* button : {round, enter, finished})
        button->setAutoDefault(true);
    enter->setDefault(true);

    connect(round, &QPushButton::clicked, this, &ScoreListDialog::showRoundMenu);
    connect(enter, &QPushButton::clicked, this, &ScoreListDialog::enterSelected);
    connect(finished, &QPushButton::clicked, this, &ScoreListDialog::finish);
    // Not itemActivated: Enter already reaches "Saisir", and would open the
    // entry twice.
    connect(list_, &QListWidget::itemDoubleClicked, this, &ScoreListDialog::enterSelected);
    connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this,
            [this] { openHelp(this, kHelpTopicScores); });

    contest_.currentRound = scoreListRound(contest_);
    fill(0);
}

void ScoreListDialog::fill(int selectRow)
{
    list_->clear();
    const int round = contest_.currentRound;
    list_->setAccessibleName(round >= 1 ? QString::fromStdString(formatText(kRoundTitle, round)) : windowTitle());
    if (round >= 1) {
        const std::vector<ScoreListLine> lines = scoreListLines(contest_, round);
        if (contest_.fault())
            return;
        for (const ScoreListLine& line : lines) {
            const int row = addListLine(list_, QString::fromStdString(line.line.text), line.line.mark);
            QListWidgetItem* item = list_->item(row);
            item->setData(kCompetitorNumberRole, line.number);
            item->setData(Qt::AccessibleDescriptionRole, stateDescription(line.line.mark));
        }
    }
    if (list_->count() > 0)
        list_->setCurrentRow(std::clamp(selectRow, 0, list_->count() - 1));
    list_->setFocus();
    update();
}

void ScoreListDialog::chooseRound(int round)
{
    if (!isValidRound(round) || !contest_.roundPrepared[round])
        return;
    if (contest_.currentRound >= 1)
        EvalManche(contest_, contest_.currentRound);
    redrawCounters();
    contest_.currentRound = round;
    fill(0);
}

void ScoreListDialog::enterSelected()
{
    const QListWidgetItem* item = list_->currentItem();
    if (!item || !item->isSelected())
        return;
    const int row = list_->currentRow();
    const int32_t number = numberOfLine(item->text().toStdString());
    const EntryEnd end = runScoreEntry(contest_, contest_.currentRound, number, EntryOpener::ScoreList, this);
    if (contest_.fault())
        return;
    // After "Valider" the next competitor waits, so that Enter opens him.
    fill(end == EntryEnd::Validated ? row + 1 : row);
    repaint();
}

void ScoreListDialog::finish()
{
    if (contest_.currentRound >= 1)
        EvalManche(contest_, contest_.currentRound);
    // Closing the list saves what the entries left for the next save (a
    // deletion, a re-flight added or removed), as quitting does.
    saveContest(this, contest_);
    redrawCounters();
    accept();
}

void ScoreListDialog::reject() { finish(); }

void ScoreListDialog::showRoundMenu()
{
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("roundMenu"));
    for (const MenuItem& item : roundsMenu(contest_, false))
        menu.addAction(QString::fromStdString(item.text))->setData(item.id);
    if (QAction* chosen = menu.exec(QCursor::pos()))
        chooseRound(chosen->data().toInt() - kRoundMenuBase);
}

void ScoreListDialog::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    const DialogUnits du(font());
    // The rectangles were drawn at two pixels per dialog unit.
    paintDialogTitle(this, du.rect(10, 5, 230, 20), windowTitle(), Qt::AlignHCenter);
    if (contest_.currentRound >= 1) {
        QPainter painter(this);
        QFont big = resources().fontBig;
        big.setPixelSize(du.y(32));
        painter.setFont(big);
        painter.setPen(resources().txtBlue);
        painter.drawText(du.rect(190, 45, 40, 35), Qt::AlignCenter, QString::number(contest_.currentRound));
    }
}

void runScoreList(Contest& contest, QWidget* parent)
{
    ScoreListDialog dialog(contest, parent);
    dialog.exec();
}

} // namespace r7t::ui
