// The contest file: writing (MajFichier, MajSauvegarde) and loading
// (RepriseFic). The byte layout is documented in docs/contest-file.md.
#pragma once

#include "contest/contest.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace r7t {

inline constexpr int kHeaderSize = 292;
inline constexpr int kPilotSize = 268;
inline constexpr int kExtraSize = 96;
inline constexpr int kGroupSize = 208;
inline constexpr int kResultSize = 72;
inline constexpr int kMessageIncompatible = 401;

// Files above this size cannot be contests (the largest one is about 1.1 MB);
// refusing them keeps a hostile file from exhausting memory.
inline constexpr std::uintmax_t kMaxContestFileSize = 64u * 1024 * 1024;

enum class LoadStatus {
    Loaded,        // the contest is open (isOpen stays true)
    Incompatible,  // message 401, isOpen false
    OrphanResult,  // a result with no duration group: the fault report
};

struct LoadOutcome {
    LoadStatus status = LoadStatus::Loaded;
    int recordsSkipped = 0; // records lost to exhausted memory (each raised 402)
    int formatVersion = 0;  // version read from the header
};

// Loads the file named by contest.filePath into the still empty contest.
// Never creates or changes the file.
LoadOutcome RepriseFic(Contest& contest);
// The same from bytes already read.
LoadOutcome loadContest(Contest& contest, std::span<const uint8_t> bytes);

// Refreshes the header fields written at each save (version, counter,
// language, password) and returns the whole file's bytes.
std::vector<uint8_t> serializeContest(Contest& contest);

enum class SaveStatus { Saved, NotOpen, Failed };

struct SaveOutcome {
    SaveStatus status = SaveStatus::NotOpen;
    std::string path;
    std::string error;
    bool ok() const { return status == SaveStatus::Saved; }
};

// Writes the contest to filePath, atomically; nothing unless isOpen is set.
SaveOutcome MajFichier(Contest& contest);
// Writes the backup: the same content to the backup path.
SaveOutcome MajSauvegarde(Contest& contest);
// The same content to any path (save a copy).
SaveOutcome saveContestTo(Contest& contest, const std::string& path);

// The French alert of a save that failed, naming the file; "\r" breaks lines
// as in the string table.
std::string saveFailedText(const SaveOutcome& outcome);
// The question asked when the save made on quitting failed.
std::string quitUnsavedText(const SaveOutcome& outcome);

} // namespace r7t
