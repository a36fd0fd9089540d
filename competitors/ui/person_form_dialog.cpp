#include "competitors/ui/person_form_dialog.h"

#include "competitors/frequency_change.h"
#include "competitors/ui/channel_menu.h"
#include "competitors/ui/frequency_change_dialog.h"
#include "text/strings.h"
#include "widgets/contest_window.h"
#include "widgets/cp1252_validator.h"
#include "widgets/dialog_units.h"
#include "widgets/drawing_resources.h"
#include "widgets/help_window.h"
#include "widgets/message_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace r7t::ui {

namespace {

constexpr int kHelpCompetitors = 3;
constexpr int kHelpTowPilots = 4;
// A frequency field holds a channel's text ("2.4 GHz"); six characters are read.
constexpr int kFrequencyFieldLength = 7;
constexpr int kIntegerFieldLength = 7;
// What the record keeps of each text (one byte per character in the file).
constexpr int kNameLength = decltype(Pilot::name)::capacity();
constexpr int kLicenceLength = decltype(Pilot::licence)::capacity();
constexpr int kClubLength = decltype(Pilot::club)::capacity();
constexpr int kCountryLength = decltype(Pilot::country)::capacity();
constexpr int kRemarkLength = decltype(Pilot::remark)::capacity();

// The title's place, above the fields, in dialog units.
constexpr int kTitleX = 10;
constexpr int kTitleY = 6;

} // namespace

