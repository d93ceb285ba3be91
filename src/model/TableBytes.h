#pragma once

// The little-endian byte writer and the bounds-checked reader of the table file, with its CRC.

#include "model/ModelMessageIds.h"
#include "runtime/Exception.h"

#include <QByteArray>
#include <QString>
#include <QtEndian>
#include <cstring>

namespace lumotrix {

quint32 Crc32(const char* data, qsizetype size);

class TByteWriter {
public:
    void U8(quint8 v) { FBytes.append(static_cast<char>(v)); }
    void U16(quint16 v) { Raw(qToLittleEndian(v)); }
    void U32(quint32 v) { Raw(qToLittleEndian(v)); }
    void I32(qint32 v) { Raw(qToLittleEndian(v)); }
    void F64(double v) {
        quint64 bits;
        std::memcpy(&bits, &v, sizeof bits);
        Raw(qToLittleEndian(bits));
    }
    void Bytes(const QByteArray& b) { FBytes.append(b); }
    QByteArray& Data() { return FBytes; }

private:
    template <typename T> void Raw(T v) {
        FBytes.append(reinterpret_cast<const char*>(&v), sizeof v);
    }
    QByteArray FBytes;
};

class TByteReader {
public:
    TByteReader(const QByteArray& bytes, qsizetype end, QString source)
        : FBytes(bytes), FEnd(end), FSource(std::move(source)) {}

    [[noreturn]] void Fail(const TMessage& what) const {
        throw EReadError(TMessage(msgTableFileRefused, {FSource, what, FPos}));
    }
    qsizetype Remaining() const { return FEnd - FPos; }
    qsizetype Pos() const { return FPos; }
    const char* Take(qsizetype n) {
        if (n < 0 || n > Remaining())
            Fail({msgTableCutShort});
        const char* p = FBytes.constData() + FPos;
        FPos += n;
        return p;
    }
    quint8 U8() { return static_cast<quint8>(*Take(1)); }
    quint16 U16() { return qFromLittleEndian<quint16>(Take(2)); }
    quint32 U32() { return qFromLittleEndian<quint32>(Take(4)); }
    qint32 I32() { return qFromLittleEndian<qint32>(Take(4)); }
    double F64() {
        const quint64 bits = qFromLittleEndian<quint64>(Take(8));
        double v;
        std::memcpy(&v, &bits, sizeof v);
        return v;
    }

private:
    const QByteArray& FBytes;
    qsizetype FEnd;
    QString FSource;
    qsizetype FPos = 0;
};

} // namespace lumotrix
