#include "widgets/drawing_resources.h"

#include "text/strings.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QWidget>

#include <memory>

namespace r7t::ui {

namespace {

std::unique_ptr<DrawingResources>& instance()
{
    static std::unique_ptr<DrawingResources> resources;
    return resources;
}

} // namespace

QFont designFont(const QString& face, int weight, int designPoints, const ScreenScale& scale)
{
    QFont font(face);
    font.setPointSize(scale.points(designPoints));
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setStyleHint(face.startsWith("Courier", Qt::CaseInsensitive) ? QFont::TypeWriter : QFont::SansSerif);
    return font;
}

DrawingResources::DrawingResources(ScreenScale s)
    : scale(s)
{
    fontStd = QApplication::font();
    fontDisplay = designFont("ARIAL", 600, 11, scale);
    fontDisplaySmall = designFont("ARIAL", 600, 8, scale);
    fontMedium = designFont("ARIAL", 700, 14, scale);
    fontBig = designFont("ARIAL", 700, 48, scale);
    fontMessage = designFont("ARIAL", 600, 14, scale);
    fontFixe = designFont("Courier New", 600, 11, scale);

    // The edit fields are 20 design units high: their text must fit inside
    // the frame at every screen size.
    fontEdit = designFont("ARIAL", 400, 10, scale);
    const int fieldHeight = scale.y(20);
    if (QFontMetrics(fontEdit).height() > fieldHeight - 4)
        fontEdit.setPixelSize(std::max(6, (fieldHeight - 4) * 3 / 4));

    const QFont gui = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    const QFontMetrics gm(gui);
    listLineHeight = gm.height() + gm.leading() + 4;

    versionText = QString::fromStdString(MajStr(37)) + kVersionNumber;
}

ScreenScale screenScale()
{
    ScreenScale scale;
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        scale.width = screen->geometry().width();
        scale.height = screen->geometry().height();
    }
    return scale;
}

DrawingResources& resources()
{
    if (!instance())
        instance() = std::make_unique<DrawingResources>(screenScale());
    return *instance();
}

void initResources(ScreenScale scale) { instance() = std::make_unique<DrawingResources>(scale); }

QFont fixedListFont()
{
    QFont font = resources().fontFixe;
    for (int pixels = QFontInfo(font).pixelSize();
         pixels > 6 && QFontMetrics(font).height() > resources().listLineHeight - 2; --pixels)
        font.setPixelSize(pixels - 1);
    return font;
}

void paintDialogTitle(QWidget* dialog, const QRect& area, const QString& title, Qt::Alignment horizontal)
{
    QPainter painter(dialog);
    painter.setFont(resources().fontMedium);
    painter.setPen(resources().txtBlue);
    painter.drawText(area, horizontal | Qt::AlignVCenter, title);
}

QString tableText(const std::string& text)
{
    QString s = QString::fromStdString(text);
    s.replace('\r', '\n');
    return s;
}

QString messageText(int n) { return tableText(MajMessage(n)); }
QString controlString(int n) { return tableText(controlText(n)); }

QString controlName(int id) { return QStringLiteral("id%1").arg(id); }

} // namespace r7t::ui
