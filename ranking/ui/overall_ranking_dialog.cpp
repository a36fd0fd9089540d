#include "ranking/ui/overall_ranking_dialog.h"

#include "contest/atomic_file.h"
#include "print/printed_rankings.h"
#include "print/text_export.h"
#include "ranking/ranking_lines.h"
#include "ranking/results_page.h"
#include "ranking/ui/round_choice_dialog.h"
#include "string_table/formats.h"
#include "text/numbers.h"
#include "text/strings.h"
#include "widgets/dialog_units.h"
#include "widgets/drawing_resources.h"
#include "widgets/file_dialogs.h"
#include "widgets/help_window.h"
#include "widgets/list_line_delegate.h"
#include "widgets/message_dialog.h"

#include <QCursor>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QUrl>

namespace r7t::ui {

namespace {

constexpr int kHelpTopicChosenRanking = 10;
constexpr int kHelpTopicFinalRanking = 11;
constexpr int kDiscardDigits = 7;
constexpr int kTextFileFilter = 43;
constexpr int kTextFileTitle = 44;
constexpr int kWebPageItem = 86;
constexpr int kWebPageFilter = 87;
constexpr int kWebPageTitle = 88;

} // namespace

OverallRankingDialog::OverallRankingDialog(Contest& contest, OverallRanking ranking, FileChooser& files,
                                           PrintRunner print, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), contest_(contest),
      ranking_(std::move(ranking)), files_(files), print_(std::move(print))
{
    const bool final = ranking_.mode == RankingMode::Final;
    setObjectName(QStringLiteral("CLASSETOUT"));
    setWindowTitle(controlString(final ? 650 : 649));
    const DialogUnits du = useTemplateFont(this);
    setFixedSize(du.size(436, 266));

    list_ = new QListWidget(this);
    place(list_, 641, du, 16, 22, 336, 202);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setAccessibleName(windowTitle());
    list_->setAccessibleDescription(controlString(648));
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    makeOwnerDrawnList(list_, fixedListFont(), resources().txtBlue,
                       designTabStops(du, {50, 102, 210, 310, 410, 510, 610, 710, 810, 910, 1010, 1110}))
        ->setLineWidth(du.x(2700 / 2));

    QLabel* label = addStatic(this, 645, controlString(645), du, 371, 25, 48, 38, Qt::AlignHCenter | Qt::AlignTop);
    discard_ = addEdit(this, 646, du, 369, 68, 32, 12);
    labelField(label, discard_);
    discard_->installEventFilter(this);
    auto* ok = addButton(this, 647, controlString(35), du, 405, 68, 16, 12);
    ok->setAccessibleDescription(controlString(645));
    addStatic(this, 648, controlString(648), du, 369, 137, 52, 36, Qt::AlignHCenter | Qt::AlignTop);
    auto* printButton = addButton(this, 643, controlString(579), du, 369, 182, 52, 16);
    auto* finished = addButton(this, 642, controlString(575), du, 369, 206, 52, 16);
    finished->setDefault(true);
    bestSpeed_ = addStatic(this, 649, QString(), du, 16, 230, 276, 27);
    addHelpButton(this, 850, du, 404, 228, 16, 16, final ? kHelpTopicFinalRanking : kHelpTopicChosenRanking);

    connect(ok, &QPushButton::clicked, this, &OverallRankingDialog::applyDiscard);
    connect(printButton, &QPushButton::clicked, this, &OverallRankingDialog::showPrintMenu);
    connect(finished, &QPushButton::clicked, this, &QDialog::accept);
    connect(list_, &QListWidget::itemDoubleClicked, this, &OverallRankingDialog::showSelectedDetail);

    QString speed = QString::fromStdString(bestSpeedText(contest_, ranking_));
    speed.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    bestSpeed_->setText(speed.trimmed());

    fill();
    if (final) {
        discard_->setText(QString::number(ranking_.discardCount));
        discard_->setFocus();
        discard_->selectAll();
    } else {
        for (QWidget* control :
             {static_cast<QWidget*>(label), static_cast<QWidget*>(discard_), static_cast<QWidget*>(ok)})
            control->hide();
    }
}

void OverallRankingDialog::fill()
{
    list_->clear();
    for (const std::string& line : overallRankingLines(contest_, ranking_))
        addListLine(list_, QString::fromStdString(line));
    if (list_->count() > 1)
        list_->setCurrentRow(1);
}

void OverallRankingDialog::applyDiscard()
{
    const int kept = changeDiscardCount(ranking_, leadingInt32(discard_->text().left(kDiscardDigits).toStdString()));
    discard_->setText(QString::number(kept));
    fill();
}

void OverallRankingDialog::showSelectedDetail()
{
    const QListWidgetItem* item = list_->currentItem();
    if (!item || list_->currentRow() < 1 || !item->isSelected())
        return;
    CompetitorDetailDialog detail(contest_, ranking_, overallRankingLineNumber(item->text().toStdString()), this);
    detail.exec();
    list_->setCurrentRow(1);
    repaint();
}

void OverallRankingDialog::printRanking()
{
    if (print_)
        print_(this, [this](PrintEngine& engine) { return ImprimeClassement(contest_, engine, ranking_); });
}

QString OverallRankingDialog::chooseFile(int filter, int title, const QString& suffix)
{
    QString proposed = QString::fromStdString(exportPathFor(contest_.filePath));
    proposed.replace(proposed.size() - 3, 3, suffix);
    files_.setFilter(filter, suffix);
    const QString path = files_.chooseSaveFile(this, controlString(title), proposed);
    files_.restoreContestFilter();
    return path;
}

void OverallRankingDialog::showWriteFailure(const QString& path, const std::string& error)
{
    QString text = QStringLiteral("Le classement n'a pas pu être écrit dans le fichier :\n%1").arg(path);
    if (!error.empty())
        text += QStringLiteral("\n(%1)").arg(QString::fromStdString(error));
    MessDlg(this, text, kModeAlert);
}

void OverallRankingDialog::exportText()
{
    const QString path = chooseFile(kTextFileFilter, kTextFileTitle, QStringLiteral("txt"));
    if (path.isEmpty())
        return;
    const ExportOutcome written = ExportTexte(contest_, ranking_, path.toStdString());
    if (!written.ok && !contest_.fault())
        showWriteFailure(path, written.error);
}

void OverallRankingDialog::publishPage()
{
    const QString path = chooseFile(kWebPageFilter, kWebPageTitle, QStringLiteral("html"));
    if (path.isEmpty())
        return;
    const std::string page = resultsPage(contest_, ranking_, productionTime());
    if (contest_.fault())
        return;
    const WriteOutcome written = writeFileAtomically(
        path.toStdString(), std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(page.data()), page.size()));
    if (!written.ok) {
        showWriteFailure(path, written.error);
        return;
    }
    const QString question = tableText(formatText(kPageWrittenQuestion, path.toStdString()));
    if (MessDlg(this, question, kModeQuestion) == 1)
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void OverallRankingDialog::showPrintMenu()
{
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("printMenu"));
    QAction* printer = menu.addAction(controlString(80));
    menu.addSeparator();
    QAction* textFile = menu.addAction(controlString(81));
    QAction* webPage = menu.addAction(controlString(kWebPageItem));
    QAction* chosen = menu.exec(QCursor::pos());
    if (chosen == printer)
        printRanking();
    else if (chosen == textFile)
        exportText();
    else if (chosen == webPage)
        publishPage();
}

