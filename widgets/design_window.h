// A program's main window drawn on the 1024 x 768 design: shown maximised,
// the whole-screen design with its frame inside the available area under
// any window manager; restored or resized, it goes back to the design's
// size from the available area's corner, frame included.
#pragma once

#include <QMainWindow>

namespace r7t::ui {

class DesignWindow : public QMainWindow {
    Q_OBJECT
public:
    using QMainWindow::QMainWindow;

    void showOnScreen();

    // Where the window's inside belongs once restored: the frame over the
    // scaled design from the available area's top-left corner.
    QRect designGeometry() const;

protected:
    // Puts the window at its design place now.
    void placeAtHome();
    // The program ends: the window is left where it is.
    void stopPlacing() { placing_ = false; }

    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void scheduleSnapBack();
    void snapBack();

    bool placing_ = true;
    bool snapPending_ = false;
};

} // namespace r7t::ui
