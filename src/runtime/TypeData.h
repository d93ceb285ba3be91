#pragma once

#include "runtime/Exception.h"
#include "runtime/Variant.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <any>
#include <functional>
#include <initializer_list>
#include <memory>
#include <type_traits>
#include <typeindex>
#include <typeinfo>
#include <utility>
#include <vector>

// Run-time type information: the kinds of published properties and their type data, and the
// errors of the class registry.

namespace lumotrix {

class TObject;
class TClassInfo;
class TComponent;
class TCollection;
class TMethodInfo;

// A missing or unusable published property.
class EPropertyError : public Exception {
public:
    using Exception::Exception;
};

// A class name unknown to the registry.
class EClassNotFound : public Exception {
public:
    using Exception::Exception;
};

enum TTypeKind : quint8 {
    tkUnknown = 0,
    tkInteger = 1,
    tkChar = 2,
    tkEnumeration = 3,
    tkFloat = 4,
    tkString = 5,
    tkSet = 6,
    tkClass = 7,
    tkMethod = 8,
    tkWChar = 9,
    tkLString = 10,
    tkWString = 11,
    tkVariant = 12,
    tkArray = 13,
    tkRecord = 14,
    tkInterface = 15,
    tkInt64 = 16,
    tkDynArray = 17
};

enum TOrdType : quint8 { otSByte, otUByte, otSWord, otUWord, otSLong, otULong };
enum TFloatType : quint8 { ftSingle, ftDouble, ftExtended, ftComp, ftCurr };

// Identifier <-> integer converters of an integer type ("DEFAULT_CHARSET" <-> 1).
using TIdentToInt = std::function<bool(const QString& ident, qint32& value)>;
using TIntToIdent = std::function<bool(qint32 value, QString& ident)>;

struct TTypeInfo;

struct TTypeData {
    TOrdType OrdType = otSLong;
    // Integer, character and enumeration kinds. For an unsigned 32-bit type MaxValue is -1,
    // i.e. not greater than MinValue when both are read as signed.
    qint32 MinValue = 0;
    qint32 MaxValue = 0;
    qint64 MinInt64Value = 0; // 64-bit integer kind
    qint64 MaxInt64Value = 0;
    TFloatType FloatType = ftDouble;
    bool IsBoolean = false;                // enumeration kind: the platform's Boolean
    QList<QString> EnumNames;              // enumeration kind, by ordinal
    const TTypeInfo* CompType = nullptr;   // set kind: the element type
    const TTypeInfo* ElType = nullptr;     // dynamic array kind: the element type
    const TClassInfo* ClassType = nullptr; // class kind
};

struct TTypeInfo {
    QString Name;
    TTypeKind Kind = tkUnknown;
    TTypeData Data;
};

inline const TTypeData* GetTypeData(const TTypeInfo* info) {
    return &info->Data;
}

// Type definitions live for the whole process.
const TTypeInfo* DefineIntegerType(const QString& name, TOrdType ordType, qint32 minValue,
                                   qint32 maxValue);
const TTypeInfo* DefineEnumType(const QString& name, std::initializer_list<const char*> names);
const TTypeInfo* DefineSetType(const TTypeInfo* elementType);
const TTypeInfo* DefineMethodType(const QString& name);

// Ordinal of an enumeration value name, ignoring case; -1 when the type has no such value.
int GetEnumValue(const TTypeInfo* type, const QString& name);
// Name of an ordinal; empty when out of range.
QString GetEnumName(const TTypeInfo* type, int value);

void RegisterIntegerConsts(const TTypeInfo* type, TIdentToInt identToInt, TIntToIdent intToIdent);
TIdentToInt FindIdentToInt(const TTypeInfo* type); // empty function when none is registered
TIntToIdent FindIntToIdent(const TTypeInfo* type);

// The font character-set type (a byte) with its "..._CHARSET" identifiers.
const TTypeInfo* TypeInfoFontCharset();

} // namespace lumotrix
