#pragma once

#include <QByteArray>
#include <functional>

namespace lumotrix {

// The least the controller link needs of a serial port. Kept header-only and free of
// anything but Qt Core so that the port component (widgets) and the test fakes can
// implement it without pulling in the rest of the link.
class TSerialPort {
public:
    virtual ~TSerialPort() = default;

    // Opens the configured port; throws an Exception naming the port when it can't.
    virtual void Open() = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // Hands every byte to the port, in order, before returning; throws when it can't.
    virtual void WriteStr(const QByteArray& bytes) = 0;
    // Takes up to `count` of the bytes waiting (fewer only when fewer are waiting).
    virtual QByteArray ReadStr(int count) = 0;

    // Raised with the number of bytes waiting when bytes have arrived (NUL bytes already
    // dropped).
    std::function<void(int count)> OnRxChar;
    // Raised when 0x03 has arrived, after OnRxChar delivered the batch holding it.
    std::function<void()> OnRxFlag;
};

} // namespace lumotrix
