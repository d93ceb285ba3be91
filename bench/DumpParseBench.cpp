// Prints how long ParseDump takes on a full controller dump (1425 bytes, every field of every
// record different, as the tests' sample configuration sets them).

#include "BenchTiming.h"
#include "link/Dump.h"
#include "link/SampleConfig.h"

#include <cstdio>

using namespace lumotrix;

int main() {
    const QByteArray dump = BuildDump(test::SampleConfig());
    long sink = 0; // keeps the parse from being optimised away
    const bench::TFigure figure = bench::MedianPerCall(
        [&] {
            const TParsedDump parsed = ParseDump(dump);
            sink += parsed.Timers[TimerCount - 1].Index + parsed.Temperature.PrimaPt;
        },
        15, 2000);
    std::printf("dump of %lld bytes\n", static_cast<long long>(dump.size()));
    bench::PrintAgainstTarget("parse of a full controller dump", figure, 50);
    return sink == 0 ? 1 : 0;
}
