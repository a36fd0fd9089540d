// The surface every printed document is drawn on: a printer, a PDF file, or
// a recording for the tests. Positions are device units of the printable
// area (origin at its top left, y downwards); text is drawn with the top of
// its cell at the given y, in Windows-1252 bytes.
#pragma once

#include <string>
#include <string_view>

namespace r7t {

// A font asked for by name, as the layouts give it ("ARIAL").
struct DeviceFont {
    std::string face = "ARIAL";
    int height = 0;   // negative: character height (em size) in device units
    int weight = 400; // 400 normal, 700 bold

    bool operator==(const DeviceFont&) const = default;
};

// What the engine reads of the selected font.
struct TextMetrics {
    int height = 0;          // ascent + descent
    int externalLeading = 0; // space the font asks between lines
    int aveCharWidth = 0;    // the column unit of the layouts
};

class PrintDevice {
public:
    virtual ~PrintDevice() = default;

    // Printable width and height in device units.
    virtual int horizontalResolution() const = 0;
    virtual int verticalResolution() const = 0;
    // Device units per inch.
    virtual int logPixelsX() const = 0;
    virtual int logPixelsY() const = 0;

    virtual void selectFont(const DeviceFont& font) = 0;
    virtual TextMetrics textMetrics() const = 0; // of the selected font
    // The advance of the text in the selected font, in device units,
    // rounded up: drawn at x, it ends before x + textWidth.
    virtual int textWidth(std::string_view cp1252) const = 0;

    // Results follow the printer conventions: startDoc > 0, startPage >= 0
    // and endPage > 0 mean success.
    virtual int startDoc(const std::string& documentName) = 0;
    virtual int startPage() = 0;
    virtual int endPage() = 0;
    virtual int endDoc() = 0;
    // Abandons the document: nothing of it is output.
    virtual void abortDoc() = 0;

    virtual void drawText(int x, int y, std::string_view cp1252) = 0;
    virtual void drawLine(int x1, int y1, int x2, int y2) = 0;
};

} // namespace r7t
