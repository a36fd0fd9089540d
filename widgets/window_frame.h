// A window's own title bar, for the windows that must show a title and no
// box at all, and the dialogs that only their buttons end.
#pragma once

#include <QDialog>
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

// A dialog that only its own buttons end: Escape and the window's close do
// nothing. A button ends it with finish().
class ButtonsOnlyDialog : public QDialog {
    Q_OBJECT
public:
    using QDialog::QDialog;
    void reject() override {}

protected:
    void finish(int result);
    void closeEvent(QCloseEvent* event) override;

private:
    bool finishing_ = false;
};

// Paints the thin border a frameless window needs to stand out from what it
// covers; call at the end of its paintEvent.
void paintWindowBorder(QWidget* window);

} // namespace r7t::ui
