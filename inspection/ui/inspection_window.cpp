#include "inspection/ui/inspection_window.h"

#include "contest/opening.h"
#include "inspection/ui/glider_button.h"
#include "inspection/ui/glider_dialog.h"
#include "inspection/ui/inspection_common.h"
#include "inspection/ui/new_pilot_dialog.h"
#include "inspection/ui/sheet_range_dialog.h"
#include "print/inspection_sheet.h"
#include "string_table/formats.h"
#include "text/strings.h"
#include "widgets/about_dialog.h"
#include "widgets/drawing_resources.h"
#include "widgets/help_window.h"
#include "widgets/message_dialog.h"
#include "widgets/pictures.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QStyledItemDelegate>
#include <QStylePainter>
#include <QTimer>

#include <algorithm>
#include <vector>

namespace r7t::ui {

namespace {

constexpr int kGliderFirstRequired = 433;
constexpr int kPilotRole = Qt::UserRole + 1;

// The pilot lines: the number at 16 pixels, centred vertically, in the
// medium font, blue; the selection's colours when selected.
class PilotLineDelegate : public QStyledItemDelegate {
public:
    PilotLineDelegate(int height, QObject* parent)
        : QStyledItemDelegate(parent)
        , height_(height)
    {
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        painter->save();
        const bool selected = option.state & QStyle::State_Selected;
        if (selected)
            painter->fillRect(option.rect, option.palette.brush(QPalette::Highlight));
        painter->setFont(resources().fontMedium);
        painter->setPen(selected ? option.palette.color(QPalette::HighlightedText) : resources().txtBlue);
        painter->drawText(option.rect.adjusted(16, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                          index.data(Qt::DisplayRole).toString());
        if (option.state & QStyle::State_HasFocus) {
            QStyleOptionFocusRect focus;
            focus.rect = option.rect;
            focus.palette = option.palette;
            QApplication::style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter);
        }
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override { return {40, height_}; }

private:
    int height_;
};

// A text of the layout: single line, at the top of its rectangle, centred
// or left, as the contest program draws its own.
void drawText(QPainter& p, const QRect& r, Qt::Alignment h, const QString& text, bool elide = false)
{
    const QString shown = elide ? p.fontMetrics().elidedText(text, Qt::ElideMiddle, r.width()) : text;
    p.drawText(r, h | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip, shown);
}

} // namespace

BoardButton::BoardButton(int id, const QString& label, QWidget* parent)
    : QAbstractButton(parent)
{
    setObjectName(controlName(id));
    setText(label);
    setAccessibleName(label);
    setFocusPolicy(Qt::NoFocus);
}

void BoardButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    option.initFrom(this);
    option.state |= isDown() ? QStyle::State_Sunken : QStyle::State_Raised;
    painter.drawControl(QStyle::CE_PushButtonBevel, option);
    painter.setFont(resources().fontMedium);
    painter.setPen(resources().txtBlue);
    painter.drawText(isDown() ? rect().translated(1, 1) : rect(), Qt::AlignCenter | Qt::TextSingleLine, text());
}

InspectionBoard::InspectionBoard(const Inspection& inspection, QWidget* parent)
    : QWidget(parent)
    , inspection_(inspection)
    , list_(new QListWidget(this))
    , newButton_(new BoardButton(ctrlcmd::NewPilot, controlString(18), this))
    , quitButton_(new BoardButton(ctrlcmd::Quit, controlString(20), this))
{
    setObjectName(QStringLiteral("InspectionBoard"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, resources().background);
    setPalette(pal);

    const ScreenScale& s = resources().scale;
    list_->setObjectName(controlName(104));
    list_->setAccessibleName(controlString(8));
    list_->setItemDelegate(new PilotLineDelegate(s.y(21), list_));
    list_->setUniformItemSizes(true);
    list_->setSortingEnabled(true);
    list_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    list_->installEventFilter(this);
    // The buttons follow the list as it scrolls, at once.
    connect(list_->verticalScrollBar(), &QScrollBar::valueChanged, this, &InspectionBoard::layoutGliderButtons);
    connect(list_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        Q_EMIT pilotMenuRequested(item->data(kPilotRole).toInt(), QCursor::pos());
    });
    connect(newButton_, &QAbstractButton::clicked, this, [this] { Q_EMIT commandClicked(ctrlcmd::NewPilot); });
    connect(quitButton_, &QAbstractButton::clicked, this, [this] { Q_EMIT commandClicked(ctrlcmd::Quit); });
}

void InspectionBoard::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const ScreenScale& s = resources().scale;
    list_->setGeometry(s.rect(130, 300, 60, 300));
    newButton_->setGeometry(s.rect(730, 330, 200, 45));
    quitButton_->setGeometry(s.rect(730, 530, 200, 45));
    layoutGliderButtons();
}

