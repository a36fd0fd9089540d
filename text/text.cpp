#include "text/text.h"

#include <cstdarg>
#include <cstdint>
#include <cstdio>

namespace r7t {

namespace {

// Unicode of bytes 0x80..0x9F; the rest of the upper half is Latin-1.
constexpr char32_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

int encodeCp1252(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<int>(c);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == c)
            return 0x80 + i;
    return -1;
}

struct DecodedChar {
    char32_t code = 0;
    size_t length = 1; // bytes to step over; 1 for a malformed byte
    bool valid = false;
};

// One character of UTF-8 at i; a malformed sequence is one invalid byte.
DecodedChar decodeUtf8(std::string_view utf8, size_t i)
{
    auto b = static_cast<unsigned char>(utf8[i]);
    char32_t c = 0;
    size_t len = 0;
    if (b < 0x80) {
        c = b;
        len = 1;
    } else if ((b >> 5) == 0x6) {
        c = b & 0x1F;
        len = 2;
    } else if ((b >> 4) == 0xE) {
        c = b & 0x0F;
        len = 3;
    } else if ((b >> 3) == 0x1E) {
        c = b & 0x07;
        len = 4;
    }
    bool valid = len > 0 && i + len <= utf8.size();
    for (size_t k = 1; valid && k < len; ++k) {
        auto cb = static_cast<unsigned char>(utf8[i + k]);
        if ((cb >> 6) != 0x2)
            valid = false;
        else
            c = (c << 6) | (cb & 0x3F);
    }
    if (!valid)
        return {};
    return {c, len, true};
}

// U+FFFD names a malformed byte in a message, which must stay valid UTF-8.
constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

} // namespace

char upperCp1252(char c)
{
    const auto b = static_cast<unsigned char>(c);
    if (b >= 'a' && b <= 'z')
        return static_cast<char>(b - 'a' + 'A');
    if (b >= 0xE0 && b <= 0xFE && b != 0xF7)
        return static_cast<char>(b - 0x20);
    switch (b) {
    case 0x9A: return static_cast<char>(0x8A); // š Š
    case 0x9C: return static_cast<char>(0x8C); // œ Œ
    case 0x9E: return static_cast<char>(0x8E); // ž Ž
    case 0xFF: return static_cast<char>(0x9F); // ÿ Ÿ
    default: return c;
    }
}

std::string upperCp1252(std::string_view cp1252)
{
    std::string upper(cp1252);
    for (char& c : upper)
        c = upperCp1252(c);
    return upper;
}

std::string stringPrintf(const char* format, ...)
{
    // One pass for the short lines lists and prints are made of.
    char buffer[256];
    va_list args;
    va_start(args, format);
    const int length = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    if (length < 0)
        return {};
    if (static_cast<size_t>(length) < sizeof buffer)
        return std::string(buffer, static_cast<size_t>(length));
    std::string text(static_cast<size_t>(length) + 1, '\0');
    va_start(args, format);
    std::vsnprintf(text.data(), text.size(), format, args);
    va_end(args);
    text.resize(static_cast<size_t>(length));
    return text;
}

std::string cp1252ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (char ch : bytes) {
        auto b = static_cast<unsigned char>(ch);
        if (b < 0x80)
            out += ch;
        else if (b < 0xA0)
            appendUtf8(out, kHigh[b - 0x80]);
        else
            appendUtf8(out, b);
    }
    return out;
}

std::string utf8ToCp1252(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        const DecodedChar d = decodeUtf8(utf8, i);
        const int e = d.valid ? encodeCp1252(d.code) : -1;
        out += e < 0 ? '?' : static_cast<char>(e);
        i += d.length;
    }
    return out;
}

int cp1252Of(char32_t c) { return encodeCp1252(c); }

std::string utf8Of(char32_t c)
{
    std::string out;
    appendUtf8(out, c);
    return out;
}

std::optional<std::string> firstUnencodable(std::string_view utf8)
{
    for (size_t i = 0; i < utf8.size();) {
        const DecodedChar d = decodeUtf8(utf8, i);
        if (!d.valid)
            return std::string(kReplacementCharacter);
        if (encodeCp1252(d.code) < 0)
            return std::string(utf8.substr(i, d.length));
        i += d.length;
    }
    return std::nullopt;
}

} // namespace r7t
