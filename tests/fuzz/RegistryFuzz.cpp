// The settings store read from a file of any content. A store it accepts is written back
// (through an update that adds and removes a probe key) and must read as the same tree.

#include "FuzzSupport.h"
#include "runtime/Registry.h"

#include <QFile>
#include <QTemporaryDir>

using namespace lumotrix;

namespace {

// Stores nest by paths; a tree deeper than this only comes from a key that lists itself.
constexpr int MaxDepth = 64;

void DumpKey(const QString& path, QString& out, int depth) {
    if (depth > MaxDepth)
        fuzz::Finding("the key tree does not end");
    TRegistry registry;
    fuzz::Check(registry.OpenKeyReadOnly(u'\\' + path), "a listed key does not open");
    out += u'[' + path + QLatin1String("]\n");
    for (const QString& name : registry.GetValueNames()) {
        out += name + u'=';
        if (registry.GetDataType(name) == TRegDataType::rdInteger)
            out += QString::number(registry.ReadInteger(name)) + u'\n';
        else
            out += u'"' + registry.ReadString(name) + QLatin1String("\"\n");
    }
    for (const QString& child : registry.GetKeyNames())
        DumpKey(path.isEmpty() ? child : path + u'\\' + child, out, depth + 1);
}

QString Dump() {
    QString out;
    DumpKey(QString(), out, 0);
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static QTemporaryDir folder;
    const QString store = folder.filePath(QStringLiteral("registry.json"));
    {
        QFile file(store);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
            fuzz::Finding("cannot write the store file");
    }
    TRegistry::SetStorePath(store);
    QString before;
    if (!fuzz::Accepted([&] { before = Dump(); }))
        return 0;
    const QString probe = QStringLiteral("\\FuzzProbe\\Key");
    if (TRegistry().KeyExists(QStringLiteral("\\FuzzProbe")))
        return 0;
    fuzz::Check(fuzz::Accepted([&] {
                    TRegistryUpdate update;
                    TRegistry registry;
                    registry.OpenKey(probe, true);
                    registry.WriteInteger(QStringLiteral("Value"), 1);
                    registry.DeleteKey(QStringLiteral("\\FuzzProbe"));
                    update.Commit();
                }),
                "an accepted store cannot be written");
    QString after;
    fuzz::Check(fuzz::Accepted([&] { after = Dump(); }), "a written store does not read");
    fuzz::Check(after == before, "read -> write -> read changed the store");
    ++fuzz::RoundTrips;
    return 0;
}
