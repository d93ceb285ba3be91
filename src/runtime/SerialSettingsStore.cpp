#include "runtime/SerialSettingsStore.h"

#include "runtime/MessageIds.h"
#include "runtime/Registry.h"

namespace lumotrix {

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
        throw EComPortError(TMessage(msgStoreTypeInvalid, {int(storeType)}));
    QStringList parts = key.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    if (!parts.isEmpty() &&
        (parts[0].compare(QLatin1String("HKEY_CURRENT_USER"), Qt::CaseInsensitive) == 0 ||
         parts[0].compare(QLatin1String("HKCU"), Qt::CaseInsensitive) == 0))
        parts.removeFirst();
    else if (!parts.isEmpty() && parts[0].startsWith(QLatin1String("HKEY_"), Qt::CaseInsensitive))
        throw EComPortError(TMessage(msgStoreKeyNotUser, {key}));
    if (parts.isEmpty())
        throw EComPortError(TMessage(msgStoreKeyMissing, {key}));
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
            Refuse(name, QLatin1Char('"') + stored + QLatin1Char('"'));
        value = static_cast<E>(ordinal);
    }

    [[noreturn]] void Refuse(const QString& name, const QString& shown) const {
        throw EComPortError(TMessage(msgStoreValueInvalid, {name, FKey, shown}));
    }

private:
    bool Present(const QString& name, TRegDataType wanted) const {
        const TRegDataType type = FRegistry.GetDataType(name);
        if (type == TRegDataType::rdUnknown)
            return false;
        if (type != wanted)
            throw EComPortError(TMessage(wanted == TRegDataType::rdString ? msgStoreValueNotText
                                                                          : msgStoreValueNotNumber,
                                         {name, FKey}));
        return true;
    }

    const TRegistry& FRegistry;
    QString FKey;
};

} // namespace

bool LoadComSettings(TStoreType storeType, const QString& key, TComSettings& settings) {
    const QString path = StoreKey(storeType, key);
    TComSettings next = settings;
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
            throw EComPortError(TMessage(msgStoreSettingsInvalid, {key, e.Argument()}));
        }
    } catch (const ERegistryException& e) {
        throw EComPortError(TMessage(msgStoreReadFailed, {key, e.Argument()}));
    }
    settings = next;
    return true;
}

void StoreComSettings(TStoreType storeType, const QString& key, const TComSettings& settings) {
    const QString path = StoreKey(storeType, key);
    const TComSettings& s = settings;
    try {
        // One write of the store for the whole set, so it is kept whole or not at all.
        TRegistryUpdate update;
        TRegistry registry;
        if (!registry.OpenKey(path, true))
            throw ERegistryException(TMessage(msgStoreKeyNotCreated));
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
        throw EComPortError(TMessage(msgStoreWriteFailed, {key, e.Argument()}));
    }
}

} // namespace lumotrix
