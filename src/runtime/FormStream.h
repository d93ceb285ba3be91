#pragma once

#include "runtime/CodePage.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace lumotrix {

// Tags of the binary form stream ("TPF0"). A tag byte is followed by the value it announces.
enum class TValueType : quint8 {
    vaNull = 0,
    vaList = 1,
    vaInt8 = 2,
    vaInt16 = 3,
    vaInt32 = 4,
    vaExtended = 5,
    vaString = 6,
    vaIdent = 7,
    vaFalse = 8,
    vaTrue = 9,
    vaBinary = 10,
    vaSet = 11,
    vaLString = 12,
    vaNil = 13,
    vaCollection = 14,
    vaSingle = 15,
    vaCurrency = 16,
    vaDate = 17,
    vaWString = 18,
    vaInt64 = 19,
    vaUTF8String = 20,
    vaDouble = 21
};
constexpr int MaxValueType = 21;

// Flags of the optional 0xF0 prefix in front of a component section.
constexpr int ffInherited = 1;
constexpr int ffChildPos = 2;
constexpr int ffInline = 4;

extern const QByteArray FormSignature; // "TPF0"

// A section starts with its class name's length byte unless a prefix comes first, and a length
// byte of 0xF0 or more would read as that prefix: longer class names cannot be stored.
constexpr int MaxClassNameLength = 0xEF;

// The 80-bit extended float (64-bit mantissa with explicit integer bit, 15-bit exponent) as it
// is stored in a form stream, converted with correct rounding (to nearest, ties to even),
// denormals, infinities and NaN payloads included. `bytes` must hold 10 bytes.
double ExtendedToDouble(const char* bytes);
// Exact: every double has an extended representation.
QByteArray DoubleToExtended(double value);

// Reads a binary form stream held in memory. Every read checks bounds and throws EReadError
// naming the byte offset ("... at offset 123") on truncated or unexpected input.
class TReader {
public:
    // `codePage`: the one 8-bit strings are in when read as wide strings.
    explicit TReader(QByteArray data, int codePage = CodePageWindows1252);

    qsizetype Position() const { return FPosition; }
    qsizetype Size() const { return FData.size(); }
    bool AtEnd() const { return FPosition >= FData.size(); }
    const QByteArray& Data() const { return FData; }
    int CodePage() const { return FCodePage; }
    // Tags read modulo 128, bit 7 ignored, as the translator reads form resources; the form
    // loader keeps refusing such tags.
    void SetIgnoreTagBit7(bool ignore) { FTagMask = ignore ? 0x7F : 0xFF; }

    void ReadSignature();   // consumes "TPF0" or throws
    TValueType NextValue(); // peeks the tag byte (no range check)
    TValueType ReadValue(); // consumes the tag; tags above 21 are refused
    bool EndOfList();       // the next byte is 0; throws at the end of the data
    void ReadListBegin();   // tag 1
    void ReadListEnd();     // the 0 byte that ends a list, a section or a collection
    QByteArray Read(qsizetype count);
    QByteArray ReadStr(); // untagged short string
    // The optional 0xF0+flags prefix of a component section; flags 0 and childPos -1 without.
    void ReadPrefix(int& flags, int& childPos);

    qint32 ReadInteger();        // tags 2, 3, 4, sign-extended
    qint64 ReadInt64();          // tags 2, 3, 4, 19
    double ReadFloat();          // tags 5 (extended), 15 (single); integers too
    double ReadDouble();         // tag 21; also 5, 15 and integers
    qint64 ReadCurrency();       // tag 16: raw units of 1/10000
    double ReadDate();           // tag 17
    QByteArray ReadString();     // tags 6, 12 as stored; 18 and 20 converted with ToAnsi
    QString ReadWideString();    // tags 18 (UTF-16), 20 (UTF-8); 6 and 12 in the code page
    QByteArray ReadIdent();      // tag 7; 8, 9, 13, 0 as "False", "True", "nil", "Null"
    bool ReadBoolean();          // tags 8, 9
    QByteArray ReadBinary();     // tag 10; a negative length reads as empty
    QList<QByteArray> ReadSet(); // tag 11

    // Raw little-endian numbers, untagged.
    qint8 ReadInt8Raw();
    qint16 ReadInt16Raw();
    qint32 ReadInt32Raw();
    qint64 ReadInt64Raw();

    void SkipValue();     // any tagged value, lists and collections included
    void SkipProperty();  // name and value
    void SkipComponent(); // a whole section: prefix, names, properties, children

private:
    [[noreturn]] void Fail(const QString& what, qsizetype offset) const;
    void Need(qsizetype count) const;
    [[noreturn]] void WrongType(const char* expected, qsizetype tagOffset, quint8 tag) const;
    // Consumes the tag, which must be `expected`; `name` says what was expected in the error.
    void ExpectValue(TValueType expected, const char* name);
    template <typename T> T ReadLittleEndian(); // untagged, bounds checked
    quint32 ReadLength(); // a 32-bit length that must fit in the remaining data

    QByteArray FData;
    int FCodePage;
    quint8 FTagMask = 0xFF;
    qsizetype FPosition = 0;
    int FDepth = 0; // nesting of lists/collections/sections, bounded so hostile input cannot
                    // exhaust the stack
};

// Writes a binary form stream into memory; the mirror image of TReader. Values that the
// format cannot hold (a short string over 255 bytes, an empty set element) throw EWriteError.
class TWriter {
public:
    const QByteArray& Data() const { return FData; }

    void WriteSignature();
    void WritePrefix(int flags, int childPos); // nothing when flags is 0
    void WriteValue(TValueType tag);           // a bare tag
    void WriteRaw(const QByteArray& bytes);
    void WriteStr(const QByteArray& text); // untagged short string
    void WriteListBegin();
    void WriteListEnd();

    void WriteInteger(qint64 value); // smallest of tags 2/3/4, or 19 beyond 32 bits
    void WriteInt64(qint64 value) { WriteInteger(value); }
    // An integer under the given tag (2, 3, 4 or 19); ERangeError when it does not fit.
    void WriteTaggedInteger(TValueType tag, qint64 value);
    void WriteFloat(double value); // tag 5, extended
    void WriteExtendedBytes(const QByteArray& tenBytes);
    void WriteSingle(float value);             // tag 15
    void WriteDouble(double value);            // tag 21
    void WriteCurrency(qint64 units);          // tag 16, units of 1/10000
    void WriteDate(double value);              // tag 17
    void WriteString(const QByteArray& text);  // tag 6 up to 255 bytes, 12 beyond
    void WriteLString(const QByteArray& text); // tag 12 whatever the length
    void WriteWideString(const QString& text); // tag 18
    void WriteUTF8String(const QString& text); // tag 20
    void WriteIdent(const QByteArray& ident);  // True/False/nil/Null (any case) as their tags
    void WriteBoolean(bool value);
    void WriteBinary(const QByteArray& bytes); // tag 10
    void WriteSet(const QList<QByteArray>& elements);
    void WriteCollectionBegin(); // tag 14; items: [index] list begin ... end

private:
    void WriteLength(qsizetype length);

    QByteArray FData;
};

} // namespace lumotrix
