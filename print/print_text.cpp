#include "print/print_text.h"

#include "competitors/frequency.h"
#include "print/print_engine.h"

#include <optional>

namespace r7t::print_text {

std::string frequency(int32_t kHz) { return TexteFrequence(kHz); }

namespace {

// The first n bytes of text, with no number split and no trailing blank.
std::string_view cutAt(std::string_view text, size_t n)
{
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (n < text.size() && n > 0 && digit(text[n]) && digit(text[n - 1]))
        while (n > 0 && digit(text[n - 1]))
            --n;
    while (n > 0 && text[n - 1] == ' ')
        --n;
    return text.substr(0, n);
}

// The longest start of text for which fits(start) holds (none when even the
// empty text does not fit).
template <typename Fits>
std::optional<std::string_view> longestStart(std::string_view text, const Fits& fits)
{
    if (fits(text))
        return text;
    if (!fits(std::string_view()))
        return std::nullopt;
    size_t low = 0;
    size_t high = text.size() - 1;
    while (low < high) {
        const size_t middle = (low + high + 1) / 2;
        if (fits(text.substr(0, middle)))
            low = middle;
        else
            high = middle - 1;
    }
    return cutAt(text, low);
}

} // namespace

std::string fitInside(PrintEngine& engine, const DeviceFont& font, std::string_view before, std::string_view text,
                      std::string_view after, int width)
{
    auto line = [&](std::string_view start) {
        std::string s(before);
        s.append(start).append(after);
        return s;
    };
    const std::optional<std::string_view> kept =
        longestStart(text, [&](std::string_view start) { return engine.textWidth(font, line(start)) <= width; });
    return line(kept.value_or(std::string_view()));
}

std::string contestLine(PrintEngine& engine, const Contest& contest, bool withVersion, std::string_view tail)
{
    const ContestHeader& h = contest.header;
    const std::string lead = withVersion ? std::string("R7T ") + kVersionTag + " - " : std::string("R7T - ");
    const std::string_view title = h.title.raw();
    const std::string_view place = h.place.raw();
    const std::string date(h.date.raw());
    // A title (or place) shortened to nothing leaves no empty " - " behind.
    auto line = [&](std::string_view t, std::string_view p) {
        std::string text = lead;
        if (!t.empty())
            text.append(t).append(" - ");
        if (!p.empty())
            text.append(p).append(" - ");
        return text + date;
    };
    // Field 1 of the head line, in the bold printer, up to the rules' end.
    const DeviceFont font = engine.boldFont();
    const int width = engine.rulesRight() - engine.fieldGap() - engine.columnX(kStyledColumn);
    auto fits = [&](const std::string& text) { return engine.textWidth(font, text) <= width; };

    std::string text;
    if (const auto t = longestStart(title, [&](std::string_view start) { return fits(line(start, place)); }))
        text = line(*t, place);
    else if (const auto p = longestStart(place, [&](std::string_view start) { return fits(line({}, start)); }))
        text = line({}, *p);
    else
        text = line({}, {});
    return "\t" + text + std::string(tail);
}

std::string upperName(std::string_view text) { return upperCp1252(text); }

const Pilot* openEntry(PrintEngine& engine, Contest& contest, int32_t number, const std::function<void()>& head)
{
    const Pilot* pilot = contest.findPilot(number, Report::Yes);
    if (!pilot) {
        engine.fail();
        return nullptr;
    }
    return engine.openPage(head) ? pilot : nullptr;
}

} // namespace r7t::print_text
