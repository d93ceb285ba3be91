#include "runtime/SerialSettings.h"

#include "runtime/Exception.h"
#include "runtime/MessageIds.h"

#include <QRegularExpression>

namespace lumotrix {

const QList<int>& StandardBaudRates() {
    static const QList<int> rates{110,   300,   600,   1200,  2400,   4800,   9600,   14400,
                                  19200, 38400, 56000, 57600, 115200, 128000, 230400, 256000};
    return rates;
}

void CheckSettings(const TComSettings& settings) {
    const QString port = settings.Port.trimmed();
    if (port.isEmpty())
        throw ERangeError(TMessage(msgSettingsPortMissing));
    for (QChar c : port)
        if (c.category() == QChar::Other_Control)
            throw ERangeError(TMessage(msgSettingsPortName, {port}));
    if (!StandardBaudRates().contains(settings.BaudRate))
        throw ERangeError(TMessage(msgSettingsBaudRate, {settings.BaudRate}));
    if (settings.DataBits < 5 || settings.DataBits > 8)
        throw ERangeError(TMessage(msgSettingsDataBits, {settings.DataBits}));
    // The enumerations come from outside too (a form, a cast): refuse what is not a value.
    if (GetEnumName(TypeInfo<TParityBits>(), int(settings.Parity)).isEmpty())
        throw ERangeError(TMessage(msgSettingsParity, {int(settings.Parity)}));
    if (GetEnumName(TypeInfo<TStopBits>(), int(settings.StopBits)).isEmpty())
        throw ERangeError(TMessage(msgSettingsStopBits, {int(settings.StopBits)}));
    const TComFlowControl& f = settings.FlowControl;
    if (GetEnumName(TypeInfo<TDTRFlowControl>(), int(f.ControlDTR)).isEmpty() ||
        GetEnumName(TypeInfo<TRTSFlowControl>(), int(f.ControlRTS)).isEmpty())
        throw ERangeError(TMessage(msgSettingsFlowControl));
}

QString DeviceName(const QString& port) {
    static const QRegularExpression com(QStringLiteral("^COM([1-9][0-9]*)$"),
                                        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = com.match(port.trimmed());
    if (m.hasMatch()) {
#ifdef Q_OS_WIN
        return port.trimmed().toUpper();
#else
        return QStringLiteral("/dev/ttyS%1").arg(m.captured(1).toInt() - 1);
#endif
    }
    return port;
}

} // namespace lumotrix
