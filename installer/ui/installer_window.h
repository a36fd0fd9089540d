// The installer's whole-screen window: the tiled background, and the
// installation run from it (folder choice, install, beep, final message).
#pragma once

#include "installer/install.h"
#include "installer/ui/installer_dialogs.h"

#include <QWidget>

namespace r7t::installer::ui {

class InstallerWindow : public QWidget {
    Q_OBJECT
public:
    // source: the folder the installer was started from.
    InstallerWindow(fs::path source, Places places, FolderAsker asker = askFolderWithPlatformDialog);

    // The installation, then the window closes. Nothing is installed and
    // nothing shown when the folder choice is abandoned.
    void runInstallation();

    // What the last run ended with, and which message it showed.
    enum class Shown { Nothing, Error, Success };
    Shown shown() const { return shown_; }
    const InstallOutcome& outcome() const { return outcome_; }

    // Test setting: shortcuts are written without the trust mark.
    void setTrustMark(std::function<void(const fs::path&)> mark) { markTrusted_ = std::move(mark); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    fs::path source_;
    Places places_;
    FolderAsker asker_;
    std::function<void(const fs::path&)> markTrusted_ = markShortcutTrusted;
    InstallOutcome outcome_;
    Shown shown_ = Shown::Nothing;
};

// The x of each tile of the staggered background, row by row: rows 190
// pixels apart, tiles 256 apart, each row after the first starting at
// -(its top + 190).
QVector<QPoint> backgroundTiles(int width, int height);

} // namespace r7t::installer::ui
