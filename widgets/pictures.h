// The program's pictures: SVG drawings built in as Qt resources under
// ":/pictures/<NAME>.svg" (IMAGE, ZARB, CREDITS, PIVOLES, the state marks,
// QUESTION, ALERTE, ICON_R7S).
#pragma once

#include "contest/line_mark.h"

#include <QIcon>
#include <QPixmap>
#include <QRect>
#include <QSize>
#include <QString>

class QPainter;

namespace r7t::ui {

// Every picture name the program uses.
const QStringList& pictureNames();

// Whether the picture exists and draws.
bool pictureExists(const QString& name);

// The picture's own size (its SVG's view box), in pixels.
QSize pictureSize(const QString& name);

// The picture rendered at its own size, or at the given size.
QPixmap picture(const QString& name, qreal devicePixelRatio = 1.0);
QPixmap picture(const QString& name, const QSize& size, qreal devicePixelRatio = 1.0);

// drawPicture: the picture at its own size with its top-left corner at (x, y).
void drawPicture(QPainter& painter, const QString& name, int x, int y);
// drawPictureFitted: the picture stretched into the rectangle, or kept in its
// proportions and centred there (a round emblem stays round when the screen
// is not 4:3).
enum class Fit { Stretch, KeepAspect };
void drawPictureFitted(QPainter& painter, const QString& name, const QRect& target, Fit fit = Fit::Stretch);

// The picture of a list line's state mark.
QString markPictureName(LineMark mark);

// The program's icon (ICON_R7S).
QIcon programIcon();

} // namespace r7t::ui
