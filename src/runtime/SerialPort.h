#pragma once

#include <QByteArray>
#include <functional>

namespace lumotrix {

// The least the controller link needs of a serial port, and the receive contract every port
// keeps: NUL bytes dropped (DiscardNull), the batch added to the bytes waiting, OnRxChar with
// the number waiting, then OnRxFlag when the batch held the event byte. Ports hand each batch
// they receive to Deliver, so the contract is written here only.
class TSerialPort {
public:
    TSerialPort() = default;
    TSerialPort(const TSerialPort&) = delete;
    TSerialPort& operator=(const TSerialPort&) = delete;
    virtual ~TSerialPort() = default;

    // Opens the configured port; throws an Exception naming the port when it can't.
    virtual void Open() = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // Hands every byte to the port, in order, before returning; throws when it can't.
    virtual void WriteStr(const QByteArray& bytes) = 0;
    // Takes up to `count` of the bytes waiting (fewer only when fewer are waiting).
    QByteArray ReadStr(int count);
    // Bytes received and not yet taken by ReadStr.
    int InputCount() const { return int(FWaiting.size()); }

    bool DiscardNull() const { return FDiscardNull; }
    void SetDiscardNull(bool discard) { FDiscardNull = discard; }
    char EventChar() const { return FEventChar; }
    void SetEventChar(char eventChar) { FEventChar = eventChar; }

    // Raised with the number of bytes waiting when bytes have arrived.
    std::function<void(int count)> OnRxChar;
    // Raised when the event byte has arrived, after OnRxChar delivered the batch holding it.
    std::function<void()> OnRxFlag;

protected:
    // One batch as it came from the line. Returns false when nothing was left to deliver.
    bool Deliver(QByteArray batch);
    // Forgets the bytes waiting (the port closed or opened afresh).
    void DropWaiting() { FWaiting.clear(); }

private:
    QByteArray FWaiting;
    bool FDiscardNull = true;
    char FEventChar = 0x03;
};

} // namespace lumotrix
