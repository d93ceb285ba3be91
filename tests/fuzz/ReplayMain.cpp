// Runs a fuzz target over committed inputs, without fuzzing:
//   replay CORPUS [REPRODUCERS...]
// Every file of the corpus folder is a valid input and must make the whole round trip; the
// reproducers of past findings must only be handled (refused or read) without a finding. The
// target aborts on a finding.

#include "FuzzSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

// The number of inputs run, or -1 when a file cannot be read.
int Replay(const QString& folder) {
    const QDir dir(folder);
    int count = 0;
    for (const QString& name : dir.entryList(QDir::Files, QDir::Name)) {
        QFile f(dir.filePath(name));
        if (!f.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(f.fileName()));
            return -1;
        }
        const QByteArray bytes = f.readAll();
        // Named first, so that a crash says which input it was.
        std::fprintf(stderr, "%s\n", qPrintable(f.fileName()));
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                               std::size_t(bytes.size()));
        ++count;
    }
    return count;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s CORPUS [REPRODUCERS...]\n", argv[0]);
        return 2;
    }
    const int valid = Replay(QString::fromLocal8Bit(argv[1]));
    if (valid <= 0)
        return 1;
    if (lumotrix::fuzz::RoundTrips != valid) {
        std::fprintf(stderr, "%d of %d corpus inputs were refused\n",
                     valid - lumotrix::fuzz::RoundTrips, valid);
        return 1;
    }
    int others = 0;
    for (int a = 2; a < argc; ++a) {
        const int n = Replay(QString::fromLocal8Bit(argv[a]));
        if (n < 0)
            return 1;
        others += n;
    }
    std::printf("%d corpus inputs made the round trip, %d reproducers handled\n", valid, others);
    return 0;
}
