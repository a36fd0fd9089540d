#include "rounds/ui/weighing_dialog.h"

#include "print/printed_lists.h"
#include "rounds/preparation.h"
#include "rounds/weighing.h"
#include "string_table/formats.h"
#include "widgets/contest_window.h"
#include "widgets/dialog_units.h"
#include "widgets/drawing_resources.h"
#include "widgets/help_window.h"
#include "widgets/list_line_delegate.h"
#include "widgets/pictures.h"

#include <QCursor>
#include <QFontInfo>
#include <QFontMetrics>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QStyle>

#include <algorithm>

namespace r7t::ui {

namespace {

constexpr int kHelpTopicWeighing = 14;
constexpr int kMargin = 10;
constexpr int kButtonWidth = 50;
constexpr int kButtonHeight = 14;
constexpr int kListHeight = 110;
// A line of the list: number "%2i ", the name padded to 20, the two task
// columns, joined by two spaces.
constexpr int kLineCharsBesideName = 3 + 2 + 2 + 9 + 2 + 6;
constexpr int kPaddedName = 20;

// Pixels to dialog units, rounded up: what is measured in pixels fits.
int unitsX(const DialogUnits& du, int pixels)
{
    return (pixels * 4 + du.averageCharWidth() - 1) / du.averageCharWidth();
}
int unitsY(const DialogUnits& du, int pixels)
{
    return (pixels * 8 + du.charHeight() - 1) / du.charHeight();
}

// The round number is drawn in the big font; the band holds its digits.
QFont roundFont() { return resources().fontBig; }

} // namespace

WeighingDialog::WeighingDialog(Contest& contest, DrawSession& session, PrintRunner print, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , contest_(contest)
    , random_(session.random)
    , print_(std::move(print))
{
    setObjectName(QStringLiteral("PESEEDLG"));
    setWindowTitle(controlString(710));
    setWindowIcon(programIcon());
    const DialogUnits du = useTemplateFont(this);

    // The list's columns need a line of the longest name in the fixed font,
    // whatever the screen scale made of that font.
    size_t longestName = kPaddedName;
    for (const Pilot& p : contest_.pilots)
        if (p.number > 0 && p.number < kFirstTowPilot)
            longestName = std::max(longestName, p.name.raw().size()); // one byte a character
    const QFont lineFont = fixedListFont();
    const QFontMetrics fixed(lineFont);
    const int linePixels = kListTextX + fixed.horizontalAdvance(QLatin1Char('M')) *
                                            static_cast<int>(longestName + kLineCharsBesideName);
    const int listChrome = style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 8;
    const QFontMetrics title(resources().fontMedium);
    const QRect digits = QFontMetrics(roundFont()).tightBoundingRect(QStringLiteral("40"));
    const int bandUnits = std::max(20, unitsY(du, std::max(digits.height(), title.height())));
    const int numberUnits = unitsX(du, digits.width()) + 4;
    const int contentUnits =
        std::max({4 * kButtonWidth + 16 + 3 * 6, unitsX(du, linePixels + listChrome),
                  unitsX(du, title.horizontalAdvance(windowTitle())) + 8 + numberUnits});
    const int width = contentUnits + 2 * kMargin;

    const int bandTop = 6;
    titleRect_ = du.rect(kMargin, bandTop, contentUnits - numberUnits, bandUnits);
    roundRect_ = du.rect(width - kMargin - numberUnits, bandTop, numberUnits, bandUnits);

    int y = bandTop + bandUnits + 6;
    addStatic(this, 711, controlString(711), du, kMargin, y, contentUnits, 10, Qt::AlignHCenter | Qt::AlignTop);
    y += 14;
    list_ = new QListWidget(this);
    place(list_, 712, du, kMargin, y, contentUnits, kListHeight);
    list_->setAccessibleName(windowTitle());
    list_->setAccessibleDescription(controlString(711));
    makeOwnerDrawnList(list_, lineFont, resources().txtBlue);
    y += kListHeight + 8;

    roundButton_ = addButton(this, 713, controlString(576), du, kMargin, y, kButtonWidth, kButtonHeight);
    auto* printButton = addButton(this, 714, controlString(579), du, kMargin + kButtonWidth + 6, y, kButtonWidth,
                                  kButtonHeight);
    auto* help = addButton(this, 716, controlString(850), du, kMargin + 2 * (kButtonWidth + 6), y, 16, kButtonHeight);
    auto* finished = addButton(this, 715, controlString(575), du, width - kMargin - kButtonWidth, y, kButtonWidth,
                               kButtonHeight);
    finished->setDefault(true);
    setFixedSize(du.size(width, y + kButtonHeight + 8));

    connect(roundButton_, &QPushButton::clicked, this, &WeighingDialog::chooseRound);
    connect(printButton, &QPushButton::clicked, this, &WeighingDialog::print);
    connect(help, &QPushButton::clicked, this, [this] { openHelp(this, kHelpTopicWeighing); });
    connect(finished, &QPushButton::clicked, this, &WeighingDialog::accept);

    if (contest_.lastPreparedRound >= 1)
        contest_.currentRound = contest_.lastPreparedRound;
    showRound(contest_.currentRound);
    list_->setFocus();
}

void WeighingDialog::showRound(int round)
{
    contest_.currentRound = round;
    list_->clear();
    const WeighingResult result = TiragePesees(contest_, round, random_);
    for (const std::string& line : result.lines)
        addListLine(list_, QString::fromStdString(line));
    if (result.drawn)
        saveContest(this, contest_);
    // The number is painted: say it to whoever cannot see it.
    setAccessibleDescription(QString::fromStdString(formatText(kRoundTitle, round)));
    update();
}

void WeighingDialog::chooseRound()
{
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("roundsMenu"));
    for (const MenuItem& item : roundsMenu(contest_, /*withNew*/ false)) {
        QAction* action = menu.addAction(QString::fromStdString(item.text));
        action->setObjectName(controlName(item.id));
        action->setData(item.id);
    }
    const QPoint mouse = QCursor::pos();
    const bool byMouse = roundButton_->rect().contains(roundButton_->mapFromGlobal(mouse));
    const QPoint at = byMouse ? mouse - QPoint(menu.sizeHint().width() / 2, 0)
                              : roundButton_->mapToGlobal(QPoint(0, roundButton_->height()));
    if (QAction* chosen = menu.exec(at))
        showRound(chosen->data().toInt() - kRoundMenuBase);
}

void WeighingDialog::print()
{
    if (!print_)
        return;
    const int round = contest_.currentRound;
    print_(this, [this, round](PrintEngine& engine) { return printWeighingSheet(contest_, engine, round); });
}

void WeighingDialog::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    paintDialogTitle(this, titleRect_, windowTitle(), Qt::AlignLeft);
    QPainter painter(this);
    painter.setFont(roundFont());
    painter.setPen(resources().txtBlue);
    // The digits stand on the band's bottom, right-aligned.
    const QString number = QString::number(contest_.currentRound);
    const QRect ink = painter.fontMetrics().tightBoundingRect(number);
    painter.drawText(roundRect_.right() - ink.right(), roundRect_.bottom(), number);
}

void runWeighingDialog(Contest& contest, DrawSession& session, const PrintRunner& print, QWidget* owner)
{
    WeighingDialog dialog(contest, session, print, owner);
    dialog.exec();
}

} // namespace r7t::ui
