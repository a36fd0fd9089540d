#include "app/ui/status_display.h"

#include "contest/status_texts.h"
#include "text/strings.h"
#include "widgets/cp1252_validator.h"
#include "widgets/drawing_resources.h"
#include "widgets/pictures.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace r7t::ui {

namespace {

// Label strings of the buttons, by id.
int buttonLabel(int id)
{
    switch (id) {
    case 200: return 15;
    case 202: return 17;
    case 203: return 18;
    case 116: return 19;
    case 102: return 20;
    default: return 0;
    }
}

// The header fields; label is the string drawn at their left, which also
// names them for assistive tools.
struct FieldLayout {
    int id, label, x, y, width, maxChars;
};
constexpr std::array<FieldLayout, 3> kFields{{
    {StatusDisplay::kTitleField, 4, 300, 270, 300, 63},
    {StatusDisplay::kDateField, 5, 300, 320, 100, 11},
    {StatusDisplay::kPlaceField, 6, 300, 370, 200, 31},
}};

enum class Align { Left, Centre, Right };

// One text of the layout table: single line, top of its rectangle,
// transparent background. A text wider than its rectangle is shortened with
// an ellipsis where it matters least rather than cut or run over its
// neighbours.
void drawText(QPainter& p, const QRect& r, Align align, const QString& text,
              Qt::TextElideMode elide = Qt::ElideNone)
{
    QString shown = text;
    if (elide != Qt::ElideNone)
        shown = p.fontMetrics().elidedText(text, elide, r.width());
    const int h = align == Align::Left ? Qt::AlignLeft : align == Align::Centre ? Qt::AlignHCenter : Qt::AlignRight;
    p.drawText(r, h | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip, shown);
}

} // namespace

MainButton::MainButton(int id, const QString& label, QWidget* parent)
    : QPushButton(label, parent)
    , id_(id)
{
    setObjectName(controlName(id));
    setFocusPolicy(Qt::NoFocus);
}

void MainButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButtonBevel, option);
    painter.setFont(resources().fontMedium);
    painter.setPen(resources().txtBlue);
    QRect r = rect();
    if (isDown())
        r.translate(1, 1);
    painter.drawText(r, Qt::AlignCenter | Qt::TextSingleLine, text());
}

