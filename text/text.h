// Windows-1252 text: the contest file keeps its texts as raw 8-bit bytes in
// fixed-size NUL-terminated fields; conversion to UTF-8 happens only at the
// user-interface and command-line boundary.
#pragma once

#include <array>
#include <cstddef>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace r7t {

// Every byte maps to one character; the five bytes Windows-1252 leaves
// undefined map to the C1 control of the same value, so nothing is lost.
std::string cp1252ToUtf8(std::string_view bytes);

// Characters Windows-1252 cannot hold, and malformed UTF-8, become '?'.
std::string utf8ToCp1252(std::string_view utf8);

// The Windows-1252 byte of a Unicode character, or -1 when it has none.
int cp1252Of(char32_t c);

// The upper-case form of a Windows-1252 byte: a-z, the accented letters
// 0xE0..0xFE (but the division sign 0xF7), and š, œ, ž, ÿ (0x9A, 0x9C, 0x9E,
// 0xFF) become their capitals; every other byte, ß and µ included (their
// capitals are not Windows-1252 characters), is kept.
char upperCp1252(char c);
// The text with every letter that has an upper-case form in it.
std::string upperCp1252(std::string_view cp1252);

// The UTF-8 form of a Unicode character, to name it in a message.
std::string utf8Of(char32_t c);

// The first character of the text that Windows-1252 cannot hold, as UTF-8
// (U+FFFD for a malformed byte), or nothing when the whole text can be
// stored as typed. Callers refuse such a text rather than store '?'.
std::optional<std::string> firstUnencodable(std::string_view utf8);

// printf into a std::string of any length. Lists and prints format their
// fields as Windows-1252 bytes so that widths like %-20s count characters.
// A table text is never the format: formatText (text/format.h) checks its
// arguments.
std::string stringPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

template <std::size_t N>
struct FixedText {
    std::array<char, N> bytes{};

    // The text up to the first NUL, never past the field.
    std::string_view raw() const { return {bytes.data(), ::strnlen(bytes.data(), N)}; }
    std::string utf8() const { return cp1252ToUtf8(raw()); }
    bool empty() const { return bytes[0] == '\0'; }

    // Stores at most N-1 bytes, NUL-terminated, and clears the rest.
    void assignRaw(std::string_view cp1252)
    {
        bytes.fill('\0');
        std::memcpy(bytes.data(), cp1252.data(), cp1252.size() < N ? cp1252.size() : N - 1);
    }
    void assignUtf8(std::string_view utf8) { assignRaw(utf8ToCp1252(utf8)); }

    static constexpr std::size_t capacity() { return N - 1; }
    bool operator==(const FixedText&) const = default;
};

} // namespace r7t