GliderButton* InspectionBoard::gliderButton(int pilot, int glider) const
{
    const auto it = buttons_.find(pilot);
    if (it == buttons_.end())
        return nullptr;
    return glider == 1 ? it->second.first : it->second.second;
}

BoardButton* InspectionBoard::commandButton(int id) const
{
    return id == ctrlcmd::NewPilot ? newButton_ : id == ctrlcmd::Quit ? quitButton_ : nullptr;
}

void InspectionBoard::addPilot(int number)
{
    if (buttons_.count(number))
        return;
    auto* item = new QListWidgetItem(QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0')));
    item->setData(kPilotRole, number);
    list_->addItem(item);
    auto make = [&](int glider) {
        auto* button = new GliderButton(number, glider, this);
        button->hide();
        connect(button, &GliderButton::chosen, this, &InspectionBoard::gliderChosen);
        return button;
    };
    buttons_[number] = {make(1), make(2)};
    if (const Glider* g = inspection_.findGlider(number, 1))
        buttons_[number].first->setState(buttonState(*g));
    if (const Glider* g = inspection_.findGlider(number, 2))
        buttons_[number].second->setState(buttonState(*g));
}

void InspectionBoard::removePilot(int number)
{
    for (int row = 0; row < list_->count(); ++row)
        if (list_->item(row)->data(kPilotRole).toInt() == number) {
            delete list_->takeItem(row);
            break;
        }
    const auto it = buttons_.find(number);
    if (it != buttons_.end()) {
        delete it->second.first;
        delete it->second.second;
        buttons_.erase(it);
    }
    layoutGliderButtons();
}

int InspectionBoard::selectedPilot() const
{
    const QListWidgetItem* item = list_->currentItem();
    return item ? item->data(kPilotRole).toInt() : 0;
}

void InspectionBoard::refreshStates()
{
    for (auto& [number, pair] : buttons_) {
        const Glider* first = inspection_.findGlider(number, 1);
        const Glider* second = inspection_.findGlider(number, 2);
        pair.first->setState(first ? buttonState(*first) : 0);
        pair.second->setState(second ? buttonState(*second) : 0);
    }
}

void InspectionBoard::layoutGliderButtons()
{
    const ScreenScale& s = resources().scale;
    std::vector<GliderButton*> shown;
    const int top = list_->verticalScrollBar()->value();
    const QRect viewport = list_->viewport()->geometry().translated(list_->geometry().topLeft());
    for (int row = top; row < list_->count() && row < top + kVisibleRows; ++row) {
        QListWidgetItem* item = list_->item(row);
        const QRect line = list_->visualItemRect(item).translated(viewport.topLeft());
        if (line.top() < viewport.top() || line.bottom() > viewport.bottom())
            break;
        const auto it = buttons_.find(item->data(kPilotRole).toInt());
        if (it == buttons_.end())
            continue;
        const int height = s.y(18);
        const int y = line.top() + (line.height() - height) / 2;
        it->second.first->setGeometry(s.x(220), y, s.x(140), height);
        it->second.second->setGeometry(s.x(380), y, s.x(140), height);
        shown.push_back(it->second.first);
        shown.push_back(it->second.second);
    }
    for (auto& [number, pair] : buttons_) {
        const bool visible = std::find(shown.begin(), shown.end(), pair.first) != shown.end();
        pair.first->setVisible(visible);
        pair.second->setVisible(visible);
    }
    // Tab goes from the list through the buttons, line by line.
    QWidget* previous = list_;
    for (GliderButton* button : shown) {
        setTabOrder(previous, button);
        previous = button;
    }
}

void InspectionBoard::setFileTitle(const QString& title)
{
    fileTitle_ = title;
    update();
}

bool InspectionBoard::eventFilter(QObject* watched, QEvent* event)
{
    // Return or the menu key on a line opens its popup, as a double click does.
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Menu) && list_->currentItem()) {
            const QRect line = list_->visualItemRect(list_->currentItem());
            Q_EMIT pilotMenuRequested(selectedPilot(), list_->viewport()->mapToGlobal(line.center()));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// DoPaint: the pictures and texts of the layout, in their order.
void InspectionBoard::paintEvent(QPaintEvent*)
{
    const DrawingResources& res = resources();
    const ScreenScale& s = res.scale;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBackgroundMode(Qt::TransparentMode);

    drawPictureFitted(p, QStringLiteral("IMAGE"), s.rect(130, 20, 500, 190));
    drawPictureFitted(p, QStringLiteral("ZARB"), s.rect(730, 20, 64, 64), Fit::KeepAspect);
    drawPictureFitted(p, QStringLiteral("ALCYON"), s.rect(580, 220, 223, 480));

    p.setFont(res.fontDisplay);
    p.setPen(res.txtBlack);
    drawText(p, s.corners(770, 20, 1000, 60), Qt::AlignHCenter, controlString(2));
    p.setFont(res.fontBig);
    p.setPen(res.txtBlue);
    drawText(p, s.corners(770, 30, 1000, 100), Qt::AlignHCenter, controlString(3));
    p.setFont(res.fontMedium);
    p.setPen(res.txtBlack);
    drawText(p, s.corners(680, 180, 980, 220), Qt::AlignHCenter, controlString(7));
    p.setFont(res.fontDisplaySmall);
    drawText(p, s.corners(130, 280, 280, 300), Qt::AlignLeft, controlString(8));
    p.setFont(res.fontDisplay);
    drawText(p, s.corners(100, 680, 900, 700), Qt::AlignHCenter, fileTitle_, true);
}

InspectionWindow::InspectionWindow(Inspection& inspection, QWidget* parent)
    : DesignWindow(parent)
    , inspection_(inspection)
    , board_(new InspectionBoard(inspection, this))
    , popup_(new QMenu(this))
{
    setObjectName(QString::fromLatin1(kInspectionTitle));
    setWindowTitle(QString::fromLatin1(kInspectionTitle));
    setWindowIcon(programIcon());
    setCentralWidget(board_);
    buildMenuBar();

    popup_->setObjectName(QStringLiteral("PilotPopup"));
    for (auto [label, id] : {std::pair{5, ctrlcmd::Glider1}, {6, ctrlcmd::Glider2}, {10, ctrlcmd::DeletePilot}}) {
        QAction* action = popup_->addAction(controlString(label));
        action->setObjectName(controlName(id));
        const int command = id;
        connect(action, &QAction::triggered, this, [this, command] { runCommand(command); });
    }

    connect(board_, &InspectionBoard::commandClicked, this, &InspectionWindow::runCommand);
    connect(board_, &InspectionBoard::gliderChosen, this, &InspectionWindow::chooseGlider);
    connect(board_, &InspectionBoard::pilotMenuRequested, this, [this](int pilot, const QPoint& at) {
        inspection_.currentPilot = pilot;
        popup_->exec(at);
    });
    // The inspection sheet has no file name in its printing dialog.
    printRunner_ = [](QWidget* owner, const PrintDocument& document) { runPrintJob(owner, QString(), document); };
}

void InspectionWindow::buildMenuBar()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu"));
    auto add = [this](QMenu* menu, int label, int id) {
        QAction* action = menu->addAction(controlString(label));
        action->setObjectName(controlName(id));
        connect(action, &QAction::triggered, this, [this, id] { runCommand(id); });
    };
    QMenu* file = bar->addMenu(controlString(640));
    add(file, 641, ctrlcmd::Quit);
    QMenu* pilots = bar->addMenu(controlString(642));
    add(pilots, 643, ctrlcmd::NewPilot);
    add(pilots, 644, ctrlcmd::PrintSheets);
    QMenu* help = bar->addMenu(controlString(645));
    add(help, 646, ctrlcmd::About);
    add(help, 647, ctrlcmd::Help);
}

