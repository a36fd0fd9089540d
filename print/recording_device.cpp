#include "print/recording_device.h"

#include "text/text.h"

#include <cstdlib>

namespace r7t {

RecordingDevice::RecordingDevice(int width, int height, int dpi) : width_(width), height_(height), dpi_(dpi) {}

TextMetrics RecordingDevice::textMetrics() const
{
    const int h = std::abs(font_.height);
    return TextMetrics{h + h / 5, h / 20, 2 * h / 5};
}

int RecordingDevice::textWidth(std::string_view cp1252) const
{
    const int h = std::abs(font_.height);
    int width = 0;
    for (char c : cp1252) {
        switch (c) {
        case ' ': case '.': case ',': case ':': case 'i': case 'l': case 'I':
            width += h / 5;
            break;
        case 'W': case 'M': case 'm': case 'w':
            width += 3 * h / 5;
            break;
        default:
            width += 2 * h / 5;
        }
    }
    return width;
}

int RecordingDevice::startDoc(const std::string& documentName)
{
    PrintEvent e;
    e.kind = PrintEvent::StartDoc;
    e.text = documentName;
    events.push_back(e);
    return startDocResult;
}

int RecordingDevice::startPage()
{
    if (failStartPage != 0 && pages + 1 == failStartPage)
        return -1;
    ++pages;
    inPage_ = true;
    PrintEvent e;
    e.kind = PrintEvent::StartPage;
    e.page = pages;
    events.push_back(e);
    return 1;
}

int RecordingDevice::endPage()
{
    inPage_ = false;
    if (failEndPage != 0 && pages == failEndPage)
        return -1;
    PrintEvent e;
    e.kind = PrintEvent::EndPage;
    e.page = pages;
    events.push_back(e);
    return 1;
}

int RecordingDevice::endDoc()
{
    if (failEndDoc)
        return -1;
    PrintEvent e;
    e.kind = PrintEvent::EndDoc;
    events.push_back(e);
    return 1;
}

void RecordingDevice::abortDoc()
{
    inPage_ = false;
    PrintEvent e;
    e.kind = PrintEvent::AbortDoc;
    events.push_back(e);
}

void RecordingDevice::drawText(int x, int y, std::string_view cp1252)
{
    if (!inPage_)
        ++drawnOffPage;
    PrintEvent e;
    e.kind = PrintEvent::Text;
    e.x = x;
    e.y = y;
    e.text = std::string(cp1252);
    e.font = font_;
    e.page = inPage_ ? pages : 0;
    events.push_back(std::move(e));
}

void RecordingDevice::drawLine(int x1, int y1, int x2, int y2)
{
    if (!inPage_)
        ++drawnOffPage;
    PrintEvent e;
    e.kind = PrintEvent::Line;
    e.x = x1;
    e.y = y1;
    e.x2 = x2;
    e.y2 = y2;
    e.page = inPage_ ? pages : 0;
    events.push_back(e);
}

std::vector<PrintEvent> RecordingDevice::texts(int page) const
{
    std::vector<PrintEvent> found;
    for (const PrintEvent& e : events)
        if (e.kind == PrintEvent::Text && (page == 0 || e.page == page))
            found.push_back(e);
    return found;
}

std::vector<PrintEvent> RecordingDevice::lines(int page) const
{
    std::vector<PrintEvent> found;
    for (const PrintEvent& e : events)
        if (e.kind == PrintEvent::Line && (page == 0 || e.page == page))
            found.push_back(e);
    return found;
}

const PrintEvent* RecordingDevice::findText(const std::string& utf8) const
{
    const std::string wanted = utf8ToCp1252(utf8);
    for (const PrintEvent& e : events)
        if (e.kind == PrintEvent::Text && e.text == wanted)
            return &e;
    return nullptr;
}

std::string RecordingDevice::pageText(int page) const
{
    std::string joined;
    for (const PrintEvent& e : events)
        if (e.kind == PrintEvent::Text && e.page == page) {
            if (!joined.empty())
                joined += " | ";
            joined += cp1252ToUtf8(e.text);
        }
    return joined;
}

bool RecordingDevice::ended() const
{
    for (const PrintEvent& e : events)
        if (e.kind == PrintEvent::EndDoc)
            return true;
    return false;
}

bool RecordingDevice::aborted() const
{
    for (const PrintEvent& e : events)
        if (e.kind == PrintEvent::AbortDoc)
            return true;
    return false;
}

} // namespace r7t
