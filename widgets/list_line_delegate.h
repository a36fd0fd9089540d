// The owner-drawn list line of every dialog list: the state picture, then
// the text at 16 pixels from the left with its tabs expanded at pixel tab
// stops, highlighted when selected (addListLine, drawListLine).
#pragma once

#include "contest/line_mark.h"

#include <QColor>
#include <QFont>
#include <QStyledItemDelegate>
#include <QVector>

class QListWidget;

namespace r7t::ui {

// The item data role holding the line's LineMark (as an int).
inline constexpr int kLineMarkRole = Qt::UserRole + 1;
// Where the text of a line starts, in pixels from the item's left.
inline constexpr int kListTextX = 16;

class ListLineDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    ListLineDelegate(const QFont& font, const QColor& colour, QVector<int> tabStops, QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // drawListLine: draws one line in the rectangle.
    void drawListLine(QPainter& painter, const QRect& item, const QString& text, LineMark mark, bool selected,
                          const QPalette& palette) const;

    const QFont& font() const { return font_; }
    const QVector<int>& tabStops() const { return tabStops_; }
    // The lines' width when wider than the list: the list scrolls across.
    void setLineWidth(int width) { lineWidth_ = width; }

private:
    QFont font_;
    QColor colour_;
    QVector<int> tabStops_;
    int lineWidth_ = 0;
};

// Makes the list owner-drawn with that font, colour and tab stops; its lines
// are listLineHeight high.
ListLineDelegate* makeOwnerDrawnList(QListWidget* list, const QFont& font, const QColor& colour,
                                     QVector<int> tabStops = {});

// addListLine: adds a line (at the end, or in its sorted place when the list
// sorts) with its state mark; returns its row.
int addListLine(QListWidget* list, const QString& text, LineMark mark = LineMark::Vide);

} // namespace r7t::ui
