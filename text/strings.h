// The program's string table and its loaders. Every text a user sees is
// loaded by number plus the language offset; texts are UTF-8 here and are
// converted only where a file needs Windows-1252.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace r7t {

struct StringEntry {
    int number;
    const char* text;
};

// Defined by the generated string table linked into each program,
// sorted by number.
std::span<const StringEntry> stringTableEntries();

// Offset added to every string number; only French texts exist.
inline constexpr int kLanguageOffset = 0;

// Modes of the message dialog.
inline constexpr int kModeQuestion = 960;
inline constexpr int kModeAlert = 962;

// Capacities of the text buffers the texts are loaded into, in characters.
inline constexpr int kMessageLength = 249;
inline constexpr int kBufferLength = 253;
inline constexpr int kControlTextLength = 254;
inline constexpr int kFilterLength = 255;

// String n (without the language offset); empty when the table has no such text.
std::string_view TexteChaine(int n);

// Cuts a UTF-8 text after at most maxChars characters.
std::string truncateCharacters(std::string_view text, int maxChars);

// String n + kLanguageOffset as the message buffer holds it.
std::string MajMessage(int n);
// String n + kLanguageOffset as the general text buffer holds it.
std::string MajStr(int n);
// String n + kLanguageOffset as a dialog control receives it (the dialogs' MajStrDlg).
std::string controlText(int n);

// String n + kLanguageOffset with every occurrence of its last character replaced
// by NUL: "a|b|c|d|" becomes "a\0b\0c\0d\0" followed by the final NUL.
std::string makeFilter(int n);

// The (description, pattern) pairs of a NUL-separated filter.
std::vector<std::pair<std::string, std::string>> filterPairs(std::string_view filter);

} // namespace r7t
