#include "runtime/Classes.h"

#include "runtime/FormStream.h"
#include "runtime/ScopeExit.h"

#include <algorithm>

namespace lumotrix {

namespace {

[[noreturn]] void IndexError(int index) {
    throw EListError(QStringLiteral("List index out of bounds (%1)").arg(index));
}

// A container's Assign: a source of another kind goes to TPersistent::Assign, a container
// assigned to itself is left alone (clearing it first would lose what is to be copied), and
// the contents are replaced in one update.
template <typename TContainer, typename TCopy>
void AssignContents(TContainer& target, TPersistent* source, TCopy&& copy) {
    auto* other = dynamic_cast<TContainer*>(source);
    if (other == nullptr) {
        target.TPersistent::Assign(source);
        return;
    }
    if (other == &target)
        return;
    target.BeginUpdate();
    const TScopeExit endUpdate([&] { target.EndUpdate(); });
    target.Clear();
    copy(*other);
}

} // namespace

bool IsValidIdent(const QString& name) {
    if (name.isEmpty())
        return false;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
        const bool digit = c >= '0' && c <= '9';
        if (!(letter || (i > 0 && digit)))
            return false;
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// TPersistent

void TPersistent::Assign(TPersistent* source) {
    if (source == nullptr)
        throw EConvertError(QStringLiteral("Cannot assign a nil to a %1").arg(ClassName()));
    source->AssignTo(this);
}

void TPersistent::AssignTo(TPersistent* dest) const {
    throw EConvertError(
        QStringLiteral("Cannot assign a %1 to a %2").arg(ClassName(), dest->ClassName()));
}

QString TPersistent::GetNamePath() const {
    if (TPersistent* owner = GetOwner()) {
        const QString path = owner->GetNamePath();
        if (!path.isEmpty())
            return path + QLatin1Char('.') + ClassName();
    }
    return ClassName();
}

bool TPersistent::ReadDefinedProperty(const QString&, TReader&) {
    return false;
}

// ---------------------------------------------------------------------------------------------
// TComponent

TComponent::TComponent(TComponent* owner) {
    if (owner)
        owner->InsertComponent(this);
}

TComponent::~TComponent() {
    FComponentState |= csDestroying;
    const QList<TComponent*> watchers = FFreeNotifies;
    FFreeNotifies.clear();
    for (TComponent* watcher : watchers) {
        watcher->FFreeNotifies.removeAll(this);
        watcher->Notification(this, opRemove);
    }
    DestroyComponents();
    if (FOwner)
        FOwner->RemoveComponent(this);
}

void TComponent::SetName(const QString& name) {
    if (name == FName)
        return;
    if (!name.isEmpty() && !IsValidIdent(name))
        throw EComponentError(QStringLiteral("'%1' is not a valid component name").arg(name));
    if (FOwner)
        FOwner->ValidateRename(this, FName, name);
    FName = name;
}

void TComponent::ValidateRename(TComponent* component, const QString& currentName,
                                const QString& newName) const {
    if (component == nullptr || newName.isEmpty() || component->FOwner != this ||
        currentName.compare(newName, Qt::CaseInsensitive) == 0)
        return;
    TComponent* other = FindComponent(newName);
    if (other != nullptr && other != component)
        throw EComponentError(QStringLiteral("A component named %1 already exists").arg(newName));
}

TComponent* TComponent::GetComponent(int index) const {
    if (index < 0 || index >= FComponents.size())
        IndexError(index);
    return FComponents[index];
}

int TComponent::ComponentIndex() const {
    return FOwner ? static_cast<int>(FOwner->FComponents.indexOf(this)) : -1;
}

TComponent* TComponent::FindComponent(const QString& name) const {
    if (name.isEmpty())
        return nullptr;
    for (TComponent* c : FComponents)
        if (c->FName.compare(name, Qt::CaseInsensitive) == 0)
            return c;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* component) {
    if (component == nullptr || component->FOwner == this)
        return;
    if (!component->FName.isEmpty()) {
        if (FindComponent(component->FName))
            throw EComponentError(
                QStringLiteral("A component named %1 already exists").arg(component->FName));
    }
    if (component->FOwner)
        component->FOwner->RemoveComponent(component);
    FComponents.append(component);
    component->FOwner = this;
    Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
    if (component == nullptr || component->FOwner != this)
        return;
    FComponents.removeOne(component);
    component->FOwner = nullptr;
    Notification(component, opRemove);
}

void TComponent::DestroyComponents() {
    while (!FComponents.isEmpty()) {
        TComponent* last = FComponents.last();
        RemoveComponent(last);
        delete last;
    }
}

void TComponent::FreeNotification(TComponent* component) {
    if (component == nullptr || component == this)
        return;
    if (!FFreeNotifies.contains(component))
        FFreeNotifies.append(component);
    if (!component->FFreeNotifies.contains(this))
        component->FFreeNotifies.append(this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
    if (component == nullptr)
        return;
    FFreeNotifies.removeAll(component);
    component->FFreeNotifies.removeAll(this);
}

void TComponent::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove && component != nullptr)
        FFreeNotifies.removeAll(component);
    // Owned components may hold references to their siblings; the list can change while they
    // react, so walk it by index.
    for (int i = 0; i < FComponents.size(); ++i)
        FComponents[i]->Notification(component, operation);
}

void TComponent::SetParentComponent(TComponent*) {}

void TComponent::Loaded() {
    ExcludeState(csLoading);
}

LUMOTRIX_REGISTER_CLASS(TPersistent, TObject) {}

LUMOTRIX_REGISTER_CLASS(TComponent, TPersistent) {
    Property("Name", &TComponent::Name, &TComponent::SetName);
    Property("Tag", &TComponent::Tag, &TComponent::SetTag);
}

// ---------------------------------------------------------------------------------------------
// TCollectionItem

TCollectionItem::TCollectionItem(TCollection* collection) {
    SetCollection(collection);
}

TCollectionItem::~TCollectionItem() {
    if (FCollection)
        FCollection->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection* collection) {
    if (collection == FCollection)
        return;
    if (FCollection)
        FCollection->RemoveItem(this);
    if (collection)
        collection->InsertItem(this);
}

int TCollectionItem::Index() const {
    return FCollection ? static_cast<int>(FCollection->FItems.indexOf(this)) : -1;
}

void TCollectionItem::SetIndex(int index) {
    const int current = Index();
    if (current < 0 || current == index)
        return;
    if (index < 0 || index >= FCollection->Count())
        IndexError(index);
    FCollection->FItems.move(current, index);
    Changed(true);
}

QString TCollectionItem::DisplayName() const {
    return ClassName();
}

TPersistent* TCollectionItem::GetOwner() const {
    return FCollection;
}

QString TCollectionItem::GetNamePath() const {
    if (FCollection)
        return QStringLiteral("%1[%2]").arg(FCollection->GetNamePath()).arg(Index());
    return ClassName();
}

void TCollectionItem::Changed(bool allItems) {
    if (FCollection && FCollection->FUpdateCount == 0)
        FCollection->Update(allItems ? nullptr : this);
}

LUMOTRIX_REGISTER_CLASS(TCollectionItem, TPersistent) {}

// Registered so that a collection can name its class (in cast errors, for instance).
LUMOTRIX_REGISTER_CLASS(TCollection, TPersistent) {}

// ---------------------------------------------------------------------------------------------
// TCollection

TCollection::TCollection(const TClassInfo* itemClass, TPersistent* owner)
    : FItemClass(itemClass), FOwner(owner) {
    if (itemClass == nullptr || !itemClass->InheritsFrom(ClassInfoOf<TCollectionItem>()) ||
        !itemClass->CanCreateItem())
        throw EInvalidCast(QStringLiteral("%1 is no collection item class")
                               .arg(itemClass ? itemClass->ClassName() : QStringLiteral("nil")));
}

TCollection::~TCollection() {
    FUpdateCount = 1; // no change reports while tearing down
    while (!FItems.isEmpty())
        delete FItems.last();
}

QString TCollection::GetNamePath() const {
    QString path = FOwner ? FOwner->GetNamePath() : QString();
    const QString name = FPropName.isEmpty() ? ClassName() : FPropName;
    return path.isEmpty() ? name : path + QLatin1Char('.') + name;
}

TCollectionItem* TCollection::Items(int index) const {
    if (index < 0 || index >= FItems.size())
        IndexError(index);
    return FItems[index];
}

TCollectionItem* TCollection::Add() {
    TObject* created = FItemClass->CreateItem(this);
    auto* item = dynamic_cast<TCollectionItem*>(created);
    if (item == nullptr) {
        delete created;
        throw EInvalidCast(
            QStringLiteral("%1 is no collection item class").arg(FItemClass->ClassName()));
    }
    if (item->FCollection != this) // an item class that does not pass its collection on
        item->SetCollection(this);
    return item;
}

TCollectionItem* TCollection::Insert(int index) {
    if (index < 0 || index > FItems.size())
        IndexError(index);
    TCollectionItem* item = Add();
    item->SetIndex(index);
    return item;
}

void TCollection::Delete(int index) {
    TCollectionItem* item = Items(index);
    Notify(item, cnDeleting);
    delete item;
}

void TCollection::Clear() {
    if (FItems.isEmpty())
        return;
    BeginUpdate();
    const TScopeExit endUpdate([this] { EndUpdate(); });
    while (!FItems.isEmpty()) {
        Notify(FItems.last(), cnDeleting);
        delete FItems.last();
    }
}

TCollectionItem* TCollection::FindItemID(int id) const {
    for (TCollectionItem* item : FItems)
        if (item->FID == id)
            return item;
    return nullptr;
}

void TCollection::BeginUpdate() {
    ++FUpdateCount;
}

void TCollection::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0)
        Changed();
}

