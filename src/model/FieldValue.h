#pragma once

// The typed values of the in-memory tables and their conversions.

#include "runtime/CodePage.h"

#include <QString>
#include <variant>

namespace lumotrix {

enum class TFieldType : quint8 {
    ftRecId = 1,    // record number (32-bit); the automatic field at index 0
    ftString = 2,   // Windows-1252 bytes, at most Size of them
    ftSmallint = 3, // 16-bit signed
    ftInteger = 4,  // 32-bit signed
    ftFloat = 5,    // double
    ftTime = 6,     // time of day: milliseconds since midnight, 0 .. 23:59:59.999
    ftDuration = 7, // time span: milliseconds, 0 .. 99:59:59.999 (two hour digits when edited)
    ftBoolean = 8,
};

QString FieldTypeName(TFieldType type);

struct TFieldDef {
    QString Name;
    TFieldType DataType = TFieldType::ftInteger;
    int Size = 0; // characters of a string field; 0 for every other type

    bool operator==(const TFieldDef&) const = default;
};

// A stored value. Times and durations are qint32 milliseconds, strings AnsiString; monostate is
// an empty (null) field.
using TFieldValue = std::variant<std::monostate, qint32, double, bool, AnsiString>;

constexpr qint32 MSecsPerDay = 24 * 60 * 60 * 1000;
constexpr qint32 MaxDurationMSecs = 100 * 60 * 60 * 1000 - 1;

// hh:mm:ss(.zzz) <-> milliseconds; EncodeTime throws EConvertError outside 0-23/0-59/0-59/0-999.
qint32 EncodeTime(int hour, int minute, int second, int msec = 0);
struct TTimeParts {
    int Hour = 0, Minute = 0, Second = 0, MSec = 0;
};
TTimeParts DecodeTime(qint32 msecs);

// Conversions shared by the field accessor and the grid's cell access. `ConvertValue` turns any
// value into the field's storage type (string cut to the field's size, ranges checked) and
// throws EConvertError or ERangeError naming the field; the empty text becomes null.
TFieldValue ConvertValue(const TFieldDef& def, const TFieldValue& value);
// Readers: a null value reads as "", 0, 0.0, false.
AnsiString ValueAsString(const TFieldDef& def, const TFieldValue& value);
qint32 ValueAsInteger(const TFieldDef& def, const TFieldValue& value);
double ValueAsFloat(const TFieldDef& def, const TFieldValue& value);
bool ValueAsBoolean(const TFieldDef& def, const TFieldValue& value);
qint32 ValueAsTime(const TFieldDef& def, const TFieldValue& value);

} // namespace lumotrix
