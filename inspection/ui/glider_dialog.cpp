#include "inspection/ui/glider_dialog.h"

#include "inspection/ui/inspection_common.h"
#include "print/inspection_sheet.h"
#include "string_table/formats.h"
#include "text/strings.h"
#include "widgets/cp1252_validator.h"
#include "widgets/dialog_units.h"
#include "widgets/drawing_resources.h"
#include "widgets/message_dialog.h"
#include "widgets/pictures.h"

#include <QCheckBox>
#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

#include <algorithm>

namespace r7t::ui {

namespace {

constexpr int kValidWord = 51;
constexpr int kInvalidWord = 52;

// The lights' places in client pixels, by check number - 1.
constexpr std::array<QPoint, 6> kLights{{{280, 160}, {280, 200}, {280, 240}, {340, 160}, {340, 200}, {340, 240}}};
// Vertical centres of the three rows of lights.
constexpr int kRows[] = {170, 210, 250};

} // namespace

GliderDialog::GliderDialog(Inspection& inspection, Glider& record, PrintRunner print, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , inspection_(inspection)
    , record_(record)
    , print_(std::move(print))
{
    setObjectName(QStringLiteral("SAISPLA"));
    setWindowTitle(controlString(600));
    setWindowIcon(programIcon());
    const DialogUnits du = useTemplateFont(this);
    const QFontMetrics fm(font());
    const int h = du.y(12);
    const int editWidth = fm.horizontalAdvance(QStringLiteral("0000000")) + 16;
    auto widest = [&](std::initializer_list<int> strings) {
        int w = 0;
        for (int n : strings)
            w = std::max(w, fm.horizontalAdvance(controlString(n)));
        return w + 8;
    };

    auto label = [&](int id, int x, int y, int w) {
        auto* text = new QLabel(controlString(id), this);
        text->setObjectName(controlName(id));
        text->setGeometry(x, y, w, h);
        text->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        return text;
    };
    auto edit = [&](int id, QLabel* text, int x, int y, int w, int maxLength) {
        auto* field = new QLineEdit(this);
        field->setObjectName(controlName(id));
        field->setGeometry(x, y, w, h);
        field->setMaxLength(maxLength);
        labelField(text, field);
        return field;
    };

    // Texts first: make and registration above the measures.
    const int textLabelWidth = widest({601, 602});
    model_ = edit(611, label(601, 20, 100, textLabelWidth), 26 + textLabelWidth, 100,
                  fm.horizontalAdvance(QLatin1Char('M')) * 18, kModelLength);
    registration_ = edit(612, label(602, 20, 100 + h + 8, textLabelWidth), 26 + textLabelWidth, 100 + h + 8,
                         fm.horizontalAdvance(QLatin1Char('M')) * 8, kRegistrationLength);
    refuseUnstorableCharacters(model_);
    refuseUnstorableCharacters(registration_);

    // The measures on both sides of the lights; wide labels move the lights
    // and the right column rather than run under them.
    const int leftLabelWidth = widest({603, 605});
    const int leftEditX = 26 + leftLabelWidth;
    const int leftBoxWidth = fm.horizontalAdvance(controlString(608)) + 30;
    shift_ = std::max(0, std::max(leftEditX + editWidth, 20 + leftBoxWidth) + 14 - kLights[0].x());
    const int rightX = 360 + shift_ + 18;
    const int rightLabelWidth = widest({604, 606});
    const int rightEditX = rightX + rightLabelWidth + 6;
    auto rowY = [&](int row) { return kRows[row] - h / 2; };
    mass_ = edit(613, label(603, 20, rowY(0), leftLabelWidth), leftEditX, rowY(0), editWidth, kMeasureLength);
    width_ = edit(614, label(604, rightX, rowY(0), rightLabelWidth), rightEditX, rowY(0), editWidth, kMeasureLength);
    span_ = edit(615, label(605, 20, rowY(1), leftLabelWidth), leftEditX, rowY(1), editWidth, kMeasureLength);
    height_ = edit(616, label(606, rightX, rowY(1), rightLabelWidth), rightEditX, rowY(1), editWidth, kMeasureLength);
    groundClearance_ = new QCheckBox(controlString(608), this);
    groundClearance_->setObjectName(controlName(608));
    groundClearance_->setGeometry(20, rowY(2), leftBoxWidth, h);
    canopy_ = new QCheckBox(controlString(609), this);
    canopy_->setObjectName(controlName(609));
    canopy_->setGeometry(rightX, rowY(2), fm.horizontalAdvance(controlString(609)) + 30, h);

    const int width = std::max(700, rightEditX + editWidth + 20);
    titleX_ = width - 300;
    auto* name = new QLabel(fromFileText(record_.pilotName.raw()), this);
    name->setObjectName(controlName(624));
    name->setAlignment(Qt::AlignCenter);
    name->setGeometry(titleX_, 92, 300, h);
    name->setAccessibleName(QStringLiteral("%1 %2").arg(controlString(632), name->text()));

    // The buttons across the bottom: 620 to 623.
    const int buttonY = 290;
    const int buttonWidth = std::max(du.x(60), fm.horizontalAdvance(controlString(621)) + 20);
    const int gap = (width - 40 - 4 * buttonWidth) / 3;
    QPushButton* buttons[4];
    for (int i = 0; i < 4; ++i) {
        buttons[i] = new QPushButton(controlString(620 + i), this);
        buttons[i]->setObjectName(controlName(620 + i));
        buttons[i]->setAutoDefault(false);
        buttons[i]->setGeometry(20 + i * (buttonWidth + gap), buttonY, buttonWidth, du.y(14));
    }
    buttons[2]->setDefault(true);
    setFixedSize(width, buttonY + du.y(14) + 16);

    // The fields as stored, then the lights they give.
    const GliderForm stored = formOf(record_);
    model_->setText(fromFileText(stored.model));
    registration_->setText(fromFileText(stored.registration));
    mass_->setText(QString::fromStdString(stored.mass));
    width_->setText(QString::fromStdString(stored.width));
    span_->setText(QString::fromStdString(stored.span));
    height_->setText(QString::fromStdString(stored.height));
    groundClearance_->setChecked(stored.groundClearance);
    canopy_->setChecked(stored.canopy);
    refreshLights();
    model_->setFocus();

    for (QLineEdit* field : {mass_, width_, span_, height_})
        field->installEventFilter(this);
    for (QCheckBox* box : {groundClearance_, canopy_})
        connect(box, &QCheckBox::toggled, this, &GliderDialog::refreshLights);
    connect(buttons[0], &QPushButton::clicked, this, &GliderDialog::printSheet);
    connect(buttons[1], &QPushButton::clicked, this, &GliderDialog::absent);
    connect(buttons[2], &QPushButton::clicked, this, &GliderDialog::save);
    connect(buttons[3], &QPushButton::clicked, this, &GliderDialog::reject);
}

GliderForm GliderDialog::typedForm() const
{
    GliderForm form;
    form.model = toFileText(model_->text());
    form.registration = toFileText(registration_->text());
    form.mass = mass_->text().toStdString();
    form.width = width_->text().toStdString();
    form.span = span_->text().toStdString();
    form.height = height_->text().toStdString();
    form.groundClearance = groundClearance_->isChecked();
    form.canopy = canopy_->isChecked();
    return form;
}

QRect GliderDialog::lightArea() const { return QRect(265 + shift_, 155, 95, 105); }

void GliderDialog::refreshLights()
{
    lights_ = lightsOf(typedForm());
    // The lights also speak to assistive tools, on their fields.
    const std::array<QWidget*, 6> fields{mass_, span_, groundClearance_, width_, height_, canopy_};
    for (size_t i = 0; i < fields.size(); ++i)
        fields[i]->setAccessibleDescription(controlString(lights_.checks[i] ? kValidWord : kInvalidWord));
    repaint(lightArea());
}

bool GliderDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut)
        refreshLights();
    return QDialog::eventFilter(watched, event);
}

