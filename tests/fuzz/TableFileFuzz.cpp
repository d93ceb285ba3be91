// The table-file reader: a file it accepts is saved and loaded again to the same bytes.

#include "FuzzSupport.h"
#include "model/MemData.h"

using namespace lumotrix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString source = QStringLiteral("fuzz.tmr");
    TMemData table;
    if (!fuzz::Accepted([&] { table.LoadFromBytes(fuzz::Bytes(data, size), source); }))
        return 0;
    QByteArray saved;
    fuzz::Check(fuzz::Accepted([&] { saved = table.SaveToBytes(); }),
                "an accepted table cannot be saved");
    TMemData again;
    fuzz::Check(fuzz::Accepted([&] { again.LoadFromBytes(saved, source); }),
                "a saved table does not load");
    QByteArray savedAgain;
    fuzz::Check(fuzz::Accepted([&] { savedAgain = again.SaveToBytes(); }),
                "a reloaded table cannot be saved");
    fuzz::Check(savedAgain == saved, "load -> save -> load changed the table");
    ++fuzz::RoundTrips;
    return 0;
}
