// "ABANDONDLG": who does not fly the round about to be drawn, and the draw's
// settings.
#pragma once

#include "competitors/launch.h"
#include "contest/contest.h"

#include "widgets/window_frame.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QListWidget;

namespace r7t::ui {

// A selected line is a competitor who does not fly this round; those who did
// not fly the last one come selected. The draw cannot go on without this
// dialog's answer: it has no close box, Esc does nothing, only "Lancer" (702)
// ends it.
class LaunchDialog : public ButtonsOnlyDialog {
    Q_OBJECT
public:
    LaunchDialog(Contest& contest, int round, int attempts, QWidget* parent = nullptr);

    // 702: every competitor's participation written, the settings read.
    void launch();
    const LaunchSettings& settings() const { return settings_; }

    // The title painted at the top.
    const QString& title() const { return title_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Contest& contest_;
    QString title_;
    QRect titleRect_;
    QListWidget* list_;
    QLineEdit* attempts_;
    QCheckBox* sameStarts_;
    LaunchSettings settings_;
};

// The dialog over the owner for the round being drawn, its field showing the
// attempts now in force. Returns on "Lancer" only, the competitors'
// participation written; the caller keeps the settings for the draw.
LaunchSettings runLaunchDialog(Contest& contest, int round, int attempts, QWidget* owner);

} // namespace r7t::ui
