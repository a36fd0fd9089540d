// The print device over a QPainter on a paged device (a QPrinter or a
// QPdfWriter): the painter begins on the first page, so a document without
// pages makes no output.
#pragma once

#include "print/print_device.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>

class QPagedPaintDevice;

namespace r7t {

class PainterDevice : public PrintDevice {
public:
    explicit PainterDevice(QPagedPaintDevice& target);
    ~PainterDevice() override;

    int horizontalResolution() const override;
    int verticalResolution() const override;
    int logPixelsX() const override;
    int logPixelsY() const override;
    void selectFont(const DeviceFont& font) override;
    TextMetrics textMetrics() const override { return current_->metrics; }
    int textWidth(std::string_view cp1252) const override;
    int startDoc(const std::string& documentName) override;
    int startPage() override;
    int endPage() override;
    int endDoc() override;
    void abortDoc() override;
    void drawText(int x, int y, std::string_view cp1252) override;
    void drawLine(int x1, int y1, int x2, int y2) override;

    int pagesStarted() const { return pages_; }

protected:
    // Opens what the painter writes to before the first page; false when it cannot.
    virtual bool openOutput() { return true; }
    // The painter has ended: keep the output, or throw it away.
    virtual bool commitOutput() { return true; }
    virtual void discardOutput() {}
    // The document is abandoned while the painter is still active.
    virtual void abandonActive() {}
    QPainter& painter() { return painter_; }

private:
    struct Font {
        QFont font;
        TextMetrics metrics;
        double ascent = 0;
        std::optional<QFontMetricsF> measure; // on the target device
    };
    const Font& fontFor(const DeviceFont& font);

    QPagedPaintDevice& target_;
    QPainter painter_;
    std::map<std::tuple<std::string, int, int>, std::unique_ptr<Font>> fonts_;
    const Font* current_ = nullptr;
    int pages_ = 0;
};

// The average character width Windows gives a TrueType font (the OS/2
// xAvgCharWidth of the first table versions): the advances of a-z and the
// space weighted by their frequency in text. Qt reports an average over
// every glyph instead, which for the Liberation fonts is a third wider than
// Arial's and would push the layouts' columns off the page.
int weightedAverageCharWidth(const QFont& font, QPaintDevice* device);

} // namespace r7t
