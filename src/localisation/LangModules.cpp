#include "localisation/LangModules.h"

#include "localisation/TranslateSettings.h"
#include "runtime/Classes.h"
#include "runtime/CodePage.h"
#include "widgets/ListControls.h"

namespace lumotrix {

namespace {

std::unique_ptr<TLangModules>& RegistryStorage() {
    static std::unique_ptr<TLangModules> registry;
    return registry;
}

// Sets up the registry when the program's code is initialised, so that it exists before the
// first form, and releases it, with its modules, when the program ends.
struct TModuleRegistryLifetime {
    TModuleRegistryLifetime() {
        RegistryStorage() = std::make_unique<TLangModules>();
        RegistryStorage()->Register<TLangStringsModule>();
    }
    ~TModuleRegistryLifetime() { RegistryStorage().reset(); }
};
const TModuleRegistryLifetime moduleRegistryLifetime;

} // namespace

TLangModules& ModuleRegistry() {
    std::unique_ptr<TLangModules>& registry = RegistryStorage();
    if (!registry)
        throw Exception(
            QStringLiteral("The translation module registry exists only while the program runs"));
    return *registry;
}

bool TLangStringsModule::CanTranslate(TObject* instance) const {
    return dynamic_cast<TStrings*>(instance) != nullptr;
}

void TLangStringsModule::Translate(TComponent* component, TObject* instance, const QString&,
                                   const Variant& value, int index) {
    auto* strings = CheckedCast<TStrings>(instance);
    if (strings == nullptr)
        throw EInvalidCast(QStringLiteral("Invalid class typecast: nil is not a TStrings"));
    if (index < 0 || index >= strings->Count())
        return;
    // The hook sees a line as the stream's string values are: an ansi string.
    const Variant current(ToAnsi(strings->Get(index)));
    if (DoBeforeTranslate(component, strings, nullptr, current, value, false))
        return;
    // Replacing a line deletes and inserts it, which may move a list control's selection.
    auto* list = dynamic_cast<TCustomListControl*>(component);
    const qint32 selected = list ? list->ItemIndex() : -1;
    strings->Put(index, value.ToWideString());
    if (list)
        list->SetItemIndex(selected);
    DoAfterTranslate(component, strings, nullptr);
}

TLangModules::~TLangModules() {
    Clear();
}

void TLangModules::Register(std::type_index moduleClass, const TModuleFactory& create) {
    for (const auto& module : FModules) {
        const TLangModule& registered = *module;
        if (std::type_index(typeid(registered)) == moduleClass)
            return;
    }
    FModules.push_back(create());
}

bool TLangModules::Find(TObject* instance, TLangModule*& module) const {
    for (const auto& candidate : FModules)
        if (candidate->CanTranslate(instance)) {
            module = candidate.get();
            return true;
        }
    module = nullptr;
    return false;
}

TLangModule* TLangModules::Items(int index) const {
    if (index < 0 || index >= Count())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(index));
    return FModules[static_cast<size_t>(index)].get();
}

void TLangModules::Clear() {
    while (!FModules.empty())
        FModules.erase(FModules.begin());
}

LUMOTRIX_REGISTER_CLASS(TLangModule, TObject) {}
LUMOTRIX_REGISTER_CLASS(TLangStringsModule, TLangModule) {}
LUMOTRIX_REGISTER_CLASS(TLangModules, TObject) {}

} // namespace lumotrix
