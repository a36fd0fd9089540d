#include "inspection/ctr_file.h"

#include "contest/atomic_file.h"

#include <bit>
#include <cstring>

#include <sys/stat.h>

namespace r7t {

namespace {

class Writer {
public:
    explicit Writer(std::vector<uint8_t>& out) : out_(out) {}
    void i32(int32_t v)
    {
        auto u = static_cast<uint32_t>(v);
        for (int i = 0; i < 4; ++i)
            out_.push_back(static_cast<uint8_t>(u >> (8 * i)));
    }
    void f32(float v) { i32(static_cast<int32_t>(std::bit_cast<uint32_t>(v))); }
    template <size_t N>
    void text(const FixedText<N>& t) { out_.insert(out_.end(), t.bytes.begin(), t.bytes.end()); }
    template <size_t N>
    void raw(const std::array<uint8_t, N>& b) { out_.insert(out_.end(), b.begin(), b.end()); }

private:
    std::vector<uint8_t>& out_;
};

// Reads fields of one record already known to be whole.
class Reader {
public:
    explicit Reader(const uint8_t* at) : at_(at) {}
    int32_t i32()
    {
        uint32_t u = uint32_t(at_[0]) | uint32_t(at_[1]) << 8 | uint32_t(at_[2]) << 16 | uint32_t(at_[3]) << 24;
        at_ += 4;
        return static_cast<int32_t>(u);
    }
    float f32() { return std::bit_cast<float>(static_cast<uint32_t>(i32())); }
    template <size_t N>
    void text(FixedText<N>& t)
    {
        std::memcpy(t.bytes.data(), at_, N);
        at_ += N;
    }
    template <size_t N>
    void raw(std::array<uint8_t, N>& b)
    {
        std::memcpy(b.data(), at_, N);
        at_ += N;
    }
    void skip(size_t n) { at_ += n; }

private:
    const uint8_t* at_;
};

void writePlaneur(Writer& w, const Planeur& p)
{
    w.i32(p.pilot);
    w.i32(p.glider);
    w.i32(0); // memory link
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

void readPlaneur(Reader& r, Planeur& p)
{
    p.pilot = r.i32();
    p.glider = r.i32();
    r.skip(4); // memory link of the writer
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
    inspection.FlagFic = 0;
    return {InspectionLoadStatus::Incompatible};
}

} // namespace

std::vector<uint8_t> serializeInspection(const Inspection& inspection)
{
    std::vector<uint8_t> bytes;
    bytes.reserve(4 + inspection.planeurs.size() * kPlaneurSize);
    Writer w(bytes);
    w.i32(kCtrFileTag);
    for (const Planeur& p : inspection.planeurs)
        writePlaneur(w, p);
    return bytes;
}

InspectionLoadOutcome loadInspection(Inspection& inspection, std::span<const uint8_t> bytes)
{
    if (bytes.size() < 4 || Reader(bytes.data()).i32() != kCtrFileTag)
        return refuse(inspection);
    InspectionLoadOutcome outcome;
    for (size_t at = 4; at < bytes.size(); at += kPlaneurSize) {
        if (bytes.size() - at < static_cast<size_t>(kPlaneurSize)) {
            outcome.truncated = true;
            break;
        }
        Planeur read;
        Reader r(bytes.data() + at);
        readPlaneur(r, read);
        if (read.pilot == 0)
            break;
        Planeur* p = inspection.NewPlaneur();
        if (!p) {
            ++outcome.recordsSkipped;
            continue;
        }
        *p = read;
        ++outcome.records;
        inspection.ActPilote = read.pilot;
        // Only real pilot numbers count: the print range runs up to it.
        if (read.pilot < 100 && read.pilot > inspection.MaxNumPilot)
            inspection.MaxNumPilot = read.pilot;
    }
    return outcome;
}

InspectionLoadOutcome RepriseFic(Inspection& inspection)
{
    std::string bytes;
    if (readWholeFile(inspection.szPath, bytes, kMaxInspectionFileSize) != ReadStatus::Ok)
        return refuse(inspection);
    return loadInspection(inspection,
                          {reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()});
}

InspectionSaveOutcome MajFichier(const Inspection& inspection)
{
    if (inspection.FlagFic != 1)
        return {InspectionSaveStatus::NotOpen, {}};
    const std::vector<uint8_t> bytes = serializeInspection(inspection);
    WriteOutcome written = writeFileAtomically(inspection.szPath, bytes);
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