bool OverallRankingDialog::eventFilter(QObject* watched, QEvent* event)
{
    // Enter in the discard field applies it rather than closing the ranking.
    if (watched == discard_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            applyDiscard();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void OverallRankingDialog::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    const DialogUnits du(font());
    paintDialogTitle(this, du.rect(5, 4, 295, 21), windowTitle(), Qt::AlignHCenter);
}

CompetitorDetailDialog::CompetitorDetailDialog(const Contest& contest, const OverallRanking& ranking, int32_t number,
                                               QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      title_(QString::fromStdString(detailTitle(contest, ranking, number)))
{
    setObjectName(QStringLiteral("DETAILCLASS"));
    setWindowTitle(title_);
    const DialogUnits du = useTemplateFont(this);
    setFixedSize(du.size(446, 173));

    list_ = new QListWidget(this);
    place(list_, 660, du, 6, 23, 434, 124);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setAccessibleName(title_);
    makeOwnerDrawnList(list_, fixedListFont(), resources().txtBlue);
    for (const std::string& line : detailLines(ranking, number))
        addListLine(list_, QString::fromStdString(line));

    auto* finished = addButton(this, 661, controlString(575), du, 391, 152, 48, 12);
    finished->setDefault(true);
    connect(finished, &QPushButton::clicked, this, &QDialog::accept);
    list_->setFocus();
}

void CompetitorDetailDialog::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    const DialogUnits du(font());
    paintDialogTitle(this, du.rect(5, 4, 295, 11), title_, Qt::AlignHCenter);
}

void runOverallRanking(Contest& contest, RankingMode mode, FileChooser& files, const PrintRunner& print,
                       QWidget* parent)
{
    OverallRanking ranking;
    if (mode == RankingMode::Final) {
        if (openFinalRanking(contest, ranking) != RankingStatus::Ok)
            return;
    } else {
        const std::optional<RoundChoice> choice = runRoundChoice(contest, parent);
        if (!choice || openChosenRanking(contest, ranking, choice->rounds, choice->discard, choice->skipZeroTotals) !=
                           RankingStatus::Ok)
            return;
    }
    if (contest.fault())
        return;
    OverallRankingDialog dialog(contest, std::move(ranking), files, print, parent);
    dialog.exec();
}

} // namespace r7t::ui
