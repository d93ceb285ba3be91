// The resource-script compiler, with a folder holding a text form and a binary file for its
// RCDATA lines. What it compiles must read back as the same resource file.

#include "FuzzSupport.h"
#include "runtime/ResourceScript.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace lumotrix;

namespace {

// The folder lives as long as the process; the files beside the script are written once.
QString ScriptPath() {
    static QTemporaryDir folder;
    static const QString path = [] {
        const auto write = [](const QString& name, const QByteArray& bytes) {
            QFile f(folder.filePath(name));
            if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
                fuzz::Finding("cannot prepare the script's folder");
        };
        write(QStringLiteral("Form1.form"), "object Form1: TForm1\n  Caption = 'Ciao'\nend\n");
        write(QStringLiteral("data.bin"), QByteArray("\x00\x01\x02\xFF", 4));
        return folder.filePath(QStringLiteral("fuzz.rc"));
    }();
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TResourceFile file;
    if (!fuzz::Accepted(
            [&] { file = CompileResourceScript(fuzz::Bytes(data, size), ScriptPath()); }))
        return 0;
    QByteArray written;
    fuzz::Check(fuzz::Accepted([&] { written = file.ToBytes(); }),
                "a compiled resource file cannot be written");
    TResourceFile again;
    fuzz::Check(fuzz::Accepted([&] { again = TResourceFile::FromBytes(written); }),
                "a compiled resource file does not read");
    fuzz::Check(again.ToBytes() == written, "the compiled resource file changed on reading");
    fuzz::Check(again.Strings() == file.Strings(), "the compiled strings changed on reading");
    ++fuzz::RoundTrips;
    return 0;
}
