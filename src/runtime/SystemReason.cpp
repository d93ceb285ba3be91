#include "runtime/SystemReason.h"

#include "runtime/MessageIds.h"

#include <QFileInfo>
#include <cerrno>
#include <filesystem>

namespace lumotrix {

TMessage SystemReason(int errorNumber) {
    switch (errorNumber) {
    case ENOENT:
        return {msgReasonMissing};
    case EACCES:
    case EPERM:
        return {msgReasonNoPermission};
    case EBUSY:
    case ETXTBSY:
        return {msgReasonBusy};
    case ENOSPC:
    case EDQUOT:
        return {msgReasonDiskFull};
    case EROFS:
        return {msgReasonReadOnly};
    case EISDIR:
        return {msgReasonIsFolder};
    case ENOTDIR:
        return {msgReasonNotFolder};
    case EIO:
        return {msgReasonDeviceError};
    case ENAMETOOLONG:
        return {msgReasonNameTooLong};
    case EMFILE:
    case ENFILE:
        return {msgReasonTooManyFiles};
    case ENXIO:
    case ENODEV:
        return {msgReasonDisconnected};
    default:
        return {msgReasonSystemError, {errorNumber}};
    }
}

TMessage ReadFailureReason(const QString& path, int errorNumber) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status status = fs::status(fs::path(path.toStdU16String()), error);
    if (status.type() == fs::file_type::not_found)
        return {msgReasonMissing};
    if (status.type() == fs::file_type::directory)
        return {msgReasonIsFolder};
    if (!error && status.type() != fs::file_type::regular)
        return {msgReasonNotRegularFile};
    if (!QFileInfo(path).isReadable())
        return {msgReasonNoPermission};
    return SystemReason(errorNumber);
}

} // namespace lumotrix
