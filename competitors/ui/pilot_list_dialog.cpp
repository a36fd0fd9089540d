#include "competitors/ui/pilot_list_dialog.h"

#include "competitors/ui/import_dialog.h"
#include "competitors/ui/person_form_dialog.h"
#include "contest/opening.h"
#include "print/printed_lists.h"
#include "text/strings.h"
#include "widgets/contest_window.h"
#include "widgets/cp1252_validator.h"
#include "widgets/dialog_units.h"
#include "widgets/drawing_resources.h"
#include "widgets/list_line_delegate.h"
#include "widgets/message_dialog.h"

#include <QListWidget>
#include <QPushButton>

namespace r7t::ui {

namespace {

constexpr int kNumberRole = Qt::UserRole + 2;
constexpr int kTitleY = 6;

} // namespace

PilotListDialog::PilotListDialog(Contest& contest, PersonKind kind, FileChooser& files, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , contest_(contest)
    , kind_(kind)
    , files_(files)
{
    setObjectName(QStringLiteral("CHOIXPIL"));
    const bool competitors = kind == PersonKind::Competitor;
    setWindowTitle(controlString(competitors ? 555 : 556));
    const DialogUnits du = useTemplateFont(this);
    setFixedSize(du.size(300, 232));

    QLabel* hint = addStatic(this, 557, controlString(557), du, 10, 26, 280, 10);
    list_ = new QListWidget(this);
    place(list_, 564, du, 10, 38, 280, 164);
    labelField(hint, list_);
    list_->setAccessibleName(windowTitle());
    // Lines are drawn across the list's width; they never need a scroll sideways.
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    makeOwnerDrawnList(list_, fixedListFont(), resources().txtBlue, {du.x(5), du.x(110)});

    auto* add = addButton(this, 558, controlString(558), du, 10, 210, 42, 14);
    modify_ = addButton(this, 559, controlString(559), du, 56, 210, 42, 14);
    delete_ = addButton(this, 561, controlString(561), du, 102, 210, 42, 14);
    print_ = addButton(this, 563, controlString(563), du, 148, 210, 42, 14);
    auto* importer = addButton(this, 565, controlString(565), du, 194, 210, 42, 14);
    auto* finished = addButton(this, 562, controlString(562), du, 248, 210, 42, 14);
    if (!competitors)
        importer->hide();

    printRunner_ = [this](QWidget* owner, const PrintDocument& document) {
        runPrintJob(owner, QString::fromStdString(fileTitleOf(contest_.filePath)), document);
    };

    connect(add, &QPushButton::clicked, this, &PilotListDialog::newPerson);
    connect(modify_, &QPushButton::clicked, this, &PilotListDialog::modifyPerson);
    connect(delete_, &QPushButton::clicked, this, &PilotListDialog::deleteSelected);
    connect(print_, &QPushButton::clicked, this, &PilotListDialog::print);
    connect(importer, &QPushButton::clicked, this, &PilotListDialog::import);
    connect(finished, &QPushButton::clicked, this, &PilotListDialog::accept);
    // A double click or Enter on a line.
    connect(list_, &QListWidget::itemActivated, this, &PilotListDialog::lineActivated);

    refill();
    list_->setFocus();
}

void PilotListDialog::refill(int32_t selectNumber)
{
    list_->clear();
    int selectRow = 0;
    for (const PilotListLine& line : pilotListLines(contest_, kind_)) {
        const int row = addListLine(list_, fromFileText(line.text));
        list_->item(row)->setData(kNumberRole, line.number);
        if (line.number == selectNumber && selectNumber != 0)
            selectRow = row;
    }
    list_->setCurrentRow(selectRow);
    const bool somebody = selectedNumber() != 0;
    modify_->setEnabled(somebody);
    print_->setEnabled(somebody);
    delete_->setEnabled(somebody && !anyRoundPrepared(contest_));
}

int32_t PilotListDialog::selectedNumber() const
{
    const QListWidgetItem* item = list_->currentItem();
    return item ? item->data(kNumberRole).toInt() : 0;
}

void PilotListDialog::newPerson()
{
    // Refused before the form opens, rather than after it was filled in.
    if (contest_.freeNumber(kind_ == PersonKind::TowPilot) == 0) {
        MessDlg(this, tableText(noFreeNumberText(kind_)), kModeAlert);
        return;
    }
    if (const int32_t created = runPersonForm(contest_, kind_, 0, this))
        refill(created);
    redrawCounters();
}

void PilotListDialog::modifyPerson()
{
    const int32_t number = selectedNumber();
    if (number == 0)
        return;
    if (const int32_t modified = runPersonForm(contest_, kind_, number, this))
        refill(modified);
}

void PilotListDialog::lineActivated(QListWidgetItem* item)
{
    if (item && item->data(kNumberRole).toInt() == 0)
        newPerson();
    else
        modifyPerson();
}

void PilotListDialog::deleteSelected()
{
    const int32_t number = selectedNumber();
    const Pilot* pilot = contest_.findPilot(number);
    if (!pilot || anyRoundPrepared(contest_))
        return;
    const QString question = fromFileText(pilot->name.raw()) + QLatin1Char(' ') + tableText(MajMessage(kMessageDeleteQuestion));
    if (MessDlg(this, question, kModeQuestion) != 1)
        return;
    const int row = list_->currentRow();
    if (deletePerson(contest_, number) != DeleteStatus::Done)
        return;
    saveContest(this, contest_);
    refill();
    list_->setCurrentRow(std::min(row, list_->count() - 1));
    redrawCounters();
}

void PilotListDialog::print()
{
    const PilotListKind kind = kind_ == PersonKind::Competitor ? PilotListKind::Competitors : PilotListKind::TowPilots;
    printRunner_(this, [this, kind](PrintEngine& engine) { return printPilotList(contest_, engine, kind); });
}

void PilotListDialog::import()
{
    runImportDialog(contest_, files_, this);
    refill(selectedNumber());
    redrawCounters();
}

void PilotListDialog::done(int result)
{
    redrawCounters();
    QDialog::done(result);
}

void PilotListDialog::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    const DialogUnits du(font());
    paintDialogTitle(this, QRect(0, du.y(kTitleY), width(), du.y(16)), windowTitle(), Qt::AlignHCenter);
}

void runPilotList(Contest& contest, PersonKind kind, FileChooser& files, QWidget* parent, const PrintRunner& print)
{
    PilotListDialog dialog(contest, kind, files, parent);
    dialog.setPrintRunner(print);
    dialog.exec();
}

} // namespace r7t::ui