void InspectionWindow::startInspection()
{
    for (const Glider& g : inspection_.gliders)
        if (g.glider == 1)
            board_->addPilot(g.pilot);
    board_->refreshStates();
    board_->setFileTitle(QString::fromStdString(fileTitleOf(inspection_.filePath)));
    board_->layoutGliderButtons();
    board_->pilotList()->setFocus();
}

void InspectionWindow::runCommand(int id)
{
    if (ending_)
        return;
    switch (id) {
    case ctrlcmd::NewPilot: newPilot(); break;
    case ctrlcmd::Quit: quit(); return;
    case ctrlcmd::About: {
        AboutDialog about(this);
        about.exec();
        break;
    }
    case ctrlcmd::PrintSheets: printSheets(); break;
    case ctrlcmd::Help: openHelp(this, 0); break;
    case ctrlcmd::Glider1: chooseGlider(inspection_.currentPilot, 1); break;
    case ctrlcmd::Glider2: chooseGlider(inspection_.currentPilot, 2); break;
    case ctrlcmd::DeletePilot: deletePilot(inspection_.currentPilot); break;
    default: break;
    }
}

void InspectionWindow::chooseGlider(int pilot, int glider)
{
    if (ending_ || pilot == 0)
        return;
    inspection_.currentPilot = pilot;
    inspection_.currentGlider = glider;
    // Glider 2 is entered only once glider 1 is filled, from the popup as
    // from its button.
    const Glider* first = inspection_.findGlider(pilot, 1);
    if (glider == 2 && first && !first->filled) {
        MessDlg(this, kGliderFirstRequired, kModeAlert);
        return;
    }
    if (runGliderDialog(inspection_, pilot, glider, printRunner_, this) == GliderDialogEnd::Fault)
        return;
    afterChange();
}

