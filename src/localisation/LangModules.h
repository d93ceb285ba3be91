#pragma once

// Translation modules: handlers for values that no published property can take, such as the
// lines of a string list stored under "Items.Strings". The translator hands such a value to
// the first registered module that accepts the object.

#include "runtime/TypInfo.h"

#include <functional>
#include <memory>
#include <typeindex>
#include <vector>

namespace lumotrix {

class TComponent;

class TLangModule : public TObject {
public:
    virtual bool CanTranslate(TObject* instance) const = 0;
    // Writes `value`, element `index` of the list value stored under `propPath`, into
    // `instance`; `component` is the component whose section is being read.
    virtual void Translate(TComponent* component, TObject* instance, const QString& propPath,
                           const Variant& value, int index) = 0;
};

// The lines of string lists. A line the live list does not have is dropped; a list control's
// selection survives the rewrite of its lines.
class TLangStringsModule : public TLangModule {
public:
    bool CanTranslate(TObject* instance) const override;
    // EInvalidCast when `instance` is no string list.
    void Translate(TComponent* component, TObject* instance, const QString& propPath,
                   const Variant& value, int index) override;
};

// The registered modules, in registration order. The registry owns them.
class TLangModules : public TObject {
public:
    using TModuleFactory = std::function<std::unique_ptr<TLangModule>()>;

    TLangModules() = default;
    ~TLangModules() override;

    // Appends an instance of the module class unless one of exactly that class is registered.
    template <typename T> void Register() {
        Register(typeid(T), [] { return std::make_unique<T>(); });
    }
    void Register(std::type_index moduleClass, const TModuleFactory& create);
    // The first module that accepts `instance`; false with `module` nullptr when none does.
    bool Find(TObject* instance, TLangModule*& module) const;
    int Count() const { return static_cast<int>(FModules.size()); }
    TLangModule* Items(int index) const; // EListError out of range
    // Frees the modules, the first registered first.
    void Clear();

private:
    std::vector<std::unique_ptr<TLangModule>> FModules;
};

// The modules the translator consults: from the program's start, before any form exists, to
// its end; one TLangStringsModule at start.
TLangModules& ModuleRegistry();

} // namespace lumotrix
