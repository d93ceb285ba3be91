#include "runtime/TypInfo.h"

#include <QHash>

#include <cstdlib>
#include <cxxabi.h>
#include <deque>
#include <limits>
#include <unordered_map>

namespace lumotrix {

namespace {

std::deque<std::unique_ptr<TTypeInfo>>& TypeStore() {
    static std::deque<std::unique_ptr<TTypeInfo>> store;
    return store;
}

TTypeInfo* NewType(const QString& name, TTypeKind kind) {
    auto info = std::make_unique<TTypeInfo>();
    info->Name = name;
    info->Kind = kind;
    TypeStore().push_back(std::move(info));
    return TypeStore().back().get();
}

struct TIntegerConsts {
    TIdentToInt IdentToInt;
    TIntToIdent IntToIdent;
};

QHash<const TTypeInfo*, TIntegerConsts>& IntegerConsts() {
    static QHash<const TTypeInfo*, TIntegerConsts> consts;
    return consts;
}

struct TClassRegistry {
    QHash<QString, const TClassInfo*> ByName; // lower-case name
    std::unordered_map<std::type_index, const TClassInfo*> ByType;
    QList<const TClassInfo*> InOrder;
};

TClassRegistry& ClassRegistry() {
    static TClassRegistry registry;
    return registry;
}

QString Demangle(const char* name) {
    int status = 0;
    char* plain = abi::__cxa_demangle(name, nullptr, nullptr, &status);
    QString result = QString::fromLatin1(status == 0 && plain ? plain : name);
    std::free(plain);
    return result;
}

bool IsOrdinalKind(TTypeKind kind) {
    return kind == tkInteger || kind == tkChar || kind == tkWChar || kind == tkEnumeration ||
           kind == tkSet;
}

[[noreturn]] void WrongKind(const TPropInfo* prop, const char* what) {
    throw EPropertyError(
        QStringLiteral("Property %1 is not %2").arg(prop->Name, QLatin1String(what)));
}

void RequireKind(const TPropInfo* prop, TTypeKind kind, const char* what) {
    if (prop->Kind() != kind)
        WrongKind(prop, what);
}

template <typename Store> Store Read(TObject* object, const TPropInfo* prop) {
    if (object == nullptr)
        throw EPropertyError(QStringLiteral("Cannot read property %1 of nil").arg(prop->Name));
    auto* getter = std::any_cast<std::function<Store(TObject*)>>(&prop->Getter);
    if (getter == nullptr)
        throw EPropertyError(
            QStringLiteral("Property %1 does not hold a value of its declared type")
                .arg(prop->Name));
    return (*getter)(object);
}

template <typename Store> void Write(TObject* object, const TPropInfo* prop, const Store& value) {
    if (object == nullptr)
        throw EPropertyError(QStringLiteral("Cannot write property %1 of nil").arg(prop->Name));
    if (!prop->Setter.has_value())
        throw EPropertyError(QStringLiteral("Property %1 is read-only").arg(prop->Name));
    auto* setter = std::any_cast<std::function<void(TObject*, const Store&)>>(&prop->Setter);
    if (setter == nullptr)
        throw EPropertyError(
            QStringLiteral("Property %1 does not hold a value of its declared type")
                .arg(prop->Name));
    (*setter)(object, value);
}

int SetElementCount(const TTypeInfo* setType) {
    const TTypeInfo* comp = setType->Data.CompType;
    if (comp == nullptr)
        return 32;
    if (comp->Kind == tkEnumeration)
        return static_cast<int>(comp->Data.EnumNames.size());
    return std::min(32, comp->Data.MaxValue + 1);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Types

const TTypeInfo* DefineIntegerType(const QString& name, TOrdType ordType, qint32 minValue,
                                   qint32 maxValue) {
    TTypeInfo* info = NewType(name, tkInteger);
    info->Data.OrdType = ordType;
    info->Data.MinValue = minValue;
    info->Data.MaxValue = maxValue;
    return info;
}

const TTypeInfo* DefineEnumType(const QString& name, std::initializer_list<const char*> names) {
    TTypeInfo* info = NewType(name, tkEnumeration);
    for (const char* n : names)
        info->Data.EnumNames.append(QString::fromLatin1(n));
    info->Data.OrdType = names.size() <= 256 ? otUByte : otUWord;
    info->Data.MinValue = 0;
    info->Data.MaxValue = static_cast<qint32>(names.size()) - 1;
    return info;
}

const TTypeInfo* DefineSetType(const TTypeInfo* elementType) {
    TTypeInfo* info = NewType(QStringLiteral("set of ") + elementType->Name, tkSet);
    info->Data.CompType = elementType;
    info->Data.OrdType = otULong;
    return info;
}

const TTypeInfo* DefineMethodType(const QString& name) {
    return NewType(name, tkMethod);
}

const TTypeInfo* TypeInfoBoolean() {
    static const TTypeInfo* info = [] {
        TTypeInfo* t = NewType(QStringLiteral("Boolean"), tkEnumeration);
        t->Data.EnumNames = {QStringLiteral("False"), QStringLiteral("True")};
        t->Data.OrdType = otUByte;
        t->Data.MinValue = 0;
        t->Data.MaxValue = 1;
        t->Data.IsBoolean = true;
        return t;
    }();
    return info;
}

const TTypeInfo* TypeInfoOrdinal(TTypeKind kind, TOrdType ordType) {
    // One type per kind and size, made on first use.
    static QHash<int, const TTypeInfo*> types;
    const int key = kind * 16 + ordType;
    if (const TTypeInfo* known = types.value(key))
        return known;
    static const char* const integerNames[] = {"ShortInt", "Byte",    "SmallInt",
                                               "Word",     "Integer", "Cardinal"};
    QString name = kind == tkChar    ? QStringLiteral("AnsiChar")
                   : kind == tkWChar ? QStringLiteral("WideChar")
                                     : QString::fromLatin1(integerNames[ordType]);
    static const qint32 mins[] = {-128, 0, -32768, 0, std::numeric_limits<qint32>::min(), 0};
    static const qint32 maxs[] = {127, 255, 32767, 65535, std::numeric_limits<qint32>::max(), -1};
    TTypeInfo* t = NewType(name, kind);
    t->Data.OrdType = ordType;
    t->Data.MinValue = mins[ordType];
    t->Data.MaxValue = maxs[ordType];
    types.insert(key, t);
    return t;
}

const TTypeInfo* TypeInfoInt64(bool isUnsigned) {
    static const TTypeInfo* types[2] = {nullptr, nullptr};
    if (!types[isUnsigned]) {
        TTypeInfo* t =
            NewType(isUnsigned ? QStringLiteral("UInt64") : QStringLiteral("Int64"), tkInt64);
        // Unsigned: the maximum reads as -1, not greater than the minimum.
        t->Data.MinInt64Value = isUnsigned ? 0 : std::numeric_limits<qint64>::min();
        t->Data.MaxInt64Value = isUnsigned ? -1 : std::numeric_limits<qint64>::max();
        types[isUnsigned] = t;
    }
    return types[isUnsigned];
}

const TTypeInfo* TypeInfoFloat(TFloatType floatType) {
    static QHash<int, const TTypeInfo*> types;
    if (const TTypeInfo* known = types.value(floatType))
        return known;
    static const char* const names[] = {"Single", "Double", "Extended", "Comp", "Currency"};
    TTypeInfo* t = NewType(QString::fromLatin1(names[floatType]), tkFloat);
    t->Data.FloatType = floatType;
    types.insert(floatType, t);
    return t;
}

const TTypeInfo* TypeInfoAnsiString() {
    static const TTypeInfo* info = NewType(QStringLiteral("AnsiString"), tkLString);
    return info;
}

const TTypeInfo* TypeInfoWideString() {
    static const TTypeInfo* info = NewType(QStringLiteral("WideString"), tkWString);
    return info;
}

const TTypeInfo* TypeInfoVariant() {
    static const TTypeInfo* info = NewType(QStringLiteral("Variant"), tkVariant);
    return info;
}

const TTypeInfo* TypeInfoDynArray(const TTypeInfo* elementType) {
    TTypeInfo* t = NewType(QStringLiteral("array of ") + elementType->Name, tkDynArray);
    t->Data.ElType = elementType;
    return t;
}

int GetEnumValue(const TTypeInfo* type, const QString& name) {
    if (type == nullptr || type->Kind != tkEnumeration)
        return -1;
    const QList<QString>& names = type->Data.EnumNames;
    for (qsizetype i = 0; i < names.size(); ++i)
        if (names[i].compare(name, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    return -1;
}

QString GetEnumName(const TTypeInfo* type, int value) {
    if (type == nullptr || type->Kind != tkEnumeration || value < 0 ||
        value >= type->Data.EnumNames.size())
        return {};
    return type->Data.EnumNames[value];
}

void RegisterIntegerConsts(const TTypeInfo* type, TIdentToInt identToInt, TIntToIdent intToIdent) {
    IntegerConsts().insert(type, {std::move(identToInt), std::move(intToIdent)});
}

TIdentToInt FindIdentToInt(const TTypeInfo* type) {
    return IntegerConsts().value(type).IdentToInt;
}

TIntToIdent FindIntToIdent(const TTypeInfo* type) {
    return IntegerConsts().value(type).IntToIdent;
}

const TTypeInfo* TypeInfoFontCharset() {
    static const TTypeInfo* info = [] {
        const TTypeInfo* t = DefineIntegerType(QStringLiteral("TFontCharset"), otUByte, 0, 255);
        struct TEntry {
            qint32 Value;
            const char* Name;
        };
        static const TEntry entries[] = {
            {0, "ANSI_CHARSET"},      {1, "DEFAULT_CHARSET"},    {2, "SYMBOL_CHARSET"},
            {77, "MAC_CHARSET"},      {128, "SHIFTJIS_CHARSET"}, {129, "HANGEUL_CHARSET"},
            {130, "JOHAB_CHARSET"},   {134, "GB2312_CHARSET"},   {136, "CHINESEBIG5_CHARSET"},
            {161, "GREEK_CHARSET"},   {162, "TURKISH_CHARSET"},  {163, "VIETNAMESE_CHARSET"},
            {177, "HEBREW_CHARSET"},  {178, "ARABIC_CHARSET"},   {186, "BALTIC_CHARSET"},
            {204, "RUSSIAN_CHARSET"}, {222, "THAI_CHARSET"},     {238, "EASTEUROPE_CHARSET"},
            {255, "OEM_CHARSET"}};
        RegisterIntegerConsts(
            t,
            [](const QString& ident, qint32& value) {
                for (const TEntry& e : entries)
                    if (ident.compare(QLatin1String(e.Name), Qt::CaseInsensitive) == 0) {
                        value = e.Value;
                        return true;
                    }
                return false;
            },
            [](qint32 value, QString& ident) {
                for (const TEntry& e : entries)
                    if (e.Value == value) {
                        ident = QLatin1String(e.Name);
                        return true;
                    }
                return false;
            });
        return t;
    }();
    return info;
}

// ---------------------------------------------------------------------------------------------
// Classes

TClassInfo::TClassInfo() {
    FTypeInfo.Kind = tkClass;
    FTypeInfo.Data.ClassType = this;
}

bool TClassInfo::InheritsFrom(const TClassInfo* ancestor) const {
    for (const TClassInfo* c = this; c != nullptr; c = c->FParent)
        if (c == ancestor)
            return true;
    return false;
}

bool TClassInfo::InheritsFrom(const QString& ancestorName) const {
    for (const TClassInfo* c = this; c != nullptr; c = c->FParent)
        if (c->ClassName().compare(ancestorName, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

TObject* TClassInfo::Create(TComponent* owner) const {
    if (!FFactory)
        throw EClassNotFound(QStringLiteral("Class %1 cannot be created by name").arg(ClassName()));
    return FFactory(owner);
}

TObject* TClassInfo::CreateItem(TCollection* collection) const {
    if (!FItemFactory)
        throw EClassNotFound(
            QStringLiteral("Class %1 cannot be created as a collection item").arg(ClassName()));
    return FItemFactory(collection);
}

const QList<const TPropInfo*>& TClassInfo::Properties() const {
    if (!FAllPropertiesBuilt) {
        FAllProperties = FParent ? FParent->Properties() : QList<const TPropInfo*>();
        for (const auto& own : FOwnProperties) {
            bool replaced = false;
            for (const TPropInfo*& inherited : FAllProperties)
                if (inherited->Name.compare(own->Name, Qt::CaseInsensitive) == 0) {
                    inherited = own.get();
                    replaced = true;
                    break;
                }
            if (!replaced)
                FAllProperties.append(own.get());
        }
        FAllPropertiesBuilt = true;
    }
    return FAllProperties;
}

const TPropInfo* TClassInfo::FindProperty(const QString& name) const {
    for (const TPropInfo* p : Properties())
        if (p->Name.compare(name, Qt::CaseInsensitive) == 0)
            return p;
    return nullptr;
}

const TMethodInfo* TClassInfo::FindMethod(const QString& name) const {
    for (const TClassInfo* c = this; c != nullptr; c = c->FParent)
        for (const auto& m : c->FOwnMethods)
            if (m->Name.compare(name, Qt::CaseInsensitive) == 0)
                return m.get();
    return nullptr;
}

QList<const TMethodInfo*> TClassInfo::OwnMethods() const {
    QList<const TMethodInfo*> result;
    for (const auto& m : FOwnMethods)
        result.append(m.get());
    return result;
}

QList<const TFieldInfo*> TClassInfo::Fields() const {
    QList<const TFieldInfo*> result = FParent ? FParent->Fields() : QList<const TFieldInfo*>();
    for (const auto& f : FOwnFields)
        result.append(f.get());
    return result;
}

const TFieldInfo* TClassInfo::FindField(const QString& name) const {
    for (const TClassInfo* c = this; c != nullptr; c = c->FParent)
        for (const auto& f : c->FOwnFields)
            if (f->Name.compare(name, Qt::CaseInsensitive) == 0)
                return f.get();
    return nullptr;
}

void TClassInfo::Register(const QString& name, const TClassInfo* parent, std::type_index type,
                          TFactory factory, TItemFactory itemFactory) {
    FTypeInfo.Name = name;
    FParent = parent;
    FFactory = std::move(factory);
    FItemFactory = std::move(itemFactory);
    FRegistered = true;
    TClassRegistry& registry = ClassRegistry();
    const QString key = name.toLower();
    if (!registry.ByName.contains(key))
        registry.ByName.insert(key, this);
    else
        qWarning("Class %s is registered twice; the first registration stays", qPrintable(name));
    registry.ByType[type] = this;
    registry.InOrder.append(this);
}

TPropInfo& TClassInfo::AddProperty(std::unique_ptr<TPropInfo> prop) {
    prop->Owner = this;
    FOwnProperties.push_back(std::move(prop));
    FAllPropertiesBuilt = false;
    return *FOwnProperties.back();
}

TMethodInfo& TClassInfo::AddMethod(std::unique_ptr<TMethodInfo> method) {
    method->Owner = this;
    FOwnMethods.push_back(std::move(method));
    return *FOwnMethods.back();
}

TFieldInfo& TClassInfo::AddField(std::unique_ptr<TFieldInfo> field) {
    field->Owner = this;
    FOwnFields.push_back(std::move(field));
    return *FOwnFields.back();
}

const TClassInfo* GetClass(const QString& name) {
    return ClassRegistry().ByName.value(name.toLower());
}

const TClassInfo* FindClass(const QString& name) {
    if (const TClassInfo* info = GetClass(name))
        return info;
    throw EClassNotFound(QStringLiteral("Class %1 not found").arg(name));
}

const TClassInfo* FindClassByType(std::type_index type) {
    const auto& byType = ClassRegistry().ByType;
    auto it = byType.find(type);
    return it == byType.end() ? nullptr : it->second;
}

QList<const TClassInfo*> RegisteredClasses() {
    return ClassRegistry().InOrder;
}

const TClassInfo* TObject::ClassType() const {
    if (const TClassInfo* info = FindClassByType(typeid(*this)))
        return info;
    throw EClassNotFound(
        QStringLiteral("Class %1 is not registered").arg(Demangle(typeid(*this).name())));
}

LUMOTRIX_REGISTER_ROOT_CLASS(TObject) {}

// ---------------------------------------------------------------------------------------------
// Property access

const TPropInfo* GetPropInfo(const TClassInfo* cls, const QString& name) {
    return cls ? cls->FindProperty(name) : nullptr;
}

const TPropInfo* GetPropInfo(const TObject* object, const QString& name) {
    return object ? object->ClassType()->FindProperty(name) : nullptr;
}

const TPropInfo* GetPropInfoOrThrow(const TObject* object, const QString& name) {
    if (const TPropInfo* prop = GetPropInfo(object, name))
        return prop;
    throw EPropertyError(QStringLiteral("Property %1 does not exist").arg(name));
}

QList<const TPropInfo*> GetPropList(const TObject* object) {
    return object ? object->ClassType()->Properties() : QList<const TPropInfo*>();
}

bool IsReadOnlyProp(const TPropInfo* prop) {
    return !prop->IsWritable();
}

void CheckOrdRange(const TPropInfo* prop, qint64 value) {
    const TTypeData& data = prop->PropType->Data;
    qint64 low = 0;
    qint64 high = 0;
    if (prop->Kind() == tkSet) {
        high = (qint64(1) << SetElementCount(prop->PropType)) - 1;
    } else if (data.OrdType == otULong || data.MaxValue < data.MinValue) {
        low = static_cast<quint32>(data.MinValue);
        high = static_cast<quint32>(data.MaxValue);
    } else {
        low = data.MinValue;
        high = data.MaxValue;
    }
    if (value < low || value > high)
        throw ERangeError(QStringLiteral("Value %1 is out of range %2..%3 of property %4")
                              .arg(value)
                              .arg(low)
                              .arg(high)
                              .arg(prop->Name));
}

qint64 GetOrdProp(TObject* object, const TPropInfo* prop) {
    if (prop->Kind() == tkClass)
        return reinterpret_cast<qintptr>(Read<TObject*>(object, prop));
    if (!IsOrdinalKind(prop->Kind()))
        WrongKind(prop, "of an ordinal type");
    return Read<qint64>(object, prop);
}

void SetOrdProp(TObject* object, const TPropInfo* prop, qint64 value) {
    if (!IsOrdinalKind(prop->Kind()))
        WrongKind(prop, "of an ordinal type");
    CheckOrdRange(prop, value);
    Write<qint64>(object, prop, value);
}

double GetFloatProp(TObject* object, const TPropInfo* prop) {
    RequireKind(prop, tkFloat, "a floating-point property");
    return Read<double>(object, prop);
}

void SetFloatProp(TObject* object, const TPropInfo* prop, double value) {
    RequireKind(prop, tkFloat, "a floating-point property");
    Write<double>(object, prop, value);
}

AnsiString GetStrProp(TObject* object, const TPropInfo* prop) {
    switch (prop->Kind()) {
    case tkString:
    case tkLString:
        return Read<QByteArray>(object, prop);
    case tkWString:
        return ToAnsi(Read<QString>(object, prop));
    default:
        WrongKind(prop, "a string property");
    }
}

void SetStrProp(TObject* object, const TPropInfo* prop, const AnsiString& value) {
    switch (prop->Kind()) {
    case tkString:
    case tkLString:
        return Write<QByteArray>(object, prop, value);
    case tkWString:
        return Write<QString>(object, prop, FromAnsi(value));
    default:
        WrongKind(prop, "a string property");
    }
}

WideString GetWideStrProp(TObject* object, const TPropInfo* prop) {
    switch (prop->Kind()) {
    case tkString:
    case tkLString:
        return FromAnsi(Read<QByteArray>(object, prop));
    case tkWString:
        return Read<QString>(object, prop);
    default:
        WrongKind(prop, "a string property");
    }
}

void SetWideStrProp(TObject* object, const TPropInfo* prop, const WideString& value) {
    switch (prop->Kind()) {
    case tkString:
    case tkLString:
        return Write<QByteArray>(object, prop, ToAnsi(value));
    case tkWString:
        return Write<QString>(object, prop, value);
    default:
        WrongKind(prop, "a string property");
    }
}

Variant GetVariantProp(TObject* object, const TPropInfo* prop) {
    RequireKind(prop, tkVariant, "a variant property");
    return Read<Variant>(object, prop);
}

void SetVariantProp(TObject* object, const TPropInfo* prop, const Variant& value) {
    RequireKind(prop, tkVariant, "a variant property");
    Write<Variant>(object, prop, value);
}

qint64 GetInt64Prop(TObject* object, const TPropInfo* prop) {
    RequireKind(prop, tkInt64, "a 64-bit integer property");
    return Read<qint64>(object, prop);
}

void SetInt64Prop(TObject* object, const TPropInfo* prop, qint64 value) {
    RequireKind(prop, tkInt64, "a 64-bit integer property");
    const TTypeData& data = prop->PropType->Data;
    if (data.MaxInt64Value > data.MinInt64Value &&
        (value < data.MinInt64Value || value > data.MaxInt64Value))
        throw ERangeError(QStringLiteral("Value %1 is out of range %2..%3 of property %4")
                              .arg(value)
                              .arg(data.MinInt64Value)
                              .arg(data.MaxInt64Value)
                              .arg(prop->Name));
    Write<qint64>(object, prop, value);
}

TObject* GetObjectProp(TObject* object, const TPropInfo* prop) {
    RequireKind(prop, tkClass, "an object property");
    return Read<TObject*>(object, prop);
}

void SetObjectProp(TObject* object, const TPropInfo* prop, TObject* value) {
    RequireKind(prop, tkClass, "an object property");
    Write<TObject*>(object, prop, value);
}

TMethod GetMethodProp(TObject* object, const TPropInfo* prop) {
    RequireKind(prop, tkMethod, "an event");
    return Read<TMethod>(object, prop);
}

void SetMethodProp(TObject* object, const TPropInfo* prop, const TMethod& value) {
    RequireKind(prop, tkMethod, "an event");
    Write<TMethod>(object, prop, value);
}

QString GetEnumProp(TObject* object, const TPropInfo* prop) {
    RequireKind(prop, tkEnumeration, "of an enumerated type");
    return GetEnumName(prop->PropType, static_cast<int>(Read<qint64>(object, prop)));
}

void SetEnumProp(TObject* object, const TPropInfo* prop, const QString& value) {
    RequireKind(prop, tkEnumeration, "of an enumerated type");
    const int ordinal = GetEnumValue(prop->PropType, value.trimmed());
    if (ordinal < 0)
        throw EConvertError(QStringLiteral("Invalid property element: %1").arg(value));
    Write<qint64>(object, prop, ordinal);
}

qint64 SetTextToBits(const TTypeInfo* setType, const QString& text) {
    QString body = text.trimmed();
    if (body.startsWith(QLatin1Char('[')) && body.endsWith(QLatin1Char(']')))
        body = body.mid(1, body.size() - 2);
    const TTypeInfo* comp = setType->Data.CompType;
    const int count = SetElementCount(setType);
    qint64 bits = 0;
    for (const QString& part : body.split(QLatin1Char(','))) {
        const QString name = part.trimmed();
        if (name.isEmpty())
            continue;
        int ordinal = -1;
        if (comp && comp->Kind == tkEnumeration) {
            ordinal = GetEnumValue(comp, name);
        } else {
            bool ok = false;
            ordinal = name.toInt(&ok);
            if (!ok)
                ordinal = -1;
        }
        if (ordinal < 0 || ordinal >= count)
            throw EConvertError(QStringLiteral("Invalid property element: %1").arg(name));
        bits |= qint64(1) << ordinal;
    }
    return bits;
}

QString GetSetProp(TObject* object, const TPropInfo* prop, bool brackets) {
    RequireKind(prop, tkSet, "a set property");
    const qint64 bits = Read<qint64>(object, prop);
    const TTypeInfo* comp = prop->PropType->Data.CompType;
    QStringList names;
    for (int i = 0; i < 32; ++i)
        if ((bits >> i) & 1) {
            QString name = comp && comp->Kind == tkEnumeration ? GetEnumName(comp, i) : QString();
            names.append(name.isEmpty() ? QString::number(i) : name);
        }
    const QString text = names.join(QLatin1Char(','));
    return brackets ? QLatin1Char('[') + text + QLatin1Char(']') : text;
}

void SetSetProp(TObject* object, const TPropInfo* prop, const QString& value) {
    RequireKind(prop, tkSet, "a set property");
    Write<qint64>(object, prop, SetTextToBits(prop->PropType, value));
}

Variant GetDynArrayProp(TObject* object, const TPropInfo* prop) {
    RequireKind(prop, tkDynArray, "a dynamic array property");
    return Read<Variant>(object, prop);
}

void SetDynArrayProp(TObject* object, const TPropInfo* prop, const Variant& value) {
    RequireKind(prop, tkDynArray, "a dynamic array property");
    Write<Variant>(object, prop, value.IsEmpty() ? Variant(QList<Variant>()) : value);
}

// By name.
#define LUMOTRIX_BY_NAME_GET(Result, Function)                                                     \
    Result Function(TObject* object, const QString& name) {                                        \
        return Function(object, GetPropInfoOrThrow(object, name));                                 \
    }
#define LUMOTRIX_BY_NAME_SET(Value, Function)                                                      \
    void Function(TObject* object, const QString& name, Value value) {                             \
        Function(object, GetPropInfoOrThrow(object, name), value);                                 \
    }

LUMOTRIX_BY_NAME_GET(qint64, GetOrdProp)
LUMOTRIX_BY_NAME_SET(qint64, SetOrdProp)
LUMOTRIX_BY_NAME_GET(double, GetFloatProp)
LUMOTRIX_BY_NAME_SET(double, SetFloatProp)
LUMOTRIX_BY_NAME_GET(AnsiString, GetStrProp)
LUMOTRIX_BY_NAME_SET(const AnsiString&, SetStrProp)
LUMOTRIX_BY_NAME_GET(WideString, GetWideStrProp)
LUMOTRIX_BY_NAME_SET(const WideString&, SetWideStrProp)
LUMOTRIX_BY_NAME_GET(Variant, GetVariantProp)
LUMOTRIX_BY_NAME_SET(const Variant&, SetVariantProp)
LUMOTRIX_BY_NAME_GET(qint64, GetInt64Prop)
LUMOTRIX_BY_NAME_SET(qint64, SetInt64Prop)
LUMOTRIX_BY_NAME_GET(TObject*, GetObjectProp)
LUMOTRIX_BY_NAME_SET(TObject*, SetObjectProp)
LUMOTRIX_BY_NAME_GET(TMethod, GetMethodProp)
LUMOTRIX_BY_NAME_SET(const TMethod&, SetMethodProp)
LUMOTRIX_BY_NAME_GET(QString, GetEnumProp)
LUMOTRIX_BY_NAME_SET(const QString&, SetEnumProp)
LUMOTRIX_BY_NAME_SET(const QString&, SetSetProp)
LUMOTRIX_BY_NAME_GET(Variant, GetDynArrayProp)
LUMOTRIX_BY_NAME_SET(const Variant&, SetDynArrayProp)

QString GetSetProp(TObject* object, const QString& name, bool brackets) {
    return GetSetProp(object, GetPropInfoOrThrow(object, name), brackets);
}

} // namespace lumotrix
