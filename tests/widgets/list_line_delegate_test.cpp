#include "widgets/drawing_resources.h"
#include "widgets/list_line_delegate.h"
#include "widgets/pictures.h"

#include <QImage>
#include <QListWidget>
#include <QPainter>

#include <gtest/gtest.h>

using namespace r7t;
using namespace r7t::ui;

namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 24;

QImage drawLine(const ListLineDelegate& delegate, const QString& text, LineMark mark, bool selected,
                const QPalette& palette)
{
    QImage image(kWidth, kHeight, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    delegate.drawListLine(painter, QRect(0, 0, kWidth, kHeight), text, mark, selected, palette);
    return image;
}

// The columns holding a pixel of that colour.
QVector<int> columnsWith(const QImage& image, QColor colour, int fromX = 0)
{
    QVector<int> columns;
    for (int x = fromX; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            if (image.pixelColor(x, y) == colour) {
                columns << x;
                break;
            }
    return columns;
}

QPalette testPalette()
{
    QPalette palette;
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Highlight, QColor(10, 36, 106));
    palette.setColor(QPalette::HighlightedText, QColor(255, 255, 0));
    return palette;
}

} // namespace

TEST(ListLineDelegate, TextStartsAt16AndColumnsAtTheirTabStops)
{
    QFont font = resources().fontFixe;
    font.setStyleStrategy(QFont::NoAntialias);
    const QColor blue(0, 0, 255);
    ListLineDelegate delegate(font, blue, {60, 200});
    const QImage image = drawLine(delegate, QStringLiteral("1\t2\t3"), LineMark::Vide, false, testPalette());
    const QVector<int> ink = columnsWith(image, blue);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.first(), kListTextX);
    EXPECT_LT(ink.first(), kListTextX + 12);
    // Nothing between the first column and the first stop, then the second
    // column right after it.
    auto inkBetween = [&](int from, int to) {
        return std::count_if(ink.begin(), ink.end(), [&](int x) { return x >= from && x < to; });
    };
    EXPECT_EQ(inkBetween(kListTextX + 14, kListTextX + 60), 0);
    EXPECT_GT(inkBetween(kListTextX + 60, kListTextX + 74), 0);
    EXPECT_EQ(inkBetween(kListTextX + 74, kListTextX + 200), 0);
    EXPECT_GT(inkBetween(kListTextX + 200, kListTextX + 214), 0);
}

TEST(ListLineDelegate, SelectedLineIsDrawnInTheHighlightColoursOverItsPicture)
{
    QFont font = resources().fontStd;
    font.setStyleStrategy(QFont::NoAntialias);
    ListLineDelegate delegate(font, QColor(0, 0, 255), {});
    const QPalette palette = testPalette();
    const QImage plain = drawLine(delegate, QStringLiteral("DUPONT Jean"), LineMark::FeuVert, false, palette);
    const QImage selected = drawLine(delegate, QStringLiteral("DUPONT Jean"), LineMark::FeuVert, true, palette);

    EXPECT_TRUE(columnsWith(plain, palette.color(QPalette::Highlight)).isEmpty());
    EXPECT_FALSE(columnsWith(plain, QColor(0, 0, 255)).isEmpty());
    const QVector<int> highlight = columnsWith(selected, palette.color(QPalette::Highlight));
    ASSERT_FALSE(highlight.isEmpty());
    EXPECT_EQ(highlight.first(), kListTextX) << "the highlight starts with the text, not over the picture";
    EXPECT_FALSE(columnsWith(selected, palette.color(QPalette::HighlightedText)).isEmpty());
    EXPECT_TRUE(columnsWith(selected, QColor(0, 0, 255)).isEmpty());
    // The picture stays as it is, in front of the text.
    for (int x = 0; x < kListTextX - 1; ++x)
        for (int y = 0; y < kHeight; ++y)
            ASSERT_EQ(plain.pixel(x, y), selected.pixel(x, y)) << x << "," << y;
    int green = 0;
    for (int x = 0; x < kListTextX; ++x)
        for (int y = 0; y < kHeight; ++y) {
            const QColor c = plain.pixelColor(x, y);
            green += c.green() > 120 && c.red() < 120 && c.blue() < 120;
        }
    EXPECT_GT(green, 20) << "the green light is drawn in front of the text";
}

TEST(ListLineDelegate, ListsKeepTheirMarksSortTheirLinesAndUseTheStandardHeight)
{
    QListWidget list;
    list.setSortingEnabled(true);
    ListLineDelegate* delegate = makeOwnerDrawnList(&list, resources().fontStd, QColor(0, 0, 0), {5, 110});
    addListLine(&list, QStringLiteral("12\tMARTIN"), LineMark::FeuRouge);
    addListLine(&list, QStringLiteral("03\tDUPONT"), LineMark::FeuOrange);
    EXPECT_EQ(addListLine(&list, QStringLiteral("07\tBERNARD")), 1);
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(list.item(0)->text(), "03\tDUPONT");
    EXPECT_EQ(list.item(0)->data(kLineMarkRole).toInt(), static_cast<int>(LineMark::FeuOrange));
    EXPECT_EQ(list.item(1)->data(kLineMarkRole).toInt(), static_cast<int>(LineMark::Vide));
    EXPECT_EQ(list.item(2)->data(kLineMarkRole).toInt(), static_cast<int>(LineMark::FeuRouge));
    EXPECT_EQ(delegate->sizeHint(QStyleOptionViewItem(), list.model()->index(0, 0)).height(),
              resources().listLineHeight);
    EXPECT_EQ(delegate->tabStops(), (QVector<int>{5, 110}));
}
