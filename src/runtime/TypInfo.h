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

// Run-time type information: property kinds and type data, the class registry with published
// properties and methods, and reading/writing properties by kind.
//
// A class publishes itself with one block in its own .cpp:
//
//     LUMOTRIX_REGISTER_CLASS(TButton, TControl) {
//         Property("Caption", &TButton::Caption, &TButton::SetCaption);
//         Property("OnClick", &TButton::FOnClick); // a field: read and written directly
//         Method("ButtonClick", &TButton::ButtonClick);
//     }
//
// Getters are const member functions or fields; setters are member functions taking the value
// (by value or const reference), fields, or omitted for a read-only property. The property's
// kind follows from its C++ type (see TPropTraits); a fourth argument names a different type
// for the same C++ type (e.g. an integer type with identifier converters, TypeInfoFontCharset).

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

// ---------------------------------------------------------------------------------------------
// Sets and events

template <typename E> class TSet {
    static_assert(std::is_enum_v<E>);

public:
    TSet() = default;
    TSet(std::initializer_list<E> elements) {
        for (E e : elements)
            Include(e);
    }
    static TSet FromBits(quint32 bits) {
        TSet s;
        s.FBits = bits;
        return s;
    }
    quint32 Bits() const { return FBits; }
    bool Contains(E e) const { return (FBits >> Ordinal(e)) & 1u; }
    TSet& Include(E e) {
        FBits |= 1u << Ordinal(e);
        return *this;
    }
    TSet& Exclude(E e) {
        FBits &= ~(1u << Ordinal(e));
        return *this;
    }
    bool IsEmpty() const { return FBits == 0; }
    bool operator==(const TSet&) const = default;

private:
    static unsigned Ordinal(E e) { return static_cast<unsigned>(e) & 31u; }
    quint32 FBits = 0;
};

// A bound handler: an object and one of its published methods.
struct TMethod {
    TObject* Data = nullptr;
    const TMethodInfo* Code = nullptr;
    bool IsAssigned() const { return Code != nullptr; }
    bool operator==(const TMethod&) const = default;
};

class TMethodInfo {
public:
    QString Name;
    const TClassInfo* Owner = nullptr;
    std::type_index Signature = typeid(void);
    std::any Invoker; // std::function<void(TObject*, Args...)>

    template <typename... Args> bool Accepts() const { return Signature == typeid(void(Args...)); }

    template <typename... Args> void Invoke(TObject* self, Args... args) const {
        auto* f = std::any_cast<std::function<void(TObject*, Args...)>>(&Invoker);
        if (f == nullptr)
            throw EInvalidCast(QStringLiteral("Method %1 has another signature").arg(Name));
        (*f)(self, std::forward<Args>(args)...);
    }
};

// An event property's value: either a published method bound to an object (what the form
// loader sets) or a plain function (what code wires up). Calling an unassigned event does
// nothing.
template <typename... Args> class TEvent {
public:
    TEvent() = default;
    explicit TEvent(TMethod method) : FMethod(method) {
        if (method.Code && !method.Code->template Accepts<Args...>())
            throw EInvalidCast(QStringLiteral("Method %1 does not match the event's signature")
                                   .arg(method.Code->Name));
    }
    template <typename F>
    requires std::is_invocable_v<F&, Args...> &&
        (!std::is_same_v<std::decay_t<F>, TEvent>)TEvent(F function)
        : FFunction(std::move(function)) {}

    explicit operator bool() const { return FMethod.Code != nullptr || bool(FFunction); }
    const TMethod& Method() const { return FMethod; }

    void operator()(Args... args) const {
        if (FMethod.Code)
            FMethod.Code->template Invoke<Args...>(FMethod.Data, std::forward<Args>(args)...);
        else if (FFunction)
            FFunction(std::forward<Args>(args)...);
    }

private:
    TMethod FMethod;
    std::function<void(Args...)> FFunction;
};