void TCollection::Assign(TPersistent* source) {
    AssignContents(*this, source, [&](TCollection& other) {
        for (TCollectionItem* item : other.FItems)
            Add()->Assign(item);
    });
}

void TCollection::Update(TCollectionItem*) {}

void TCollection::Notify(TCollectionItem*, TCollectionNotification) {}

void TCollection::Changed() {
    if (FUpdateCount == 0)
        Update(nullptr);
}

void TCollection::InsertItem(TCollectionItem* item) {
    item->FCollection = this;
    item->FID = FNextID++;
    FItems.append(item);
    Notify(item, cnAdded);
    Changed();
}

void TCollection::RemoveItem(TCollectionItem* item) {
    if (FItems.removeOne(item)) {
        item->FCollection = nullptr;
        Changed();
    }
}

// ---------------------------------------------------------------------------------------------
// TStrings

void TStrings::Error(const QString& message, int index) const {
    throw EListError(message.arg(index));
}

void TStrings::Put(int index, const QString& text) {
    TObject* object = GetObject(index);
    BeginUpdate();
    const TScopeExit endUpdate([this] { EndUpdate(); });
    Delete(index);
    InsertObject(index, text, object);
}

TObject* TStrings::GetObject(int) const {
    return nullptr;
}

void TStrings::PutObject(int, TObject*) {}

