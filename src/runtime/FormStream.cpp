#include "runtime/FormStream.h"

#include "runtime/CodePage.h"
#include "runtime/CodePages.h"
#include "runtime/Exception.h"
#include "runtime/NestingGuard.h"

#include <QtEndian>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

namespace lumotrix {

const QByteArray FormSignature = QByteArrayLiteral("TPF0");

namespace {

template <typename T> void AppendLittleEndian(QByteArray& data, T value) {
    char buffer[sizeof(T)];
    qToLittleEndian(value, buffer);
    data.append(buffer, sizeof(T));
}

// m / 2^shift rounded to nearest, ties to even; shift may exceed 63.
quint64 RoundShiftRight(quint64 m, int shift) {
    if (shift <= 0)
        return m;
    if (shift > 64)
        return 0;
    const quint64 q = shift == 64 ? 0 : m >> shift;
    const quint64 rest = shift == 64 ? m : m & ((quint64(1) << shift) - 1);
    const quint64 half = quint64(1) << (shift - 1);
    if (rest > half || (rest == half && (q & 1)))
        return q + 1;
    return q;
}

} // namespace

double ExtendedToDouble(const char* bytes) {
    quint64 mantissa;
    std::memcpy(&mantissa, bytes, 8);
    mantissa = qFromLittleEndian(mantissa);
    const quint16 signExp = qFromLittleEndian<quint16>(bytes + 8);
    const quint64 sign = quint64(signExp >> 15) << 63;
    int exponent = signExp & 0x7FFF;

    if (exponent == 0x7FFF) {
        const quint64 fraction = mantissa & ~(quint64(1) << 63);
        if (fraction == 0)
            return std::bit_cast<double>(sign | 0x7FF0000000000000ULL);
        quint64 payload = (fraction >> 11) & 0x000FFFFFFFFFFFFFULL;
        if (payload == 0)
            payload = 0x0008000000000000ULL;
        return std::bit_cast<double>(sign | 0x7FF0000000000000ULL | payload);
    }
    if (mantissa == 0)
        return std::bit_cast<double>(sign);
    // Extended denormals use the exponent of the smallest normal; unnormals are taken by value.
    if (exponent == 0)
        exponent = 1;
    const int lead = std::countl_zero(mantissa);
    mantissa <<= lead;
    exponent -= lead;
    // value = mantissa * 2^(exponent - 16383 - 63) with the top mantissa bit set.
    const int biased = exponent - 16383 + 1023;
    if (biased >= 0x7FF)
        return std::bit_cast<double>(sign | 0x7FF0000000000000ULL);
    quint64 bits;
    if (biased >= 1)
        bits = (quint64(biased - 1) << 52) + RoundShiftRight(mantissa, 11);
    else
        bits = RoundShiftRight(mantissa, 11 + 1 - biased);
    if (bits >= 0x7FF0000000000000ULL) // rounding carried into infinity
        bits = 0x7FF0000000000000ULL;
    return std::bit_cast<double>(sign | bits);
}

QByteArray DoubleToExtended(double value) {
    const quint64 bits = std::bit_cast<quint64>(value);
    const quint16 sign = (bits >> 63) ? 0x8000 : 0;
    const int exponent = int((bits >> 52) & 0x7FF);
    quint64 fraction = bits & 0x000FFFFFFFFFFFFFULL;
    quint64 mantissa = 0;
    int extExponent = 0;
    if (exponent == 0x7FF) {
        extExponent = 0x7FFF;
        mantissa = (quint64(1) << 63) | (fraction << 11);
    } else if (exponent == 0) {
        if (fraction != 0) {
            // A double denormal is a normal extended number.
            const int lead = std::countl_zero(fraction);
            mantissa = fraction << lead;
            extExponent = 16383 - 1022 - (lead - 11);
        }
    } else {
        mantissa = (quint64(1) << 63) | (fraction << 11);
        extExponent = exponent - 1023 + 16383;
    }
    QByteArray out(10, '\0');
    qToLittleEndian(mantissa, out.data());
    qToLittleEndian<quint16>(quint16(sign | extExponent), out.data() + 8);
    return out;
}

// ---------------------------------------------------------------------------------------------

TReader::TReader(QByteArray data, int codePage) : FData(std::move(data)), FCodePage(codePage) {}

void TReader::Fail(const QString& what, qsizetype offset) const {
    throw EReadError(QStringLiteral("%1 at offset %2").arg(what).arg(offset));
}

void TReader::Need(qsizetype count) const {
    if (count < 0 || count > FData.size() - FPosition)
        Fail(QStringLiteral("Unexpected end of form stream"), FPosition);
}

void TReader::WrongType(const char* expected, qsizetype tagOffset, quint8 tag) const {
    if (tag > MaxValueType)
        Fail(QStringLiteral("Unknown value type"), tagOffset);
    Fail(QStringLiteral("Invalid property value: %1 expected, value type %2 found")
             .arg(QLatin1String(expected))
             .arg(tag),
         tagOffset);
}

void TReader::ReadSignature() {
    if (FData.size() - FPosition < FormSignature.size() ||
        FData.mid(FPosition, FormSignature.size()) != FormSignature)
        Fail(QStringLiteral("Invalid form stream signature"), FPosition);
    FPosition += FormSignature.size();
}

TValueType TReader::NextValue() {
    Need(1);
    return TValueType(quint8(FData[FPosition]) & FTagMask);
}

TValueType TReader::ReadValue() {
    const TValueType tag = NextValue();
    if (quint8(tag) > MaxValueType)
        Fail(QStringLiteral("Unknown value type"), FPosition);
    ++FPosition;
    return tag;
}

bool TReader::EndOfList() {
    Need(1);
    return FData[FPosition] == 0;
}

void TReader::ReadListBegin() {
    const qsizetype at = FPosition;
    const TValueType tag = ReadValue();
    if (tag != TValueType::vaList)
        WrongType("list", at, quint8(tag));
}

void TReader::ReadListEnd() {
    Need(1);
    if (FData[FPosition] != 0)
        Fail(QStringLiteral("End of list expected"), FPosition);
    ++FPosition;
}

QByteArray TReader::Read(qsizetype count) {
    Need(count);
    QByteArray bytes = FData.mid(FPosition, count);
    FPosition += count;
    return bytes;
}

QByteArray TReader::ReadStr() {
    Need(1);
    const int length = quint8(FData[FPosition]);
    ++FPosition;
    return Read(length);
}

void TReader::ReadPrefix(int& flags, int& childPos) {
    flags = 0;
    childPos = -1;
    Need(1);
    const quint8 b = quint8(FData[FPosition]);
    if ((b & 0xF0) != 0xF0)
        return;
    ++FPosition;
    flags = b & 0x0F;
    if (flags & ffChildPos)
        childPos = ReadInteger();
}

template <typename T> T TReader::ReadLittleEndian() {
    Need(sizeof(T));
    const T v = qFromLittleEndian<T>(FData.constData() + FPosition);
    FPosition += sizeof(T);
    return v;
}

qint8 TReader::ReadInt8Raw() {
    Need(1);
    return qint8(FData[FPosition++]);
}

qint16 TReader::ReadInt16Raw() {
    return ReadLittleEndian<qint16>();
}

qint32 TReader::ReadInt32Raw() {
    return ReadLittleEndian<qint32>();
}

qint64 TReader::ReadInt64Raw() {
    return ReadLittleEndian<qint64>();
}

qint32 TReader::ReadInteger() {
    const qsizetype at = FPosition;
    switch (ReadValue()) {
    case TValueType::vaInt8:
        return ReadInt8Raw();
    case TValueType::vaInt16:
        return ReadInt16Raw();
    case TValueType::vaInt32:
        return ReadInt32Raw();
    default:
        WrongType("integer", at, quint8(quint8(FData[at]) & FTagMask));
    }
}

qint64 TReader::ReadInt64() {
    if (NextValue() == TValueType::vaInt64) {
        ++FPosition;
        return ReadInt64Raw();
    }
    return ReadInteger();
}

double TReader::ReadFloat() {
    const qsizetype at = FPosition;
    switch (NextValue()) {
    case TValueType::vaExtended: {
        ++FPosition;
        Need(10);
        const double v = ExtendedToDouble(FData.constData() + FPosition);
        FPosition += 10;
        return v;
    }
    case TValueType::vaSingle: {
        ++FPosition;
        return std::bit_cast<float>(quint32(ReadInt32Raw()));
    }
    case TValueType::vaInt8:
    case TValueType::vaInt16:
    case TValueType::vaInt32:
        return ReadInteger();
    default:
        WrongType("float", at, quint8(quint8(FData[at]) & FTagMask));
    }
}

double TReader::ReadDouble() {
    if (NextValue() == TValueType::vaDouble) {
        ++FPosition;
        return std::bit_cast<double>(ReadInt64Raw());
    }
    return ReadFloat();
}

qint64 TReader::ReadCurrency() {
    ExpectValue(TValueType::vaCurrency, "currency");
    return ReadInt64Raw();
}

double TReader::ReadDate() {
    ExpectValue(TValueType::vaDate, "date");
    return std::bit_cast<double>(ReadInt64Raw());
}

void TReader::ExpectValue(TValueType expected, const char* name) {
    const qsizetype at = FPosition;
    if (ReadValue() != expected)
        WrongType(name, at, quint8(quint8(FData[at]) & FTagMask));
}

quint32 TReader::ReadLength() {
    const qsizetype at = FPosition;
    const qint32 length = ReadInt32Raw();
    if (length < 0 || length > FData.size() - FPosition)
        Fail(QStringLiteral("Invalid length %1").arg(length), at);
    return quint32(length);
}

QByteArray TReader::ReadString() {
    const qsizetype at = FPosition;
    switch (ReadValue()) {
    case TValueType::vaString:
        return ReadStr();
    case TValueType::vaLString:
        return Read(ReadLength());
    case TValueType::vaWString:
    case TValueType::vaUTF8String:
        FPosition = at;
        return ToAnsi(ReadWideString());
    default:
        WrongType("string", at, quint8(quint8(FData[at]) & FTagMask));
    }
}

QString TReader::ReadWideString() {
    const qsizetype at = FPosition;
    switch (ReadValue()) {
    case TValueType::vaWString: {
        const qsizetype lengthAt = FPosition;
        const qint32 count = ReadInt32Raw();
        if (count < 0 || count > (FData.size() - FPosition) / 2)
            Fail(QStringLiteral("Invalid length %1").arg(count), lengthAt);
        QString text(count, Qt::Uninitialized);
        for (qint32 i = 0; i < count; ++i)
            text[i] = QChar(qFromLittleEndian<quint16>(FData.constData() + FPosition + 2 * i));
        FPosition += 2 * qsizetype(count);
        return text;
    }
    case TValueType::vaUTF8String:
        return QString::fromUtf8(Read(ReadLength()));
    case TValueType::vaString:
    case TValueType::vaLString:
        FPosition = at;
        return DecodeCodePage(ReadString(), FCodePage);
    default:
        WrongType("string", at, quint8(quint8(FData[at]) & FTagMask));
    }
}

QByteArray TReader::ReadIdent() {
    const qsizetype at = FPosition;
    switch (ReadValue()) {
    case TValueType::vaIdent:
        return ReadStr();
    case TValueType::vaFalse:
        return QByteArrayLiteral("False");
    case TValueType::vaTrue:
        return QByteArrayLiteral("True");
    case TValueType::vaNil:
        return QByteArrayLiteral("nil");
    case TValueType::vaNull:
        return QByteArrayLiteral("Null");
    default:
        WrongType("identifier", at, quint8(quint8(FData[at]) & FTagMask));
    }
}

bool TReader::ReadBoolean() {
    const qsizetype at = FPosition;
    const TValueType tag = ReadValue();
    if (tag == TValueType::vaTrue)
        return true;
    if (tag == TValueType::vaFalse)
        return false;
    WrongType("Boolean", at, quint8(tag));
}

QByteArray TReader::ReadBinary() {
    ExpectValue(TValueType::vaBinary, "binary data");
    const qsizetype lengthAt = FPosition;
    const qint32 length = ReadInt32Raw();
    if (length <= 0)
        return {};
    if (length > FData.size() - FPosition)
        Fail(QStringLiteral("Invalid length %1").arg(length), lengthAt);
    return Read(length);
}

QList<QByteArray> TReader::ReadSet() {
    ExpectValue(TValueType::vaSet, "set");
    QList<QByteArray> elements;
    for (;;) {
        QByteArray element = ReadStr();
        if (element.isEmpty())
            return elements;
        elements.append(std::move(element));
    }
}

void TReader::SkipValue() {
    const qsizetype at = FPosition;
    const auto tooDeep = [&] { Fail(QStringLiteral("Form stream nested too deeply"), at); };
    switch (NextValue()) {
    case TValueType::vaNull:
    case TValueType::vaFalse:
    case TValueType::vaTrue:
    case TValueType::vaNil:
        ++FPosition;
        return;
    case TValueType::vaList:
        ++FPosition;
        {
            const TNestingGuard guard(FDepth, tooDeep);
            while (!EndOfList())
                SkipValue();
        }
        ReadListEnd();
        return;
    case TValueType::vaInt8:
    case TValueType::vaInt16:
    case TValueType::vaInt32:
        ReadInteger();
        return;
    case TValueType::vaExtended:
        ++FPosition;
        Read(10);
        return;
    case TValueType::vaString:
    case TValueType::vaIdent:
        ++FPosition;
        ReadStr();
        return;
    case TValueType::vaBinary:
        ReadBinary();
        return;
    case TValueType::vaSet:
        ReadSet();
        return;
    case TValueType::vaLString:
    case TValueType::vaUTF8String:
        ++FPosition;
        Read(ReadLength());
        return;
    case TValueType::vaWString:
        ReadWideString();
        return;
    case TValueType::vaCollection:
        ++FPosition;
        {
            const TNestingGuard guard(FDepth, tooDeep);
            while (!EndOfList()) {
                const TValueType tag = NextValue();
                if (tag == TValueType::vaInt8 || tag == TValueType::vaInt16 ||
                    tag == TValueType::vaInt32)
                    ReadInteger();
                ReadListBegin();
                while (!EndOfList())
                    SkipProperty();
                ReadListEnd();
            }
        }
        ReadListEnd();
        return;
    case TValueType::vaSingle:
        ++FPosition;
        Read(4);
        return;
    case TValueType::vaCurrency:
    case TValueType::vaDate:
    case TValueType::vaInt64:
    case TValueType::vaDouble:
        ++FPosition;
        Read(8);
        return;
    }
    Fail(QStringLiteral("Unknown value type"), at);
}

void TReader::SkipProperty() {
    ReadStr();
    SkipValue();
}

void TReader::SkipComponent() {
    const qsizetype at = FPosition;
    const TNestingGuard guard(FDepth,
                              [&] { Fail(QStringLiteral("Form stream nested too deeply"), at); });
    int flags, childPos;
    ReadPrefix(flags, childPos);
    ReadStr();
    ReadStr();
    while (!EndOfList())
        SkipProperty();
    ReadListEnd();
    while (!EndOfList())
        SkipComponent();
    ReadListEnd();
}

// ---------------------------------------------------------------------------------------------

void TWriter::WriteSignature() {
    FData.append(FormSignature);
}

void TWriter::WritePrefix(int flags, int childPos) {
    if (flags < 0 || flags > 0x0F)
        throw EWriteError(QStringLiteral("Invalid component prefix flags %1").arg(flags));
    if (flags == 0)
        return;
    FData.append(char(0xF0 | flags));
    if (flags & ffChildPos)
        WriteInteger(childPos);
}

void TWriter::WriteValue(TValueType tag) {
    FData.append(char(quint8(tag)));
}

void TWriter::WriteRaw(const QByteArray& bytes) {
    FData.append(bytes);
}

void TWriter::WriteStr(const QByteArray& text) {
    if (text.size() > 255)
        throw EWriteError(
            QStringLiteral("Short string of %1 bytes exceeds 255 bytes").arg(text.size()));
    FData.append(char(text.size()));
    FData.append(text);
}

void TWriter::WriteListBegin() {
    WriteValue(TValueType::vaList);
}

void TWriter::WriteListEnd() {
    FData.append('\0');
}

void TWriter::WriteInteger(qint64 value) {
    if (value >= -128 && value <= 127)
        WriteTaggedInteger(TValueType::vaInt8, value);
    else if (value >= -32768 && value <= 32767)
        WriteTaggedInteger(TValueType::vaInt16, value);
    else if (value >= std::numeric_limits<qint32>::min() &&
             value <= std::numeric_limits<qint32>::max())
        WriteTaggedInteger(TValueType::vaInt32, value);
    else
        WriteTaggedInteger(TValueType::vaInt64, value);
}

void TWriter::WriteTaggedInteger(TValueType tag, qint64 value) {
    char buffer[8];
    int size = 0;
    switch (tag) {
    case TValueType::vaInt8:
        if (value >= -128 && value <= 127)
            size = 1;
        break;
    case TValueType::vaInt16:
        if (value >= -32768 && value <= 32767)
            size = 2;
        break;
    case TValueType::vaInt32:
        if (value >= std::numeric_limits<qint32>::min() &&
            value <= std::numeric_limits<qint32>::max())
            size = 4;
        break;
    case TValueType::vaInt64:
        size = 8;
        break;
    default:
        throw EWriteError(QStringLiteral("Value type %1 is no integer").arg(int(tag)));
    }
    if (size == 0)
        throw ERangeError(
            QStringLiteral("Integer %1 does not fit value type %2").arg(value).arg(int(tag)));
    qToLittleEndian(value, buffer); // little-endian: the low bytes come first
    WriteValue(tag);
    FData.append(buffer, size);
}

void TWriter::WriteFloat(double value) {
    WriteExtendedBytes(DoubleToExtended(value));
}

void TWriter::WriteExtendedBytes(const QByteArray& tenBytes) {
    if (tenBytes.size() != 10)
        throw EWriteError(QStringLiteral("An extended float takes 10 bytes"));
    WriteValue(TValueType::vaExtended);
    FData.append(tenBytes);
}

void TWriter::WriteSingle(float value) {
    WriteValue(TValueType::vaSingle);
    AppendLittleEndian(FData, std::bit_cast<quint32>(value));
}

void TWriter::WriteDouble(double value) {
    WriteValue(TValueType::vaDouble);
    AppendLittleEndian(FData, std::bit_cast<quint64>(value));
}

void TWriter::WriteCurrency(qint64 units) {
    WriteValue(TValueType::vaCurrency);
    AppendLittleEndian(FData, units);
}

void TWriter::WriteDate(double value) {
    WriteValue(TValueType::vaDate);
    AppendLittleEndian(FData, std::bit_cast<quint64>(value));
}

void TWriter::WriteLength(qsizetype length) {
    if (length > std::numeric_limits<qint32>::max())
        throw EWriteError(QStringLiteral("Value of %1 bytes is too long").arg(length));
    AppendLittleEndian(FData, qint32(length));
}

void TWriter::WriteString(const QByteArray& text) {
    if (text.size() <= 255) {
        WriteValue(TValueType::vaString);
        WriteStr(text);
    } else {
        WriteLString(text);
    }
}

void TWriter::WriteLString(const QByteArray& text) {
    WriteValue(TValueType::vaLString);
    WriteLength(text.size());
    FData.append(text);
}

void TWriter::WriteWideString(const QString& text) {
    WriteValue(TValueType::vaWString);
    WriteLength(text.size());
    for (QChar c : text) {
        char buffer[2];
        qToLittleEndian<quint16>(c.unicode(), buffer);
        FData.append(buffer, 2);
    }
}

void TWriter::WriteUTF8String(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    WriteValue(TValueType::vaUTF8String);
    WriteLength(utf8.size());
    FData.append(utf8);
}

void TWriter::WriteIdent(const QByteArray& ident) {
    if (ident.compare("False", Qt::CaseInsensitive) == 0)
        WriteValue(TValueType::vaFalse);
    else if (ident.compare("True", Qt::CaseInsensitive) == 0)
        WriteValue(TValueType::vaTrue);
    else if (ident.compare("nil", Qt::CaseInsensitive) == 0)
        WriteValue(TValueType::vaNil);
    else if (ident.compare("Null", Qt::CaseInsensitive) == 0)
        WriteValue(TValueType::vaNull);
    else {
        WriteValue(TValueType::vaIdent);
        WriteStr(ident);
    }
}

void TWriter::WriteBoolean(bool value) {
    WriteValue(value ? TValueType::vaTrue : TValueType::vaFalse);
}

void TWriter::WriteBinary(const QByteArray& bytes) {
    WriteValue(TValueType::vaBinary);
    WriteLength(bytes.size());
    FData.append(bytes);
}

void TWriter::WriteSet(const QList<QByteArray>& elements) {
    for (const QByteArray& e : elements)
        if (e.isEmpty() || e.size() > 255)
            throw EWriteError(QStringLiteral("Invalid set element '%1'").arg(FromAnsi(e)));
    WriteValue(TValueType::vaSet);
    for (const QByteArray& e : elements)
        WriteStr(e);
    WriteStr({});
}

void TWriter::WriteCollectionBegin() {
    WriteValue(TValueType::vaCollection);
}

} // namespace lumotrix
