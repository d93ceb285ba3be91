// The program's parser of the controller's dump. An accepted dump, built again from what was
// parsed, parses to the same values.

#include "FuzzSupport.h"
#include "link/Dump.h"
#include "lumotrix-sim/ControllerProtocol.h"

using namespace lumotrix;

namespace {

// The dump a controller holding the parsed values sends; records go back in the order they
// came, under their position.
TControllerConfig ConfigOf(const TParsedDump& parsed) {
    TControllerConfig config;
    for (int r = 0; r < TimerCount; ++r) {
        config.Timers[r] = parsed.Timers[r].Record;
        config.Timers[r].Day -= 1; // the dump carries the day code
    }
    config.PortNames = parsed.PortNames;
    config.Temperature = parsed.Temperature;
    return config;
}

bool SameValues(const TParsedDump& a, const TParsedDump& b) {
    for (int r = 0; r < TimerCount; ++r)
        if (!(a.Timers[r].Record == b.Timers[r].Record))
            return false;
    return a.PortNames == b.PortNames && a.Temperature == b.Temperature;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TParsedDump parsed;
    if (!fuzz::Accepted([&] { parsed = ParseDump(fuzz::Bytes(data, size)); }))
        return 0;
    QByteArray rebuilt;
    fuzz::Check(fuzz::Accepted([&] { rebuilt = BuildDump(ConfigOf(parsed)); }),
                "an accepted dump holds values a controller cannot send");
    TParsedDump again;
    fuzz::Check(fuzz::Accepted([&] { again = ParseDump(rebuilt); }),
                "a rebuilt dump does not parse");
    fuzz::Check(SameValues(parsed, again), "parse -> build -> parse changed the values");
    ++fuzz::RoundTrips;
    return 0;
}