using TNotifyEvent = TEvent<TObject*>;

// The type name an event type reports; specialise for further named event types.
template <typename E> struct TEventTypeName {
    static const char* Name() { return "TMethod"; }
};
template <> struct TEventTypeName<TNotifyEvent> {
    static const char* Name() { return "TNotifyEvent"; }
};

// ---------------------------------------------------------------------------------------------
// Properties and classes

struct TPropInfo {
    QString Name;
    const TTypeInfo* PropType = nullptr;
    const TClassInfo* Owner = nullptr; // the class that declares it
    std::any Getter;                   // std::function<Store(TObject*)>
    std::any Setter; // std::function<void(TObject*, const Store&)>; empty: read-only
    TTypeKind Kind() const { return PropType->Kind; }
    bool IsWritable() const { return Setter.has_value(); }
};

// A published field: a pointer member of a form class, declared for a component that the
// form's description creates. The form loader assigns it when it creates the component of the
// same name.
struct TFieldInfo {
    QString Name;
    const TClassInfo* FieldClass = nullptr; // the class the member points to
    const TClassInfo* Owner = nullptr;      // the class that declares it
    std::function<void(TObject* self, TObject* component)> Assign;
};

class TClassInfo {
public:
    using TFactory = std::function<TObject*(TComponent* owner)>;
    using TItemFactory = std::function<TObject*(TCollection* collection)>;

    TClassInfo();
    TClassInfo(const TClassInfo&) = delete;
    TClassInfo& operator=(const TClassInfo&) = delete;

    bool IsRegistered() const { return FRegistered; }
    const QString& ClassName() const { return FTypeInfo.Name; }
    const TClassInfo* ClassParent() const { return FParent; }
    bool InheritsFrom(const TClassInfo* ancestor) const;
    // By class name, ignoring case: for tests against classes of a higher layer ("TFrame").
    bool InheritsFrom(const QString& ancestorName) const;
    const TTypeInfo* TypeInfo() const { return &FTypeInfo; }

    // Creates an instance through the registered factory; EClassNotFound-style error when the
    // class cannot be created that way.
    bool CanCreate() const { return bool(FFactory); }
    TObject* Create(TComponent* owner) const;
    bool CanCreateItem() const { return bool(FItemFactory); }
    TObject* CreateItem(TCollection* collection) const;

    // Published properties, inherited first, each in declaration order. A property declared
    // again in a descendant replaces the inherited one in place.
    const QList<const TPropInfo*>& Properties() const;
    const TPropInfo* FindProperty(const QString& name) const; // ignores case
    const TMethodInfo* FindMethod(const QString& name) const; // ignores case, class chain
    QList<const TMethodInfo*> OwnMethods() const;
    // Published fields of the class chain, inherited first.
    QList<const TFieldInfo*> Fields() const;
    const TFieldInfo* FindField(const QString& name) const; // ignores case, class chain

    // Used by the registration block.
    void Register(const QString& name, const TClassInfo* parent, std::type_index type,
                  TFactory factory, TItemFactory itemFactory);
    TPropInfo& AddProperty(std::unique_ptr<TPropInfo> prop);
    TMethodInfo& AddMethod(std::unique_ptr<TMethodInfo> method);
    TFieldInfo& AddField(std::unique_ptr<TFieldInfo> field);

private:
    bool FRegistered = false;
    TTypeInfo FTypeInfo;
    const TClassInfo* FParent = nullptr;
    TFactory FFactory;
    TItemFactory FItemFactory;
    std::vector<std::unique_ptr<TPropInfo>> FOwnProperties;
    std::vector<std::unique_ptr<TMethodInfo>> FOwnMethods;
    std::vector<std::unique_ptr<TFieldInfo>> FOwnFields;
    mutable QList<const TPropInfo*> FAllProperties;
    mutable bool FAllPropertiesBuilt = false;
};

