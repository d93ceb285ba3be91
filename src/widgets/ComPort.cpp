#include "widgets/ComPort.h"

#include "runtime/Exception.h"
#include "runtime/Registry.h"
#include "widgets/Application.h"
#include "widgets/ComPortSetupDialog.h"

#include <QRegularExpression>
#include <QScopeGuard>
#include <QSerialPort>
#include <QTimer>

namespace lumotrix {

namespace {

constexpr int PinoutPollMs = 250;
constexpr int ActivityFlashMs = 60;
constexpr int WriteTimeoutMs = 10000;

QSerialPort::Parity ToQt(TParityBits parity) {
    switch (parity) {
    case TParityBits::prOdd:
        return QSerialPort::OddParity;
    case TParityBits::prEven:
        return QSerialPort::EvenParity;
    case TParityBits::prMark:
        return QSerialPort::MarkParity;
    case TParityBits::prSpace:
        return QSerialPort::SpaceParity;
    case TParityBits::prNone:
        break;
    }
    return QSerialPort::NoParity;
}

QSerialPort::StopBits ToQt(TStopBits stopBits) {
    switch (stopBits) {
    case TStopBits::sbOne5StopBits:
        return QSerialPort::OneAndHalfStop;
    case TStopBits::sbTwoStopBits:
        return QSerialPort::TwoStop;
    case TStopBits::sbOneStopBit:
        break;
    }
    return QSerialPort::OneStop;
}

QSerialPort::FlowControl ToQt(const TComFlowControl& flow) {
    if (flow.OutCTSFlow || flow.ControlRTS == TRTSFlowControl::rtsHandshake)
        return QSerialPort::HardwareControl;
    if (flow.XonXoffIn || flow.XonXoffOut)
        return QSerialPort::SoftwareControl;
    return QSerialPort::NoFlowControl;
}

} // namespace

TComPort::TComPort(TComponent* owner)
    : TComponent(owner), FPort(new QSerialPort(this)), FPinoutTimer(new QTimer(this)),
      FTxTimer(new QTimer(this)), FRxTimer(new QTimer(this)) {
    FPinoutTimer->setInterval(PinoutPollMs);
    FTxTimer->setSingleShot(true);
    FTxTimer->setInterval(ActivityFlashMs);
    FRxTimer->setSingleShot(true);
    FRxTimer->setInterval(ActivityFlashMs);
    connect(FPinoutTimer, &QTimer::timeout, this, [this] { PollPinout(); });
    connect(FTxTimer, &QTimer::timeout, this, [this] { SetSignal(TComSignal::lsTx, false); });
    connect(FRxTimer, &QTimer::timeout, this, [this] { SetSignal(TComSignal::lsRx, false); });
    connect(FPort, &QSerialPort::readyRead, this, [this] { OnReadyRead(); });
    connect(FPort, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError error) {
        // The device went away (a USB adapter unplugged): the port is closed. Everything else
        // is reported where it happened, or is a line-signal request the device can't serve.
        if (error == QSerialPort::ResourceError && FPort->isOpen())
            QTimer::singleShot(0, this, [this] { Guarded([this] { Close(); }); });
    });
}

TComPort::~TComPort() {
    if (FPort->isOpen())
        FPort->close();
}

