#include "widgets/pictures.h"

#include <QImage>

#include <gtest/gtest.h>

using namespace r7t;
using namespace r7t::ui;

namespace {

int opaquePixels(const QString& name)
{
    const QImage image = picture(name).toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 0)
                ++count;
    return count;
}

} // namespace

TEST(Pictures, EveryPictureIsBuiltInAndDraws)
{
    for (const QString& name : pictureNames()) {
        ASSERT_TRUE(pictureExists(name)) << name.toStdString();
        EXPECT_FALSE(pictureSize(name).isEmpty()) << name.toStdString();
        if (name != "VIDE") {
            EXPECT_GT(opaquePixels(name), pictureSize(name).width() * pictureSize(name).height() / 10)
                << name.toStdString();
        }
    }
    EXPECT_EQ(opaquePixels("VIDE"), 0);
    EXPECT_FALSE(pictureExists("NOPE"));
}

TEST(Pictures, SizesFitTheirPlaces)
{
    EXPECT_EQ(pictureSize("IMAGE"), QSize(500, 190)); // the banner's design rectangle
    // The mark precedes list text at 16 pixels; the message picture its text at 100.
    for (const char* mark : {"VIDE", "FEUVERT", "FEUORANGE", "FEUROUGE", "FEUTEMPO", "PAUSE", "PAUSE2"})
        EXPECT_LE(pictureSize(mark).width(), 16) << mark;
    for (const char* big : {"QUESTION", "ALERTE"})
        EXPECT_LE(20 + pictureSize(big).width(), 100) << big;
    // In the opening dialog the emblem at x 15 stops before the credits at 95.
    EXPECT_LE(15 + pictureSize("ZARB").width(), 95);
}

TEST(Pictures, EveryLineMarkHasItsPicture)
{
    for (LineMark mark : {LineMark::Vide, LineMark::FeuVert, LineMark::FeuOrange, LineMark::FeuRouge,
                          LineMark::FeuTempo, LineMark::Pause, LineMark::Pause2}) {
        const QString name = markPictureName(mark);
        EXPECT_TRUE(pictureNames().contains(name)) << name.toStdString();
        EXPECT_TRUE(pictureExists(name)) << name.toStdString();
    }
    EXPECT_FALSE(programIcon().isNull());
}
