#include "runtime/FormLoader.h"

#include "runtime/FormStream.h"
#include "runtime/NestingGuard.h"
#include "runtime/ScopeExit.h"

#include <QSet>
#include <exception>
#include <memory>

namespace lumotrix {

namespace {

QString Latin1(const QByteArray& bytes) {
    return QString::fromLatin1(bytes);
}

// Rethrows the exception in flight with a new message, keeping its class so that callers can
// still tell a range error from a conversion error.
[[noreturn]] void RethrowWithMessage(const QString& message) {
    try {
        throw;
    } catch (const ERangeError&) {
        throw ERangeError(message);
    } catch (const EConvertError&) {
        throw EConvertError(message);
    } catch (const EInvalidCast&) {
        throw EInvalidCast(message);
    } catch (const EPropertyError&) {
        throw EPropertyError(message);
    } catch (const EClassNotFound&) {
        throw EClassNotFound(message);
    } catch (const EComponentError&) {
        throw EComponentError(message);
    } catch (const EListError&) {
        throw EListError(message);
    } catch (const Exception&) {
        throw EReadError(message);
    }
}

class TFormLoader {
public:
    TFormLoader(const QByteArray& stream, int codePage) : FReader(stream, codePage) {}

    TComponent* Load(TComponent* root, TComponent* owner);

private:
    struct TFixup {
        TObject* Instance;
        const TPropInfo* Prop;
        QString Name;
        QString Context;
        QString PropPath;
        qsizetype Offset;
        TComponent* LookupOwner;
    };

    void ReadComponent(TComponent* parent, TComponent* lookupOwner);
    void ReadProperty(TPersistent* object, const QString& context, TComponent* lookupOwner);
    void ReadPropValue(TPersistent* object, const TPropInfo* prop, const QString& context,
                       const QString& path, qsizetype offset, TComponent* lookupOwner);
    void ReadCollection(TCollection* collection, const QString& context, TComponent* lookupOwner);
    Variant ReadVariant();
    void ResolveFixups();
    void AssignField(TComponent* component);
    void CheckFieldsAssigned() const;
    [[noreturn]] void InvalidValue(const TPropInfo* prop);
    TNestingGuard EnterNesting();
    QString ComponentContext(const TComponent* component) const;

