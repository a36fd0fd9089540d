#include "text/format.h"

#include <charconv>

namespace r7t {

namespace {

// Pads the converted value to the width as printf does: spaces on the left,
// on the right with '-', zeros after the sign with '0'.
void appendPadded(std::string& out, std::string_view sign, std::string_view body, const Conversion& c)
{
    const std::size_t length = sign.size() + body.size();
    const auto width = static_cast<std::size_t>(c.width);
    const std::size_t padding = width > length ? width - length : 0;
    if (c.leftAligned) {
        out.append(sign).append(body).append(padding, ' ');
    } else if (c.zeroPadded) {
        out.append(sign).append(padding, '0').append(body);
    } else {
        out.append(padding, ' ').append(sign).append(body);
    }
}

void appendDigits(std::string& out, std::string_view sign, unsigned long long magnitude, const Conversion& c)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, magnitude).ptr;
    appendPadded(out, sign, std::string_view(digits, static_cast<std::size_t>(end - digits)), c);
}

} // namespace

std::string substituteArguments(std::string_view format, std::span<const FormatArgument> arguments)
{
    std::string out;
    out.reserve(format.size());
    std::size_t next = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') {
            out += format[i];
            continue;
        }
        const PercentForm form = readPercentForm(format, i);
        if (form.length == 0) {
            out += '%';
            continue;
        }
        const std::string_view written = format.substr(i, form.length);
        i += form.length - 1;
        if (form.percentSign) {
            out += '%';
            continue;
        }
        const Conversion& c = form.conversion;
        if (next >= arguments.size() || arguments[next].index() != static_cast<std::size_t>(c.kind)) {
            out += written;
            ++next;
            continue;
        }
        const FormatArgument& argument = arguments[next++];
        if (const auto* text = std::get_if<std::string_view>(&argument)) {
            appendPadded(out, {}, *text, c);
        } else if (const auto* integer = std::get_if<long long>(&argument)) {
            // Unsigned negation keeps the lowest value exact.
            const auto value = static_cast<unsigned long long>(*integer);
            appendDigits(out, *integer < 0 ? "-" : "", *integer < 0 ? 0 - value : value, c);
        } else {
            appendDigits(out, {}, std::get<unsigned long long>(argument), c);
        }
    }
    return out;
}

} // namespace r7t
