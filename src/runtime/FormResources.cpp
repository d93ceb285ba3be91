#include "runtime/FormResources.h"

#include "runtime/FormLoader.h"
#include "runtime/ModuleList.h"

namespace lumotrix {

TFormResource LocateFormResource(const TClassInfo* cls) {
    for (TModule* module : TModuleList::Instance().Modules())
        if (const QByteArray* data = module->FindRCData(cls->ClassName()))
            return {data, module->ResourceCodePage()};
    return {};
}

const QByteArray* FindFormResource(const TClassInfo* cls) {
    return LocateFormResource(cls).Data;
}

bool HasFormResource(const TClassInfo* cls) {
    return FindFormResource(cls) != nullptr;
}

void InitInheritedComponent(TComponent* instance) {
    const TClassInfo* own = instance->ClassType();
    if (!HasFormResource(own))
        throw EResNotFound(QStringLiteral("Resource %1 not found").arg(own->ClassName()));
    QList<TFormResource> chain;
    for (const TClassInfo* cls = own; cls; cls = cls->ClassParent()) {
        const TFormResource resource = LocateFormResource(cls);
        if (!resource.Data)
            break;
        chain.prepend(resource);
    }
    for (const TFormResource& resource : chain)
        LoadComponentFromStream(instance, *resource.Data, resource.CodePage);
}

} // namespace lumotrix
