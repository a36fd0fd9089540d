// The inspection file (.ctr): the tag 51245, then every glider record in
// list order, 140 bytes each. The byte layout is in docs/inspection-file.md.
#pragma once

#include "inspection/glider.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace r7t {

inline constexpr int kGliderSize = 140;
// A full inspection is 198 records (27 724 bytes); refusing much larger
// files keeps a hostile one from exhausting memory.
inline constexpr std::uintmax_t kMaxInspectionFileSize = 1024 * 1024;

// The whole file: the tag and every record. Links are written as zero.
std::vector<uint8_t> serializeInspection(const Inspection& inspection);

enum class InspectionLoadStatus {
    Loaded,        // isOpen stays as it was
    Incompatible,  // message 401 was raised, isOpen false
};

struct InspectionLoadOutcome {
    InspectionLoadStatus status = InspectionLoadStatus::Loaded;
    int records = 0;        // records appended
    int recordsSkipped = 0; // lost to exhausted memory (each raised 402)
    bool truncated = false; // the file ended inside a record, which was ignored
};

// Appends the records of the bytes to the inspection: records are read
// until the end, a pilot number 0 or a short last record. Any bytes are
// safe to give.
InspectionLoadOutcome loadInspection(Inspection& inspection, std::span<const uint8_t> bytes);

// Reads the file named by filePath. A missing, unreadable, oversized or
// foreign file is refused as incompatible (401) and isOpen cleared.
// Never creates or changes the file.
InspectionLoadOutcome RepriseFic(Inspection& inspection);

enum class InspectionSaveStatus { Saved, NotOpen, Failed };
struct InspectionSaveOutcome {
    InspectionSaveStatus status = InspectionSaveStatus::NotOpen;
    std::string error;
    bool ok() const { return status == InspectionSaveStatus::Saved; }
};

// Writes the whole file to filePath atomically; nothing unless isOpen is set.
InspectionSaveOutcome MajFichier(const Inspection& inspection);

// Clears the read-only mark of a file just opened, so that the saves after
// each change can replace it. False when it cannot be changed.
bool makeWritable(const std::string& path);

} // namespace r7t
