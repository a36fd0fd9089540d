#include "inspection/ctr_file.h"

#include "contest/atomic_file.h"
#include "contest/record_io.h"
#include "contest/records.h"

#include <bit>
#include <cstring>

#include <sys/stat.h>

namespace r7t {

namespace {

using Writer = RecordWriter;
using Reader = RecordReader;

void writeGlider(Writer& w, const Glider& p)
{
    w.i32(p.pilot);
    w.i32(p.glider);
    w.link();
    w.text(p.model);
    w.text(p.registration);
    w.text(p.pilotName);
    w.i32(p.mass);
    w.f32(p.span);
    w.f32(p.width);
    w.f32(p.height);
    w.raw(p.reserved1);
    w.i32(p.canopy);
    w.i32(p.groundClearance);
    w.raw(p.reserved2);
    w.i32(p.valid);
    w.i32(p.filled);
    w.raw(p.reserved3);
}

void readGlider(Reader& r, Glider& p)
{
    p.pilot = r.i32();
    p.glider = r.i32();
    r.skipLink();
    r.text(p.model);
    r.text(p.registration);
    r.text(p.pilotName);
    p.mass = r.i32();
    p.span = r.f32();
    p.width = r.f32();
    p.height = r.f32();
    r.raw(p.reserved1);
    p.canopy = r.i32();
    p.groundClearance = r.i32();
    r.raw(p.reserved2);
    p.valid = r.i32();
    p.filled = r.i32();
    r.raw(p.reserved3);
}

InspectionLoadOutcome refuse(Inspection& inspection)
{
    inspection.raiseAlert(kInspectionMessageIncompatible);
    inspection.isOpen = false;
    return {InspectionLoadStatus::Incompatible};
}

} // namespace

std::vector<uint8_t> serializeInspection(const Inspection& inspection)
{
    std::vector<uint8_t> bytes;
    bytes.reserve(4 + inspection.gliders.size() * kGliderSize);
    Writer w(bytes);
    w.i32(kCtrFileTag);
    for (const Glider& p : inspection.gliders)
        writeGlider(w, p);
    return bytes;
}

InspectionLoadOutcome loadInspection(Inspection& inspection, std::span<const uint8_t> bytes)
{
    if (bytes.size() < 4 || Reader(bytes.data()).i32() != kCtrFileTag)
        return refuse(inspection);
    InspectionLoadOutcome outcome;
    for (size_t at = 4; at < bytes.size(); at += kGliderSize) {
        if (bytes.size() - at < static_cast<size_t>(kGliderSize)) {
            outcome.truncated = true;
            break;
        }
        Glider read;
        Reader r(bytes.data() + at);
        readGlider(r, read);
        if (read.pilot == 0)
            break;
        Glider* p = inspection.newGlider();
        if (!p) {
            ++outcome.recordsSkipped;
            continue;
        }
        *p = read;
        ++outcome.records;
        inspection.currentPilot = read.pilot;
        // Only real pilot numbers count: the print range runs up to it.
        if (isCompetitorNumber(read.pilot) && read.pilot > inspection.highestNumber)
            inspection.highestNumber = read.pilot;
    }
    return outcome;
}

InspectionLoadOutcome RepriseFic(Inspection& inspection)
{
    std::string bytes;
    if (readWholeFile(inspection.filePath, bytes, kMaxInspectionFileSize) != ReadStatus::Ok)
        return refuse(inspection);
    return loadInspection(inspection,
                          {reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()});
}

InspectionSaveOutcome MajFichier(const Inspection& inspection)
{
    if (!inspection.isOpen)
        return {InspectionSaveStatus::NotOpen, {}};
    const std::vector<uint8_t> bytes = serializeInspection(inspection);
    WriteOutcome written = writeFileAtomically(inspection.filePath, bytes);
    if (!written.ok)
        return {InspectionSaveStatus::Failed, written.error};
    return {InspectionSaveStatus::Saved, {}};
}

bool makeWritable(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return false;
    return (st.st_mode & S_IWUSR) || ::chmod(path.c_str(), (st.st_mode & 07777) | S_IWUSR) == 0;
}

} // namespace r7t
