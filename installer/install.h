// The installation of the contest program: the program folder, the copies
// of the program, its help and its icon, the data folder, the shortcuts.
#pragma once

#include "installer/places.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace r7t::installer {

namespace fs = std::filesystem;

// The error shown at the end; the numbers are those of the error texts.
enum class InstallError {
    None = 0,
    Folder = 1,     // "Création impossible de répertoire"
    Copy = 2,       // "Erreur de recopie de fichier"
    Shortcuts = 4,  // "Création impossible des raccourcis"
};

inline constexpr const char* kProgramFolderName = "ORVEL_R7T";
inline constexpr const char* kDataFolderName = "R7T";
inline constexpr const char* kProgramName = "orvel_r7t";
inline constexpr const char* kIconName = "orvel_r7t.svg";
inline constexpr const char* kHelpFolderName = "help";
inline constexpr const char* kHelpContents = "help/index.html";

// The chosen folder as the choice field shows it: without its trailing
// separators, so that the root gives an empty text.
std::string withoutTrailingSeparator(const std::string& folder);

// The program folder made in the chosen folder.
fs::path programFolderIn(const std::string& chosen);

// The files copied from the source folder, relative to it, in copy order:
// the program, the help contents, the other help pages, the icon.
std::vector<std::string> filesToInstall(const fs::path& source);

// Copies source to destination through a temporary file beside it, renamed
// over it once complete, so a failed copy never leaves a partial file.
bool copyFileWhole(const fs::path& source, const fs::path& destination);

struct InstallRequest {
    fs::path source;         // the installer's own folder
    std::string destination; // the folder the user confirmed
    Places places;
    // Marks a written shortcut trusted; none in tests that need no mark.
    std::function<void(const fs::path&)> markTrusted = markShortcutTrusted;
};

struct InstallOutcome {
    InstallError error = InstallError::None;
    std::string file;         // the file being copied when the error came
    fs::path programFolder;   // where the program went
    fs::path dataFolder;      // the data folder, once made
};

// Runs the steps in order: the program folder, the copies while nothing
// failed, the data folder in any case, the shortcuts only when nothing
// failed. The last error is the one kept.
InstallOutcome install(const InstallRequest& request);

} // namespace r7t::installer