int TStrings::Add(const QString& text) {
    const int index = Count();
    Insert(index, text);
    return index;
}

int TStrings::AddObject(const QString& text, TObject* object) {
    const int index = Add(text);
    PutObject(index, object);
    return index;
}

void TStrings::InsertObject(int index, const QString& text, TObject* object) {
    Insert(index, text);
    PutObject(index, object);
}

void TStrings::AddStrings(const QStringList& lines) {
    BeginUpdate();
    const TScopeExit endUpdate([this] { EndUpdate(); });
    for (const QString& line : lines)
        Add(line);
}

void TStrings::AddStrings(const TStrings* source) {
    BeginUpdate();
    const TScopeExit endUpdate([this] { EndUpdate(); });
    for (int i = 0; i < source->Count(); ++i)
        AddObject(source->Get(i), source->GetObject(i));
}

void TStrings::Exchange(int index1, int index2) {
    BeginUpdate();
    const TScopeExit endUpdate([this] { EndUpdate(); });
    const QString text = Get(index1);
    TObject* object = GetObject(index1);
    Put(index1, Get(index2));
    PutObject(index1, GetObject(index2));
    Put(index2, text);
    PutObject(index2, object);
}

void TStrings::Move(int from, int to) {
    if (from == to)
        return;
    BeginUpdate();
    const TScopeExit endUpdate([this] { EndUpdate(); });
    const QString text = Get(from);
    TObject* object = GetObject(from);
    Delete(from);
    InsertObject(to, text, object);
}

