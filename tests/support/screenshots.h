// What the screenshot tools share: where the pictures go, a widget or the
// whole screen saved as PNG, and file dialogs that answer nothing.
#pragma once

#include "widgets/file_dialogs.h"

#include <QDir>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <QWidget>

#include <cstdio>

namespace r7t::fixtures {

class NoFiles : public ui::FileChooser {
public:
    QString chooseSaveFile(QWidget*, const QString&, const QString&) override { return {}; }
    QString chooseOpenFile(QWidget*, const QString&) override { return {}; }
    void setFilter(int, const QString&) override {}
};

// The folder the pictures are written to.
inline QString& screenshotFolder()
{
    static QString folder;
    return folder;
}

// The folder named on the tool's command line, made if missing; false
// (after the usage line) when none is named.
inline bool takeScreenshotFolder(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return false;
    }
    screenshotFolder() = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(screenshotFolder());
    return true;
}

inline void save(const QPixmap& pixmap, const QString& name)
{
    const QString path = QDir(screenshotFolder()).filePath(name + ".png");
    if (!pixmap.save(path))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    else
        std::printf("%s\n", qPrintable(path));
}

// The widget as drawn on screen, after it is shown and painted.
inline void shoot(QWidget& widget, const QString& name)
{
    widget.show();
    if (!QTest::qWaitForWindowExposed(&widget))
        std::fprintf(stderr, "%s was not shown\n", qPrintable(name));
    QTest::qWait(150);
    save(widget.grab(), name);
}

// The whole screen, as the user sees it.
inline void shootScreen(const QString& name, int settleMs = 200)
{
    QTest::qWait(settleMs);
    save(QGuiApplication::primaryScreen()->grabWindow(0), name);
}

} // namespace r7t::fixtures
