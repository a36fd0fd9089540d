#include "competitors/ui/launch_dialog.h"

#include "string_table/formats.h"
#include "text/format.h"
#include "text/strings.h"
#include "text/text.h"
#include "widgets/dialog_units.h"
#include "widgets/drawing_resources.h"
#include "widgets/list_line_delegate.h"
#include "widgets/window_frame.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>

namespace r7t::ui {

namespace {

constexpr int kNumberRole = Qt::UserRole;
constexpr int kAttemptsLength = 7;

// Every line starts with a space: the typed-letter search would take Space
// for a search and move on, turning a second line over.
class LaunchList : public QListWidget {
public:
    using QListWidget::QListWidget;
    void keyboardSearch(const QString&) override {}
};

// The list is named by the static beside it, without its arrow.
QString listName()
{
    QString text = controlString(703);
    qsizetype start = 0;
    while (start < text.size() && (text[start] == u'<' || text[start] == u'-' || text[start] == u' '))
        ++start;
    return text.mid(start);
}

} // namespace

LaunchDialog::LaunchDialog(Contest& contest, int round, int attempts, QWidget* parent)
    : ButtonsOnlyDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , contest_(contest)
    , title_(QString::fromStdString(formatText(kStartSortTitle, round)))
{
    setObjectName(QStringLiteral("ABANDONDLG"));
    setWindowTitle(QStringLiteral("Abandons"));
    setAccessibleDescription(title_); // painted, so not read otherwise
    // A window manager's close box would leave the draw without its answer.
    auto* titleBar = new OwnTitleBar(this);
    const int top = titleBar->height();
    const DialogUnits du = useTemplateFont(this);

    titleRect_ = QRect(0, top + du.y(4), du.x(300), du.y(12));
    addStatic(this, 701, controlString(701), du, 10, 20, 134, 10);
    list_ = new LaunchList(this);
    place(list_, 700, du, 10, 32, 134, 150);
    list_->setSelectionMode(QAbstractItemView::MultiSelection);
    list_->setAccessibleName(listName());
    list_->setAccessibleDescription(controlString(701));
    makeOwnerDrawnList(list_, resources().fontStd, resources().txtBlack);
    for (const LaunchLine& line : launchLines(contest_)) {
        QListWidgetItem* item = list_->item(addListLine(list_, QString::fromStdString(cp1252ToUtf8(line.text))));
        item->setData(kNumberRole, line.number);
        const Pilot* pilot = contest_.findPilot(line.number);
        item->setData(Qt::AccessibleTextRole, QStringLiteral("%1 - %2")
                                                  .arg(line.number, 2, 10, QLatin1Char('0'))
                                                  .arg(pilot ? QString::fromStdString(pilot->name.utf8()) : QString()));
        item->setSelected(line.selected);
    }
    if (list_->count() > 0)
        list_->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    addStatic(this, 703, controlString(703), du, 150, 32, 140, 20);

    auto* attemptsLabel = addStatic(this, 704, controlString(704), du, 150, 96, 140, 10);
    attempts_ = addEdit(this, 705, du, 150, 108, 40, 13);
    attempts_->setMaxLength(kAttemptsLength);
    attempts_->setText(QString::number(attempts));
    labelField(attemptsLabel, attempts_);

    sameStarts_ = new QCheckBox(controlString(707), this);
    place(sameStarts_, 706, du, 150, 128, 145, 12);
    sameStarts_->setChecked(true);

    auto* launchButton = addButton(this, 702, controlString(702), du, 236, 168, 54, 14);
    launchButton->setDefault(true);

    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child != titleBar)
            child->move(child->x(), child->y() + top);
    setFixedSize(du.size(300, 190) + QSize(0, top));
    titleBar->fitToWindow();
    list_->setFocus();

    connect(launchButton, &QPushButton::clicked, this, &LaunchDialog::launch);
}

void LaunchDialog::launch()
{
    LaunchChoices choices;
    for (int row = 0; row < list_->count(); ++row)
        if (list_->item(row)->isSelected())
            choices.absent.push_back(list_->item(row)->data(kNumberRole).toInt());
    choices.attemptsText = attempts_->text().toStdString();
    choices.sameStarts = sameStarts_->isChecked();
    settings_ = applyLaunchChoices(contest_, choices);
    finish(QDialog::Accepted);
}



void LaunchDialog::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    QPainter painter(this);
    QFont bold = font();
    bold.setBold(true);
    bold.setPointSize(font().pointSize() + 2);
    painter.setFont(bold);
    painter.setPen(resources().txtBlue);
    painter.drawText(titleRect_, Qt::AlignCenter, title_);
    painter.end();
    paintWindowBorder(this);
}

LaunchSettings runLaunchDialog(Contest& contest, int round, int attempts, QWidget* owner)
{
    LaunchDialog dialog(contest, round, attempts, owner);
    dialog.exec();
    return dialog.settings();
}

} // namespace r7t::ui