// The class registry, by name ignoring case.
const TClassInfo* GetClass(const QString& name);  // nullptr when unknown
const TClassInfo* FindClass(const QString& name); // EClassNotFound "Class X not found"
const TClassInfo* FindClassByType(std::type_index type);
QList<const TClassInfo*> RegisteredClasses();

// The one TClassInfo of a C++ class; empty until the class's registration block has run.
template <typename T> TClassInfo& ClassInfoStorage() {
    static TClassInfo info;
    return info;
}
template <typename T> const TClassInfo* ClassInfoOf() {
    return &ClassInfoStorage<T>();
}

// The root of every class with published properties.
class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    // The registered class of the object's dynamic type; an unregistered class is a
    // programming error and raises EClassNotFound naming the C++ type.
    const TClassInfo* ClassType() const;
    QString ClassName() const { return ClassType()->ClassName(); }
    const TClassInfo* ClassParent() const { return ClassType()->ClassParent(); }
    bool InheritsFrom(const TClassInfo* ancestor) const {
        return ClassType()->InheritsFrom(ancestor);
    }
    bool InheritsFrom(const QString& ancestorName) const {
        return ClassType()->InheritsFrom(ancestorName);
    }
    template <typename T> bool Is() const { return dynamic_cast<const T*>(this) != nullptr; }
    // The published method of this object's class chain, or nullptr.
    const TMethodInfo* MethodAddress(const QString& name) const {
        return ClassType()->FindMethod(name);
    }
};

// A checked downcast raising EInvalidCast ("Invalid class typecast") for another class.
template <typename T> T* CheckedCast(TObject* object) {
    if (object == nullptr)
        return nullptr;
    if (auto* result = dynamic_cast<T*>(object))
        return result;
    throw EInvalidCast(QStringLiteral("Invalid class typecast: %1 is not a %2")
                           .arg(object->ClassName(), ClassInfoOf<T>()->ClassName()));
}

// ---------------------------------------------------------------------------------------------
// C++ type -> property kind

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

// ---------------------------------------------------------------------------------------------
// Registration

