#pragma once

#include "runtime/PropTraits.h"

// The registration of a class with the registry. A class publishes itself with one block in its own
// .cpp:
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

} // namespace lumotrix
