#pragma once

#include "lumotrix-sim/ControllerProtocol.h"

#include <QByteArray>
#include <QStringList>

namespace lumotrix {

// The controller's side of the protocol, without the line: it collects what the PC writes,
// checks every transfer when its ETX arrives, keeps the last good configuration and makes
// the dump it would answer with.
class TVirtualController {
public:
    // Takes the bytes as they arrive; returns the report of every transfer they completed:
    // "transfer ok: ..." or "transfer error: ...", detail lines, then "end".
    QStringList Feed(const QByteArray& bytes);

    const TControllerConfig& Config() const { return FConfig; }
    void SetConfig(const TControllerConfig& config) { FConfig = config; }
    // The last good transfer as it came, to be kept in a file and loaded again.
    const QByteArray& LastTransfer() const { return FLastTransfer; }
    int GoodTransfers() const { return FGoodTransfers; }

    // The dump of the configuration held (ETX last, without the STX sent ahead of it).
    QByteArray Dump() const { return BuildDump(FConfig); }

    static QStringList Describe(const TTransferContent& content, qsizetype bytes);

private:
    QByteArray FPending;
    TControllerConfig FConfig;
    QByteArray FLastTransfer;
    int FGoodTransfers = 0;
};

} // namespace lumotrix
