// The controller-side parser of the PC's transfer. An accepted transfer, written again with
// the PC's own packets, parses to the same configuration and date.

#include "FuzzSupport.h"
#include "link/Dump.h"
#include "link/Framing.h"
#include "lumotrix-sim/ControllerProtocol.h"

#include <QDateTime>
#include <QTimeZone>

using namespace lumotrix;

namespace {

QByteArray TransferOf(const TTransferContent& content) {
    QByteArray bytes(1, STX);
    const auto append = [&](const QList<AnsiString>& pieces) {
        for (const AnsiString& piece : pieces)
            bytes += piece;
    };
    for (int k = 0; k < TimerCount; ++k)
        append(TimerPacket(k + 1, content.Config.Timers[k]));
    bytes += SOH;
    for (const AnsiString& name : content.Config.PortNames)
        bytes += name + EOT;
    bytes += SOH;
    const auto& d = content.Date;
    const bool syncOff = std::all_of(d.begin(), d.end(), [](int v) { return v == 0; });
    append(DatePacket(syncOff ? QDateTime()
                              : QDateTime(QDate(2000 + d[0], d[1], d[2]), QTime(d[3], d[4], d[5]),
                                          QTimeZone::utc())));
    bytes += SOH;
    append(TemperatureRecord(content.Config.Temperature));
    bytes += ETX;
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TTransferContent content;
    if (!fuzz::Accepted([&] { content = ParseTransfer(fuzz::Bytes(data, size)); }))
        return 0;
    TTransferContent again;
    fuzz::Check(fuzz::Accepted([&] { again = ParseTransfer(TransferOf(content)); }),
                "a transfer written from an accepted one is refused");
    fuzz::Check(again.Config == content.Config && again.Date == content.Date,
                "parse -> write -> parse changed the transfer");
    ++fuzz::RoundTrips;
    return 0;
}
