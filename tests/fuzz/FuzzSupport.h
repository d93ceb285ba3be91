#pragma once

// Shared by the fuzz targets: a reader may refuse its input with one of the project's own
// exceptions; any other exception, a crash or a value that does not survive a round trip is a
// finding and ends the run.

#include "runtime/Exception.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace lumotrix::fuzz {

// Inputs that went through a whole round trip; the replay counts them.
inline int RoundTrips = 0;

inline QByteArray Bytes(const std::uint8_t* data, std::size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

[[noreturn]] inline void Finding(const char* what) {
    std::fprintf(stderr, "fuzz finding: %s\n", what);
    std::abort();
}

inline void Check(bool ok, const char* what) {
    if (!ok)
        Finding(what);
}

// True when `read` ran through, false when it refused with the project's exception.
template <typename F> bool Accepted(F&& read) {
    try {
        read();
        return true;
    } catch (const Exception&) {
        return false;
    }
}

} // namespace lumotrix::fuzz
