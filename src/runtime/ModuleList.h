#pragma once

#include "runtime/ResourceFile.h"

#include <QHash>
#include <QString>
#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

namespace lumotrix {

class TClassInfo;

// One module of the process (the program, a package, a test's stand-in) and its resource
// source: the resources compiled into it, or a loaded resource file that is in force instead.
class TModule {
public:
    TModule(QString fileName, const unsigned char* data, std::size_t size);
    TModule(const TModule&) = delete;
    TModule& operator=(const TModule&) = delete;

    const QString& FileName() const { return FFileName; }

    // The resources compiled into the module; empty when it has none. Parsed on first use,
    // EReadError when the embedded image is damaged.
    const TResourceFile& OwnResources() const;
    // The resource source in force: the loaded resource file, else the own resources.
    const TResourceFile& Resources() const;
    bool UsesOwnResources() const { return !FResourceFile; }
    // The code page of the 8-bit strings in the resource source in force.
    int ResourceCodePage() const { return Resources().CodePage(); }
    // The loaded resource file in force, or nullptr when the module serves its own.
    const TResourceFile* ResourceFile() const { return FResourceFile.get(); }
    // Puts a loaded resource file in force (nullptr: back to the own resources). The module
    // owns it from now on; the file it replaces is released.
    void SetResourceFile(std::unique_ptr<TResourceFile> file);

    // Lookups in the resource source in force; names match without regard to letter case.
    const QByteArray* FindRCData(const QString& name) const;
    std::optional<QString> LoadString(quint16 id) const;

private:
    friend class TModuleList;
    void SetEmbedded(const unsigned char* data, std::size_t size);

    QString FFileName;
    const unsigned char* FData = nullptr;
    std::size_t FSize = 0;
    mutable std::unique_ptr<TResourceFile> FOwn;
    std::unique_ptr<TResourceFile> FResourceFile;
};

// The process-wide list of modules, headed by the program. It owns its modules.
class TModuleList {
public:
    static TModuleList& Instance();

    // The program: its path from the running executable, its embedded resources as
    // registered by TEmbeddedResources (none for executables without them).
    TModule& Head();
    // Every module, the head first, then the others in the order added.
    QList<TModule*> Modules();
    // A further module (a package, a test's stand-in) with its file and embedded resources;
    // `data` must outlive the module.
    TModule& AddModule(const QString& fileName, const unsigned char* data = nullptr,
                       std::size_t size = 0);
    // Removes and releases a module added with AddModule; the head stays.
    void RemoveModule(TModule& module);
    TModule* FindModule(const QString& fileName);

    // A package's classes, registered while its code initialised, belong to its module (its
    // form resources are looked up there); every other class is the program's.
    void AddModuleClass(TModule& module, const TClassInfo* cls);
    TModule& ClassModule(const TClassInfo* cls);

    // Called by TEmbeddedResources.
    void SetProgramResources(const unsigned char* data, std::size_t size);

private:
    TModuleList();
    void EnsureHead();

    std::unique_ptr<TModule> FHead;
    const unsigned char* FProgramData = nullptr;
    std::size_t FProgramSize = 0;
    std::vector<std::unique_ptr<TModule>> FOthers;
    QHash<const TClassInfo*, TModule*> FClassModules;
};

// The module that defines a class, whose resource source serves the class's form resources.
inline TModule& FindClassHInstance(const TClassInfo* cls) {
    return TModuleList::Instance().ClassModule(cls);
}

// The program's string resource `id` from its resource source in force; empty when the
// source has no such string.
QString LoadResString(quint16 id);

// Registers the .res image compiled into the program. The generated source holds one
//     static lumotrix::TEmbeddedResources registrar(data, size);
struct TEmbeddedResources {
    TEmbeddedResources(const unsigned char* data, std::size_t size);
};

} // namespace lumotrix
