#include "print/print_engine.h"

#include <cstdint>
#include <cstdlib>

namespace r7t {

int mulDiv(int a, int b, int c)
{
    if (c == 0)
        return 0;
    const int64_t product = int64_t(a) * int64_t(b);
    const int64_t half = std::llabs(int64_t(c)) / 2;
    const bool negative = (product < 0) != (c < 0);
    const int64_t magnitude = (std::llabs(product) + half) / std::llabs(int64_t(c));
    return static_cast<int>(negative ? -magnitude : magnitude);
}

PrintDialogSetup printDialogSetup() { return PrintDialogSetup{}; }

PrintEngine::PrintEngine(PrintDevice& device) : device_(device) {}

DeviceFont PrintEngine::font(int points, int weight) const
{
    return DeviceFont{kFontFace, -mulDiv(points, device_.logPixelsY(), 72), weight};
}

void PrintEngine::selectFont(const DeviceFont& font)
{
    current_ = font;
    device_.selectFont(font);
}

bool PrintEngine::startJob(std::string_view documentName, int bodyPoints, int bodyWeight)
{
    bodyFont_ = font(bodyPoints, bodyWeight);
    selectFont(bodyFont_);
    const TextMetrics tm = device_.textMetrics();
    linePitch = tm.height + tm.externalLeading;
    columnUnit = tm.aveCharWidth;
    large = device_.horizontalResolution();
    // A device without metrics would divide by zero; it prints nothing.
    linesPerPage = linePitch > 0 ? device_.verticalResolution() / linePitch : 0;
    currentLine = 0;
    userAbort = false;
    failed_ = false;
    pageOpen_ = false;
    pagesStarted_ = 0;
    penY_ = 0;
    started_ = device_.startDoc(std::string(documentName)) > 0;
    if (!started_ || linePitch <= 0)
        failed_ = true;
    return !failed_;
}

PrintOutcome PrintEngine::endJob()
{
    if (pageOpen_ && !failed_ && !userAbort)
        endPage();
    currentLine = 0;
    if (!started_)
        return PrintOutcome::Failed;
    started_ = false;
    if (failed_) {
        device_.abortDoc();
        return PrintOutcome::Failed;
    }
    if (userAbort) {
        device_.abortDoc();
        return PrintOutcome::Cancelled;
    }
    if (pagesStarted_ == 0) {
        device_.abortDoc();
        return PrintOutcome::NothingPrinted;
    }
    if (device_.endDoc() <= 0)
        return PrintOutcome::Failed;
    return PrintOutcome::Printed;
}

bool PrintEngine::startPage()
{
    if (failed_)
        return false;
    if (device_.startPage() < 0) {
        failed_ = true;
        return false;
    }
    pageOpen_ = true;
    ++pagesStarted_;
    // The page starts with the body font, whatever the last one left.
    selectFont(bodyFont_);
    return true;
}

bool PrintEngine::endPage()
{
    if (!pageOpen_)
        return !failed_;
    pageOpen_ = false;
    if (device_.endPage() <= 0) {
        failed_ = true;
        return false;
    }
    return true;
}

bool PrintEngine::openPage(const std::function<void()>& head)
{
    if (failed_)
        return false;
    if (currentLine != 0 && pageOpen_)
        return true;
    if (!startPage())
        return false;
    currentLine = 0;
    if (head)
        head();
    return !failed_;
}

bool PrintEngine::endEntry(int threshold)
{
    if (failed_)
        return false;
    if (currentLine > threshold) {
        currentLine = 0;
        if (!endPage())
            return false;
    }
    return mayContinue();
}

bool PrintEngine::keepOnPage(const std::function<void()>& head)
{
    if (pageOpen_ && currentLine < linesPerPage)
        return !failed_;
    currentLine = 0;
    if (pageOpen_ && !endPage())
        return false;
    if (!mayContinue())
        return false;
    return openPage(head);
}

bool PrintEngine::mayContinue()
{
    if (serveEvents && !userAbort)
        serveEvents();
    return !userAbort && !failed_;
}

void PrintEngine::textAt(int x, int y, std::string_view cp1252) { device_.drawText(x, y, cp1252); }

void PrintEngine::field(int x, int y, std::string_view text)
{
    if (text.size() > static_cast<size_t>(kFieldCapacity))
        text = text.substr(0, static_cast<size_t>(kFieldCapacity));
    if (!text.empty())
        device_.drawText(x, y, text);
}

void PrintEngine::printLine(std::string_view text, int split, int style, TabSet tabs)
{
    const int y = currentLine * linePitch;
    if (split == 0) {
        field(columnX(tabs.empty() ? 0 : tabs[0]), y, text);
    } else {
        size_t start = 0;
        for (size_t index = 0;; ++index) {
            const size_t tab = text.find('\t', start);
            const std::string_view part =
                text.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start);
            if (index < tabs.size()) {
                if (index == 1 && style != kStylePlain) {
                    if (style == kStyleLarge)
                        printLarge(part, kStyledColumn);
                    else if (style == kStyleSmall)
                        printSmall(part, kStyledColumn);
                    else if (style == kStyleBold)
                        printBold(part, kStyledColumn);
                } else {
                    field(columnX(tabs[index]), y, part);
                }
            }
            if (tab == std::string_view::npos)
                break;
            start = tab + 1;
        }
    }
    ++currentLine;
}

void PrintEngine::styled(const DeviceFont& font, std::string_view text, int column, int yOffset)
{
    const DeviceFont previous = current_;
    selectFont(font);
    field(columnX(column), currentLine * linePitch + yOffset, text);
    selectFont(previous);
}

void PrintEngine::printLarge(std::string_view text, int column) { styled(font(20, kWeightBold), text, column, 0); }

void PrintEngine::printBold(std::string_view text, int column) { styled(font(12, kWeightBold), text, column, 0); }

void PrintEngine::printSmall(std::string_view text, int column)
{
    styled(font(6, kWeightBold), text, column, layoutY(4));
}

int PrintEngine::layoutX(int units) const { return mulDiv(units, device_.logPixelsX(), kLayoutDpi); }

int PrintEngine::layoutY(int units) const { return mulDiv(units, device_.logPixelsY(), kLayoutDpi); }

void PrintEngine::rule(int x1, int x2, int y)
{
    device_.drawLine(x1, y, x2, y);
    penY_ = y;
}

void PrintEngine::headRule(int line) { rule(columnX(0), large - kLeftMargin * columnUnit, line * linePitch + linePitch / 3); }

void PrintEngine::doubleRule(int line)
{
    headRule(line);
    rule(columnX(0), large - kLeftMargin * columnUnit, line * linePitch + (2 * linePitch) / 5);
}

void PrintEngine::separatorRule(int line)
{
    rule(columnX(0), large - kLeftMargin * columnUnit, line * linePitch + linePitch / 2);
}

void PrintEngine::underHeaderRule(int line)
{
    rule(24 * columnUnit, large - kLeftMargin * columnUnit, line * linePitch + (3 * linePitch) / 4);
}

void PrintEngine::verticalLine(int x, int top, int bottom) { device_.drawLine(x, top, x, bottom); }

} // namespace r7t
