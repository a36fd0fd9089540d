#include "scoring/ui/score_entry_dialog.h"

#include "scoring/time_formats.h"
#include "string_table/formats.h"
#include "text/strings.h"
#include "widgets/contest_window.h"
#include "widgets/dialog_units.h"
#include "widgets/drawing_resources.h"
#include "widgets/help_window.h"
#include "widgets/message_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>

namespace r7t::ui {

namespace {

constexpr int kHelpTopicScores = 8;

QCheckBox* addCheck(QWidget* dialog, int id, const QString& text, const DialogUnits& du, int x, int y, int width,
                    int height)
{
    auto* box = new QCheckBox(text, dialog);
    place(box, id, du, x, y, width, height);
    box->setAccessibleName(text.trimmed());
    return box;
}

QRadioButton* addRadio(QWidget* dialog, int id, int n, const DialogUnits& du, int x, int y, int width, int height)
{
    auto* radio = new QRadioButton(controlString(n), dialog);
    place(radio, id, du, x, y, width, height);
    radio->setAccessibleName(radio->text().trimmed());
    return radio;
}

void addLine(QWidget* dialog, int id, QFrame::Shape shape, const DialogUnits& du, int x, int y, int width, int height)
{
    auto* line = new QFrame(dialog);
    line->setFrameShape(shape);
    line->setFrameShadow(QFrame::Sunken);
    place(line, id, du, x, y, width, height);
    // At least the two pixels an etched line needs.
    if (shape == QFrame::HLine)
        line->setFixedHeight(std::max(2, line->height()));
    else
        line->setFixedWidth(std::max(2, line->width()));
}

// A dialog's push button that Enter presses while it has the focus; Enter
// elsewhere presses the default button.
QPushButton* addPushButton(QWidget* dialog, int id, const QString& text, const DialogUnits& du, int x, int y,
                           int width, int height)
{
    QPushButton* button = addButton(dialog, id, text, du, x, y, width, height);
    button->setAutoDefault(true);
    button->setAccessibleName(text.trimmed());
    return button;
}

// A time field: at most five characters, named after its label and block.
QLineEdit* addTimeField(QWidget* dialog, int id, QLabel* label, const QString& block, const DialogUnits& du, int x,
                        int y, int width, int height)
{
    QLineEdit* edit = addEdit(dialog, id, du, x, y, width, height);
    edit->setMaxLength(kTimeFieldLength);
    labelField(label, edit);
    if (!block.isEmpty())
        edit->setAccessibleName(edit->accessibleName() + QLatin1Char(' ') + block);
    return edit;
}

// The boxes that share their text with the other block are told apart by it.
void nameByBlock(std::initializer_list<QWidget*> controls, const QString& block)
{
    for (QWidget* control : controls)
        control->setAccessibleName(control->accessibleName() + QLatin1Char(' ') + block);
}

template <typename Fields>
void showDuration(const DurationControls& c, const Fields& f)
{
    c.voidBox->setChecked(f.durationVoid);
    c.time->setText(QString::fromStdString(f.durationText));
    c.trial->setChecked(f.durationTrial);
    c.landing[static_cast<size_t>(std::clamp(f.landing, 1, 3) - 1)]->setChecked(true);
    c.loss->setChecked(f.durationLoss);
}

template <typename Fields>
void readDuration(const DurationControls& c, Fields& f)
{
    f.durationVoid = c.voidBox->isChecked();
    f.durationText = c.time->text().toStdString();
    f.durationTrial = c.trial->isChecked();
    f.landing = c.landing[2]->isChecked() ? kLandingBeyond100
                : c.landing[1]->isChecked() ? kLandingOffTarget
                                            : kLandingOnTarget;
    f.durationLoss = c.loss->isChecked();
}

// The painted rectangles were drawn for a dialog font of two pixels per
// dialog unit; halved, they keep their place among the controls whatever
// the font.
QRect paintedRect(const DialogUnits& du, int left, int top, int right, int bottom)
{
    return du.rect(left / 2, top / 2, (right - left) / 2, (bottom - top) / 2);
}

// A block's title in the main window's medium font, sized to the dialog
// like the controls (14 points at two pixels per dialog unit): the font
// scaled to the screen would not fit its place on a large screen.
void paintBlockTitle(QWidget* dialog, const DialogUnits& du, const QRect& area, const QString& title)
{
    QPainter painter(dialog);
    QFont medium = resources().fontMedium;
    medium.setPixelSize(du.y(9));
    painter.setFont(medium);
    painter.setPen(resources().txtBlue);
    painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter, title);
}

struct IdentityPlaces {
    QRect number;
    QRect name;
    QRect round;
};

// The competitor's number and name and the round, as both dialogs paint them.
void paintIdentity(QWidget* dialog, const DialogUnits& du, const IdentityPlaces& at, int32_t number,
                   const QString& name, int32_t round)
{
    QPainter painter(dialog);
    QFont big = resources().fontBig;
    big.setPixelSize(du.y(32)); // 48 points at two pixels per dialog unit
    painter.setFont(big);
    painter.setPen(resources().txtBlue);
    painter.drawText(at.number, Qt::AlignLeft | Qt::AlignTop,
                     QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0')));
    if (round >= 1)
        painter.drawText(at.round, Qt::AlignLeft | Qt::AlignTop, QString::number(round));
    painter.setFont(resources().fontStd);
    painter.setPen(resources().txtBlack);
    const QFontMetrics fm(resources().fontStd);
    painter.drawText(at.name, Qt::AlignLeft | Qt::AlignTop, fm.elidedText(name, Qt::ElideRight, at.name.width()));
}

QString identityDescription(int32_t number, const QString& name, int32_t round)
{
    return QStringLiteral("%1 - %2 - %3")
        .arg(number, 2, 10, QLatin1Char('0'))
        .arg(name, QString::fromStdString(formatText(kRoundTitle, round)));
}

} // namespace

ScoreEntryDialog::ScoreEntryDialog(Contest& contest, int32_t round, int32_t number, EntryOpener opener,
                                   QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , contest_(contest)
{
    setObjectName(QStringLiteral("SAISSCORE"));
    setWindowTitle(controlString(589));
    const DialogUnits du = useTemplateFont(this);
    setFixedSize(du.size(244, 225));

    // Created in the order Tab follows: the speed block, the duration block
    // with its landing and loss, the re-flight, the gliders, the buttons.
    speedVoid_ = addCheck(this, 599, controlString(599), du, 82, 6, 44, 12);
    speedTrial_ = addCheck(this, 610, controlString(610), du, 82, 24, 40, 12);
    QLabel* speedLabel = addStatic(this, 595, controlString(595), du, 12, 41, 32, 12, Qt::AlignRight | Qt::AlignTop);
    speedTime_ = addTimeField(this, 612, speedLabel, controlString(572).toLower(), du, 49, 39, 36, 12);
    addStatic(this, 596, controlString(596), du, 87, 42, 28, 12);
    // From the labels' left edge: its text needs the width up to "Vague 2".
    speedLoss_ = addCheck(this, 600, controlString(600), du, 12, 55, 68, 12);
    wave2_ = addCheck(this, 621, QStringLiteral("Vague 2"), du, 82, 55, 40, 12);
    addLine(this, 101, QFrame::HLine, du, 8, 79, 120, 1);

    duration_.voidBox = addCheck(this, 601, controlString(599), du, 80, 86, 48, 12);
    duration_.trial = addCheck(this, 618, controlString(610), du, 80, 101, 44, 12);
    QLabel* durationLabel =
        addStatic(this, 597, controlString(595), du, 12, 122, 32, 12, Qt::AlignRight | Qt::AlignTop);
    duration_.time = addTimeField(this, 613, durationLabel, controlString(573).toLower(), du, 49, 120, 36, 12);
    addStatic(this, 598, controlString(598), du, 88, 122, 28, 12);
    addStatic(this, 102, QStringLiteral("1"), du, 9, 136, 8, 10);
    addStatic(this, 104, QStringLiteral("2"), du, 9, 153, 8, 10);
    addStatic(this, 105, QStringLiteral("3"), du, 9, 170, 8, 10);
    addStatic(this, 106, QStringLiteral("3"), du, 8, 188, 8, 10);
    duration_.landing = {addRadio(this, 602, 602, du, 23, 136, 88, 12), addRadio(this, 603, 603, du, 23, 153, 88, 12),
                         addRadio(this, 604, 604, du, 23, 170, 92, 12)};
    duration_.loss = addCheck(this, 605, controlString(600), du, 23, 184, 76, 16);
    nameByBlock({speedVoid_, speedTrial_, speedLoss_}, controlString(572).toLower());
    nameByBlock({duration_.voidBox, duration_.trial, duration_.loss}, controlString(573).toLower());
    reflightBox_ = addCheck(this, 609, controlString(609), du, 23, 203, 101, 12);

    addLine(this, 103, QFrame::VLine, du, 128, 8, 1, 212);
    addStatic(this, 614, controlString(614), du, 134, 8, 80, 8);
    addStatic(this, 615, controlString(70), du, 134, 66, 56, 8);
    glider1_ = addCheck(this, 619, QStringLiteral("Planeur 1"), du, 184, 80, 44, 12);
    glider2_ = addCheck(this, 620, QStringLiteral("Planeur 2"), du, 184, 100, 40, 12);
    // A click on either glider ticks it and unticks the other.
    auto* gliders = new QButtonGroup(this);
    gliders->addButton(glider1_);
    gliders->addButton(glider2_);
    gliders->setExclusive(true);

    reflightButton_ = addPushButton(this, 616, controlString(609), du, 178, 129, 52, 16);
    erase_ = addPushButton(this, 606, controlString(606), du, 178, 153, 52, 16);
    auto* abandonButton = addPushButton(this, 607, controlString(38), du, 178, 176, 52, 16);
    auto* help = addPushButton(this, 850, QStringLiteral("?"), du, 147, 200, 16, 16);
    validate_ = addPushButton(this, 608, controlString(608), du, 178, 200, 52, 16);
    validate_->setDefault(true);

    connect(reflightBox_, &QCheckBox::clicked, this, &ScoreEntryDialog::reflightBoxClicked);
    connect(reflightButton_, &QPushButton::clicked, this, &ScoreEntryDialog::editReflight);
    connect(erase_, &QPushButton::clicked, this, &ScoreEntryDialog::erase);
    connect(abandonButton, &QPushButton::clicked, this, &ScoreEntryDialog::abandon);
    connect(validate_, &QPushButton::clicked, this, &ScoreEntryDialog::validate);
    connect(help, &QPushButton::clicked, this, [this] { openHelp(this, kHelpTopicScores); });
    connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this,
            [this] { openHelp(this, kHelpTopicScores); });

    const EntryOpenStatus status =
        openScoreEntry(contest_, round, number, opener == EntryOpener::RoundRanking, entry_);
    opened_ = status == EntryOpenStatus::Opened && !contest_.fault();
    name_ = entry_.pilot ? QString::fromStdString(entry_.pilot->name.utf8()) : QString();
    setAccessibleDescription(identityDescription(number, name_, round)); // painted, so not read otherwise
    if (!opened_)
        return;

    showFields(shownFields(entry_));
    erase_->setVisible(entry_.offersDelete());
    speedTime_->setFocus();
    if (!entry_.isNew)
        speedTime_->selectAll();
}

void ScoreEntryDialog::showFields(const ScoreEntryFields& f)
{
    speedVoid_->setChecked(f.speedVoid);
    speedTime_->setText(QString::fromStdString(f.speedText));
    speedTrial_->setChecked(f.speedTrial);
    speedLoss_->setChecked(f.speedLoss);
    wave2_->setChecked(f.wave2);
    showDuration(duration_, f);
    reflightBox_->setChecked(entry_.reflightTicked);
    reflightButton_->setVisible(entry_.reflightTicked);
    (f.glider == 2 ? glider2_ : glider1_)->setChecked(true);
}

ScoreEntryFields ScoreEntryDialog::typedFields() const
{
    ScoreEntryFields f;
    f.speedText = speedTime_->text().toStdString();
    f.speedVoid = speedVoid_->isChecked();
    f.speedTrial = speedTrial_->isChecked();
    f.speedLoss = speedLoss_->isChecked();
    f.wave2 = wave2_->isChecked();
    readDuration(duration_, f);
    f.glider = glider2_->isChecked() ? 2 : 1;
    return f;
}

void ScoreEntryDialog::reflightBoxClicked(bool ticked)
{
    if (ticked) {
        // Out of memory (the contest showed why): the box stays unticked.
        if (!tickReflight(contest_, entry_))
            reflightBox_->setChecked(false);
    } else {
        untickReflight(contest_, entry_);
    }
    reflightButton_->setVisible(entry_.reflightTicked);
}

void ScoreEntryDialog::editReflight()
{
    if (!entry_.reflight)
        return;
    ReflightDialog reflight(*entry_.reflight, entry_.round, entry_.number, name_, this);
    // The re-flight is usually the last thing typed: Enter then validates.
    if (reflight.exec() == 1)
        validate_->setFocus(Qt::OtherFocusReason);
}

void ScoreEntryDialog::validate()
{
    if (const auto message = validateScoreEntry(contest_, entry_, typedFields())) {
        Alerte(this, QString::fromStdString(*message));
        return;
    }
    saveContest(this, contest_);
    finish(EntryEnd::Validated, Accepted);
}

void ScoreEntryDialog::abandon()
{
    if (opened_)
        abandonScoreEntry(contest_, entry_);
    finish(EntryEnd::Abandoned, Rejected);
}

void ScoreEntryDialog::erase()
{
    if (!entry_.offersDelete())
        return;
    if (MessDlg(this, tableText(deleteScoreQuestion(entry_)), kModeQuestion) != 1)
        return;
    deleteScore(contest_, entry_);
    finish(EntryEnd::Deleted, Rejected);
}

void ScoreEntryDialog::reject() { abandon(); }

void ScoreEntryDialog::finish(EntryEnd end, int result)
{
    end_ = end;
    done(result);
}

void ScoreEntryDialog::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    const DialogUnits du(font());
    paintBlockTitle(this, du, paintedRect(du, 15, 10, 100, 30), controlString(572));
    paintBlockTitle(this, du, paintedRect(du, 15, 170, 100, 200), controlString(573));
    paintIdentity(this, du,
                  {paintedRect(du, 265, 25, 450, 100), paintedRect(du, 265, 105, 470, 125),
                   paintedRect(du, 265, 145, 450, 250)},
                  entry_.number, name_, entry_.round);
}

