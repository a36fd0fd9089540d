#include "widgets/window_frame.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

namespace r7t::ui {

OwnTitleBar::OwnTitleBar(QWidget* window)
    : QWidget(window)
{
    window->setWindowFlags(window->windowFlags() | Qt::FramelessWindowHint);
    setObjectName(QStringLiteral("titleBar"));
    setAccessibleName(window->windowTitle());
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
    setFixedHeight(QFontMetrics(bold).height() + 8);
    setCursor(Qt::SizeAllCursor);
    fitToWindow();
}

void OwnTitleBar::fitToWindow()
{
    setGeometry(0, 0, parentWidget()->width(), height());
}

void OwnTitleBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Active, QPalette::Highlight));
    painter.setPen(palette().color(QPalette::Active, QPalette::HighlightedText));
    painter.drawText(rect().adjusted(8, 0, -8, 0), Qt::AlignVCenter | Qt::AlignHCenter, window()->windowTitle());
}

void OwnTitleBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    // The window manager moves it where it can (with its own snapping and
    // keyboard); without one, the bar moves it.
    QWindow* handle = window()->windowHandle();
    if (handle && handle->startSystemMove())
        return;
    dragging_ = true;
    grab_ = event->globalPosition().toPoint() - window()->pos();
}

void OwnTitleBar::mouseMoveEvent(QMouseEvent* event)
{
    if (dragging_ && (event->buttons() & Qt::LeftButton))
        window()->move(event->globalPosition().toPoint() - grab_);
}

void OwnTitleBar::mouseReleaseEvent(QMouseEvent*) { dragging_ = false; }

void ButtonsOnlyDialog::finish(int result)
{
    finishing_ = true;
    done(result);
}

void ButtonsOnlyDialog::closeEvent(QCloseEvent* event)
{
    if (finishing_)
        event->accept();
    else
        event->ignore();
}

void paintWindowBorder(QWidget* window)
{
    QPainter painter(window);
    painter.setPen(window->palette().color(QPalette::Dark));
    painter.drawRect(window->rect().adjusted(0, 0, -1, -1));
}

} // namespace r7t::ui
