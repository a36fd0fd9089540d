#include "widgets/pictures.h"

#include <QHash>
#include <QPainter>
#include <QSvgRenderer>

#include <memory>

namespace r7t::ui {

namespace {

QString resourcePath(const QString& name) { return QStringLiteral(":/pictures/%1.svg").arg(name); }

// One renderer per picture, kept for the program's life: pictures are drawn
// at every paint.
QSvgRenderer* renderer(const QString& name)
{
    static QHash<QString, std::shared_ptr<QSvgRenderer>> cache;
    auto it = cache.find(name);
    if (it == cache.end()) {
        auto r = std::make_shared<QSvgRenderer>(resourcePath(name));
        it = cache.insert(name, r->isValid() ? r : nullptr);
    }
    return it->get();
}

} // namespace

const QStringList& pictureNames()
{
    static const QStringList names{"IMAGE", "ZARB", "CREDITS", "PIVOLES", "FEUVERT", "FEUORANGE", "FEUROUGE",
                                   "FEUTEMPO", "VIDE", "PAUSE", "PAUSE2", "QUESTION", "ALERTE", "ICON_R7S"};
    return names;
}

bool pictureExists(const QString& name) { return renderer(name) != nullptr; }

QSize pictureSize(const QString& name)
{
    QSvgRenderer* r = renderer(name);
    return r ? r->viewBox().size() : QSize();
}

QPixmap picture(const QString& name, const QSize& size, qreal devicePixelRatio)
{
    QPixmap pixmap(size * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    if (QSvgRenderer* r = renderer(name)) {
        QPainter painter(&pixmap);
        r->render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    }
    return pixmap;
}

QPixmap picture(const QString& name, qreal devicePixelRatio)
{
    return picture(name, pictureSize(name), devicePixelRatio);
}

void drawPicture(QPainter& painter, const QString& name, int x, int y)
{
    if (QSvgRenderer* r = renderer(name))
        r->render(&painter, QRectF(QPointF(x, y), QSizeF(r->viewBox().size())));
}

void drawPictureFitted(QPainter& painter, const QString& name, const QRect& target, Fit fit)
{
    QSvgRenderer* r = renderer(name);
    if (!r)
        return;
    QRectF into(target);
    if (fit == Fit::KeepAspect && !r->viewBox().isEmpty()) {
        const QSizeF size = QSizeF(r->viewBox().size()).scaled(into.size(), Qt::KeepAspectRatio);
        into = QRectF(QPointF(into.center().x() - size.width() / 2, into.center().y() - size.height() / 2), size);
    }
    r->render(&painter, into);
}

QString markPictureName(LineMark mark)
{
    const std::string_view name = lineMarkName(mark);
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

QIcon programIcon()
{
    QIcon icon;
    for (int side : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(picture("ICON_R7S", QSize(side, side)));
    return icon;
}

} // namespace r7t::ui
