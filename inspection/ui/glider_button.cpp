#include "inspection/ui/glider_button.h"

#include "string_table/formats.h"
#include "text/strings.h"
#include "widgets/drawing_resources.h"
#include "widgets/pictures.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace r7t::ui {

namespace {

constexpr int kStateWords[] = {629, 630, 631}; // "vide", "non valide", "valide"
const char* const kStatePictures[] = {"PLANEURVIDE", "PLANEURBAD", "PLANEUROK"};

} // namespace

GliderButton::GliderButton(int pilot, int glider, QWidget* parent)
    : QAbstractButton(parent)
    , pilot_(pilot)
    , glider_(glider)
{
    setObjectName(controlName(id()));
    setText(QString::fromStdString(formatText(kGliderButtonText, pilot, glider)));
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QAbstractButton::clicked, this, [this] { Q_EMIT chosen(pilot_, glider_); });
    setState(0);
}

void GliderButton::setState(int state)
{
    state = state < 0 || state > 2 ? 0 : state;
    if (state == state_)
        return;
    state_ = state;
    setAccessibleName(QString::fromStdString(
        formatText(kGliderButtonName, pilot_, glider_, MajStr(kStateWords[state_]))));
    update();
}

void GliderButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    drawPictureFitted(painter, QString::fromLatin1(kStatePictures[state_]), rect());
    painter.setFont(resources().fontDisplaySmall);
    painter.setPen(state_ == 2 ? resources().txtBlue : resources().txtBlack);
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, text());
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(2, 2, -2, -2);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

// The right button chooses the glider as the left one does.
void GliderButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        rightPressed_ = true;
        event->accept();
        return;
    }
    QAbstractButton::mousePressEvent(event);
}

void GliderButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton && rightPressed_) {
        rightPressed_ = false;
        event->accept();
        if (rect().contains(event->position().toPoint()))
            Q_EMIT chosen(pilot_, glider_);
        return;
    }
    QAbstractButton::mouseReleaseEvent(event);
}

} // namespace r7t::ui
