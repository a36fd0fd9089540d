// A window's own title bar, for the windows that must show a title and no
// box at all.
#pragma once

#include <QPoint>
#include <QWidget>

namespace r7t::ui {

// Window managers add a close box (Openbox even a minimise one) to any window
// they frame, whatever the window asks. A window with this bar is frameless:
// the bar shows its title across its top, in the desktop's selection colours,
// and dragging the bar moves the window. Create it first, then place the
// window's controls below height().
class OwnTitleBar : public QWidget {
    Q_OBJECT
public:
    // Makes window frameless and puts the bar at its top, as wide as it.
    explicit OwnTitleBar(QWidget* window);

    // The window's width changed: the bar follows.
    void fitToWindow();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPoint grab_; // the pointer less the window's position, while the bar moves it
    bool dragging_ = false;
};

// Paints the thin border a frameless window needs to stand out from what it
// covers; call at the end of its paintEvent.
void paintWindowBorder(QWidget* window);

} // namespace r7t::ui
