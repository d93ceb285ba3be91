// Prints how the readers scale with their input: a settings store of 5k to 40k keys (one
// lookup, and the dozen reads of loading the serial settings) and a form stream of flat
// components (load, free). Each doubling of the input should about double the time.

#include "BenchTiming.h"
#include "runtime/Classes.h"
#include "runtime/FormLoader.h"
#include "runtime/FormStream.h"
#include "runtime/Registry.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <memory>

using namespace lumotrix;
using lumotrix::bench::SecondsSince;

namespace {

using Clock = std::chrono::steady_clock;

void WriteStore(const QString& file, int keys) {
    QJsonArray list;
    for (int k = 0; k < keys; ++k) {
        QJsonArray values;
        for (int v = 0; v < 2; ++v)
            values.append(QJsonObject{{QStringLiteral("name"), QStringLiteral("Value%1").arg(v)},
                                      {QStringLiteral("type"), QStringLiteral("integer")},
                                      {QStringLiteral("data"), k + v}});
        list.append(QJsonObject{{QStringLiteral("key"), QStringLiteral("Software\\Key%1").arg(k)},
                                {QStringLiteral("values"), values}});
    }
    const QJsonObject root{{QStringLiteral("format"), QStringLiteral("Lumotrix registry")},
                           {QStringLiteral("version"), 1},
                           {QStringLiteral("keys"), list}};
    QFile f(file);
    if (!f.open(QIODevice::WriteOnly))
        return;
    f.write(QJsonDocument(root).toJson(QJsonDocument::Compact));
}

void BenchStore(const QTemporaryDir& folder) {
    std::printf("settings store      keys   one read (s)   12 reads in a snapshot (s)\n");
    for (int keys : {5000, 10000, 20000, 40000}) {
        const QString file = folder.filePath(QStringLiteral("registry%1.json").arg(keys));
        WriteStore(file, keys);
        TRegistry::SetStorePath(file);
        const QString key = QStringLiteral("\\Software\\Key%1").arg(keys - 1);

        auto start = Clock::now();
        TRegistry registry;
        registry.OpenKeyReadOnly(key);
        const double one = SecondsSince(start);

        start = Clock::now();
        {
            const TRegistrySnapshot snapshot;
            TRegistry reader;
            reader.OpenKeyReadOnly(key);
            for (int i = 0; i < 11; ++i)
                reader.ReadInteger(QStringLiteral("Value%1").arg(i % 2));
        }
        std::printf("                   %6d   %12.3f   %26.3f\n", keys, one, SecondsSince(start));
    }
    TRegistry::SetStorePath(QString());
}

QByteArray FlatForm(int components) {
    TWriter w;
    w.WriteSignature();
    w.WriteStr("TComponent");
    w.WriteStr("Root");
    w.WriteListEnd();
    for (int i = 0; i < components; ++i) {
        w.WriteStr("TComponent");
        w.WriteStr("C" + QByteArray::number(i));
        w.WriteListEnd();
        w.WriteListEnd();
    }
    w.WriteListEnd();
    return w.Data();
}

void BenchForm() {
    std::printf("form stream   components   load (s)   free (s)\n");
    for (int components : {4000, 8000, 16000, 32000}) {
        const QByteArray stream = FlatForm(components);
        auto start = Clock::now();
        std::unique_ptr<TComponent> form(CreateComponentFromStream(nullptr, stream));
        const double load = SecondsSince(start);
        start = Clock::now();
        form.reset();
        std::printf("              %10d   %8.3f   %8.3f\n", components, load, SecondsSince(start));
    }
}

} // namespace

int main() {
    QTemporaryDir folder;
    BenchStore(folder);
    BenchForm();
    return 0;
}
