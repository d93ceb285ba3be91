#pragma once

#include "runtime/Message.h"

namespace lumotrix {

// The usual reasons a file or device operation fails, in the program's own words rather than
// the system's English; an unusual one shows its number.
TMessage SystemReason(int errorNumber);

// Why `path` cannot be opened for reading, told from what is (or is not) there; `errorNumber`
// is the system's word for what the path itself does not explain. Not a regular file counts:
// a device or a pipe would hand a reader endless or blocking input.
TMessage ReadFailureReason(const QString& path, int errorNumber);

} // namespace lumotrix
