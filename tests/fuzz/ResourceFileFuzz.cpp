// The resource-file reader with the lookups made on what it read: named lookups, string
// loads. A file it accepts is written back and read again to the same bytes.

#include "FuzzSupport.h"
#include "runtime/ResourceFile.h"

using namespace lumotrix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TResourceFile file;
    if (!fuzz::Accepted([&] { file = TResourceFile::FromBytes(fuzz::Bytes(data, size)); }))
        return 0;
    for (const TResourceEntry& entry : file.Entries()) {
        fuzz::Check(file.Find(entry.Type, entry.Name) != nullptr, "an entry read is not found");
        if (!entry.Type.IsOrdinal() || entry.Type.Ordinal() != RT_STRING || !entry.Name.IsOrdinal())
            continue;
        const int first = (int(entry.Name.Ordinal()) - 1) * 16;
        for (int id = first; id >= 0 && id < first + 16 && id <= 0xFFFF; ++id)
            fuzz::Accepted([&] { file.LoadString(quint16(id)); });
    }
    fuzz::Accepted([&] { file.Strings(); });
    QByteArray written;
    fuzz::Check(fuzz::Accepted([&] { written = file.ToBytes(); }),
                "an accepted resource file cannot be written");
    TResourceFile again;
    fuzz::Check(fuzz::Accepted([&] { again = TResourceFile::FromBytes(written); }),
                "a written resource file does not read");
    fuzz::Check(again.ToBytes() == written, "read -> write -> read changed the file");
    ++fuzz::RoundTrips;
    return 0;
}
