#include "runtime/FormResources.h"

#include "runtime/FormLoader.h"
#include "runtime/ModuleList.h"

namespace lumotrix {

const QByteArray* FindFormResource(const TClassInfo* cls) {
    for (TModule* module : TModuleList::Instance().Modules())
        if (const QByteArray* data = module->FindRCData(cls->ClassName()))
            return data;
    return nullptr;
}

bool HasFormResource(const TClassInfo* cls) {
    return FindFormResource(cls) != nullptr;
}

void InitInheritedComponent(TComponent* instance) {
    const TClassInfo* own = instance->ClassType();
    if (!HasFormResource(own))
        throw EResNotFound(QStringLiteral("Resource %1 not found").arg(own->ClassName()));
    QList<const QByteArray*> chain;
    for (const TClassInfo* cls = own; cls; cls = cls->ClassParent()) {
        const QByteArray* data = FindFormResource(cls);
        if (!data)
            break;
        chain.prepend(data);
    }
    for (const QByteArray* data : chain)
        LoadComponentFromStream(instance, *data);
}

} // namespace lumotrix
