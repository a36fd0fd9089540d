#include "inspection/opening.h"

#include "inspection/ctr_file.h"

#include <memory>

namespace r7t {

namespace {

// The lock, or the refusal when someone else holds it. A folder where no
// lock file can be made (read-only) leaves nobody able to write anyway.
bool takeLock(Inspection& inspection, const std::string& path, LockHolder* lockedBy)
{
    auto lock = std::make_shared<FileLock>(FileLock::take(path, LockHolder::Program, kLockPatience));
    if (lock->state() == FileLock::State::Busy) {
        if (lockedBy)
            *lockedBy = lock->holder();
        return false;
    }
    inspection.writerLock = std::move(lock);
    return true;
}

InspectionOpenStatus refuse(Inspection& inspection, InspectionOpenStatus status)
{
    inspection.isOpen = false;
    inspection.filePath.clear();
    inspection.writerLock.reset();
    return status;
}

} // namespace

InspectionOpenStatus startNewInspection(Inspection& inspection, const std::string& path, LockHolder* lockedBy)
{
    if (!takeLock(inspection, path, lockedBy))
        return refuse(inspection, InspectionOpenStatus::Locked);
    inspection.filePath = path;
    inspection.isOpen = true;
    return InspectionOpenStatus::Opened;
}

InspectionOpenStatus openInspectionFile(Inspection& inspection, const std::string& path, LockHolder* lockedBy)
{
    if (!takeLock(inspection, path, lockedBy))
        return refuse(inspection, InspectionOpenStatus::Locked);
    inspection.filePath = path;
    inspection.isOpen = true;
    if (RepriseFic(inspection).status != InspectionLoadStatus::Loaded) {
        inspection.clearRecords();
        return refuse(inspection, InspectionOpenStatus::Incompatible);
    }
    // Read-only would make every save after a change fail.
    makeWritable(path);
    return InspectionOpenStatus::Opened;
}

} // namespace r7t
