#include "runtime/ModuleList.h"

#include "runtime/Exception.h"
#include "runtime/Message.h"

#include <QCoreApplication>
#include <QFile>

namespace lumotrix {
namespace {

QString ProgramPath() {
    if (QCoreApplication::instance())
        return QCoreApplication::applicationFilePath();
    // Module initialisation runs before the application object exists.
    return QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
}

} // namespace

TModule::TModule(QString fileName, const unsigned char* data, std::size_t size)
    : FFileName(std::move(fileName)), FData(data), FSize(size) {}

void TModule::SetEmbedded(const unsigned char* data, std::size_t size) {
    FData = data;
    FSize = size;
    FOwn.reset();
}

const TResourceFile& TModule::OwnResources() const {
    if (!FOwn) {
        TResourceFile parsed;
        if (FData && FSize > 0)
            parsed = TResourceFile::FromImage(
                QByteArray::fromRawData(reinterpret_cast<const char*>(FData), qsizetype(FSize)),
                QStringLiteral("Resources of %1").arg(FFileName));
        // Neither the image nor its entries are copied: embedded data lives as long as the
        // program, and a module's data outlives the module.
        FOwn = std::make_unique<TResourceFile>(std::move(parsed));
    }
    return *FOwn;
}

const TResourceFile& TModule::Resources() const {
    return FResourceFile ? *FResourceFile : OwnResources();
}

void TModule::SetResourceFile(std::unique_ptr<TResourceFile> file) {
    FResourceFile = std::move(file);
}

const QByteArray* TModule::FindRCData(const QString& name) const {
    const TResourceEntry* entry = Resources().Find(RT_RCDATA, TResourceId(name));
    return entry ? &entry->Data : nullptr;
}

std::optional<QString> TModule::LoadString(quint16 id) const {
    return Resources().LoadString(id);
}

namespace {

QString BuiltInString(quint16 id) {
    return TModuleList::Instance().Head().OwnResources().LoadString(id).value_or(QString());
}

} // namespace

// Messages are worded from the string table once there is a module list to read it from.
TModuleList::TModuleList() {
    SetStringTableTexts(&LoadResString, &BuiltInString);
}

TModuleList& TModuleList::Instance() {
    static TModuleList list;
    return list;
}

void TModuleList::EnsureHead() {
    if (!FHead)
        FHead = std::make_unique<TModule>(ProgramPath(), FProgramData, FProgramSize);
}

TModule& TModuleList::Head() {
    EnsureHead();
    return *FHead;
}

QList<TModule*> TModuleList::Modules() {
    QList<TModule*> modules{&Head()};
    for (const auto& m : FOthers)
        modules.append(m.get());
    return modules;
}

TModule& TModuleList::AddModule(const QString& fileName, const unsigned char* data,
                                std::size_t size) {
    FOthers.push_back(std::make_unique<TModule>(fileName, data, size));
    return *FOthers.back();
}

void TModuleList::RemoveModule(TModule& module) {
    FClassModules.removeIf([&](auto entry) { return entry.value() == &module; });
    std::erase_if(FOthers, [&](const auto& m) { return m.get() == &module; });
}

void TModuleList::AddModuleClass(TModule& module, const TClassInfo* cls) {
    FClassModules.insert(cls, &module);
}

TModule& TModuleList::ClassModule(const TClassInfo* cls) {
    if (TModule* module = FClassModules.value(cls))
        return *module;
    return Head();
}

TModule* TModuleList::FindModule(const QString& fileName) {
    for (TModule* m : Modules())
        if (m->FileName() == fileName)
            return m;
    return nullptr;
}

void TModuleList::SetProgramResources(const unsigned char* data, std::size_t size) {
    FProgramData = data;
    FProgramSize = size;
    if (FHead)
        FHead->SetEmbedded(data, size);
}

QString LoadResString(quint16 id) {
    return TModuleList::Instance().Head().LoadString(id).value_or(QString());
}

TEmbeddedResources::TEmbeddedResources(const unsigned char* data, std::size_t size) {
    TModuleList::Instance().SetProgramResources(data, size);
}

} // namespace lumotrix
