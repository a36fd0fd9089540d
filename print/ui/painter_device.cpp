#include "print/ui/painter_device.h"

#include "text/text.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace r7t {

int weightedAverageCharWidth(const QFont& font, QPaintDevice* device)
{
    static constexpr struct {
        char letter;
        int weight;
    } kFrequencies[] = {{'a', 64}, {'b', 14}, {'c', 27}, {'d', 35}, {'e', 100}, {'f', 20}, {'g', 14},
                        {'h', 42}, {'i', 63}, {'j', 3},  {'k', 6},  {'l', 35},  {'m', 20}, {'n', 56},
                        {'o', 56}, {'p', 17}, {'q', 4},  {'r', 49}, {'s', 56},  {'t', 71}, {'u', 31},
                        {'v', 10}, {'w', 18}, {'x', 3},  {'y', 18}, {'z', 2},   {' ', 166}};
    const QFontMetricsF metrics(font, device);
    double sum = 0;
    for (const auto& f : kFrequencies)
        sum += f.weight * metrics.horizontalAdvance(QChar(f.letter));
    return static_cast<int>(std::lround(sum / 1000.0));
}

PainterDevice::PainterDevice(QPagedPaintDevice& target) : target_(target) { selectFont(DeviceFont{}); }

PainterDevice::~PainterDevice()
{
    if (painter_.isActive())
        painter_.end();
}

int PainterDevice::horizontalResolution() const { return target_.width(); }
int PainterDevice::verticalResolution() const { return target_.height(); }
int PainterDevice::logPixelsX() const { return target_.logicalDpiX(); }
int PainterDevice::logPixelsY() const { return target_.logicalDpiY(); }

const PainterDevice::Font& PainterDevice::fontFor(const DeviceFont& font)
{
    auto key = std::make_tuple(font.face, font.height, font.weight);
    auto found = fonts_.find(key);
    if (found != fonts_.end())
        return *found->second;
    auto made = std::make_unique<Font>();
    made->font = QFont(QString::fromStdString(font.face));
    // A negative height is the character height, the em size Qt calls pixel size.
    made->font.setPixelSize(std::max(1, std::abs(font.height)));
    made->font.setWeight(font.weight >= 600 ? QFont::Bold : QFont::Normal);
    made->font.setKerning(false);
    const QFontMetricsF metrics(made->font, &target_);
    made->measure.emplace(made->font, &target_);
    made->ascent = metrics.ascent();
    made->metrics.height = static_cast<int>(std::lround(metrics.ascent()) + std::lround(metrics.descent()));
    made->metrics.externalLeading = static_cast<int>(std::lround(metrics.leading()));
    made->metrics.aveCharWidth = weightedAverageCharWidth(made->font, &target_);
    return *fonts_.emplace(key, std::move(made)).first->second;
}

void PainterDevice::selectFont(const DeviceFont& font)
{
    current_ = &fontFor(font);
    if (painter_.isActive())
        painter_.setFont(current_->font);
}

int PainterDevice::textWidth(std::string_view cp1252) const
{
    const std::string utf8 = cp1252ToUtf8(cp1252);
    const double advance =
        current_->measure->horizontalAdvance(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
    return static_cast<int>(std::ceil(advance - 1e-6));
}

int PainterDevice::startDoc(const std::string&) { return 1; }

int PainterDevice::startPage()
{
    if (pages_ == 0) {
        if (!openOutput() || !painter_.begin(&target_))
            return -1;
        painter_.setPen(QPen(Qt::black, 1));
        painter_.setFont(current_->font);
    } else if (!target_.newPage()) {
        return -1;
    }
    ++pages_;
    return 1;
}

int PainterDevice::endPage() { return painter_.isActive() ? 1 : -1; }

int PainterDevice::endDoc()
{
    if (!painter_.isActive())
        return -1;
    if (!painter_.end())
        return -1;
    return commitOutput() ? 1 : -1;
}

void PainterDevice::abortDoc()
{
    if (painter_.isActive()) {
        abandonActive();
        painter_.end();
    }
    discardOutput();
}

void PainterDevice::drawText(int x, int y, std::string_view cp1252)
{
    if (!painter_.isActive())
        return;
    const std::string utf8 = cp1252ToUtf8(cp1252);
    painter_.drawText(QPointF(x, y + current_->ascent),
                      QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

void PainterDevice::drawLine(int x1, int y1, int x2, int y2)
{
    if (painter_.isActive())
        painter_.drawLine(x1, y1, x2, y2);
}

} // namespace r7t
