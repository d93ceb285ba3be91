#include "localisation/LangTranslator.h"

#include "localisation/LangModules.h"
#include "localisation/PropertyValues.h"
#include "localisation/TranslateSettings.h"
#include "runtime/FormStream.h"
#include "runtime/ModuleList.h"
#include "runtime/ScopeExit.h"
#include "widgets/ControlMessages.h"
#include "widgets/Forms.h"

namespace lumotrix {

namespace {

QString Latin1(const QByteArray& bytes) {
    return QString::fromLatin1(bytes);
}

bool IsIntegerTag(TValueType tag) {
    return tag == TValueType::vaInt8 || tag == TValueType::vaInt16 || tag == TValueType::vaInt32;
}

} // namespace

TLangTranslator::TLangTranslator() = default;
TLangTranslator::~TLangTranslator() = default;

void TLangTranslator::TranslateAllForms() {
    TLangTranslator translator;
    // The lists are asked again at every step, as a handler run by a write may close a window.
    for (int i = 0; i < ScreenDataModules().size(); ++i)
        translator.TranslateComponent(ScreenDataModules().at(i));
    for (int i = 0; i < ScreenForms().size(); ++i)
        translator.TranslateForm(ScreenForms().at(i));
}

void TLangTranslator::TranslateForm(TForm* form) {
    for (int i = 0; i < form->ComponentCount(); ++i)
        if (auto* frame = dynamic_cast<TFrame*>(form->Components(i)))
            TranslateComponent(frame);
    TranslateComponent(form);
}

void TLangTranslator::TranslateComponent(TComponent* component) {
    QStringList names;
    for (const TClassInfo* cls = component->ClassType(); cls && HasFormResource(cls);
         cls = cls->ClassParent())
        names.prepend(cls->ClassName());
    for (const QString& name : names)
        TranslateResource(component, name);
}

bool TLangTranslator::HasFormResource(const TClassInfo* cls) {
    return FindClassHInstance(cls).FindRCData(cls->ClassName()) != nullptr;
}

void TLangTranslator::TranslateResource(TComponent* component, const QString& resName) {
    FRoot = component;
    const TModule& module = FindClassHInstance(component->ClassType());
    const QByteArray* resource = module.FindRCData(resName);
    if (resource == nullptr)
        return;
    FReader = std::make_unique<TReader>(*resource, module.ResourceCodePage());
    FReader->SetIgnoreTagBit7(true);
    const TScopeExit release([this] { FReader.reset(); });
    // A text form or other data in place of a binary form stream is not ours to read.
    if (FReader->Size() < FormSignature.size() ||
        FReader->Read(FormSignature.size()) != FormSignature)
        return;
    ReadComponent(nullptr, true);
}

// Sections, lists and collections nest; a hostile resource must not exhaust the stack.
TNestingGuard TLangTranslator::EnterNesting() {
    return TNestingGuard(FNesting, [this] {
        throw EReadError(
            QStringLiteral("Form stream nested too deeply at offset %1").arg(FReader->Position()));
    });
}

void TLangTranslator::ReadComponent(TComponent* parent, bool isRoot) {
    const TNestingGuard nesting = EnterNesting();
    int flags = 0;
    int childPos = 0;
    FReader->ReadPrefix(flags, childPos);
    const QString className = Latin1(FReader->ReadStr());
    const QString name = Latin1(FReader->ReadStr());

    TComponent* target = nullptr;
    if (isRoot) {
        target = FRoot;
    } else if (parent == nullptr) {
        // Below an unmatched section nothing is matched, named or not.
    } else if (!name.isEmpty()) {
        target = parent->FindComponent(name);
        if (target == nullptr)
            target = FRoot->FindComponent(name);
    } else {
        // Unnamed sections are numbered per class across the whole pass.
        const int n = FUnnamedCounts[className]++;
        FUnnamedClasses.append(className);
        target = FindUnnamedComponent(parent, className, n);
        if (target == nullptr)
            target = FindUnnamedComponent(FRoot, className, n);
    }
    FComponent = target;

    while (!FReader->EndOfList())
        ReadProperty(target);
    FReader->ReadListEnd();
    while (!FReader->EndOfList())
        ReadComponent(target, false);
    FReader->ReadListEnd();

    if (auto* control = dynamic_cast<TControl*>(target))
        control->Perform(CM_TEXTCHANGED, 0, 0);
}

TComponent* TLangTranslator::FindUnnamedComponent(TComponent* owner, const QString& className,
                                                  int n) const {
    int counted = 0;
    for (int i = 0; i < owner->ComponentCount(); ++i) {
        TComponent* candidate = owner->Components(i);
        if (!candidate->Name().isEmpty() || candidate->ClassName() != className)
            continue;
        if (counted == n)
            return candidate;
        ++counted;
    }
    return nullptr;
}

void TLangTranslator::ReadProperty(TObject* obj) {
    FPropPath = Latin1(FReader->ReadStr());
    FPropName = FPropPath;
    FInstance = obj;
    FPropInfo = obj ? GetPropInfo(obj, FPropName) : nullptr;
    if (obj && FPropInfo == nullptr) {
        // Only the first dot is resolved, through an object-valued property.
        const qsizetype dot = FPropPath.indexOf(QLatin1Char('.'));
        if (dot >= 0) {
            const TPropInfo* head = GetPropInfo(obj, FPropPath.left(dot));
            FPropName = FPropPath.mid(dot + 1);
            if (head && head->Kind() == tkClass) {
                FInstance = GetObjectProp(obj, head);
                FPropInfo = FInstance ? GetPropInfo(FInstance, FPropName) : nullptr;
            }
            // A dotted name under a property that holds no object names nothing: dropped
            // rather than written into that property.
        }
    }
    ReadPropertyValue();
}

Variant TLangTranslator::IdentValue(const QByteArray& ident) const {
    if (FPropInfo == nullptr)
        return {};
    if (FPropInfo->Kind() == tkInteger) {
        const TIdentToInt identToInt = FindIdentToInt(FPropInfo->PropType);
        qint32 value = 0;
        if (identToInt && identToInt(Latin1(ident), value))
            return Variant(value);
        return {};
    }
    if (FPropInfo->Kind() == tkEnumeration)
        return Variant(static_cast<qint32>(GetEnumValue(FPropInfo->PropType, Latin1(ident))));
    // Event handler names and component references are never translated.
    return {};
}

void TLangTranslator::ReadPropertyValue() {
    const quint8 tag = quint8(FReader->NextValue());
    if (tag > MaxValueType)
        throw EReadError(QStringLiteral("Unknown value type"));
    Variant value;
    switch (TValueType(tag)) {
    case TValueType::vaNull:
    case TValueType::vaNil:
        FReader->ReadValue();
        return;
    case TValueType::vaList:
        ReadList();
        return;
    case TValueType::vaInt8:
    case TValueType::vaInt16:
    case TValueType::vaInt32:
        value = Variant(FReader->ReadInteger());
        break;
    case TValueType::vaExtended:
    case TValueType::vaSingle:
        value = Variant(FReader->ReadFloat());
        break;
    case TValueType::vaString:
    case TValueType::vaLString:
        value = EightBitValue();
        break;
    case TValueType::vaIdent:
        value = IdentValue(FReader->ReadIdent());
        break;
    case TValueType::vaFalse:
    case TValueType::vaTrue:
        value = Variant(FReader->ReadBoolean());
        break;
    case TValueType::vaBinary:
        value = Variant(FReader->ReadBinary());
        break;
    case TValueType::vaSet:
        FReader->ReadSet();
        return;
    case TValueType::vaCollection:
        ReadCollection();
        return;
    case TValueType::vaCurrency:
        value = Variant::FromCurrency(FReader->ReadCurrency());
        break;
    case TValueType::vaDate:
        FReader->ReadDate();
        return;
    case TValueType::vaInt64:
        FReader->ReadInt64();
        return;
    case TValueType::vaWString:
    case TValueType::vaUTF8String:
        value = Variant(FReader->ReadWideString());
        break;
    case TValueType::vaDouble:
        value = Variant(FReader->ReadDouble());
        break;
    }
    ApplyValue(value);
}

Variant TLangTranslator::EightBitValue() {
    // An ansi string holds Windows-1252 bytes, so the bytes of another code page become text
    // here; a property that keeps 8-bit text gets them as stored, as the form loader gives them.
    const bool keepsBytes =
        FPropInfo && (FPropInfo->Kind() == tkChar || FPropInfo->Kind() == tkString ||
                      FPropInfo->Kind() == tkLString || FPropInfo->Kind() == tkVariant);
    if (FReader->CodePage() == CodePageWindows1252 || keepsBytes)
        return Variant(FReader->ReadString());
    return Variant(FReader->ReadWideString());
}

void TLangTranslator::ApplyValue(const Variant& value) {
    if (value.IsEmpty() || value.IsNull())
        return;
    if (FPropInfo) {
        WriteProperty(value);
        return;
    }
    // Values no property takes (the lines of a string list) go to a translation module.
    TLangModule* module = nullptr;
    if (ModuleRegistry().Find(FInstance, module))
        module->Translate(FComponent, FInstance, FPropPath, value, FListIndex);
}

void TLangTranslator::WriteProperty(const Variant& value) {
    try {
        const Variant current = GetPropertyValue(FInstance, FPropInfo);
        if (!AreComparable(current, value) || !VariantsDiffer(current, value))
            return;
        if (IsExcluded(FRoot, FInstance, FPropInfo, FPropName, current, value))
            return;
        SetPropertyValue(FInstance, FPropInfo, value);
        DoAfterTranslate(FRoot, FInstance, FPropInfo);
    } catch (const Exception& error) {
        throw ETranslateError(QStringLiteral("Could not translate %1.%2: %3")
                                  .arg(FInstance->ClassName(), FPropName, error.Message()));
    }
}

void TLangTranslator::ReadList() {
    const TNestingGuard nesting = EnterNesting();
    FReader->ReadListBegin();
    FListIndex = 0;
    while (!FReader->EndOfList()) {
        ReadPropertyValue();
        ++FListIndex;
    }
    FReader->ReadListEnd();
}

void TLangTranslator::ReadCollection() {
    const TNestingGuard nesting = EnterNesting();
    if (FPropInfo && FPropInfo->Kind() != tkClass)
        throw EReadError(QStringLiteral("Invalid data"));
    TCollection* collection =
        FPropInfo ? CheckedCast<TCollection>(GetObjectProp(FInstance, FPropInfo)) : nullptr;
    FReader->ReadValue();
    // Items are matched by position; the collection's size never changes.
    for (int i = 0; !FReader->EndOfList(); ++i) {
        TObject* item = collection && i < collection->Count() ? collection->Items(i) : nullptr;
        if (IsIntegerTag(FReader->NextValue()))
            FReader->ReadInteger();
        FReader->ReadListBegin();
        while (!FReader->EndOfList())
            ReadProperty(item);
        FReader->ReadListEnd();
    }
    FReader->ReadListEnd();
}

LUMOTRIX_REGISTER_CLASS(TLangTranslator, TObject) {}

} // namespace lumotrix
