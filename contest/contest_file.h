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
    Damaged,       // the contest's own records contradict each other: isOpen
                   // false, the reason in LoadOutcome::damage, shown by the
                   // caller with message 401 (no alert is raised)
};

struct LoadOutcome {
    LoadStatus status = LoadStatus::Loaded;
    int recordsSkipped = 0; // records lost to exhausted memory (each raised 402)
    int formatVersion = 0;  // version read from the header
    // Records no list, dialog or ranking could ever show, left out of the
    // contest (see docs/contest-file.md); the next save no longer has them.
    int groupsDropped = 0;
    int resultsDropped = 0;
    // Damaged: what contradicts what, in French ("manche 2, vitesse : il
    // manque les concurrents du groupe 3").
    std::string damage;
};

// Loads the file named by contest.filePath into the still empty contest.
// Never creates or changes the file. Whatever loads has every round's
// groups 1..groupCount (at most kMaxGroupsPerRound) for both tasks, each
// person they place registered, and every result linked from its slot:
// the lists and rankings never meet a missing record. The work is linear in
// the file's size.
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

// The French notice of the records a load left out ("Fichier endommagé :
// 2 groupes de départ et 1 score ... ignorés"), saying with saving that the
// next save will not write them; empty when none was.
std::string droppedRecordsText(const LoadOutcome& outcome, bool saving = false);

// The French alert of a save that failed, naming the file; "\r" breaks lines
// as in the string table.
std::string saveFailedText(const SaveOutcome& outcome);
// The question asked when the save made on quitting failed.
std::string quitUnsavedText(const SaveOutcome& outcome);

} // namespace r7t
