#include "runtime/Registry.h"

#include "runtime/AtomicFile.h"
#include "runtime/CappedRead.h"
#include "runtime/MessageIds.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

namespace lumotrix {
namespace {

const QString FormatName = QStringLiteral("Lumotrix registry");
constexpr int FormatVersion = 1;
// A settings store holds a few dozen values; a huge file is not one.
constexpr qint64 MaxStoreSize = 16 * 1024 * 1024;

// Content that is not a store, as against a file that cannot be read at all; only the former
// may be moved aside by a write.
class EDamagedStore : public ERegistryException {
public:
    using ERegistryException::ERegistryException;
};

QString& OverridePath() {
    static QString path;
    return path;
}

struct TRegValue {
    QString Name;
    TRegDataType Type = TRegDataType::rdString;
    QString Text;
    qint32 Number = 0;
};

struct TRegKey {
    QString Path;
    std::vector<TRegValue> Values;
};

bool SamePath(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool IsBelow(const QString& path, const QString& ancestor) {
    if (ancestor.isEmpty())
        return !path.isEmpty();
    return path.size() > ancestor.size() && path[ancestor.size()] == QLatin1Char('\\') &&
           SamePath(path.left(ancestor.size()), ancestor);
}

QString NormalisePath(const QString& path) {
    QStringList parts = path.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    if (!parts.isEmpty() && (SamePath(parts.front(), QStringLiteral("HKEY_CURRENT_USER")) ||
                             SamePath(parts.front(), QStringLiteral("HKCU"))))
        parts.removeFirst();
    return parts.join(QLatin1Char('\\'));
}

class TStore {
public:
    // Reads the store; throws ERegistryException for a damaged or unreadable file.
    static TStore Load(const QString& file) {
        TStore store;
        QFile f(file);
        if (!f.exists())
            return store;
        auto unreadable = [&] {
            return ERegistryException(TMessage(msgRegistryUnreadable, {file}), f.errorString());
        };
        auto damaged = [&](const QString& why) {
            return EDamagedStore(TMessage(msgRegistryDamaged, {file}), why);
        };
        if (!f.open(QIODevice::ReadOnly))
            throw unreadable();
        const std::optional<QByteArray> read = ReadAllUpTo(f, MaxStoreSize);
        if (!read)
            throw damaged(QStringLiteral("it is too large to be a settings file"));
        if (f.error() != QFileDevice::NoError)
            throw unreadable();
        const QByteArray& bytes = *read;

        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
        if (error.error != QJsonParseError::NoError)
            throw damaged(
                QStringLiteral("%1 at byte %2").arg(error.errorString()).arg(error.offset));
        const QJsonObject root = doc.object();
        if (!doc.isObject() || root.value(QStringLiteral("format")).toString() != FormatName)
            throw damaged(QStringLiteral("it is not a settings file"));
        if (root.value(QStringLiteral("version")).toInt(-1) != FormatVersion)
            throw damaged(QStringLiteral("its version is not supported"));
        const QJsonValue keys = root.value(QStringLiteral("keys"));
        if (!keys.isArray())
            throw damaged(QStringLiteral("it has no list of keys"));
        for (const QJsonValue& k : keys.toArray()) {
            const QJsonObject ko = k.toObject();
            const QJsonValue path = ko.value(QStringLiteral("key"));
            const QJsonValue values = ko.value(QStringLiteral("values"));
            if (!k.isObject() || !path.isString() || !values.isArray())
                throw damaged(QStringLiteral("a key entry is malformed"));
            // What the store writes: no empty part, no hive name in front. Anything else would
            // list as a child of itself.
            if (path.toString().isEmpty() || NormalisePath(path.toString()) != path.toString())
                throw damaged(
                    QStringLiteral("the key \"%1\" has no valid path").arg(path.toString()));
            if (store.Find(path.toString()))
                throw damaged(QStringLiteral("the key \"%1\" appears twice").arg(path.toString()));
            TRegKey key{path.toString(), {}};
            QSet<QString> names;
            for (const QJsonValue& v : values.toArray()) {
                const QJsonObject vo = v.toObject();
                const QJsonValue name = vo.value(QStringLiteral("name"));
                const QString type = vo.value(QStringLiteral("type")).toString();
                const QJsonValue data = vo.value(QStringLiteral("data"));
                if (!v.isObject() || !name.isString())
                    throw damaged(
                        QStringLiteral("a value of the key \"%1\" is malformed").arg(key.Path));
                TRegValue value{name.toString(), TRegDataType::rdString, {}, 0};
                // Built only for an error: a large store has many values.
                const auto where = [&] {
                    return QStringLiteral("the value \"%1\" of the key \"%2\"")
                        .arg(value.Name, key.Path);
                };
                if (type == QLatin1String("string") && data.isString()) {
                    value.Text = data.toString();
                } else if (type == QLatin1String("integer") && data.isDouble()) {
                    const double d = data.toDouble();
                    if (d != std::floor(d) || d < INT32_MIN || d > INT32_MAX)
                        throw damaged(where() + QStringLiteral(" is not a 32-bit integer"));
                    value.Type = TRegDataType::rdInteger;
                    value.Number = static_cast<qint32>(d);
                } else {
                    throw damaged(where() + QStringLiteral(" has an unknown type"));
                }
                if (names.contains(value.Name))
                    throw damaged(where() + QStringLiteral(" appears twice"));
                names.insert(value.Name);
                key.Values.push_back(std::move(value));
            }
            store.Append(std::move(key));
        }
        return store;
    }

    void Save(const QString& file) const {
        auto fail = [&](const QString& why) {
            throw ERegistryException(TMessage(msgRegistryUnwritable, {file}), why);
        };
        QJsonArray keys;
        for (const TRegKey& k : FKeys) {
            QJsonArray values;
            for (const TRegValue& v : k.Values) {
                QJsonObject vo;
                vo.insert(QStringLiteral("name"), v.Name);
                if (v.Type == TRegDataType::rdInteger) {
                    vo.insert(QStringLiteral("type"), QStringLiteral("integer"));
                    vo.insert(QStringLiteral("data"), v.Number);
                } else {
                    vo.insert(QStringLiteral("type"), QStringLiteral("string"));
                    vo.insert(QStringLiteral("data"), v.Text);
                }
                values.append(vo);
            }
            QJsonObject ko;
            ko.insert(QStringLiteral("key"), k.Path);
            ko.insert(QStringLiteral("values"), values);
            keys.append(ko);
        }
        QJsonObject root;
        root.insert(QStringLiteral("format"), FormatName);
        root.insert(QStringLiteral("version"), FormatVersion);
        root.insert(QStringLiteral("keys"), keys);
        const QByteArray bytes = QJsonDocument(root).toJson(QJsonDocument::Indented);

        const QString folder = QFileInfo(file).absolutePath();
        if (!QDir().mkpath(folder))
            fail(QStringLiteral("the folder \"%1\" cannot be created").arg(folder));
        QString error;
        if (!WriteFileAtomically(file, bytes, error))
            fail(error);
    }

    TRegKey* Find(const QString& path) {
        const auto at = FIndex.constFind(Folded(path));
        return at == FIndex.constEnd() ? nullptr : &FKeys[*at];
    }
    const TRegKey* Find(const QString& path) const { return const_cast<TStore*>(this)->Find(path); }

    TRegKey& Create(const QString& path) {
        if (TRegKey* k = Find(path))
            return *k;
        Append({path, {}});
        return FKeys.back();
    }

    // Removes the key and every key below it.
    void EraseTree(const QString& path) {
        std::erase_if(FKeys, [&](const TRegKey& k) {
            return SamePath(k.Path, path) || IsBelow(k.Path, path);
        });
        FIndex.clear();
        for (std::size_t i = 0; i < FKeys.size(); ++i)
            FIndex.insert(Folded(FKeys[i].Path), i);
    }

    bool Exists(const QString& path) const {
        if (path.isEmpty())
            return true;
        for (const TRegKey& k : FKeys)
            if (SamePath(k.Path, path) || IsBelow(k.Path, path))
                return true;
        return false;
    }

    // The path as first stored, whatever the case it is asked with.
    QString Spelling(const QString& path) const {
        for (const TRegKey& k : FKeys)
            if (SamePath(k.Path, path) || IsBelow(k.Path, path))
                return k.Path.left(path.size());
        return path;
    }

    const std::vector<TRegKey>& Keys() const { return FKeys; }

private:
    // Key paths compare without regard to case; the index makes finding one (and so loading a
    // large store) independent of how many keys there are.
    static QString Folded(const QString& path) { return path.toCaseFolded(); }

    void Append(TRegKey key) {
        FIndex.insert(Folded(key.Path), FKeys.size());
        FKeys.push_back(std::move(key));
    }

    std::vector<TRegKey> FKeys;
    QHash<QString, std::size_t> FIndex;
};

// The store as read by the open scopes (updates and snapshots): while one is open the file is
// read once, at the first call, and an update's writes reach it once, at the end. Outside any
// scope each call reads the file into Scratch.
struct TStoreCache {
    int UpdateDepth = 0;
    int ReadDepth = 0;
    std::optional<TStore> Store;
    bool Dirty = false; // written during the open update
    std::optional<TStore> Scratch;
};

TStoreCache& Cache() {
    static TStoreCache cache;
    return cache;
}

TStore& Keep(TStore&& store) {
    TStoreCache& cache = Cache();
    std::optional<TStore>& slot =
        cache.UpdateDepth > 0 || cache.ReadDepth > 0 ? cache.Store : cache.Scratch;
    slot = std::move(store);
    return *slot;
}

const TStore& LoadStore() {
    if (Cache().Store)
        return *Cache().Store;
    return Keep(TStore::Load(TRegistry::StorePath()));
}

// A write must work even over a damaged store: the damaged file is kept aside for the user.
TStore& LoadStoreForWrite() {
    if (Cache().Store)
        return *Cache().Store;
    const QString file = TRegistry::StorePath();
    try {
        return Keep(TStore::Load(file));
    } catch (const EDamagedStore&) {
        const QString aside = file + QStringLiteral(".damaged");
        QFile::remove(aside);
        if (!QFile::rename(file, aside))
            throw;
        return Keep(TStore());
    }
}

// Saves what LoadStoreForWrite gave and the caller changed, or leaves it for EndUpdate.
void Commit() {
    TStoreCache& cache = Cache();
    if (cache.UpdateDepth > 0) {
        cache.Dirty = true;
        return;
    }
    try {
        (cache.Store ? *cache.Store : *cache.Scratch).Save(TRegistry::StorePath());
    } catch (...) {
        // The copy in memory now holds what the file does not: read the file again next time.
        cache.Store.reset();
        throw;
    }
}

const TRegValue* FindValue(const TRegKey* key, const QString& name) {
    if (!key)
        return nullptr;
    for (const TRegValue& v : key->Values)
        if (v.Name == name)
            return &v;
    return nullptr;
}

} // namespace

ERegistryException::ERegistryException(TMessage message, QString detail)
    : Exception(std::move(message)), FDetail(std::move(detail)),
      FWhat(Exception::what() + std::string(" (") + FDetail.toStdString() + ")") {}

const char* ERegistryException::what() const noexcept {
    return FWhat.empty() ? Exception::what() : FWhat.c_str();
}

QString TRegistry::DefaultStorePath() {
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/lumotrix/registry.json");
}

QString TRegistry::StorePath() {
    return OverridePath().isEmpty() ? DefaultStorePath() : OverridePath();
}

void TRegistry::SetStorePath(const QString& path) {
    OverridePath() = path;
}

QString TRegistry::Resolve(const QString& key) const {
    const QString first = key.section(QLatin1Char('\\'), 0, 0);
    const bool absolute = key.startsWith(QLatin1Char('\\')) || !FKeyOpen ||
                          SamePath(first, QStringLiteral("HKEY_CURRENT_USER")) ||
                          SamePath(first, QStringLiteral("HKCU"));
    const QString relative = NormalisePath(key);
    if (absolute || FCurrentPath.isEmpty())
        return relative;
    return relative.isEmpty() ? FCurrentPath : FCurrentPath + QLatin1Char('\\') + relative;
}

void TRegistry::BeginUpdate() {
    ++Cache().UpdateDepth;
}

void TRegistry::EndUpdate() {
    TStoreCache& cache = Cache();
    if (cache.UpdateDepth == 0 || --cache.UpdateDepth > 0)
        return;
    const bool dirty = std::exchange(cache.Dirty, false);
    std::optional<TStore> store = std::move(cache.Store);
    cache.Store.reset();
    if (dirty)
        store->Save(StorePath());
    if (cache.ReadDepth > 0)
        cache.Store = std::move(store);
}

void TRegistry::CancelUpdate() {
    TStoreCache& cache = Cache();
    if (cache.UpdateDepth == 0 || --cache.UpdateDepth > 0)
        return;
    if (std::exchange(cache.Dirty, false) || cache.ReadDepth == 0)
        cache.Store.reset();
}

void TRegistry::BeginRead() {
    ++Cache().ReadDepth;
}

void TRegistry::EndRead() {
    TStoreCache& cache = Cache();
    if (cache.ReadDepth == 0 || --cache.ReadDepth > 0)
        return;
    if (cache.UpdateDepth == 0)
        cache.Store.reset();
}

bool TRegistry::OpenKey(const QString& key, bool canCreate) {
    QString path = Resolve(key);
    if (canCreate) {
        TStore& store = LoadStoreForWrite();
        if (!store.Exists(path)) {
            store.Create(path);
            Commit();
        }
        path = store.Spelling(path);
    } else {
        const TStore& store = LoadStore();
        if (!store.Exists(path))
            return false;
        path = store.Spelling(path);
    }
    FCurrentPath = path;
    FKeyOpen = true;
    FReadOnly = false;
    return true;
}

bool TRegistry::OpenKeyReadOnly(const QString& key) {
    const TStore& store = LoadStore();
    const QString path = Resolve(key);
    if (!store.Exists(path))
        return false;
    FCurrentPath = store.Spelling(path);
    FKeyOpen = true;
    FReadOnly = true;
    return true;
}

void TRegistry::CloseKey() {
    FCurrentPath.clear();
    FKeyOpen = false;
    FReadOnly = false;
}

bool TRegistry::KeyExists(const QString& key) const {
    return LoadStore().Exists(Resolve(key));
}

bool TRegistry::DeleteKey(const QString& key) {
    const QString path = Resolve(key);
    if (path.isEmpty())
        throw ERegistryException(QStringLiteral("The root key cannot be deleted."));
    if (!LoadStore().Exists(path))
        return false;
    TStore& store = LoadStoreForWrite();
    store.EraseTree(path);
    Commit();
    return true;
}

QStringList TRegistry::GetKeyNames() const {
    QStringList names;
    const TStore& store = LoadStore();
    for (const TRegKey& k : store.Keys()) {
        if (!IsBelow(k.Path, FCurrentPath))
            continue;
        const qsizetype start = FCurrentPath.isEmpty() ? 0 : FCurrentPath.size() + 1;
        const QString child = k.Path.mid(start).section(QLatin1Char('\\'), 0, 0);
        if (!names.contains(child, Qt::CaseInsensitive))
            names << child;
    }
    return names;
}

QStringList TRegistry::GetValueNames() const {
    QStringList names;
    const TStore& store = LoadStore();
    if (const TRegKey* key = store.Find(FCurrentPath))
        for (const TRegValue& v : key->Values)
            names << v.Name;
    return names;
}

bool TRegistry::ValueExists(const QString& name) const {
    const TStore& store = LoadStore();
    return FindValue(store.Find(FCurrentPath), name) != nullptr;
}

TRegDataType TRegistry::GetDataType(const QString& name) const {
    const TStore& store = LoadStore();
    const TRegValue* v = FindValue(store.Find(FCurrentPath), name);
    return v ? v->Type : TRegDataType::rdUnknown;
}

bool TRegistry::DeleteValue(const QString& name) {
    CheckWritable(name);
    if (!ValueExists(name))
        return false;
    TStore& store = LoadStoreForWrite();
    if (TRegKey* key = store.Find(FCurrentPath))
        std::erase_if(key->Values, [&](const TRegValue& v) { return v.Name == name; });
    Commit();
    return true;
}

QString TRegistry::ReadString(const QString& name) const {
    const TStore& store = LoadStore();
    const TRegValue* v = FindValue(store.Find(FCurrentPath), name);
    if (!v)
        return {};
    if (v->Type != TRegDataType::rdString)
        throw ERegistryException(QStringLiteral("Invalid data type for '%1'").arg(name));
    return v->Text;
}

qint32 TRegistry::ReadInteger(const QString& name) const {
    const TStore& store = LoadStore();
    const TRegValue* v = FindValue(store.Find(FCurrentPath), name);
    if (!v)
        throw ERegistryException(
            QStringLiteral("The value '%1' does not exist under '%2'").arg(name, FCurrentPath));
    if (v->Type != TRegDataType::rdInteger)
        throw ERegistryException(QStringLiteral("Invalid data type for '%1'").arg(name));
    return v->Number;
}

bool TRegistry::ReadBool(const QString& name) const {
    return ReadInteger(name) != 0;
}

void TRegistry::CheckWritable(const QString& name) const {
    if (!FKeyOpen || FReadOnly)
        throw ERegistryException(QStringLiteral("Cannot write '%1': %2")
                                     .arg(name, FKeyOpen
                                                    ? QStringLiteral("the key is open read-only")
                                                    : QStringLiteral("no key is open")));
}

namespace {

void Put(const QString& keyPath, TRegValue value) {
    TStore& store = LoadStoreForWrite();
    TRegKey& key = store.Create(keyPath);
    bool replaced = false;
    for (TRegValue& v : key.Values)
        if (v.Name == value.Name) {
            v = value;
            replaced = true;
        }
    if (!replaced)
        key.Values.push_back(std::move(value));
    Commit();
}

} // namespace

void TRegistry::WriteString(const QString& name, const QString& value) {
    CheckWritable(name);
    Put(FCurrentPath, {name, TRegDataType::rdString, value, 0});
}

void TRegistry::WriteInteger(const QString& name, qint32 value) {
    CheckWritable(name);
    Put(FCurrentPath, {name, TRegDataType::rdInteger, {}, value});
}

void TRegistry::WriteBool(const QString& name, bool value) {
    WriteInteger(name, value ? 1 : 0);
}

} // namespace lumotrix
