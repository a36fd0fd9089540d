#include "widgets/list_line_delegate.h"

#include "text/list_line.h"
#include "widgets/drawing_resources.h"
#include "widgets/pictures.h"

#include <QFontMetrics>
#include <QListWidget>
#include <QPainter>

#include <span>

namespace r7t::ui {

ListLineDelegate::ListLineDelegate(const QFont& font, const QColor& colour, QVector<int> tabStops, QObject* parent)
    : QStyledItemDelegate(parent)
    , font_(font)
    , colour_(colour)
    , tabStops_(std::move(tabStops))
{
}

QSize ListLineDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const
{
    return QSize(std::max(option.rect.width(), lineWidth_), resources().listLineHeight);
}

void ListLineDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const auto mark = static_cast<LineMark>(index.data(kLineMarkRole).toInt());
    drawListLine(*painter, option.rect, index.data(Qt::DisplayRole).toString(), mark,
                     option.state & QStyle::State_Selected, option.palette);
}

void ListLineDelegate::drawListLine(QPainter& painter, const QRect& item, const QString& text, LineMark mark,
                                        bool selected, const QPalette& palette) const
{
    painter.save();
    painter.setClipRect(item);
    painter.fillRect(item, palette.base());

    // The state picture from the item's top-left corner, no higher than the line.
    const int side = std::min(item.height(), kListTextX - 1);
    drawPictureFitted(painter, markPictureName(mark), QRect(item.left(), item.top(), side, side));

    painter.setFont(font_);
    const QFontMetrics fm(font_);
    const int top = (item.top() + item.bottom() + 1 - fm.height()) / 2;
    const int originX = item.left() + kListTextX;

    const QByteArray utf8 = text.toUtf8();
    const std::span<const int> stops(tabStops_.constData(), static_cast<size_t>(tabStops_.size()));
    const std::vector<TextRun> runs =
        layoutTabbedLine(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())), stops,
                         fm.averageCharWidth(), [&fm](std::string_view piece) {
                             return fm.horizontalAdvance(QString::fromUtf8(piece.data(), static_cast<qsizetype>(piece.size())));
                         });

    QColor pen = colour_;
    if (selected && !runs.empty()) {
        const TextRun& last = runs.back();
        const int right = originX + last.x + fm.horizontalAdvance(QString::fromStdString(last.text));
        painter.fillRect(QRect(QPoint(originX, top), QPoint(right - 1, top + fm.height() - 1)),
                         palette.brush(QPalette::Highlight));
        pen = palette.color(QPalette::HighlightedText);
    }
    painter.setPen(pen);
    for (const TextRun& run : runs)
        painter.drawText(originX + run.x, top + fm.ascent(), QString::fromStdString(run.text));
    painter.restore();
}

ListLineDelegate* makeOwnerDrawnList(QListWidget* list, const QFont& font, const QColor& colour,
                                     QVector<int> tabStops)
{
    auto* delegate = new ListLineDelegate(font, colour, std::move(tabStops), list);
    list->setItemDelegate(delegate);
    list->setUniformItemSizes(true);
    return delegate;
}

int addListLine(QListWidget* list, const QString& text, LineMark mark)
{
    auto* item = new QListWidgetItem(text);
    item->setData(kLineMarkRole, static_cast<int>(mark));
    list->addItem(item);
    return list->row(item);
}

} // namespace r7t::ui