StatusDisplay::StatusDisplay(Contest& contest, QWidget* parent)
    : QWidget(parent)
    , contest_(contest)
{
    setObjectName(QStringLiteral("StatusDisplay"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, resources().background);
    setPalette(pal);

    for (size_t i = 0; i < kFields.size(); ++i) {
        const FieldLayout& field = kFields[i];
        auto* edit = new QLineEdit(this);
        edit->setObjectName(controlName(field.id));
        edit->setAccessibleName(controlString(field.label));
        edit->setMaxLength(field.maxChars);
        refuseUnstorableCharacters(edit);
        edit->setFont(resources().fontEdit);
        edit->installEventFilter(this);
        const int id = field.id;
        connect(edit, &QLineEdit::textChanged, this, [this, id](const QString& text) { fieldEdited(id, text); });
        fields_[i] = edit;
    }
    size_t k = 0;
    for (int id : kButtonIds) {
        if (id == 201)
            continue;
        auto* button = new MainButton(id, controlString(buttonLabel(id)), this);
        connect(button, &QPushButton::clicked, this, [this, id] { Q_EMIT buttonClicked(id); });
        buttons_[k++] = button;
    }
    layoutChildren();
    fieldsFromHeader();
}

void StatusDisplay::layoutChildren()
{
    const ScreenScale& s = resources().scale;
    for (size_t i = 0; i < kFields.size(); ++i)
        fields_[i]->setGeometry(s.x(kFields[i].x), s.y(kFields[i].y), s.x(kFields[i].width), s.y(20));
    for (size_t k = 0; k < buttons_.size(); ++k)
        buttons_[k]->setGeometry(s.x(730), s.y(240) + static_cast<int>(k) * s.y(80), s.x(200), s.y(45));
}

QLineEdit* StatusDisplay::field(int id) const
{
    for (size_t i = 0; i < kFields.size(); ++i)
        if (kFields[i].id == id)
            return fields_[i];
    return nullptr;
}

MainButton* StatusDisplay::button(int id) const
{
    for (MainButton* b : buttons_)
        if (b->id() == id)
            return b;
    return nullptr;
}

void StatusDisplay::fieldsFromHeader()
{
    const ContestHeader& h = contest_.header;
    field(kTitleField)->setText(QString::fromStdString(h.title.utf8()));
    field(kDateField)->setText(QString::fromStdString(h.date.utf8()));
    field(kPlaceField)->setText(QString::fromStdString(h.place.utf8()));
}

// The header always holds what the user last typed, so every save, the
// backup included, writes it.
void StatusDisplay::fieldEdited(int id, const QString& text)
{
    ContestHeader& h = contest_.header;
    const std::string utf8 = text.toStdString();
    if (id == kTitleField)
        h.title.assignUtf8(utf8);
    else if (id == kDateField)
        h.date.assignUtf8(utf8);
    else if (id == kPlaceField)
        h.place.assignUtf8(utf8);
}

void StatusDisplay::focusTitle()
{
    QLineEdit* title = field(kTitleField);
    title->setFocus(Qt::OtherFocusReason);
    title->setCursorPosition(static_cast<int>(title->text().size()));
}

bool StatusDisplay::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            // Tab cycles title -> date -> place -> title, caret at the end.
            const int step = key->key() == Qt::Key_Tab ? 1 : 2;
            for (size_t i = 0; i < fields_.size(); ++i) {
                if (fields_[i] != watched)
                    continue;
                QLineEdit* next = fields_[(i + static_cast<size_t>(step)) % fields_.size()];
                next->setFocus(Qt::TabFocusReason);
                next->deselect();
                next->setCursorPosition(static_cast<int>(next->text().size()));
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void StatusDisplay::setFileTitle(const QString& title)
{
    fileTitle_ = title;
    update();
}

QRect StatusDisplay::lowerBox() const { return resources().scale.corners(130, 470, 630, 640); }

void StatusDisplay::redrawCounters() { update(lowerBox().adjusted(-2, -2, 2, 2)); }

// DoPaint: the elements of the layout in their order.
void StatusDisplay::paintEvent(QPaintEvent*)
{
    const DrawingResources& res = resources();
    const ScreenScale& s = res.scale;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBackgroundMode(Qt::TransparentMode);

    drawPictureFitted(p, QStringLiteral("IMAGE"), s.rect(130, 20, 500, 190));
    drawPictureFitted(p, QStringLiteral("ZARB"), s.rect(730, 20, 64, 64), Fit::KeepAspect);

    p.setPen(QPen(res.boxPen, 2));
    p.setBrush(res.boxFill);
    p.drawRoundedRect(s.corners(130, 240, 630, 420), 5, 5);
    p.drawRoundedRect(s.corners(130, 470, 630, 640), 5, 5);
    p.setBrush(Qt::NoBrush);

    p.setFont(res.fontDisplay);
    p.setPen(res.txtBlack);
    drawText(p, s.corners(770, 20, 1000, 60), Align::Centre, controlString(2));
    drawText(p, s.corners(145, 270, 290, 290), Align::Right, controlString(4));
    drawText(p, s.corners(145, 320, 290, 340), Align::Right, controlString(5));
    drawText(p, s.corners(145, 370, 290, 390), Align::Right, controlString(6));

    drawText(p, s.corners(150, 490, 480, 510), Align::Left, controlString(8));
    drawText(p, s.corners(150, 530, 480, 550), Align::Left, controlString(9));
    drawText(p, s.corners(150, 570, 480, 590), Align::Left, controlString(11));
    drawText(p, s.corners(360, 490, 600, 510), Align::Centre, controlString(10));
    drawText(p, s.corners(360, 570, 600, 590), Align::Centre, controlString(13));

    drawText(p, s.corners(180, 510, 460, 530), Align::Left, QStringLiteral("%1 ").arg(contest_.competitorCount()));
    drawText(p, s.corners(180, 550, 480, 570), Align::Left, QString::number(contest_.towPilotCount()));
    if (const auto best = bestSpeedText(contest_))
        drawText(p, s.corners(180, 590, 480, 610), Align::Left, QString::fromStdString(*best));

    // With many rounds the lists are longer than their place: the latest
    // rounds stay in sight.
    p.setFont(res.fontMedium);
    p.setPen(res.txtBlue);
    drawText(p, s.corners(360, 510, 600, 530), Align::Right, QString::fromStdString(preparedRoundsText(contest_)),
             Qt::ElideLeft);
    contest_.updateCompleteRounds();
    drawText(p, s.corners(360, 590, 600, 610), Align::Right, QString::fromStdString(contest_.completeRoundsText),
             Qt::ElideLeft);

    p.setFont(res.fontBig);
    drawText(p, s.corners(770, 30, 1000, 100), Align::Centre, controlString(3));
    p.setFont(res.fontMedium);
    drawText(p, s.corners(680, 180, 980, 220), Align::Centre, controlString(7));

    p.setFont(res.fontDisplay);
    p.setPen(res.txtBlack);
    drawText(p, s.corners(150, 618, 610, 638), Align::Centre, fileTitle_, Qt::ElideMiddle);
}

} // namespace r7t::ui
