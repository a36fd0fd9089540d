#include "print/print_text.h"

#include "competitors/frequency.h"
#include "print/print_engine.h"

namespace r7t::print_text {

std::string frequency(int32_t kHz) { return TexteFrequence(kHz); }

std::string contestLine(const Contest& contest, bool withVersion, std::string_view tail)
{
    const ContestHeader& h = contest.header;
    std::string line = withVersion ? std::string("\tR7T ") + kVersionTag + " - " : std::string("\tR7T - ");
    line.append(h.title.raw()).append(" - ").append(h.place.raw()).append(" - ").append(h.date.raw());
    line.append(tail);
    return line;
}

std::string upperAscii(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return upper;
}

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
