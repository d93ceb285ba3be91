#pragma once

#include "runtime/CodePage.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <type_traits>
#include <vector>

namespace lumotrix {

// The variant types that property values travel in.
enum TVarType {
    varEmpty,
    varNull,
    varInteger, // 32-bit signed
    varWord,    // 16-bit unsigned
    varInt64,
    varDouble,
    varCurrency, // 64-bit integer in units of 1/10000
    varBoolean,
    varString,     // ansi string (Windows-1252 bytes)
    varWideString, // Unicode string
    varArray       // array of variants
};

const char* VarTypeName(TVarType type);

// A dynamically typed value. Conversions follow the platform's rules: empty converts to 0, ""
// or False; null converts to nothing (EInvalidCast); a text that is no number raises
// EConvertError where a number is needed; True is -1 as a number.
class Variant {
public:
    Variant() = default;
    Variant(qint32 value) : FType(varInteger), FInt(value) {}
    Variant(quint16 value) : FType(varWord), FInt(value) {}
    Variant(qint64 value) : FType(varInt64), FInt(value) {}
    Variant(double value) : FType(varDouble), FDouble(value) {}
    Variant(bool value) : FType(varBoolean), FInt(value ? 1 : 0) {}
    Variant(const AnsiString& value) : FType(varString), FAnsi(value) {}
    Variant(const WideString& value) : FType(varWideString), FWide(value) {}
    Variant(const QList<Variant>& items);
    // Other integer types (long, qsizetype, uint, ...): 32-bit when a signed type of at most
    // 32 bits, else 64-bit.
    template <typename T>
    requires std::is_integral_v<T> &&(!std::is_same_v<T, bool>)&&(!std::is_same_v<T, qint32>)&&(
        !std::is_same_v<T, quint16>)&&(!std::is_same_v<T, qint64>)Variant(T value)
        : FType(std::is_signed_v<T> && sizeof(T) <= 4 ? varInteger : varInt64),
          FInt(static_cast<qint64>(value)) {}
    // Plain C strings are ambiguous between ansi and wide text: say which one.
    Variant(const char*) = delete;

    static Variant Null();
    static Variant FromCurrency(qint64 units); // 1.5 is FromCurrency(15000)
    static Variant Ansi(const char* text) { return Variant(AnsiString(text)); }

    TVarType VarType() const { return FType; }
    bool IsEmpty() const { return FType == varEmpty; }
    bool IsNull() const { return FType == varNull; }
    bool IsString() const { return FType == varString || FType == varWideString; }
    bool IsNumeric() const; // integer, word, int64, double, currency, Boolean
    bool IsArray() const { return FType == varArray; }

    double ToDouble() const;
    qint32 ToInteger() const; // rounds half to even, ERangeError beyond 32 bits
    qint64 ToInt64() const;
    qint64 ToCurrency() const; // units of 1/10000
    bool ToBoolean() const;
    AnsiString ToAnsiString() const;
    WideString ToWideString() const;
    QList<Variant> ToArray() const; // EInvalidCast unless an array

    qsizetype ArrayCount() const; // 0 unless an array
    const Variant& ArrayItem(qsizetype index) const;

    // Raw currency units when VarType() is varCurrency.
    qint64 CurrencyUnits() const { return FInt; }

    // The platform's variant inequality (VarCmpNE). Numbers compare by value across all
    // numeric types; two strings compare case-sensitively as Unicode; a string against a
    // number is converted to a number (EConvertError when it is none); null equals only null;
    // empty equals empty and otherwise counts as 0, "" or False; arrays compare element by
    // element, and an array differs from any non-array.
    friend bool VariantsDiffer(const Variant& a, const Variant& b);
    friend bool operator!=(const Variant& a, const Variant& b) { return VariantsDiffer(a, b); }
    friend bool operator==(const Variant& a, const Variant& b) { return !VariantsDiffer(a, b); }

private:
    TVarType FType = varEmpty;
    qint64 FInt = 0; // integer, word, int64, currency units, Boolean
    double FDouble = 0;
    AnsiString FAnsi;
    WideString FWide;
    std::vector<Variant> FItems;
};

// Text to number the way variant conversion reads it: trimmed, decimal with '.' as separator,
// optional exponent, or "$" / "0x" hexadecimal. Returns false for anything else.
bool TryTextToDouble(const QString& text, double& value);

} // namespace lumotrix
