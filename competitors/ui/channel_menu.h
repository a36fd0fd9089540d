// The channel menu of the frequency fields: every usual channel in five
// columns (35, 40, 41, 72 MHz, 2.4 GHz), offered when a field gets the focus.
#pragma once

#include <QPoint>
#include <QString>
#include <QWidget>

#include <optional>

class QEventLoop;
class QLineEdit;
class QToolButton;

namespace r7t::ui {

// A popup of one button per channel (object name "id<item id>", its text
// TexteFrequence of the channel). A column taller than the screen continues
// in the next one. Arrow keys move, Enter or Space chooses, Escape leaves.
class ChannelMenu : public QWidget {
    Q_OBJECT
public:
    explicit ChannelMenu(QWidget* parent = nullptr);

    // Shows the menu at the point (kept on its screen) until a channel is
    // chosen or the menu is left; the chosen channel's text.
    std::optional<QString> choose(const QPoint& at);

    QToolButton* item(int id) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void moveFocus(int columnStep, int rowStep);

    QList<QList<QToolButton*>> columns_;
    std::optional<QString> chosen_;
    QEventLoop* loop_ = nullptr; // while choose() runs
};

// Opens the channel menu whenever the field gets the focus from the user
// (a click, Tab), 50 pixels right of the mouse; the chosen channel replaces
// the field's text. Leaving the menu leaves the field as it was.
void offerChannelMenu(QLineEdit* field);

} // namespace r7t::ui
