#include "widgets/design_window.h"

#include "widgets/drawing_resources.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

namespace r7t::ui {

void DesignWindow::showOnScreen() { showMaximized(); }

QRect DesignWindow::designGeometry() const
{
    const ScreenScale& s = resources().scale;
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, s.width, s.height);
    const QRect frame = QRect(available.topLeft(), QSize(s.x(1024), s.y(768))).intersected(available);
    const QRect outer = frameGeometry();
    const QRect inner = geometry();
    const QMargins margins(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                           outer.bottom() - inner.bottom());
    return frame.marginsRemoved(margins);
}

void DesignWindow::snapBack()
{
    snapPending_ = false;
    if (!placing_ || !isVisible() ||
        (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)))
        return;
    placeAtHome();
}

void DesignWindow::placeAtHome()
{
    const QRect target = designGeometry();
    if (geometry() == target)
        return;
    const QRect outer = frameGeometry();
    const QRect inner = geometry();
    resize(target.size());
    // move() places the frame.
    move(target.topLeft() - (inner.topLeft() - outer.topLeft()));
}

void DesignWindow::scheduleSnapBack()
{
    if (snapPending_)
        return;
    snapPending_ = true;
    QTimer::singleShot(0, this, &DesignWindow::snapBack);
}

void DesignWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    if (isVisible())
        scheduleSnapBack();
}

// Once shown, the frame's size is known: the whole window, frame included,
// takes its place.
void DesignWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    scheduleSnapBack();
}

void DesignWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        scheduleSnapBack();
}

} // namespace r7t::ui