template <typename C, typename P> class TClassBuilder {
public:
    explicit TClassBuilder(const char* name) : FInfo(ClassInfoStorage<C>()) {
        const TClassInfo* parent = nullptr;
        if constexpr (!std::is_void_v<P>) {
            static_assert(std::is_base_of_v<P, C>, "the parent class must be a base class");
            parent = ClassInfoOf<P>();
        }
        TClassInfo::TFactory factory;
        TClassInfo::TItemFactory itemFactory;
        if constexpr (!std::is_abstract_v<C>) {
            if constexpr (std::is_constructible_v<C, TComponent*>)
                factory = [](TComponent* owner) -> TObject* { return new C(owner); };
            else if constexpr (std::is_default_constructible_v<C>)
                factory = [](TComponent*) -> TObject* { return new C(); };
            if constexpr (std::is_constructible_v<C, TCollection*>)
                itemFactory = [](TCollection* c) -> TObject* { return new C(c); };
        }
        FInfo.Register(QString::fromLatin1(name), parent, typeid(C), std::move(factory),
                       std::move(itemFactory));
    }

protected:
    template <typename G, typename S = std::nullptr_t>
    TPropInfo& Property(const char* name, G getter, S setter = nullptr,
                        const TTypeInfo* type = nullptr) {
        using Value = std::decay_t<std::invoke_result_t<G, C&>>;
        using Traits = TPropTraits<Value>;
        using Store = typename Traits::Store;
        auto prop = std::make_unique<TPropInfo>();
        prop->Name = QString::fromLatin1(name);
        prop->PropType = type ? type : Traits::Type();
        prop->Getter = std::function<Store(TObject*)>([getter](TObject* o) -> Store {
            return Traits::ToStore(std::invoke(getter, static_cast<C&>(*o)));
        });
        if constexpr (!std::is_null_pointer_v<S>) {
            prop->Setter =
                std::function<void(TObject*, const Store&)>([setter](TObject* o, const Store& v) {
                    if constexpr (std::is_member_object_pointer_v<S>)
                        std::invoke(setter, static_cast<C&>(*o)) = Traits::FromStore(v);
                    else
                        std::invoke(setter, static_cast<C&>(*o), Traits::FromStore(v));
                });
        } else if constexpr (std::is_member_object_pointer_v<G>) {
            prop->Setter =
                std::function<void(TObject*, const Store&)>([getter](TObject* o, const Store& v) {
                    std::invoke(getter, static_cast<C&>(*o)) = Traits::FromStore(v);
                });
        }
        return FInfo.AddProperty(std::move(prop));
    }

    template <typename X, typename... Args>
    TMethodInfo& Method(const char* name, void (X::*method)(Args...)) {
        static_assert(std::is_base_of_v<X, C>);
        auto info = std::make_unique<TMethodInfo>();
        info->Name = QString::fromLatin1(name);
        info->Signature = typeid(void(Args...));
        info->Invoker =
            std::function<void(TObject*, Args...)>([method](TObject* self, Args... args) {
                (static_cast<C*>(self)->*method)(std::forward<Args>(args)...);
            });
        return FInfo.AddMethod(std::move(info));
    }

    // A published field `T* X::*member`: the form loader sets it to the component `name`, which
    // must be a T.
    template <typename X, typename T> TFieldInfo& Field(const char* name, T* X::*member) {
        static_assert(std::is_base_of_v<X, C>);
        static_assert(std::is_base_of_v<TObject, T>, "a published field points to an object");
        auto info = std::make_unique<TFieldInfo>();
        info->Name = QString::fromLatin1(name);
        info->FieldClass = ClassInfoOf<T>();
        info->Assign = [member](TObject* self, TObject* component) {
            static_cast<C*>(self)->*member = dynamic_cast<T*>(component);
        };
        return FInfo.AddField(std::move(info));
    }

private:
    TClassInfo& FInfo;
};

// Lets a registration block reach protected members (fields used as properties):
// put LUMOTRIX_PUBLISHED(TButton) in the class body. The class must be declared in the
// namespace where its registration block stands.
#define LUMOTRIX_PUBLISHED(Class) friend struct LumotrixRegistration_##Class;

#define LUMOTRIX_REGISTER_CLASS_IMPL(Class, Parent)                                                \
    struct LumotrixRegistration_##Class : ::lumotrix::TClassBuilder<Class, Parent> {               \
        LumotrixRegistration_##Class() : TClassBuilder(#Class) { Define(); }                       \
        void Define();                                                                             \
    };                                                                                             \
    static const LumotrixRegistration_##Class lumotrixRegistrationOf##Class;                       \
    void LumotrixRegistration_##Class::Define()

#define LUMOTRIX_REGISTER_CLASS(Class, Parent) LUMOTRIX_REGISTER_CLASS_IMPL(Class, Parent)
#define LUMOTRIX_REGISTER_ROOT_CLASS(Class) LUMOTRIX_REGISTER_CLASS_IMPL(Class, void)

// ---------------------------------------------------------------------------------------------
// Reading and writing properties by kind. The overloads taking a name raise EPropertyError
// ("Property X does not exist") when the class has no such property; every accessor raises
// EPropertyError when the property's kind does not fit the accessor.

const TPropInfo* GetPropInfo(const TObject* object, const QString& name); // nullptr if none
const TPropInfo* GetPropInfo(const TClassInfo* cls, const QString& name);
const TPropInfo* GetPropInfoOrThrow(const TObject* object, const QString& name);
QList<const TPropInfo*> GetPropList(const TObject* object);
bool IsReadOnlyProp(const TPropInfo* prop);

