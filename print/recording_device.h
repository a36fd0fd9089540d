// A print device that records what is drawn, with fixed metrics, so that
// the layouts can be checked without a printer: texts with their positions
// and fonts, lines, and the document and page steps.
#pragma once

#include "print/print_device.h"

#include <string>
#include <vector>

namespace r7t {

struct PrintEvent {
    enum Kind { StartDoc, StartPage, EndPage, EndDoc, AbortDoc, Text, Line };
    Kind kind = Text;
    int x = 0, y = 0;   // text position, or the line's first end
    int x2 = 0, y2 = 0; // the line's second end
    std::string text;   // Windows-1252 (the document name for StartDoc)
    DeviceFont font;    // selected when the text was drawn
    int page = 0;       // 1 for the first page; 0 outside any page
};

class RecordingDevice : public PrintDevice {
public:
    // A 720-dpi device of 5400 x 7500 units (7.5 x 10.4 inches printable).
    // A font of character height h has height h + h/5, external leading
    // h/20 and average character width 2h/5: the 10 pt body font gives
    // linePitch 125 and a column unit of 40. Characters are as wide as the
    // average (2h/5), but for the narrow ones (space, '.', ',', ':', 'i',
    // 'l', 'I': h/5) and the wide ones ('W', 'M', 'm', 'w': 3h/5), so that
    // texts of average characters fill whole column units.
    RecordingDevice(int width = 5400, int height = 7500, int dpi = 720);

    int horizontalResolution() const override { return width_; }
    int verticalResolution() const override { return height_; }
    int logPixelsX() const override { return dpi_; }
    int logPixelsY() const override { return dpi_; }
    void selectFont(const DeviceFont& font) override { font_ = font; }
    TextMetrics textMetrics() const override;
    int textWidth(std::string_view cp1252) const override;
    int startDoc(const std::string& documentName) override;
    int startPage() override;
    int endPage() override;
    int endDoc() override;
    void abortDoc() override;
    void drawText(int x, int y, std::string_view cp1252) override;
    void drawLine(int x1, int y1, int x2, int y2) override;

    // Failures to simulate: the result of startDoc, and the page (counted
    // from 1) whose start or end fails; 0 = none; and the end of the document.
    int startDocResult = 1;
    int failStartPage = 0;
    int failEndPage = 0;
    bool failEndDoc = false;

    std::vector<PrintEvent> events;
    int pages = 0;          // pages started
    int drawnOffPage = 0;   // texts and lines drawn while no page was open

    // Helpers for the checks.
    std::vector<PrintEvent> texts(int page = 0) const; // 0: every page
    std::vector<PrintEvent> lines(int page = 0) const;
    // The first text equal to t (UTF-8), or null.
    const PrintEvent* findText(const std::string& utf8) const;
    // Every text of a page joined by " | ", in drawing order, as UTF-8.
    std::string pageText(int page) const;
    bool ended() const;     // EndDoc was called
    bool aborted() const;   // AbortDoc was called

private:
    int width_;
    int height_;
    int dpi_;
    DeviceFont font_;
    bool inPage_ = false;
};

} // namespace r7t
