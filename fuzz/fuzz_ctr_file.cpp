// Any bytes given to the inspection file loader: loaded or refused as
// incompatible; never a crash, a hang or an out-of-bounds read.
#include "inspection/ctr_file.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    r7t::Inspection inspection;
    inspection.isOpen = true;
    if (r7t::loadInspection(inspection, {data, size}).status != r7t::InspectionLoadStatus::Loaded)
        return 0;
    for (const r7t::Glider& p : inspection.gliders)
        (void)r7t::verdictOf(p);
    // Whatever loaded must save and load again to the same bytes.
    std::vector<uint8_t> once = r7t::serializeInspection(inspection);
    r7t::Inspection again;
    if (r7t::loadInspection(again, once).status != r7t::InspectionLoadStatus::Loaded ||
        r7t::serializeInspection(again) != once)
        std::abort();
    return 0;
}