    TReader FReader;
    TComponent* FRoot = nullptr;
    QList<TComponent*> FLoaded;
    QSet<TComponent*> FLoadedSet; // FLoaded as a set, for large forms
    QList<TFixup> FFixups;
    QList<const TFieldInfo*> FAssignedFields;
    bool FErrorWrapped = false;
    int FNesting = 0;
};

QString TFormLoader::ComponentContext(const TComponent* component) const {
    return component->Name().isEmpty() ? component->ClassName() : component->Name();
}

void TFormLoader::InvalidValue(const TPropInfo* prop) {
    throw EPropertyError(QStringLiteral("Invalid value for property %1").arg(prop->Name));
}

// Sections, collections and lists nest; hostile input must not exhaust the stack.
TNestingGuard TFormLoader::EnterNesting() {
    return TNestingGuard(FNesting, [this] {
        throw EReadError(
            QStringLiteral("Form stream nested too deeply at offset %1").arg(FReader.Position()));
    });
}

TComponent* TFormLoader::Load(TComponent* root, TComponent* owner) {
    FReader.ReadSignature();
    int flags = 0;
    int childPos = -1;
    FReader.ReadPrefix(flags, childPos);
    const QString className = Latin1(FReader.ReadStr());
    const QString name = Latin1(FReader.ReadStr());

    const bool created = root == nullptr;
    if (created) {
        const TClassInfo* cls = FindClass(className);
        if (!cls->InheritsFrom(ClassInfoOf<TComponent>()))
            throw EReadError(QStringLiteral("Class %1 is not a component").arg(className));
        TObject* object = cls->Create(owner);
        root = dynamic_cast<TComponent*>(object);
        if (root == nullptr) {
            delete object;
            throw EReadError(QStringLiteral("Class %1 is not a component").arg(className));
        }
    } else {
        const TClassInfo* cls = root->ClassType();
        while (cls && cls->ClassName().compare(className, Qt::CaseInsensitive) != 0)
            cls = cls->ClassParent();
        if (cls == nullptr)
            throw EReadError(QStringLiteral("Form stream of class %1 cannot be read into a %2")
                                 .arg(className, root->ClassName()));
    }

    FRoot = root;
    try {
        root->IncludeState(csLoading);
        root->IncludeState(csReading);
        if (!name.isEmpty() && root->Name() != name) {
            // Two instances of one form class under one owner get "Form1", "Form1_1", ...
            QString unique = name;
            for (int n = 1; root->Owner() && root->Owner()->FindComponent(unique) &&
                            root->Owner()->FindComponent(unique) != root;
                 ++n)
                unique = QStringLiteral("%1_%2").arg(name).arg(n);
            root->SetName(unique);
        }
        FLoaded.append(root);
        FLoadedSet.insert(root);
        while (!FReader.EndOfList())
            ReadProperty(root, ComponentContext(root), root);
        FReader.ReadListEnd();
        while (!FReader.EndOfList())
            ReadComponent(root, root);
        FReader.ReadListEnd();
        CheckFieldsAssigned();
        ResolveFixups();
    } catch (...) {
        for (TComponent* c : FLoaded) {
            c->ExcludeState(csLoading);
            c->ExcludeState(csReading);
        }
        if (created)
            delete root;
        throw;
    }
    for (TComponent* c : FLoaded) {
        c->ExcludeState(csReading);
        c->ExcludeState(csLoading);
    }
    for (TComponent* c : FLoaded)
        c->Loaded();
    return root;
}

void TFormLoader::ReadComponent(TComponent* parent, TComponent* lookupOwner) {
    const TNestingGuard guard = EnterNesting();
    const qsizetype offset = FReader.Position();
    int flags = 0;
    int childPos = -1;
    FReader.ReadPrefix(flags, childPos);
    const QString className = Latin1(FReader.ReadStr());
    const QString name = Latin1(FReader.ReadStr());

    TComponent* component = nullptr;
    if (flags & ffInherited) {
        // The section changes a component that the root's own construction already made.
        component = lookupOwner->FindComponent(name);
        if (component == nullptr)
            throw EReadError(QStringLiteral("Inherited component %1 not found at offset %2")
                                 .arg(name)
                                 .arg(offset));
    } else {
        const TClassInfo* cls = FindClass(className);
        if (!cls->InheritsFrom(ClassInfoOf<TComponent>()))
            throw EReadError(QStringLiteral("Class %1 is not a component").arg(className));
        TObject* object = cls->Create(lookupOwner);
        component = dynamic_cast<TComponent*>(object);
        if (component == nullptr) {
            delete object;
            throw EReadError(QStringLiteral("Class %1 is not a component").arg(className));
        }
        // Until it has its name and parent, a failure takes the new component back.
        std::unique_ptr<TComponent> created(component);
        component->IncludeState(csLoading);
        component->IncludeState(csReading);
        component->SetName(name);
        component->SetParentComponent(parent);
        created.release();
    }
    if (!FLoadedSet.contains(component)) {
        FLoadedSet.insert(component);
        FLoaded.append(component);
    }
    if (lookupOwner == FRoot)
        AssignField(component);
    component->IncludeState(csLoading);
    component->IncludeState(csReading);
    // Sections inside an inline frame belong to the frame.
    TComponent* childOwner = lookupOwner;
    if (flags & ffInline) {
        component->IncludeState(csInline);
        childOwner = component;
    }
    while (!FReader.EndOfList())
        ReadProperty(component, ComponentContext(component), childOwner);
    FReader.ReadListEnd();
    while (!FReader.EndOfList())
        ReadComponent(component, childOwner);
    FReader.ReadListEnd();
    component->ExcludeState(csReading);
}

// The root's published field of the component's name, if it declares one, now points to it.
void TFormLoader::AssignField(TComponent* component) {
    const TClassInfo* rootClass = FRoot->ClassType();
    const TFieldInfo* field = rootClass->FindField(component->Name());
    if (field == nullptr)
        return;
    if (!component->ClassType()->InheritsFrom(field->FieldClass))
        throw EReadError(QStringLiteral("Field %1.%2 is a %3, but the component %4 is a %5")
                             .arg(rootClass->ClassName(), field->Name,
                                  field->FieldClass->ClassName(), component->Name(),
                                  component->ClassName()));
    field->Assign(FRoot, component);
    FAssignedFields.append(field);
}

// A field the class relies on and the description lacks would fail only when a handler first
// uses it; loading refuses the form instead.
void TFormLoader::CheckFieldsAssigned() const {
    const TClassInfo* rootClass = FRoot->ClassType();
    for (const TFieldInfo* field : rootClass->Fields())
        if (!FAssignedFields.contains(field))
            throw EReadError(
                QStringLiteral("Field %1.%2 (%3) has no component %2 in the form description")
                    .arg(rootClass->ClassName(), field->Name, field->FieldClass->ClassName()));
}

void TFormLoader::ReadProperty(TPersistent* object, const QString& context,
                               TComponent* lookupOwner) {
    const qsizetype offset = FReader.Position();
    const QString path = Latin1(FReader.ReadStr());
    try {
        const TNestingGuard guard = EnterNesting();
        TPersistent* target = object;
        const QStringList parts = path.split(QLatin1Char('.'));
        for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
            const TPropInfo* prop = GetPropInfo(target, parts[i]);
            if (prop == nullptr)
                throw EPropertyError(QStringLiteral("Property %1 does not exist").arg(parts[i]));
            if (prop->Kind() != tkClass)
                throw EPropertyError(QStringLiteral("Property %1 is not an object").arg(parts[i]));
            auto* next = dynamic_cast<TPersistent*>(GetObjectProp(target, prop));
            if (next == nullptr)
                throw EPropertyError(QStringLiteral("Property %1 holds no object").arg(parts[i]));
            target = next;
        }
        const QString& leaf = parts.last();
        if (const TPropInfo* prop = GetPropInfo(target, leaf))
            ReadPropValue(target, prop, context, path, offset, lookupOwner);
        else if (!target->ReadDefinedProperty(leaf, FReader))
            throw EPropertyError(QStringLiteral("Property %1 does not exist").arg(leaf));
    } catch (const Exception& e) {
        if (FErrorWrapped)
            throw;
        FErrorWrapped = true;
        QString message = QStringLiteral("Error reading %1.%2: %3").arg(context, path, e.Message());
        if (!e.Message().contains(QLatin1String(" at offset ")))
            message += QStringLiteral(" at offset %1").arg(offset);
        RethrowWithMessage(message);
    }
}

void TFormLoader::ReadPropValue(TPersistent* object, const TPropInfo* prop, const QString& context,
                                const QString& path, qsizetype offset, TComponent* lookupOwner) {
    const TValueType tag = FReader.NextValue();
    switch (prop->Kind()) {
    case tkInteger: {
        if (tag == TValueType::vaIdent) {
            const QString ident = Latin1(FReader.ReadIdent());
            const TIdentToInt toInt = FindIdentToInt(prop->PropType);
            qint32 value = 0;
            if (!toInt || !toInt(ident, value))
                throw EPropertyError(QStringLiteral("Invalid property value %1").arg(ident));
            SetOrdProp(object, prop, value);
        } else {
            SetOrdProp(object, prop, FReader.ReadInt64());
        }
        return;
    }
    case tkChar:
    case tkWChar: {
        qint64 code = 0;
        if (tag == TValueType::vaInt8 || tag == TValueType::vaInt16 || tag == TValueType::vaInt32) {
            code = FReader.ReadInteger();
        } else if (prop->Kind() == tkChar) {
            const QByteArray text = FReader.ReadString();
            if (text.size() != 1)
                InvalidValue(prop);
            code = static_cast<unsigned char>(text[0]);
        } else {
            const QString text = FReader.ReadWideString();
            if (text.size() != 1)
                InvalidValue(prop);
            code = text[0].unicode();
        }
        SetOrdProp(object, prop, code);
        return;
    }
    case tkEnumeration:
        SetEnumProp(object, prop, Latin1(FReader.ReadIdent()));
        return;
    case tkSet: {
        QStringList names;
        for (const QByteArray& element : FReader.ReadSet())
            names.append(Latin1(element));
        SetSetProp(object, prop, names.join(QLatin1Char(',')));
        return;
    }
    case tkFloat: {
        double value = 0;
        if (tag == TValueType::vaCurrency)
            value = static_cast<double>(FReader.ReadCurrency()) / 10000.0;
        else if (tag == TValueType::vaDate)
            value = FReader.ReadDate();
        else if (tag == TValueType::vaInt64)
            value = static_cast<double>(FReader.ReadInt64());
        else
            value = FReader.ReadDouble();
        SetFloatProp(object, prop, value);
        return;
    }
    case tkString:
    case tkLString:
        SetStrProp(object, prop,
                   tag == TValueType::vaBinary ? FReader.ReadBinary() : FReader.ReadString());
        return;
    case tkWString:
        SetWideStrProp(object, prop, FReader.ReadWideString());
        return;
    case tkInt64:
        SetInt64Prop(object, prop, FReader.ReadInt64());
        return;
    case tkVariant:
        SetVariantProp(object, prop, ReadVariant());
        return;
    case tkDynArray: {
        if (tag != TValueType::vaList)
            InvalidValue(prop);
        SetDynArrayProp(object, prop, ReadVariant());
        return;
    }
    case tkMethod: {
        const QString handler = Latin1(FReader.ReadIdent());
        if (handler.compare(QLatin1String("nil"), Qt::CaseInsensitive) == 0) {
            SetMethodProp(object, prop, TMethod{});
            return;
        }
        const TMethodInfo* method = FRoot->MethodAddress(handler);
        if (method == nullptr)
            throw EPropertyError(QStringLiteral("Event handler %1 not found").arg(handler));
        SetMethodProp(object, prop, TMethod{FRoot, method});
        return;
    }
    case tkClass: {
        if (tag == TValueType::vaCollection) {
            auto* collection = dynamic_cast<TCollection*>(GetObjectProp(object, prop));
            if (collection == nullptr)
                throw EPropertyError(
                    QStringLiteral("Property %1 is not a collection").arg(prop->Name));
            ReadCollection(collection, context + QLatin1Char('.') + path, lookupOwner);
            return;
        }
        if (tag != TValueType::vaIdent && tag != TValueType::vaNil)
            InvalidValue(prop);
        const QString name = Latin1(FReader.ReadIdent());
        if (!prop->IsWritable())
            throw EPropertyError(QStringLiteral("Property %1 is read-only").arg(prop->Name));
        if (name.compare(QLatin1String("nil"), Qt::CaseInsensitive) == 0)
            SetObjectProp(object, prop, nullptr);
        else // the component may come later in the stream
            FFixups.append({object, prop, name, context, path, offset, lookupOwner});
        return;
    }
    case tkUnknown:
    case tkArray:
    case tkRecord:
    case tkInterface:
        break;
    }
    throw EPropertyError(
        QStringLiteral("Property %1 cannot be read from a form stream").arg(prop->Name));
}

void TFormLoader::ReadCollection(TCollection* collection, const QString& context,
                                 TComponent* lookupOwner) {
    FReader.ReadValue(); // vaCollection
    // Like the platform: the stream's items replace whatever the collection held.
    collection->BeginUpdate();
    const TScopeExit endUpdate([collection] { collection->EndUpdate(); });
    collection->Clear();
    int index = 0;
    while (!FReader.EndOfList()) {
        const TValueType tag = FReader.NextValue();
        if (tag == TValueType::vaInt8 || tag == TValueType::vaInt16 || tag == TValueType::vaInt32)
            FReader.ReadInteger(); // the stored index plays no part
        FReader.ReadListBegin();
        TCollectionItem* item = collection->Add();
        const QString itemContext = QStringLiteral("%1[%2]").arg(context).arg(index);
        while (!FReader.EndOfList())
            ReadProperty(item, itemContext, lookupOwner);
        FReader.ReadListEnd();
        ++index;
    }
    FReader.ReadListEnd();
}

Variant TFormLoader::ReadVariant() {
    const qsizetype offset = FReader.Position();
    switch (FReader.NextValue()) {
    case TValueType::vaNull:
        FReader.ReadValue();
        return Variant::Null();
    case TValueType::vaNil:
        FReader.ReadValue();
        return Variant();
    case TValueType::vaInt8:
    case TValueType::vaInt16:
    case TValueType::vaInt32:
        return Variant(FReader.ReadInteger());
    case TValueType::vaInt64:
        return Variant(FReader.ReadInt64());
    case TValueType::vaExtended:
    case TValueType::vaSingle:
    case TValueType::vaDouble:
        return Variant(FReader.ReadDouble());
    case TValueType::vaCurrency:
        return Variant::FromCurrency(FReader.ReadCurrency());
    case TValueType::vaDate:
        return Variant(FReader.ReadDate());
    case TValueType::vaString:
    case TValueType::vaLString:
        return Variant(FReader.ReadString());
    case TValueType::vaWString:
    case TValueType::vaUTF8String:
        return Variant(FReader.ReadWideString());
    case TValueType::vaFalse:
    case TValueType::vaTrue:
        return Variant(FReader.ReadBoolean());
    case TValueType::vaList: {
        const TNestingGuard guard = EnterNesting();
        FReader.ReadListBegin();
        QList<Variant> items;
        while (!FReader.EndOfList())
            items.append(ReadVariant());
        FReader.ReadListEnd();
        return Variant(items);
    }
    default:
        break;
    }
    throw EReadError(QStringLiteral("Invalid variant value at offset %1").arg(offset));
}

void TFormLoader::ResolveFixups() {
    for (const TFixup& fixup : FFixups) {
        try {
            if (fixup.Name.contains(QLatin1Char('.')))
                throw EReadError(
                    QStringLiteral("Reference %1 to a component of another form is not supported")
                        .arg(fixup.Name));
            TComponent* target = nullptr;
            if (fixup.LookupOwner)
                target = fixup.LookupOwner->FindComponent(fixup.Name);
            if (target == nullptr)
                target = FRoot->FindComponent(fixup.Name);
            if (target == nullptr && FRoot->Name().compare(fixup.Name, Qt::CaseInsensitive) == 0)
                target = FRoot;
            if (target == nullptr)
                throw EReadError(QStringLiteral("Component %1 not found").arg(fixup.Name));
            SetObjectProp(fixup.Instance, fixup.Prop, target);
        } catch (const Exception& e) {
            RethrowWithMessage(QStringLiteral("Error reading %1.%2: %3 at offset %4")
                                   .arg(fixup.Context, fixup.PropPath, e.Message())
                                   .arg(fixup.Offset));
        }
    }
}

} // namespace

void LoadComponentFromStream(TComponent* root, const QByteArray& stream, int codePage) {
    if (root == nullptr)
        throw EReadError(QStringLiteral("No component to read the form stream into"));
    TFormLoader(stream, codePage).Load(root, nullptr);
}

TComponent* CreateComponentFromStream(TComponent* owner, const QByteArray& stream) {
    return TFormLoader(stream, CodePageWindows1252).Load(nullptr, owner);
}

QString ReadRootClassName(const QByteArray& stream) {
    TReader reader(stream);
    reader.ReadSignature();
    int flags = 0;
    int childPos = -1;
    reader.ReadPrefix(flags, childPos);
    return Latin1(reader.ReadStr());
}

} // namespace lumotrix
