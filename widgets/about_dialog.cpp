#include "widgets/about_dialog.h"

#include "widgets/dialog_units.h"
#include "widgets/drawing_resources.h"
#include "widgets/pictures.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace r7t::ui {

AboutDialog::AboutDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(controlString(500));
    const QFont font = dialogFont("Microsoft Sans Serif", 8);
    setFont(font);
    const DialogUnits du(font);
    const Qt::Alignment centred = Qt::AlignHCenter | Qt::AlignTop;

    struct Static {
        int id, x, y, w, h;
        QString text;
    };
    const Static statics[] = {
        {502, 68, 9, 160, 22, controlString(502)},
        {501, 68, 36, 160, 18, controlString(501)},
        {504, 116, 58, 64, 9, resources().versionText},
        {503, 68, 69, 160, 30, controlString(503)},
    };
    // A text that needs more room than its template rectangle in this font
    // pushes what lies below it down instead of being cut.
    int shift = 0;
    for (const Static& s : statics) {
        QLabel* label = addStatic(this, s.id, s.text, du, s.x, s.y, s.w, s.h, centred);
        if (s.id == 504) {
            label->setWordWrap(false);
            label->setGeometry(du.x(68), label->y(), du.x(160), label->height()); // centred under the texts
        }
        label->move(label->x(), label->y() + shift);
        const int needed = label->wordWrap() ? label->heightForWidth(label->width()) : label->sizeHint().height();
        if (needed > label->height()) {
            shift += needed - label->height();
            label->resize(label->width(), needed);
        }
    }

    auto* ok = addButton(this, 1, QStringLiteral("OK"), du, 186, 102, 50, 14);
    ok->move(ok->x(), ok->y() + shift);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] { done(1); });
    QSize size = du.size(250, 129);
    size.setHeight(size.height() + shift);
    setFixedSize(size);
}

void AboutDialog::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    QPainter painter(this);
    drawPicture(painter, QStringLiteral("ZARB"), 20, 20);
    drawPicture(painter, QStringLiteral("PIVOLES"), 20, 100);
}

} // namespace r7t::ui
