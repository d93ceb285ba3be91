#pragma once

#include "runtime/ClassInfo.h"

// The property kind of a C++ type, and the type information each kind publishes.

namespace lumotrix {

const TTypeInfo* TypeInfoBoolean();
const TTypeInfo* TypeInfoOrdinal(TTypeKind kind, TOrdType ordType); // integer, char, wchar
const TTypeInfo* TypeInfoInt64(bool isUnsigned);
const TTypeInfo* TypeInfoFloat(TFloatType floatType);
const TTypeInfo* TypeInfoAnsiString();
const TTypeInfo* TypeInfoWideString();
const TTypeInfo* TypeInfoVariant();
const TTypeInfo* TypeInfoDynArray(const TTypeInfo* elementType);

// C++ type -> kind: bool -> enumeration (the Boolean type); char -> character; char16_t -> wide
// character; other integers -> integer (64-bit ones -> 64-bit integer); an enum named with
// LUMOTRIX_ENUM_NAMES -> enumeration; TSet<E> -> set; float, double -> floating point;
// QByteArray -> long (ansi) string; QString -> wide string; Variant -> variant; a pointer to a
// TObject class -> class; TEvent<...> -> method; QList<T> -> dynamic array.
template <typename T, typename = void> struct TPropTraits; // unsupported types fail to compile

// Enumerations name their values next to their declaration:
//     enum TAlign { alNone, alTop, alBottom };
//     LUMOTRIX_ENUM_NAMES(TAlign, "alNone", "alTop", "alBottom")
#define LUMOTRIX_ENUM_NAMES(Enum, ...)                                                             \
    inline const ::lumotrix::TTypeInfo* LumotrixEnumTypeInfo(Enum) {                               \
        static const ::lumotrix::TTypeInfo* info =                                                 \
            ::lumotrix::DefineEnumType(QStringLiteral(#Enum), {__VA_ARGS__});                      \
        return info;                                                                               \
    }

template <typename T> struct TOrdinalTraits {
    using Store = qint64;
    static Store ToStore(const T& v) {
        if constexpr (std::is_enum_v<T>)
            return static_cast<qint64>(static_cast<std::underlying_type_t<T>>(v));
        else if constexpr (std::is_same_v<T, char>)
            return static_cast<unsigned char>(v);
        else
            return static_cast<qint64>(v);
    }
    static T FromStore(const Store& v) {
        if constexpr (std::is_enum_v<T>)
            return static_cast<T>(static_cast<std::underlying_type_t<T>>(v));
        else
            return static_cast<T>(v);
    }
};

template <> struct TPropTraits<bool> : TOrdinalTraits<bool> {
    static const TTypeInfo* Type() { return TypeInfoBoolean(); }
};
template <> struct TPropTraits<char> : TOrdinalTraits<char> {
    static const TTypeInfo* Type() { return TypeInfoOrdinal(tkChar, otUByte); }
};
template <> struct TPropTraits<char16_t> : TOrdinalTraits<char16_t> {
    static const TTypeInfo* Type() { return TypeInfoOrdinal(tkWChar, otUWord); }
};
template <typename T>
struct TPropTraits<T, std::enable_if_t<std::is_integral_v<T> && !std::is_same_v<T, bool> &&
                                       !std::is_same_v<T, char> && !std::is_same_v<T, char16_t>>>
    : TOrdinalTraits<T> {
    static const TTypeInfo* Type() {
        if constexpr (sizeof(T) == 8)
            return TypeInfoInt64(std::is_unsigned_v<T>);
        else if constexpr (sizeof(T) == 4)
            return TypeInfoOrdinal(tkInteger, std::is_signed_v<T> ? otSLong : otULong);
        else if constexpr (sizeof(T) == 2)
            return TypeInfoOrdinal(tkInteger, std::is_signed_v<T> ? otSWord : otUWord);
        else
            return TypeInfoOrdinal(tkInteger, std::is_signed_v<T> ? otSByte : otUByte);
    }
};
template <typename T>
struct TPropTraits<T, std::enable_if_t<std::is_enum_v<T>>> : TOrdinalTraits<T> {
    static const TTypeInfo* Type() { return LumotrixEnumTypeInfo(T{}); }
};
template <typename E> struct TPropTraits<TSet<E>> {
    using Store = qint64;
    static const TTypeInfo* Type() {
        static const TTypeInfo* info = DefineSetType(TPropTraits<E>::Type());
        return info;
    }
    static Store ToStore(const TSet<E>& v) { return v.Bits(); }
    static TSet<E> FromStore(const Store& v) { return TSet<E>::FromBits(static_cast<quint32>(v)); }
};
template <typename T> struct TPropTraits<T, std::enable_if_t<std::is_floating_point_v<T>>> {
    using Store = double;
    static const TTypeInfo* Type() {
        return TypeInfoFloat(sizeof(T) == 4 ? ftSingle : (sizeof(T) == 8 ? ftDouble : ftExtended));
    }
    static Store ToStore(const T& v) { return static_cast<double>(v); }
    static T FromStore(const Store& v) { return static_cast<T>(v); }
};
template <> struct TPropTraits<QByteArray> {
    using Store = QByteArray;
    static const TTypeInfo* Type() { return TypeInfoAnsiString(); }
    static Store ToStore(const QByteArray& v) { return v; }
    static QByteArray FromStore(const Store& v) { return v; }
};
template <> struct TPropTraits<QString> {
    using Store = QString;
    static const TTypeInfo* Type() { return TypeInfoWideString(); }
    static Store ToStore(const QString& v) { return v; }
    static QString FromStore(const Store& v) { return v; }
};
template <> struct TPropTraits<Variant> {
    using Store = Variant;
    static const TTypeInfo* Type() { return TypeInfoVariant(); }
    static Store ToStore(const Variant& v) { return v; }
    static Variant FromStore(const Store& v) { return v; }
};
template <typename T> struct TPropTraits<T*, std::enable_if_t<std::is_base_of_v<TObject, T>>> {
    using Store = TObject*;
    static const TTypeInfo* Type() { return ClassInfoOf<std::remove_cv_t<T>>()->TypeInfo(); }
    static Store ToStore(T* v) { return const_cast<std::remove_cv_t<T>*>(v); }
    static T* FromStore(const Store& v) { return CheckedCast<std::remove_cv_t<T>>(v); }
};
template <typename... Args> struct TPropTraits<TEvent<Args...>> {
    using Store = TMethod;
    static const TTypeInfo* Type() {
        static const TTypeInfo* info =
            DefineMethodType(QString::fromLatin1(TEventTypeName<TEvent<Args...>>::Name()));
        return info;
    }
    static Store ToStore(const TEvent<Args...>& v) { return v.Method(); }
    static TEvent<Args...> FromStore(const Store& v) { return TEvent<Args...>(v); }
};
template <typename T> struct TPropTraits<QList<T>> {
    using Store = Variant;
    static const TTypeInfo* Type() {
        static const TTypeInfo* info = TypeInfoDynArray(TPropTraits<T>::Type());
        return info;
    }
    static Store ToStore(const QList<T>& v) {
        QList<Variant> items;
        for (const T& e : v)
            items.append(ElementToVariant(e));
        return Variant(items);
    }
    static QList<T> FromStore(const Store& v) {
        QList<T> result;
        for (const Variant& e : v.ToArray())
            result.append(ElementFromVariant(e));
        return result;
    }

private:
    static Variant ElementToVariant(const T& e) {
        if constexpr (std::is_same_v<T, bool>)
            return Variant(e);
        else if constexpr (std::is_integral_v<T> && sizeof(T) == 8)
            return Variant(static_cast<qint64>(e));
        else if constexpr (std::is_integral_v<T> || std::is_enum_v<T>)
            return Variant(static_cast<qint32>(e));
        else if constexpr (std::is_floating_point_v<T>)
            return Variant(static_cast<double>(e));
        else
            return Variant(e);
    }
    static T ElementFromVariant(const Variant& v) {
        if constexpr (std::is_same_v<T, bool>)
            return v.ToBoolean();
        else if constexpr (std::is_integral_v<T> && sizeof(T) == 8)
            return static_cast<T>(v.ToInt64());
        else if constexpr (std::is_integral_v<T> || std::is_enum_v<T>)
            return static_cast<T>(v.ToInteger());
        else if constexpr (std::is_floating_point_v<T>)
            return static_cast<T>(v.ToDouble());
        else if constexpr (std::is_same_v<T, QByteArray>)
            return v.ToAnsiString();
        else if constexpr (std::is_same_v<T, QString>)
            return v.ToWideString();
        else
            return v;
    }
};

template <typename T> const TTypeInfo* TypeInfo() {
    return TPropTraits<T>::Type();
}

} // namespace lumotrix
