#include "rounds/ui/round_preparation_dialog.h"

#include "competitors/ui/launch_dialog.h"
#include "rounds/preparation.h"
#include "text/strings.h"
#include "widgets/contest_window.h"
#include "widgets/dialog_units.h"
#include "widgets/drawing_resources.h"
#include "widgets/help_window.h"
#include "widgets/list_line_delegate.h"
#include "widgets/message_dialog.h"

#include <QApplication>
#include <QCursor>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPushButton>

namespace r7t::ui {

namespace {

constexpr int kHelpTopicRounds = 6;
constexpr int kMessageTooFewCompetitors = 410;
constexpr int kMessageDrawImpossible = 409;
constexpr int kPrintStartLists = 124;
constexpr int kPrintRoundSheet = 129;

// In dialog units: the title band, then the lists over the whole width.
constexpr int kWidth = 420;
constexpr int kHeight = 262;
constexpr int kTitleY = 6;

QListWidget* addRoundList(QWidget* dialog, int id, const DialogUnits& du)
{
    auto* list = new QListWidget(dialog);
    place(list, id, du, 10, 48, 400, 182);
    makeOwnerDrawnList(list, fixedListFont(), resources().txtBlue, {du.x(120), du.x(320)});
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    return list;
}

} // namespace

RoundPreparationDialog::RoundPreparationDialog(Contest& contest, DrawSession& session, CommandSender send,
                                               QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , contest_(contest)
    , session_(session)
    , send_(std::move(send))
    , view_(kTaskDuration)
{
    setObjectName(QStringLiteral("PREPMANCHE"));
    setWindowTitle(controlString(569));
    const DialogUnits du = useTemplateFont(this);
    setFixedSize(du.size(kWidth, kHeight));

    speedButton_ = addButton(this, 572, controlString(572), du, 10, 30, 60, 14);
    durationButton_ = addButton(this, 573, controlString(573), du, 74, 30, 60, 14);
    // Both lists lie at the same place: the button of a task brings its list forward.
    speed_ = addRoundList(this, 570, du);
    speed_->setAccessibleName(controlString(572));
    duration_ = addRoundList(this, 571, du);
    duration_->setAccessibleName(controlString(573));

    auto* rounds = addButton(this, 576, controlString(576), du, 10, 240, 50, 14);
    accept_ = addButton(this, 577, controlString(577), du, 66, 240, 50, 14);
    delete_ = addButton(this, 574, controlString(574), du, 122, 240, 50, 14);
    print_ = addButton(this, 579, controlString(579), du, 178, 240, 50, 14);
    auto* finished = addButton(this, 575, controlString(575), du, 340, 240, 50, 14);
    auto* help = addButton(this, 850, QStringLiteral("?"), du, 396, 240, 14, 14);

    connect(speedButton_, &QPushButton::clicked, this, [this] { showView(kTaskSpeed); });
    connect(durationButton_, &QPushButton::clicked, this, [this] { showView(kTaskDuration); });
    connect(rounds, &QPushButton::clicked, this, &RoundPreparationDialog::showRoundsMenu);
    connect(accept_, &QPushButton::clicked, this, &RoundPreparationDialog::acceptDraw);
    connect(delete_, &QPushButton::clicked, this, &RoundPreparationDialog::deleteRound);
    connect(print_, &QPushButton::clicked, this, &RoundPreparationDialog::showPrintMenu);
    connect(finished, &QPushButton::clicked, this, &RoundPreparationDialog::finish);
    connect(help, &QPushButton::clicked, this, [this] { openHelp(this, kHelpTopicRounds); });

    contest_.currentRound = contest_.lastPreparedRound >= 1 ? contest_.lastPreparedRound : 0;
    fillLists();
    showView(kTaskDuration);
    updateButtons();
    rounds->setFocus();
}

void RoundPreparationDialog::updateButtons()
{
    const bool roundShown = contest_.currentRound >= 1;
    accept_->setVisible(pending_);
    // A pending draw must be accepted or abandoned first; with no round
    // shown there is nothing to delete or print.
    delete_->setVisible(!pending_ && roundShown);
    print_->setVisible(!pending_ && roundShown);
    update();
}

void RoundPreparationDialog::showView(int task)
{
    view_ = task;
    QListWidget* front = task == kTaskSpeed ? speed_ : duration_;
    QListWidget* back = task == kTaskSpeed ? duration_ : speed_;
    front->show();
    front->raise();
    back->hide();
    // The selected task's button in the highlight font and colour.
    for (QPushButton* button : {speedButton_, durationButton_}) {
        const bool selected = (button == speedButton_) == (task == kTaskSpeed);
        QFont f = font();
        f.setBold(selected);
        button->setFont(f);
        button->setStyleSheet(selected ? QStringLiteral("color: %1").arg(resources().txtBlue.name()) : QString());
    }
}

void RoundPreparationDialog::fillLists()
{
    for (QListWidget* list : {speed_, duration_})
        list->clear();
    const int round = contest_.currentRound;
    if (round < 1)
        return;
    for (int task : {kTaskSpeed, kTaskDuration}) {
        QListWidget* list = task == kTaskSpeed ? speed_ : duration_;
        for (const ListLine& line : updateRoundList(contest_, round, task))
            addListLine(list, QString::fromStdString(line.text), line.mark);
        if (contest_.fault())
            return;
    }
}

void RoundPreparationDialog::showRound(int round)
{
    contest_.currentRound = round;
    fillLists();
    updateButtons();
}

bool RoundPreparationDialog::abandonPendingDraw()
{
    if (!pending_)
        return true;
    if (MessDlg(this, kMessageAbandonDraw, kModeQuestion) != 1)
        return false;
    refuseRound(contest_, contest_.currentRound);
    pending_ = false;
    showRound(contest_.currentRound);
    return true;
}

void RoundPreparationDialog::roundsMenuChosen(int id)
{
    if (!abandonPendingDraw())
        return;
    if (id == kRoundMenuBase)
        newRound();
    else if (id > kRoundMenuBase && id <= kRoundMenuBase + kMaxRounds && contest_.roundPrepared[id - kRoundMenuBase])
        showRound(id - kRoundMenuBase);
}

void RoundPreparationDialog::newRound()
{
    delete_->hide();
    print_->hide();
    const int round = nextFreeRound(contest_);
    if (round == 0) {
        MessDlg(this, kMessageMaxRounds, kModeAlert);
        showRound(0);
        return;
    }
    if (round == 1 && MessDlg(this, kMessageFrequenciesChecked, kModeQuestion) != 1) {
        showRound(0);
        return;
    }
    const LaunchSettings launch = runLaunchDialog(contest_, round, session_.settings.attempts, this);
    session_.settings.attempts = launch.attempts;
    session_.settings.sameStartOrder = launch.sameStartOrder;

    QApplication::setOverrideCursor(Qt::WaitCursor);
    const DrawStatus status =
        LancerTirage(contest_, round, session_.settings, session_.random, session_.seedForLevel);
    QApplication::restoreOverrideCursor();
    if (contest_.fault())
        return;
    if (status != DrawStatus::Drawn) {
        MessDlg(this, status == DrawStatus::Impossible ? kMessageDrawImpossible : kMessageTooFewCompetitors,
                kModeAlert);
        showRound(contest_.lastPreparedRound);
        return;
    }
    pending_ = true;
    showRound(round);
    showView(kTaskDuration);
}

void RoundPreparationDialog::acceptDraw()
{
    if (!pending_)
        return;
    acceptRound(contest_, contest_.currentRound);
    pending_ = false;
    updateButtons();
    saveContest(this, contest_);
    redrawCounters();
}

void RoundPreparationDialog::deleteRound()
{
    if (pending_ || contest_.currentRound < 1)
        return;
    if (MessDlg(this, kMessageDeleteRound, kModeQuestion) != 1)
        return;
    r7t::deleteRound(contest_, contest_.currentRound);
    saveContest(this, contest_);
    showRound(contest_.currentRound);
    redrawCounters();
}

void RoundPreparationDialog::showRoundsMenu()
{
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("roundsMenu"));
    for (const MenuItem& item : roundsMenu(contest_)) {
        if (item.separator)
            menu.addSeparator();
        else
            menu.addAction(QString::fromStdString(item.text))->setData(item.id);
    }
    if (QAction* chosen = menu.exec(QCursor::pos()))
        roundsMenuChosen(chosen->data().toInt());
}

void RoundPreparationDialog::showPrintMenu()
{
    if (!abandonPendingDraw() || contest_.currentRound < 1)
        return;
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("printMenu"));
    menu.addAction(controlString(581))->setData(kTaskSpeed);
    menu.addAction(controlString(582))->setData(kTaskDuration);
    menu.addSeparator();
    menu.addAction(controlString(583))->setData(0);
    QAction* chosen = menu.exec(QCursor::pos());
    if (!chosen || !send_)
        return;
    const int task = chosen->data().toInt();
    if (task == 0)
        send_(kPrintRoundSheet, kTaskDuration);
    else
        send_(kPrintStartLists, task);
}

void RoundPreparationDialog::finish()
{
    if (pending_) {
        // Abandoned, the dialog stays: the director sees where he is.
        abandonPendingDraw();
        return;
    }
    redrawCounters();
    saveContest(this, contest_);
    accept();
}

void RoundPreparationDialog::reject() { finish(); }

void RoundPreparationDialog::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    const DialogUnits du(font());
    paintDialogTitle(this, QRect(du.x(150), du.y(kTitleY), du.x(180), du.y(16)), windowTitle(), Qt::AlignHCenter);
    if (contest_.currentRound >= 1) {
        QPainter painter(this);
        QFont big = resources().fontBig;
        big.setPixelSize(du.y(36));
        painter.setFont(big);
        painter.setPen(resources().txtBlue);
        painter.drawText(QRect(du.x(340), 0, du.x(70), du.y(46)), Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(contest_.currentRound));
    }
}

void runRoundPreparation(Contest& contest, DrawSession& session, const RoundPreparationDialog::CommandSender& send,
                         QWidget* parent)
{
    RoundPreparationDialog dialog(contest, session, send, parent);
    dialog.exec();
}

} // namespace r7t::ui