// Ordinal kinds: integer, character, wide character, enumeration, set; class kind reads the
// pointer. Writing checks the type's range (ERangeError), so an enumeration ordinal of -1 or a
// byte of 256 is refused rather than truncated.
qint64 GetOrdProp(TObject* object, const TPropInfo* prop);
void SetOrdProp(TObject* object, const TPropInfo* prop, qint64 value);
void CheckOrdRange(const TPropInfo* prop, qint64 value);

double GetFloatProp(TObject* object, const TPropInfo* prop);
void SetFloatProp(TObject* object, const TPropInfo* prop, double value);
// Ansi and wide string kinds, converted between Windows-1252 and Unicode as needed.
AnsiString GetStrProp(TObject* object, const TPropInfo* prop);
void SetStrProp(TObject* object, const TPropInfo* prop, const AnsiString& value);
WideString GetWideStrProp(TObject* object, const TPropInfo* prop);
void SetWideStrProp(TObject* object, const TPropInfo* prop, const WideString& value);
Variant GetVariantProp(TObject* object, const TPropInfo* prop);
void SetVariantProp(TObject* object, const TPropInfo* prop, const Variant& value);
qint64 GetInt64Prop(TObject* object, const TPropInfo* prop);
void SetInt64Prop(TObject* object, const TPropInfo* prop, qint64 value); // range checked
TObject* GetObjectProp(TObject* object, const TPropInfo* prop);
void SetObjectProp(TObject* object, const TPropInfo* prop, TObject* value); // EInvalidCast
TMethod GetMethodProp(TObject* object, const TPropInfo* prop);
void SetMethodProp(TObject* object, const TPropInfo* prop, const TMethod& value);
QString GetEnumProp(TObject* object, const TPropInfo* prop);
// Unknown value names raise EConvertError ("Invalid property element: X").
void SetEnumProp(TObject* object, const TPropInfo* prop, const QString& value);
// "a,b" (or "[a,b]" with brackets); SetSetProp accepts both forms, spaces allowed.
QString GetSetProp(TObject* object, const TPropInfo* prop, bool brackets = false);
void SetSetProp(TObject* object, const TPropInfo* prop, const QString& value);
qint64 SetTextToBits(const TTypeInfo* setType, const QString& text);
// Dynamic arrays as array variants.
Variant GetDynArrayProp(TObject* object, const TPropInfo* prop);
void SetDynArrayProp(TObject* object, const TPropInfo* prop, const Variant& value);

qint64 GetOrdProp(TObject* object, const QString& name);
void SetOrdProp(TObject* object, const QString& name, qint64 value);
double GetFloatProp(TObject* object, const QString& name);
void SetFloatProp(TObject* object, const QString& name, double value);
AnsiString GetStrProp(TObject* object, const QString& name);
void SetStrProp(TObject* object, const QString& name, const AnsiString& value);
WideString GetWideStrProp(TObject* object, const QString& name);
void SetWideStrProp(TObject* object, const QString& name, const WideString& value);
Variant GetVariantProp(TObject* object, const QString& name);
void SetVariantProp(TObject* object, const QString& name, const Variant& value);
qint64 GetInt64Prop(TObject* object, const QString& name);
void SetInt64Prop(TObject* object, const QString& name, qint64 value);
TObject* GetObjectProp(TObject* object, const QString& name);
void SetObjectProp(TObject* object, const QString& name, TObject* value);
TMethod GetMethodProp(TObject* object, const QString& name);
void SetMethodProp(TObject* object, const QString& name, const TMethod& value);
QString GetEnumProp(TObject* object, const QString& name);
void SetEnumProp(TObject* object, const QString& name, const QString& value);
QString GetSetProp(TObject* object, const QString& name, bool brackets = false);
void SetSetProp(TObject* object, const QString& name, const QString& value);
Variant GetDynArrayProp(TObject* object, const QString& name);
void SetDynArrayProp(TObject* object, const QString& name, const Variant& value);

} // namespace lumotrix
