// The button of one glider in the main window ("FenBut"): "%02i - pla %i"
// over the picture of its state, empty, filled but not valid, or valid. A
// left or right click chooses it.
#pragma once

#include <QAbstractButton>

namespace r7t::ui {

class GliderButton : public QAbstractButton {
    Q_OBJECT
public:
    GliderButton(int pilot, int glider, QWidget* parent);

    int pilot() const { return pilot_; }
    int glider() const { return glider_; }
    // glider x 1000 + pilot
    int id() const { return glider_ * 1000 + pilot_; }

    // 0 empty, 1 filled but not valid, 2 valid.
    int state() const { return state_; }
    void setState(int state);

Q_SIGNALS:
    void chosen(int pilot, int glider);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int pilot_;
    int glider_;
    int state_ = -1;
    bool rightPressed_ = false;
};

} // namespace r7t::ui