QStringList TStrings::ToStringList() const {
    QStringList lines;
    for (int i = 0; i < Count(); ++i)
        lines.append(Get(i));
    return lines;
}

void TStrings::SetStringList(const QStringList& lines) {
    BeginUpdate();
    const TScopeExit endUpdate([this] { EndUpdate(); });
    Clear();
    AddStrings(lines);
}

QString TStrings::Text() const {
    QString text;
    for (int i = 0; i < Count(); ++i)
        text += Get(i) + QLatin1Char('\n');
    return text;
}

void TStrings::SetText(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
            lines.append(text.mid(start, i - start));
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
            start = i + 1;
        }
    }
    if (start < text.size())
        lines.append(text.mid(start));
    SetStringList(lines);
}

QString TStrings::CommaText() const {
    QStringList parts;
    for (int i = 0; i < Count(); ++i) {
        QString s = Get(i);
        const bool quote =
            s.isEmpty() || s.contains(QLatin1Char(',')) || s.contains(QLatin1Char('"')) ||
            std::any_of(s.begin(), s.end(), [](QChar c) { return c <= QLatin1Char(' '); });
        if (quote)
            s = QLatin1Char('"') + s.replace(QLatin1Char('"'), QLatin1String("\"\"")) +
                QLatin1Char('"');
        parts.append(s);
    }
    return parts.join(QLatin1Char(','));
}