void InspectionWindow::newPilot()
{
    const std::optional<NewPilot> chosen = runNewPilotDialog(inspection_, this);
    if (!chosen)
        return;
    if (createPilot(inspection_, chosen->number, chosen->nameCp1252) != NewPilotStatus::Created)
        return; // 402 was shown
    board_->addPilot(chosen->number);
    // The new line in sight, with its buttons.
    QListWidget* list = board_->pilotList();
    for (int row = 0; row < list->count(); ++row)
        if (list->item(row)->data(kPilotRole).toInt() == chosen->number) {
            list->setCurrentRow(row);
            list->scrollToItem(list->item(row));
        }
    afterChange();
    saveInspection(this, inspection_);
}

void InspectionWindow::deletePilot(int pilot)
{
    if (pilot == 0 || MessDlg(this, tableText(formatMessage(kPilotDeletionQuestion, pilot)), kModeQuestion) != 1)
        return;
    r7t::deletePilot(inspection_, pilot);
    board_->removePilot(pilot);
    afterChange();
    saveInspection(this, inspection_);
}

void InspectionWindow::printSheets()
{
    const std::optional<SheetRange> range = runSheetRangeDialog(inspection_.highestNumber, this);
    if (!range || !printRunner_)
        return;
    const Inspection& inspection = inspection_;
    printRunner_(this, [&inspection, range](PrintEngine& engine) {
        return ImprPlaneur(inspection, engine, range->first, range->last);
    });
}

void InspectionWindow::afterChange()
{
    if (ending_)
        return;
    board_->refreshStates();
    board_->layoutGliderButtons();
}

void InspectionWindow::quit()
{
    const InspectionSaveOutcome saved = MajFichier(inspection_);
    if (saved.status == InspectionSaveStatus::Failed &&
        MessDlg(this, quitUnsavedQuestion(inspection_, saved), kModeQuestion) == 0)
        return;
    closeHelp();
    ending_ = true;
    stopPlacing();
    close();
    Q_EMIT programEnded();
}

void InspectionWindow::closeEvent(QCloseEvent* event)
{
    // Closing the window is "&Quitter": the file is written, then the end.
    if (!ending_)
        runCommand(ctrlcmd::Quit);
    event->setAccepted(ending_);
}

} // namespace r7t::ui
