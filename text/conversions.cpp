#include "text/conversions.h"

namespace r7t {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The form as written, up to its letter, for the error message; stops at
// white space and non-ASCII bytes so that the message stays readable.
std::string writtenForm(std::string_view text, std::size_t at)
{
    std::size_t end = at + 1;
    while (end < text.size() && end - at < 8) {
        const unsigned char c = static_cast<unsigned char>(text[end]);
        if (c <= ' ' || c >= 0x7f)
            break;
        ++end;
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))
            break;
    }
    return std::string(text.substr(at, end - at));
}

} // namespace

PercentForm readPercentForm(std::string_view text, std::size_t at)
{
    PercentForm form;
    std::size_t i = at + 1;
    if (i < text.size() && text[i] == '%') {
        form.length = 2;
        form.percentSign = true;
        return form;
    }
    Conversion& c = form.conversion;
    if (i < text.size() && (text[i] == '-' || text[i] == '0')) {
        c.leftAligned = text[i] == '-';
        c.zeroPadded = text[i] == '0';
        ++i;
    }
    // A leading zero is the flag, never part of the width.
    if (i < text.size() && isDigit(text[i]) && text[i] != '0') {
        c.width = text[i++] - '0';
        if (i < text.size() && isDigit(text[i]))
            c.width = c.width * 10 + (text[i++] - '0');
    }
    if (i >= text.size())
        return {};
    switch (text[i]) {
    case 's': c.kind = ConversionKind::Text; break;
    case 'i':
    case 'd': c.kind = ConversionKind::Integer; break;
    case 'u': c.kind = ConversionKind::Unsigned; break;
    default: return {};
    }
    // printf leaves a zero-padded text undefined.
    if (c.kind == ConversionKind::Text && c.zeroPadded)
        return {};
    form.length = i + 1 - at;
    return form;
}

bool parseConversions(std::string_view text, std::vector<Conversion>& conversions, std::string& error)
{
    conversions.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%')
            continue;
        const PercentForm form = readPercentForm(text, i);
        if (form.length == 0) {
            error = "unknown conversion \"" + writtenForm(text, i) + "\" (a percent sign is written %%)";
            return false;
        }
        if (!form.percentSign)
            conversions.push_back(form.conversion);
        i += form.length - 1;
    }
    return true;
}

} // namespace r7t
