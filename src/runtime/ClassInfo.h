#pragma once

#include "runtime/Events.h"

// Published properties, fields and classes, the class registry, and the root class TObject.

namespace lumotrix {

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

} // namespace lumotrix
