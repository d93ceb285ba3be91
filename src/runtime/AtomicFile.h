#pragma once

#include <QByteArray>
#include <QString>

namespace lumotrix {

// Writes `bytes` to `path` through a temporary file and a rename, so that a failure leaves the
// file as it was. False on failure, with the system's reason in `error`.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString& error);

} // namespace lumotrix
