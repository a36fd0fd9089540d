#include "installer/ui/installer_window.h"

#include "installer/ui/installer_strings.h"
#include "widgets/drawing_resources.h"

#include <QApplication>
#include <QPainter>

namespace r7t::installer::ui {

QVector<QPoint> backgroundTiles(int width, int height)
{
    QVector<QPoint> tiles;
    int x = 0;
    int y = 0;
    while (y < height) {
        for (; x <= width; x += 256)
            tiles.append({x, y});
        y += 190;
        x = -(y + 190);
    }
    return tiles;
}

InstallerWindow::InstallerWindow(fs::path source, Places places, FolderAsker asker)
    : source_(std::move(source)), places_(std::move(places)), asker_(std::move(asker))
{
    setWindowTitle(r7t::ui::controlString(kWindowTitle));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(192, 192, 192));
    setPalette(palette);
}

void InstallerWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    for (const QPoint& tile : backgroundTiles(width(), height()))
        drawInstallerPicture(painter, QStringLiteral("FOND1"), tile.x(), tile.y());
}

void InstallerWindow::runInstallation()
{
    shown_ = Shown::Nothing;
    // The dialogs have no owner window, as the installer's always had.
    FolderChoiceDialog choice(QString::fromStdString(places_.defaultDestination), asker_);
    if (choice.exec() == 1) {
        InstallRequest request;
        request.source = source_;
        request.destination = choice.folder().toStdString();
        request.places = places_;
        request.markTrusted = markTrusted_;
        outcome_ = install(request);

        QApplication::beep();
        if (outcome_.error != InstallError::None) {
            shown_ = Shown::Error;
            ErrorDialog error(r7t::ui::controlString(kErrorTexts + static_cast<int>(outcome_.error)),
                              QString::fromStdString(outcome_.file));
            error.exec();
        } else {
            shown_ = Shown::Success;
            // The folder as the desktop names it ("Documents", "Dokumente", ...).
            const fs::path documents = (places_.documents / "").parent_path();
            SuccessDialog success(QString::fromStdString(documents.filename().string()));
            success.exec();
        }
    }
    close();
}

} // namespace r7t::installer::ui
