#include "print/print_engine.h"

#include <clocale>
#include <cstdint>
#include <cstdlib>
#include <vector>

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

PrintEngine::~PrintEngine()
{
    if (!savedNumericLocale_.empty())
        std::setlocale(LC_NUMERIC, savedNumericLocale_.c_str());
}

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
    if (const char* numeric = std::setlocale(LC_NUMERIC, nullptr); numeric && savedNumericLocale_.empty())
        savedNumericLocale_ = numeric;
    std::setlocale(LC_NUMERIC, "C");
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
    if (!savedNumericLocale_.empty()) {
        std::setlocale(LC_NUMERIC, savedNumericLocale_.c_str());
        savedNumericLocale_.clear();
    }
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

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A text that holds no letter: a number, a score, a penalty, a percentage.
bool holdsNoLetter(std::string_view text)
{
    bool digit = false;
    for (char c : text) {
        if (isDigit(c))
            digit = true;
        else if (c != ' ' && c != '.' && c != ',' && c != ':' && c != '+' && c != '-' && c != '%' && c != '(' &&
                 c != ')' && c != '/')
            return false;
    }
    return digit;
}

bool isBlank(std::string_view text) { return text.find_first_not_of(' ') == std::string_view::npos; }

// The text without its trailing blanks, which show nothing.
std::string_view visiblePart(std::string_view text)
{
    const size_t last = text.find_last_not_of(' ');
    return text.substr(0, last == std::string_view::npos ? 0 : last + 1);
}

} // namespace

int PrintEngine::textWidth(const DeviceFont& font, std::string_view cp1252)
{
    const DeviceFont previous = current_;
    selectFont(font);
    const int width = device_.textWidth(cp1252);
    selectFont(previous);
    return width;
}

std::string_view PrintEngine::fitted(std::string_view text, int width) const
{
    if (text.empty() || device_.textWidth(visiblePart(text)) <= width)
        return text;
    if (holdsNoLetter(text))
        return text;
    // The longest start that fits: widths only grow with the length.
    size_t low = 0;
    size_t high = text.size() - 1;
    while (low < high) {
        const size_t middle = (low + high + 1) / 2;
        if (device_.textWidth(text.substr(0, middle)) <= width)
            low = middle;
        else
            high = middle - 1;
    }
    if (text.find_first_of("0123456789", low) != std::string_view::npos)
        return text;
    return text.substr(0, low);
}

void PrintEngine::field(int x, int y, std::string_view text, int right)
{
    if (text.size() > static_cast<size_t>(kFieldCapacity))
        text = text.substr(0, static_cast<size_t>(kFieldCapacity));
    const int room = right - fieldGap() - x;
    const std::string_view kept = fitted(text, room);
    if (reportMisfit && (kept.size() < text.size() || device_.textWidth(visiblePart(text)) > room))
        reportMisfit(text, kept);
    text = kept;
    if (!text.empty())
        device_.drawText(x, y, text);
}

void PrintEngine::textWithin(int x, int y, std::string_view cp1252, int right) { field(x, y, cp1252, right); }

void PrintEngine::printLine(std::string_view text, int split, int style, TabSet tabs)
{
    const int y = currentLine * linePitch;
    if (split == 0) {
        field(columnX(tabs.empty() ? 0 : tabs[0]), y, text, rulesRight());
        ++currentLine;
        return;
    }
    // The fields that are drawn, where, and by which printer.
    struct Placed {
        std::string_view text;
        int x = 0;
        int style = kStylePlain;
    };
    std::vector<Placed> placed;
    size_t start = 0;
    for (size_t index = 0;; ++index) {
        const size_t tab = text.find('\t', start);
        std::string_view part =
            text.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start);
        if (part.size() > static_cast<size_t>(kFieldCapacity))
            part = part.substr(0, static_cast<size_t>(kFieldCapacity));
        if (index < tabs.size()) {
            if (index == 1 && style != kStylePlain) {
                if (style == kStyleLarge || style == kStyleSmall || style == kStyleBold)
                    placed.push_back({part, columnX(kStyledColumn), style});
            } else {
                placed.push_back({part, columnX(tabs[index]), kStylePlain});
            }
        }
        if (tab == std::string_view::npos)
            break;
        start = tab + 1;
    }
    for (size_t i = 0; i < placed.size(); ++i) {
        int right = rulesRight();
        for (size_t j = i + 1; j < placed.size(); ++j)
            if (!isBlank(placed[j].text)) {
                right = placed[j].x;
                break;
            }
        const Placed& f = placed[i];
        switch (f.style) {
        case kStyleLarge: styled(largeFont(), f.text, kStyledColumn, 0, right); break;
        case kStyleBold: styled(boldFont(), f.text, kStyledColumn, 0, right); break;
        case kStyleSmall: styled(smallFont(), f.text, kStyledColumn, layoutY(4), right); break;
        default: field(f.x, y, f.text, right);
        }
    }
    ++currentLine;
}

void PrintEngine::styled(const DeviceFont& font, std::string_view text, int column, int yOffset, int right)
{
    const DeviceFont previous = current_;
    selectFont(font);
    field(columnX(column), currentLine * linePitch + yOffset, text, right);
    selectFont(previous);
}

void PrintEngine::printLarge(std::string_view text, int column) { styled(largeFont(), text, column, 0, rulesRight()); }

void PrintEngine::printBold(std::string_view text, int column) { styled(boldFont(), text, column, 0, rulesRight()); }

void PrintEngine::printSmall(std::string_view text, int column)
{
    styled(smallFont(), text, column, layoutY(4), rulesRight());
}

int PrintEngine::layoutX(int units) const { return mulDiv(units, device_.logPixelsX(), kLayoutDpi); }

int PrintEngine::layoutY(int units) const { return mulDiv(units, device_.logPixelsY(), kLayoutDpi); }

void PrintEngine::rule(int x1, int x2, int y)
{
    device_.drawLine(x1, y, x2, y);
    penY_ = y;
}

void PrintEngine::headRule(int line) { rule(columnX(0), rulesRight(), line * linePitch + linePitch / 3); }

void PrintEngine::doubleRule(int line)
{
    headRule(line);
    rule(columnX(0), rulesRight(), line * linePitch + (2 * linePitch) / 5);
}

void PrintEngine::separatorRule(int line)
{
    rule(columnX(0), rulesRight(), line * linePitch + linePitch / 2);
}

void PrintEngine::underHeaderRule(int line)
{
    rule(24 * columnUnit, rulesRight(), line * linePitch + (3 * linePitch) / 4);
}

void PrintEngine::verticalLine(int x, int top, int bottom) { device_.drawLine(x, top, x, bottom); }

} // namespace r7t