int TStrings::IndexOf(const QString& text) const {
    for (int i = 0; i < Count(); ++i)
        if (Get(i).compare(text, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int TStrings::IndexOfObject(const TObject* object) const {
    for (int i = 0; i < Count(); ++i)
        if (GetObject(i) == object)
            return i;
    return -1;
}

QString TStrings::Names(int index) const {
    const QString line = Get(index);
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    return eq < 0 ? QString() : line.left(eq);
}

int TStrings::IndexOfName(const QString& name) const {
    for (int i = 0; i < Count(); ++i) {
        const QString line = Get(i);
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq >= 0 && QStringView(line).left(eq).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString TStrings::Values(const QString& name) const {
    const int index = IndexOfName(name);
    if (index < 0)
        return {};
    const QString line = Get(index);
    return line.mid(line.indexOf(QLatin1Char('=')) + 1);
}

void TStrings::BeginUpdate() {
    if (FUpdateCount == 0)
        SetUpdateState(true);
    ++FUpdateCount;
}

void TStrings::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0)
        SetUpdateState(false);
}

void TStrings::SetUpdateState(bool) {}

bool TStrings::Equals(const TStrings* other) const {
    if (other == nullptr || other->Count() != Count())
        return false;
    for (int i = 0; i < Count(); ++i)
        if (Get(i) != other->Get(i))
            return false;
    return true;
}

void TStrings::Assign(TPersistent* source) {
    AssignContents(*this, source, [&](TStrings& other) { AddStrings(&other); });
}

bool TStrings::ReadDefinedProperty(const QString& name, TReader& reader) {
    if (name.compare(QLatin1String("Strings"), Qt::CaseInsensitive) != 0)
        return false;
    BeginUpdate();
    const TScopeExit endUpdate([this] { EndUpdate(); });
    Clear();
    reader.ReadListBegin();
    while (!reader.EndOfList())
        Add(reader.ReadWideString());
    reader.ReadListEnd();
    return true;
}

LUMOTRIX_REGISTER_CLASS(TStrings, TPersistent) {}

// ---------------------------------------------------------------------------------------------
// TStringList

TStringList::~TStringList() {
    OnChange = {};
    OnChanging = {};
    if (FOwnsObjects)
        qDeleteAll(FObjects);
}

void TStringList::CheckIndex(int index, int limit) const {
    if (index < 0 || index > limit)
        IndexError(index);
}

QString TStringList::Get(int index) const {
    CheckIndex(index, Count() - 1);
    return FStrings[index];
}

void TStringList::Put(int index, const QString& text) {
    if (FSorted)
        throw EListError(QStringLiteral("Operation not allowed on sorted list"));
    CheckIndex(index, Count() - 1);
    Changing();
    FStrings[index] = text;
    Changed();
}

TObject* TStringList::GetObject(int index) const {
    CheckIndex(index, Count() - 1);
    return FObjects[index];
}

void TStringList::PutObject(int index, TObject* object) {
    CheckIndex(index, Count() - 1);
    Changing();
    FObjects[index] = object;
    Changed();
}

void TStringList::Insert(int index, const QString& text) {
    if (FSorted)
        throw EListError(QStringLiteral("Operation not allowed on sorted list"));
    CheckIndex(index, Count());
    Changing();
    FStrings.insert(index, text);
    FObjects.insert(index, nullptr);
    Changed();
}

int TStringList::Add(const QString& text) {
    if (!FSorted)
        return TStrings::Add(text);
    const int index = FindSortedPosition(text);
    Changing();
    FStrings.insert(index, text);
    FObjects.insert(index, nullptr);
    Changed();
    return index;
}

void TStringList::Delete(int index) {
    CheckIndex(index, Count() - 1);
    Changing();
    TObject* object = FObjects.takeAt(index);
    FStrings.removeAt(index);
    if (FOwnsObjects)
        delete object;
    Changed();
}

void TStringList::Clear() {
    if (FStrings.isEmpty())
        return;
    Changing();
    if (FOwnsObjects)
        qDeleteAll(FObjects);
    FStrings.clear();
    FObjects.clear();
    Changed();
}

int TStringList::CompareStrings(const QString& a, const QString& b) const {
    return a.compare(b, FCaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive);
}

int TStringList::IndexOf(const QString& text) const {
    for (int i = 0; i < Count(); ++i)
        if (CompareStrings(FStrings[i], text) == 0)
            return i;
    return -1;
}

int TStringList::FindSortedPosition(const QString& text) const {
    // After any equal entries, so equal strings keep the order in which they were added.
    int low = 0;
    int high = Count();
    while (low < high) {
        const int mid = (low + high) / 2;
        if (CompareStrings(FStrings[mid], text) <= 0)
            low = mid + 1;
        else
            high = mid;
    }
    return low;
}

void TStringList::SetSorted(bool value) {
    if (value == FSorted)
        return;
    if (value)
        Sort();
    FSorted = value;
}

void TStringList::Sort() {
    QList<int> order(Count());
    for (int i = 0; i < Count(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [this](int a, int b) { return CompareStrings(FStrings[a], FStrings[b]) < 0; });
    Changing();
    QList<QString> strings;
    QList<TObject*> objects;
    for (int i : order) {
        strings.append(FStrings[i]);
        objects.append(FObjects[i]);
    }
    FStrings = strings;
    FObjects = objects;
    Changed();
}

void TStringList::SetUpdateState(bool updating) {
    if (updating)
        Changing();
    else
        Changed();
}

void TStringList::Changing() {
    if (UpdateCount() == 0)
        OnChanging(this);
}

void TStringList::Changed() {
    if (UpdateCount() == 0)
        OnChange(this);
}

LUMOTRIX_REGISTER_CLASS(TStringList, TStrings) {}

} // namespace lumotrix
