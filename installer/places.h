// Where the installer puts things on this platform: the default destination,
// the user's documents and desktop folders, the applications menu, and how a
// shortcut is written and trusted. Every platform choice of the installer
// lives here and in places.cpp, so another desktop needs only these two.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace r7t::installer {

namespace fs = std::filesystem;

// What the places are read from: the process environment, or a test's.
struct Environment {
    std::string home;          // HOME
    std::string configHome;    // XDG_CONFIG_HOME, empty when unset
    bool administrator = false; // run as root
};

// The environment of this process.
Environment currentEnvironment();

struct Places {
    fs::path documents;          // the user's documents folder, as the desktop names it
    fs::path desktop;            // the user's desktop folder; empty when the desktop has none
    fs::path applicationsMenu;   // where the applications menu reads its entries
    std::string defaultDestination; // proposed in the folder choice
};

Places platformPlaces(const Environment& environment);

// A folder of the user-dirs file ("XDG_DOCUMENTS_DIR" ...), or empty when the
// file does not name it or names it oddly. "$HOME" stands for home.
fs::path userDirectory(const fs::path& userDirsFile, const std::string& key, const fs::path& home);

// The program's shortcut file in a folder.
inline constexpr const char* kShortcutName = "orvel_r7t.desktop";

// The text of a shortcut that starts program with that icon.
std::string shortcutText(const fs::path& program, const fs::path& icon);

// Marks a written shortcut as one the desktop may start without asking
// (executable, and trusted for desktops that keep a trust mark).
void markShortcutTrusted(const fs::path& shortcut);

} // namespace r7t::installer