PersonFormDialog::PersonFormDialog(Contest& contest, PersonKind kind, int32_t number, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , contest_(contest)
    , kind_(kind)
    , number_(number)
    , isNew_(number == 0)
{
    setObjectName(QStringLiteral("SAISPIL"));
    const bool competitor = kind == PersonKind::Competitor;
    setWindowTitle(controlString(competitor ? 525 : 526));
    const DialogUnits du = useTemplateFont(this);
    setFixedSize(du.size(290, 206));

    // Labels at x 10, fields at x 90, one row every 16 units from y 30.
    auto field = [&](int id, const QString& label, int row, int width, int maxLength) {
        const int y = 30 + 16 * row;
        QLabel* text = addStatic(this, -1, label, du, 10, y + 2, 78, 10);
        QLineEdit* edit = addEdit(this, id, du, 90, y, width, 12);
        edit->setMaxLength(maxLength);
        labelField(text, edit);
        return edit;
    };
    name_ = field(544, QStringLiteral("Nom"), 0, 150, kNameLength);
    licence_ = field(545, QStringLiteral("N° licence"), 1, 80, kLicenceLength);
    club_ = field(546, QStringLiteral("Club"), 2, 150, kClubLength);
    clubNumber_ = field(547, QStringLiteral("N° club"), 3, 40, kIntegerFieldLength);
    country_ = field(548, QStringLiteral("Pays"), 4, 110, kCountryLength);
    remark_ = field(549, QStringLiteral("Remarque particulière"), 5, 190, kRemarkLength);
    frequency1_ = field(550, QStringLiteral("Fréquence 1"), 6, 44, kFrequencyFieldLength);
    frequency2_ = field(551, QStringLiteral("Fréquence 2"), 7, 44, kFrequencyFieldLength);
    for (QLineEdit* text : {name_, licence_, club_, country_, remark_})
        refuseUnstorableCharacters(text);
    offerChannelMenu(frequency1_);
    offerChannelMenu(frequency2_);

    // The glider masses beside the frequencies, in grams.
    QLabel* masses = addStatic(this, -1, QStringLiteral("Masses (g)"), du, 160, 128, 60, 10);
    QLabel* pl1 = addStatic(this, -1, QStringLiteral("pl1"), du, 160, 144, 20, 10);
    mass1_ = addEdit(this, 553, du, 182, 142, 36, 12);
    QLabel* pl2 = addStatic(this, -1, QStringLiteral("pl2"), du, 226, 144, 20, 10);
    mass2_ = addEdit(this, 554, du, 248, 142, 36, 12);
    for (auto [label, edit] : {std::pair{pl1, mass1_}, std::pair{pl2, mass2_}}) {
        edit->setMaxLength(kIntegerFieldLength);
        labelField(label, edit);
        edit->setAccessibleName(QStringLiteral("Masse %1").arg(label->text()));
    }
    if (!competitor)
        for (QWidget* w : std::initializer_list<QWidget*>{masses, pl1, mass1_, pl2, mass2_})
            w->hide();

    abandonLine_ = addStatic(this, 552, QString(), du, 10, 160, 270, 10);

    confirm_ = addButton(this, 538, controlString(isNew_ ? 538 : 539), du, 10, 182, 56, 14);
    confirm_->setDefault(true);
    auto* finished = addButton(this, 536, controlString(536), du, 72, 182, 50, 14);
    auto* cancel = addButton(this, 2, QStringLiteral("Annuler"), du, 128, 182, 50, 14);
    frequencyChange_ = addButton(this, 539, controlString(544), du, 184, 182, 60, 14);
    auto* help = addButton(this, 850, QStringLiteral("?"), du, 264, 182, 16, 14);

    if (isNew_) {
        number_ = contest_.freeNumber(kind == PersonKind::TowPilot);
        frequencyChange_->hide();
    } else {
        finished->hide();
        if (const Pilot* pilot = contest_.findPilot(number_))
            fill(*pilot);
    }
    name_->setFocus();

    connect(confirm_, &QPushButton::clicked, this, &PersonFormDialog::confirm);
    connect(finished, &QPushButton::clicked, this, &PersonFormDialog::reject);
    connect(cancel, &QPushButton::clicked, this, &PersonFormDialog::reject);
    connect(frequencyChange_, &QPushButton::clicked, this, &PersonFormDialog::changeFrequency);
    connect(help, &QPushButton::clicked, this,
            [this] { openHelp(this, kind_ == PersonKind::Competitor ? kHelpCompetitors : kHelpTowPilots); });
}

void PersonFormDialog::fill(const Pilot& pilot)
{
    opened_ = personForm(pilot);
    name_->setText(fromFileText(opened_.name));
    licence_->setText(fromFileText(opened_.licence));
    club_->setText(fromFileText(opened_.club));
    clubNumber_->setText(fromFileText(opened_.clubNumber));
    country_->setText(fromFileText(opened_.country));
    remark_->setText(fromFileText(opened_.remark));
    frequency1_->setText(fromFileText(opened_.frequency1));
    frequency2_->setText(fromFileText(opened_.frequency2));
    mass1_->setText(fromFileText(opened_.mass1));
    mass2_->setText(fromFileText(opened_.mass2));
    if (kind_ == PersonKind::Competitor)
        abandonLine_->setText(fromFileText(abandonLine(contest_, pilot.number)));

    const FrequencyLock lock = frequencyLock(contest_, pilot);
    frequency1_->setEnabled(!lock.frequency1);
    frequency2_->setEnabled(!lock.frequency2);
    // Only a locked frequency needs the change that cancels the draws.
    frequencyChange_->setEnabled(lock.frequency1 || lock.frequency2);
}

PersonForm PersonFormDialog::typedForm() const
{
    PersonForm form = opened_;
    form.name = toFileText(name_->text());
    form.licence = toFileText(licence_->text());
    form.club = toFileText(club_->text());
    form.clubNumber = toFileText(clubNumber_->text());
    form.country = toFileText(country_->text());
    form.remark = toFileText(remark_->text());
    form.frequency1 = toFileText(frequency1_->text());
    form.frequency2 = toFileText(frequency2_->text());
    form.mass1 = toFileText(mass1_->text());
    form.mass2 = toFileText(mass2_->text());
    return form;
}

void PersonFormDialog::focusField(FormField field)
{
    QLineEdit* edit = field == FormField::Frequency1 ? frequency1_ : field == FormField::Frequency2 ? frequency2_ : nullptr;
    if (!edit)
        return;
    // Other than a user's move: the channel menu stays closed, the text is
    // selected to be typed over.
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
}

void PersonFormDialog::confirm()
{
    const PersonForm form = typedForm();
    const EntryResult result = isNew_ ? createPerson(contest_, kind_, form)
                                      : modifyPerson(contest_, number_, form, frequenciesUnlocked_);
    switch (result.status) {
    case EntryStatus::Done:
        number_ = result.number;
        saveContest(this, contest_);
        accept();
        return;
    case EntryStatus::Alert:
        MessDlg(this, result.alert.message, kModeAlert);
        focusField(result.alert.field);
        return;
    case EntryStatus::OutOfMemory: // the contest showed 402
        reject();
        return;
    case EntryStatus::NoFreeNumber:
    case EntryStatus::NotFound:
        MessDlg(this, tableText(result.message), kModeAlert);
        reject();
        return;
    case EntryStatus::FrequencyLocked:
        MessDlg(this, tableText(result.message), kModeAlert);
        return;
    }
}

void PersonFormDialog::changeFrequency()
{
    if (!runFrequencyChangeDialog(contest_, this))
        return;
    afterFrequencyChange(contest_, number_);
    frequenciesUnlocked_ = true;
    frequency1_->setEnabled(true);
    frequency2_->setEnabled(true);
    frequencyChange_->setEnabled(false);
    redrawCounters();
}

void PersonFormDialog::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    const DialogUnits du(font());
    const QString title = QStringLiteral("%1  %2").arg(windowTitle()).arg(number_, 2, 10, QLatin1Char('0'));
    paintDialogTitle(this, QRect(du.x(kTitleX), du.y(kTitleY), width() - du.x(2 * kTitleX), du.y(18)), title,
                     Qt::AlignLeft);
}

int32_t runPersonForm(Contest& contest, PersonKind kind, int32_t number, QWidget* parent)
{
    PersonFormDialog form(contest, kind, number, parent);
    return form.exec() == QDialog::Accepted ? form.number() : 0;
}

} // namespace r7t::ui