QString TComPort::DeviceName(const QString& port) {
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

const QList<int>& TComPort::StandardBaudRates() {
    static const QList<int> rates{110,   300,   600,   1200,  2400,   4800,   9600,   14400,
                                  19200, 38400, 56000, 57600, 115200, 128000, 230400, 256000};
    return rates;
}

void TComPort::CheckSettings(const TComSettings& settings) {
    const QString port = settings.Port.trimmed();
    if (port.isEmpty())
        throw ERangeError(QStringLiteral("Porta seriale non indicata"));
    for (QChar c : port)
        if (c.category() == QChar::Other_Control)
            throw ERangeError(QStringLiteral("Nome di porta non valido: \"%1\"").arg(port));
    if (!StandardBaudRates().contains(settings.BaudRate))
        throw ERangeError(QStringLiteral("Velocità non valida: %1 bit/s").arg(settings.BaudRate));
    if (settings.DataBits < 5 || settings.DataBits > 8)
        throw ERangeError(QStringLiteral("Bit di dati non validi: %1").arg(settings.DataBits));
    // The enumerations come from outside too (a form, a cast): refuse what is not a value.
    if (GetEnumName(TypeInfo<TParityBits>(), int(settings.Parity)).isEmpty())
        throw ERangeError(QStringLiteral("Parità non valida: %1").arg(int(settings.Parity)));
    if (GetEnumName(TypeInfo<TStopBits>(), int(settings.StopBits)).isEmpty())
        throw ERangeError(QStringLiteral("Bit di stop non validi: %1").arg(int(settings.StopBits)));
    const TComFlowControl& f = settings.FlowControl;
    if (GetEnumName(TypeInfo<TDTRFlowControl>(), int(f.ControlDTR)).isEmpty() ||
        GetEnumName(TypeInfo<TRTSFlowControl>(), int(f.ControlRTS)).isEmpty())
        throw ERangeError(QStringLiteral("Controllo di flusso non valido"));
}

void TComPort::SetSettings(const TComSettings& settings) {
    CheckSettings(settings);
    TComSettings next = settings;
    next.Port = settings.Port.trimmed();
    if (next == FSettings)
        return;
    const bool reopen = IsOpen() && next.Port != FSettings.Port;
    if (reopen)
        Close();
    const bool lineChanged = !(next.FlowControl == FSettings.FlowControl);
    FSettings = next;
    if (reopen) {
        Open();
        return;
    }
    ApplySettings();
    if (lineChanged)
        ApplyLineControl();
}

void TComPort::SetPort(const QString& port) {
    SetSetting(&TComSettings::Port, port);
}

void TComPort::SetBaudRate(int baudRate) {
    SetSetting(&TComSettings::BaudRate, baudRate);
}

void TComPort::SetDataBits(int dataBits) {
    SetSetting(&TComSettings::DataBits, dataBits);
}

void TComPort::SetParity(TParityBits parity) {
    SetSetting(&TComSettings::Parity, parity);
}

void TComPort::SetStopBits(TStopBits stopBits) {
    SetSetting(&TComSettings::StopBits, stopBits);
}

void TComPort::SetFlowControl(const TComFlowControl& flowControl) {
    SetSetting(&TComSettings::FlowControl, flowControl);
}

[[noreturn]] void TComPort::Fail(const QString& what) {
    const QString reason = FPort->errorString();
    FPort->clearError();
    throw Exception(QStringLiteral("%1 %2 (%3): %4")
                        .arg(what, FSettings.Port, DeviceName(FSettings.Port), reason));
}

void TComPort::ApplySettings() {
    if (!FPort->isOpen())
        return; // applied on Open
    const TComSettings& s = FSettings;
    if (!FPort->setBaudRate(s.BaudRate) ||
        !FPort->setDataBits(static_cast<QSerialPort::DataBits>(s.DataBits)) ||
        !FPort->setParity(ToQt(s.Parity)) || !FPort->setStopBits(ToQt(s.StopBits)) ||
        !FPort->setFlowControl(ToQt(s.FlowControl)))
        Fail(QStringLiteral("Impostazioni non accettate dalla porta"));
}

void TComPort::ApplyLineControl() {
    if (!FPort->isOpen())
        return;
    // A device without modem lines (a pseudo-terminal) refuses these requests; that is no
    // reason to close the port or to bother the user.
    const TComFlowControl& f = FSettings.FlowControl;
    if (f.ControlDTR != TDTRFlowControl::dtrHandshake)
        FPort->setDataTerminalReady(f.ControlDTR == TDTRFlowControl::dtrEnable);
    if (ToQt(f) != QSerialPort::HardwareControl)
        FPort->setRequestToSend(f.ControlRTS == TRTSFlowControl::rtsEnable);
    FPort->clearError();
}

void TComPort::Open() {
    if (FPort->isOpen())
        return;
    const TComSettings& s = FSettings;
    FPort->setPortName(DeviceName(s.Port));
    FPort->setBaudRate(s.BaudRate);
    FPort->setDataBits(static_cast<QSerialPort::DataBits>(s.DataBits));
    FPort->setParity(ToQt(s.Parity));
    FPort->setStopBits(ToQt(s.StopBits));
    FPort->setFlowControl(ToQt(s.FlowControl));
    if (!FPort->open(QIODevice::ReadWrite))
        Fail(QStringLiteral("Impossibile aprire la porta"));
    FReceived.clear();
    ApplyLineControl();
    FPinoutSupported = true;
    PollPinout();
    if (FPinoutSupported)
        FPinoutTimer->start();
    SetSignal(TComSignal::lsConn, true);
    emit AfterOpen();
    OnAfterOpen(this);
}

void TComPort::Close() {
    if (!FPort->isOpen())
        return;
    FPinoutTimer->stop();
    FPort->close();
    FPort->clearError();
    FReceived.clear();
    for (TComSignal s : {TComSignal::lsCTS, TComSignal::lsDSR, TComSignal::lsRLSD, TComSignal::lsTx,
                         TComSignal::lsRx, TComSignal::lsConn})
        SetSignal(s, false);
    emit AfterClose();
    OnAfterClose(this);
}

bool TComPort::IsOpen() const {
    return FPort->isOpen();
}

void TComPort::WriteStr(const QByteArray& bytes) {
    if (!FPort->isOpen())
        throw EWriteError(QStringLiteral("La porta %1 non è aperta").arg(FSettings.Port));
    if (bytes.isEmpty())
        return;
    Flash(TComSignal::lsTx);
    FInWrite = true;
    const auto done = qScopeGuard([this] {
        FInWrite = false;
        if (FPort->bytesAvailable() > 0)
            ScheduleDelivery();
    });
    if (FPort->write(bytes) != bytes.size())
        Fail(QStringLiteral("Scrittura non riuscita sulla porta"));
    // Hand every byte to the device now: the send paces itself by pauses, which must not
    // start while bytes still wait in our own buffer.
    while (FPort->bytesToWrite() > 0)
        if (!FPort->waitForBytesWritten(WriteTimeoutMs))
            Fail(QStringLiteral("Scrittura non riuscita sulla porta"));
}

QByteArray TComPort::ReadStr(int count) {
    const QByteArray taken = FReceived.left(qMax(count, 0));
    FReceived.remove(0, taken.size());
    return taken;
}

void TComPort::HoldEvents(bool hold) {
    FHold = hold;
    if (!hold && FPort->isOpen() && FPort->bytesAvailable() > 0)
        ScheduleDelivery();
}

void TComPort::ScheduleDelivery() {
    if (FDeliveryScheduled)
        return;
    FDeliveryScheduled = true;
    QTimer::singleShot(0, this, [this] {
        FDeliveryScheduled = false;
        OnReadyRead();
    });
}

void TComPort::OnReadyRead() {
    if (FHold || FInWrite || FDelivering)
        return; // delivered when the hold, the write or the handler ends
    DeliverPending();
}

void TComPort::DeliverPending() {
    if (!FPort->isOpen())
        return;
    QByteArray batch = FPort->readAll();
    if (FDiscardNull)
        batch.replace(QByteArray(1, '\0'), QByteArray());
    if (batch.isEmpty())
        return;
    Flash(TComSignal::lsRx);
    FReceived += batch;
    FDelivering = true;
    Guarded([&] {
        const auto done = qScopeGuard([this] { FDelivering = false; });
        if (FEvents.Contains(TComEvent::evRxChar)) {
            if (OnRxChar)
                OnRxChar(int(FReceived.size()));
            if (FOnRxChar)
                FOnRxChar(this, int(FReceived.size()));
        }
        if (batch.contains(FEventChar) && FEvents.Contains(TComEvent::evRxFlag)) {
            if (OnRxFlag)
                OnRxFlag();
            if (FOnRxFlag)
                FOnRxFlag(this);
        }
    });
    FDelivering = false;
    if (FPort->isOpen() && FPort->bytesAvailable() > 0)
        ScheduleDelivery();
}

void TComPort::PollPinout() {
    if (!FPort->isOpen() || !FPinoutSupported)
        return;
    const QSerialPort::PinoutSignals pins = FPort->pinoutSignals();
    if (FPort->error() != QSerialPort::NoError) {
        FPort->clearError();
        FPinoutSupported = false;
        FPinoutTimer->stop();
        return;
    }
    SetSignal(TComSignal::lsCTS, pins.testFlag(QSerialPort::ClearToSendSignal));
    SetSignal(TComSignal::lsDSR, pins.testFlag(QSerialPort::DataSetReadySignal));
    SetSignal(TComSignal::lsRLSD, pins.testFlag(QSerialPort::DataCarrierDetectSignal));
}

bool TComPort::ShowSetupDialog(QWidget* parent) {
    return TComPortSetupDialog::Execute(*this, parent);
}

bool TComPort::SignalState(TComSignal signal) const {
    return FSignals[int(signal)];
}

void TComPort::SetSignal(TComSignal signal, bool lit) {
    if (FSignals[int(signal)] == lit)
        return;
    FSignals[int(signal)] = lit;
    emit SignalChanged(signal, lit);
}

void TComPort::Flash(TComSignal signal) {
    SetSignal(signal, true);
    (signal == TComSignal::lsTx ? FTxTimer : FRxTimer)->start();
}

// --- Stored settings -------------------------------------------------------------------------

namespace {

// Value names under the settings key.
const QString ValPort = QStringLiteral("Port");
const QString ValBaudRate = QStringLiteral("BaudRate");
const QString ValDataBits = QStringLiteral("DataBits");
const QString ValParity = QStringLiteral("Parity");
const QString ValStopBits = QStringLiteral("StopBits");
const QString ValOutCTSFlow = QStringLiteral("OutCTSFlow");
const QString ValOutDSRFlow = QStringLiteral("OutDSRFlow");
const QString ValXonXoffOut = QStringLiteral("XonXoffOut");
const QString ValXonXoffIn = QStringLiteral("XonXoffIn");
const QString ValControlDTR = QStringLiteral("ControlDTR");
const QString ValControlRTS = QStringLiteral("ControlRTS");

// The registry path of `key`; only the user's own hive exists here.
QString StoreKey(TStoreType storeType, const QString& key) {
    if (storeType != TStoreType::stRegistry)
        throw EComPortError(QStringLiteral("Tipo di archivio delle impostazioni non valido: %1")
                                .arg(int(storeType)));
    QStringList parts = key.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    if (!parts.isEmpty() &&
        (parts[0].compare(QLatin1String("HKEY_CURRENT_USER"), Qt::CaseInsensitive) == 0 ||
         parts[0].compare(QLatin1String("HKCU"), Qt::CaseInsensitive) == 0))
        parts.removeFirst();
    else if (!parts.isEmpty() && parts[0].startsWith(QLatin1String("HKEY_"), Qt::CaseInsensitive))
        throw EComPortError(
            QStringLiteral("Chiave %1 non disponibile: le impostazioni si salvano solo in "
                           "HKEY_CURRENT_USER")
                .arg(key));
    if (parts.isEmpty())
        throw EComPortError(
            QStringLiteral("Chiave delle impostazioni non indicata: \"%1\"").arg(key));
    return QLatin1Char('\\') + parts.join(QLatin1Char('\\'));
}

// Reads the stored values over `settings`; a value not stored keeps its current setting.
class TSettingsReader {
public:
    TSettingsReader(const TRegistry& registry, const QString& key)
        : FRegistry(registry), FKey(key) {}

    void String(const QString& name, QString& value) const {
        if (Present(name, TRegDataType::rdString))
            value = FRegistry.ReadString(name);
    }
    void Integer(const QString& name, int& value) const {
        if (Present(name, TRegDataType::rdInteger))
            value = FRegistry.ReadInteger(name);
    }
    void Boolean(const QString& name, bool& value) const {
        if (!Present(name, TRegDataType::rdInteger))
            return;
        const qint32 stored = FRegistry.ReadInteger(name);
        if (stored != 0 && stored != 1)
            Refuse(name, QString::number(stored));
        value = stored == 1;
    }
    template <typename E> void Enum(const QString& name, E& value) const {
        if (!Present(name, TRegDataType::rdString))
            return;
        const QString stored = FRegistry.ReadString(name);
        const int ordinal = GetEnumValue(TypeInfo<E>(), stored.trimmed());
        if (ordinal < 0)
            Refuse(name, QStringLiteral("\"%1\"").arg(stored));
        value = static_cast<E>(ordinal);
    }

    [[noreturn]] void Refuse(const QString& name, const QString& shown) const {
        throw EComPortError(QStringLiteral("Impostazione seriale %1 non valida in %2: %3. "
                                           "Le impostazioni non sono state cambiate.")
                                .arg(name, FKey, shown));
    }

private:
    bool Present(const QString& name, TRegDataType wanted) const {
        const TRegDataType type = FRegistry.GetDataType(name);
        if (type == TRegDataType::rdUnknown)
            return false;
        if (type != wanted)
            throw EComPortError(
                QStringLiteral("Impostazione seriale %1 non valida in %2: valore %3 atteso. "
                               "Le impostazioni non sono state cambiate.")
                    .arg(name, FKey,
                         wanted == TRegDataType::rdString ? QStringLiteral("di testo")
                                                          : QStringLiteral("numerico")));
        return true;
    }

    const TRegistry& FRegistry;
    QString FKey;
};

} // namespace

bool TComPort::LoadSettings(TStoreType storeType, const QString& key) {
    const QString path = StoreKey(storeType, key);
    TComSettings next = FSettings;
    try {
        const TRegistrySnapshot snapshot; // the dozen reads below share one reading of the file
        TRegistry registry;
        if (!registry.OpenKeyReadOnly(path))
            return false;
        const TSettingsReader read(registry, key);
        read.String(ValPort, next.Port);
        read.Integer(ValBaudRate, next.BaudRate);
        read.Integer(ValDataBits, next.DataBits);
        read.Enum(ValParity, next.Parity);
        read.Enum(ValStopBits, next.StopBits);
        read.Boolean(ValOutCTSFlow, next.FlowControl.OutCTSFlow);
        read.Boolean(ValOutDSRFlow, next.FlowControl.OutDSRFlow);
        read.Boolean(ValXonXoffOut, next.FlowControl.XonXoffOut);
        read.Boolean(ValXonXoffIn, next.FlowControl.XonXoffIn);
        read.Enum(ValControlDTR, next.FlowControl.ControlDTR);
        read.Enum(ValControlRTS, next.FlowControl.ControlRTS);
        try {
            CheckSettings(next);
        } catch (const ERangeError& e) {
            throw EComPortError(
                QStringLiteral("Impostazioni seriali non valide in %1: %2. Le impostazioni non "
                               "sono state cambiate.")
                    .arg(key, e.Message()));
        }
    } catch (const ERegistryException& e) {
        throw EComPortError(QStringLiteral("Impossibile leggere le impostazioni seriali da %1: %2")
                                .arg(key, e.Message()));
    }
    // Checked whole above; applying may still fail to reopen a port that was open.
    SetSettings(next);
    return true;
}

void TComPort::StoreSettings(TStoreType storeType, const QString& key) const {
    const QString path = StoreKey(storeType, key);
    const TComSettings& s = FSettings;
    try {
        // One write of the store for the whole set, so it is kept whole or not at all.
        TRegistryUpdate update;
        TRegistry registry;
        if (!registry.OpenKey(path, true))
            throw ERegistryException(QStringLiteral("chiave non creata"));
        registry.WriteString(ValPort, s.Port);
        registry.WriteInteger(ValBaudRate, s.BaudRate);
        registry.WriteInteger(ValDataBits, s.DataBits);
        registry.WriteString(ValParity, GetEnumName(TypeInfo<TParityBits>(), int(s.Parity)));
        registry.WriteString(ValStopBits, GetEnumName(TypeInfo<TStopBits>(), int(s.StopBits)));
        registry.WriteBool(ValOutCTSFlow, s.FlowControl.OutCTSFlow);
        registry.WriteBool(ValOutDSRFlow, s.FlowControl.OutDSRFlow);
        registry.WriteBool(ValXonXoffOut, s.FlowControl.XonXoffOut);
        registry.WriteBool(ValXonXoffIn, s.FlowControl.XonXoffIn);
        registry.WriteString(
            ValControlDTR, GetEnumName(TypeInfo<TDTRFlowControl>(), int(s.FlowControl.ControlDTR)));
        registry.WriteString(
            ValControlRTS, GetEnumName(TypeInfo<TRTSFlowControl>(), int(s.FlowControl.ControlRTS)));
        update.Commit();
    } catch (const ERegistryException& e) {
        throw EComPortError(QStringLiteral("Impossibile salvare le impostazioni seriali in %1: %2")
                                .arg(key, e.Message()));
    }
}

// --- Published sub-objects and registration ----------------------------------------------------

TParityBits TComParity::Bits() const {
    return FPort.Parity();
}
void TComParity::SetBits(TParityBits bits) {
    FPort.SetParity(bits);
}

TComFlowControl TComFlowControlSettings::Value() const {
    return FPort.FlowControl();
}
void TComFlowControlSettings::SetValue(const TComFlowControl& flow) {
    FPort.SetFlowControl(flow);
}

namespace {

// One flag or choice of the flow control as a published property.
template <auto Member> auto FlowGetter() {
    return [](const TComFlowControlSettings& f) { return f.Value().*Member; };
}
template <auto Member> auto FlowSetter() {
    return [](TComFlowControlSettings& f, std::decay_t<decltype(TComFlowControl{}.*Member)> v) {
        TComFlowControl flow = f.Value();
        flow.*Member = v;
        f.SetValue(flow);
    };
}

// An integer type whose values also read as identifiers ("br9600", "dbEight"), so a form
// description may write either.
const TTypeInfo* IntegerTypeWithNames(const QString& typeName, qint32 minValue, qint32 maxValue,
                                      QList<std::pair<qint32, QString>> names) {
    const TTypeInfo* type = DefineIntegerType(typeName, otSLong, minValue, maxValue);
    RegisterIntegerConsts(
        type,
        [names](const QString& ident, qint32& value) {
            for (const auto& [v, n] : names)
                if (ident.compare(n, Qt::CaseInsensitive) == 0) {
                    value = v;
                    return true;
                }
            return false;
        },
        [names](qint32 value, QString& ident) {
            for (const auto& [v, n] : names)
                if (v == value) {
                    ident = n;
                    return true;
                }
            return false;
        });
    return type;
}

const TTypeInfo* TypeInfoBaudRate() {
    static const TTypeInfo* info = [] {
        QList<std::pair<qint32, QString>> names;
        for (int rate : TComPort::StandardBaudRates())
            names.append({rate, QStringLiteral("br%1").arg(rate)});
        return IntegerTypeWithNames(QStringLiteral("TBaudRate"), 1, 0x7fffffff, names);
    }();
    return info;
}

const TTypeInfo* TypeInfoDataBits() {
    static const TTypeInfo* info = IntegerTypeWithNames(QStringLiteral("TDataBits"), 5, 8,
                                                        {{5, QStringLiteral("dbFive")},
                                                         {6, QStringLiteral("dbSix")},
                                                         {7, QStringLiteral("dbSeven")},
                                                         {8, QStringLiteral("dbEight")}});
    return info;
}

} // namespace

LUMOTRIX_REGISTER_CLASS(TComParity, TPersistent) {
    Property("Bits", &TComParity::Bits, &TComParity::SetBits);
}

LUMOTRIX_REGISTER_CLASS(TComFlowControlSettings, TPersistent) {
    using F = TComFlowControl;
    Property("OutCTSFlow", FlowGetter<&F::OutCTSFlow>(), FlowSetter<&F::OutCTSFlow>());
    Property("OutDSRFlow", FlowGetter<&F::OutDSRFlow>(), FlowSetter<&F::OutDSRFlow>());
    Property("XonXoffOut", FlowGetter<&F::XonXoffOut>(), FlowSetter<&F::XonXoffOut>());
    Property("XonXoffIn", FlowGetter<&F::XonXoffIn>(), FlowSetter<&F::XonXoffIn>());
    Property("ControlDTR", FlowGetter<&F::ControlDTR>(), FlowSetter<&F::ControlDTR>());
    Property("ControlRTS", FlowGetter<&F::ControlRTS>(), FlowSetter<&F::ControlRTS>());
}

LUMOTRIX_REGISTER_CLASS(TComPort, TComponent) {
    Property("Port", &TComPort::Port, &TComPort::SetPort);
    Property("BaudRate", &TComPort::BaudRate, &TComPort::SetBaudRate, TypeInfoBaudRate());
    Property("DataBits", &TComPort::DataBits, &TComPort::SetDataBits, TypeInfoDataBits());
    Property("Parity", &TComPort::ParityObject);
    Property("StopBits", &TComPort::StopBits, &TComPort::SetStopBits);
    Property("FlowControl", &TComPort::FlowObject);
    Property("DiscardNull", &TComPort::DiscardNull, &TComPort::SetDiscardNull);
    Property("EventChar", &TComPort::EventChar, &TComPort::SetEventChar);
    Property("Events", &TComPort::Events, &TComPort::SetEvents);
    Property("OnAfterOpen", &TComPort::OnAfterOpen);
    Property("OnAfterClose", &TComPort::OnAfterClose);
    Property("OnRxChar", &TComPort::FOnRxChar);
    Property("OnRxFlag", &TComPort::FOnRxFlag);
}

} // namespace lumotrix