ReflightDialog::ReflightDialog(FlightResult& reflight, int32_t round, int32_t number, const QString& name,
                               QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , reflight_(reflight)
    , opened_(reflight)
    , round_(round)
    , number_(number)
    , name_(name)
{
    setObjectName(QStringLiteral("REVOL"));
    setWindowTitle(controlString(609).trimmed());
    const DialogUnits du = useTemplateFont(this);
    setFixedSize(du.size(244, 168));

    duration_.voidBox = addCheck(this, 622, controlString(599), du, 80, 7, 48, 12);
    duration_.trial = addCheck(this, 627, controlString(610), du, 80, 26, 44, 12);
    QLabel* label = addStatic(this, 629, controlString(595), du, 12, 48, 32, 12, Qt::AlignRight | Qt::AlignTop);
    duration_.time = addTimeField(this, 628, label, QString(), du, 49, 46, 36, 12);
    addStatic(this, 630, controlString(598), du, 88, 48, 28, 12);
    duration_.landing = {addRadio(this, 623, 602, du, 23, 66, 88, 12), addRadio(this, 624, 603, du, 23, 83, 88, 12),
                         addRadio(this, 625, 604, du, 23, 100, 92, 12)};
    duration_.loss = addCheck(this, 626, controlString(600), du, 23, 114, 76, 16);
    addLine(this, 103, QFrame::VLine, du, 128, 2, 1, 146);
    addStatic(this, 631, controlString(614), du, 132, 2, 80, 8);
    addStatic(this, 632, controlString(70), du, 132, 56, 56, 8);
    auto* abandonButton = addPushButton(this, 621, controlString(38), du, 160, 111, 52, 16);
    auto* validateButton = addPushButton(this, 620, controlString(608), du, 160, 135, 52, 16);
    validateButton->setDefault(true);
    connect(abandonButton, &QPushButton::clicked, this, &ReflightDialog::abandon);
    connect(validateButton, &QPushButton::clicked, this, &ReflightDialog::validate);
    setAccessibleDescription(identityDescription(number, name, round));

    showDuration(duration_, shownReflightFields(reflight_));
    duration_.time->setFocus();
    duration_.time->selectAll();
}

void ReflightDialog::validate()
{
    ReflightFields f;
    readDuration(duration_, f);
    if (const auto message = validateReflight(reflight_, f)) {
        Alerte(this, QString::fromStdString(*message));
        return;
    }
    done(1);
}

void ReflightDialog::abandon()
{
    // A refused "Valider" has already written the record: "Abandon" leaves
    // the re-flight as the dialog found it.
    reflight_ = opened_;
    done(0);
}

void ReflightDialog::reject() { abandon(); }

void ReflightDialog::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    const DialogUnits du(font());
    paintBlockTitle(this, du, paintedRect(du, 15, 10, 100, 60), controlString(617));
    paintIdentity(this, du,
                  {paintedRect(du, 265, 15, 450, 90), paintedRect(du, 265, 90, 470, 120),
                   paintedRect(du, 265, 115, 450, 200)},
                  number_, name_, round_);
}

EntryEnd runScoreEntry(Contest& contest, int32_t round, int32_t number, EntryOpener opener, QWidget* parent)
{
    ScoreEntryDialog dialog(contest, round, number, opener, parent);
    if (!dialog.opened())
        return EntryEnd::NotOpened;
    dialog.exec();
    return dialog.end();
}

} // namespace r7t::ui
