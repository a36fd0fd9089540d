// Opening an inspection file at start: a new one (nothing written until the
// first change) or an existing one. Either way the file's lock is held while
// it is open, so that a second inspection program cannot write it too.
#pragma once

#include "contest/file_lock.h"
#include "inspection/glider.h"

#include <string>

namespace r7t {

enum class InspectionOpenStatus {
    Opened,       // isOpen true, the lock held
    Incompatible, // message 401 raised by the loader; isOpen false
    Locked,       // another program or command holds the file: lockedBy says who
};

// Whenever the result is not Opened, isOpen is false, filePath empty and no
// record was added; the file is never created or changed.
InspectionOpenStatus startNewInspection(Inspection& inspection, const std::string& path,
                                        LockHolder* lockedBy = nullptr);
InspectionOpenStatus openInspectionFile(Inspection& inspection, const std::string& path,
                                        LockHolder* lockedBy = nullptr);

} // namespace r7t
