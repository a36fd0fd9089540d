// Import of competitors from a tab-separated text file: a header line with
// at least 7 tabs, then one competitor per line: number, name, frequency 1,
// frequency 2, licence, club, club number, country, remark (everything after
// the 8th tab). All or nothing: the whole file is checked first and
// competitors are created only when no line has an error.
//
// The file is Windows-1252, read byte for byte, unless it starts with a
// UTF-8 or UTF-16 (LE or BE) byte-order mark, is UTF-16 without one (at
// least half the byte pairs of its first 512 bytes hold a NUL on the same
// side, hardly any on the other), or has non-ASCII bytes that all form
// valid UTF-8: such a file is converted to Windows-1252, and a line with a
// character that has no Windows-1252 form is faulty, naming it.
//
// Lines may have any length: each field keeps its first characters (the
// widths below) and the rest of the line is read past and dropped, so a
// line never spills into the next one and memory stays bounded. CR LF, LF
// and CR alone are line ends alike.
#pragma once

#include "contest/contest.h"

#include <cstddef>
#include <cstdint>
#include <istream>
#include <string>
#include <utility>
#include <vector>

namespace r7t {

// Error flags of a line, listed in the order 1, 4, 8, 2, 16.
enum ImportError : uint8_t {
    kImportNameMissing = 1,   // 747 "ligne %u - Nom absent"
    kImportBadFrequency = 2,  // 748 "ligne %u - Fréquence incorrecte"
    kImportBadLine = 4,       // 749 "ligne %u - Ligne incorrecte"
    kImportBadNumber = 8,     // 750 "ligne %u - Numéro doublé ou absent"
    kImportUnencodable = 16,  // 751 "ligne %u - Caractère « %s » impossible à enregistrer"
};

inline constexpr int kMessageImportIncompatible = 401; // "Le fichier choisi est incompatible !"

// A line shorter than this (its newline included) ends the reading.
inline constexpr std::size_t kImportMinLineLength = 10;
// The header needs this many tabs, a data line one more.
inline constexpr int kImportHeaderTabs = 7;

// The error flags of the lines read, for any number of lines (line 1 is the
// header). Only lines with a flag take room.
class ImportFlags {
public:
    void set(std::size_t line, uint8_t flag);
    uint8_t get(std::size_t line) const;
    // Flags kImportUnencodable, keeping the line's first such character (UTF-8).
    void setUnencodable(std::size_t line, std::string character);
    std::string unencodable(std::size_t line) const;
    // (line, flags) of every faulty line, in line order.
    const std::vector<std::pair<std::size_t, uint8_t>>& faultyLines() const { return lines_; }
    void clear()
    {
        lines_.clear();
        characters_.clear();
    }

private:
    std::vector<std::pair<std::size_t, uint8_t>> lines_;
    std::vector<std::pair<std::size_t, std::string>> characters_;
};

enum ImportMode { kImportCheck = 0, kImportCreate = 1 };

// Reads the Windows-1252 data lines from the stream's position (the header
// already read) up to the end or the first line shorter than 10 characters.
// Mode 0 checks; mode 1 checks and creates every line that passes. errors
// receives the number of faults (one per flag set), imported is increased
// once per competitor created. Returns the number of the last line read (the header
// being line 1).
std::size_t LitFichierImport(Contest& contest, std::istream& file, std::size_t& errors, std::size_t& imported,
                             ImportFlags& flags, ImportMode mode);

// Reads the Windows-1252 header line; whether it has at least 7 tabs.
bool readImportHeader(std::istream& file);

// The error list of the dialog: for every line in order, one entry per flag
// in the order 1, 4, 8, 2, 16 (UTF-8).
std::vector<std::string> importErrorLines(const ImportFlags& flags);

// "%u  fiche(s) importée(s)  -  %u  erreur(s)" (UTF-8).
std::string importResultLine(std::size_t imported, std::size_t errors);

// "lecture arrêtée à la ligne %u : %u ligne(s) non lue(s)" (UTF-8).
std::string importUnreadLine(std::size_t unread, std::size_t stopLine);

// The alert of a file that cannot be opened (UTF-8).
std::string importCannotOpenText(const std::string& path);

enum class ImportStatus {
    Imported,     // no error in the check pass: the import pass ran
    Refused,      // faulty lines: nothing created, see errorLines
    CannotOpen,   // alert text in alert
    Incompatible, // header with fewer than 7 tabs: alert 401, maybe a hint
};

struct ImportOutcome {
    ImportStatus status = ImportStatus::Imported;
    std::size_t imported = 0;
    std::size_t errors = 0;
    std::size_t lastLine = 0;
    ImportFlags flags;
    std::string resultLine;              // line 741, when the file could be read
    std::vector<std::string> errorLines; // Refused
    std::string alert;                   // CannotOpen, Incompatible
    // Incompatible with fields separated by semicolons or commas: that
    // they must be separated by tabs (UTF-8); empty otherwise.
    std::string hint;
    // Lines with something in them from the short line that ends the
    // reading on, never read; unreadLine says so when there are any.
    std::size_t unread = 0;
    std::string unreadLine;
};

// "Importer" of the import dialog on an open stream (it must be seekable:
// the import pass reads it again from its start). The contest keeps its counts;
// highestNumber current; the caller saves the contest when something was
// imported.
ImportOutcome importCompetitors(Contest& contest, std::istream& file);

// The same on a file named by the user.
ImportOutcome importCompetitorsFromFile(Contest& contest, const std::string& path);

} // namespace r7t