void GliderDialog::save()
{
    // The values stored are those the lights judge, read again here: Enter
    // can save while the field being typed still has the focus.
    storeForm(record_, typedForm());
    refreshLights();
    saveInspection(this, inspection_);
    accept();
}

void GliderDialog::absent()
{
    declareAbsent(record_);
    saveInspection(this, inspection_);
    accept();
}

void GliderDialog::printSheet()
{
    if (!print_)
        return;
    const int pilot = record_.pilot;
    const Inspection& inspection = inspection_;
    print_(this, [&inspection, pilot](PrintEngine& engine) { return ImprPlaneur(inspection, engine, pilot, pilot); });
}

void GliderDialog::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    paintDialogTitle(this, QRect(QPoint(20, 20), QPoint(399, 59)), controlString(600), Qt::AlignLeft);
    paintDialogTitle(this, QRect(QPoint(titleX_, 20), QPoint(titleX_ + 299, 49)),
                     QString::fromStdString(formatText(kPilotTitle, record_.pilot)), Qt::AlignHCenter);
    paintDialogTitle(this, QRect(QPoint(titleX_, 60), QPoint(titleX_ + 299, 89)),
                     QString::fromStdString(formatText(kGliderTitle, record_.glider)), Qt::AlignHCenter);
    QPainter painter(this);
    for (size_t i = 0; i < kLights.size(); ++i)
        drawPicture(painter, lights_.checks[i] ? QStringLiteral("FEUVERT") : QStringLiteral("FEUROUGE"),
                    kLights[i].x() + shift_, kLights[i].y());
}

GliderDialogEnd runGliderDialog(Inspection& inspection, int pilot, int glider, const PrintRunner& print,
                                QWidget* owner)
{
    Glider* record = inspection.findGlider(pilot, glider);
    if (!record) {
        // Nothing is written after an inconsistency.
        inspection.isOpen = false;
        showFaultReport("SAISPLADLGPROC");
        return GliderDialogEnd::Fault;
    }
    GliderDialog dialog(inspection, *record, print, owner);
    if (dialog.exec() != QDialog::Accepted)
        return GliderDialogEnd::Abandoned;
    return record->filled ? GliderDialogEnd::Saved : GliderDialogEnd::Absent;
}

} // namespace r7t::ui
