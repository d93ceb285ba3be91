#pragma once

#include "runtime/TypInfo.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace lumotrix {

class TReader;

// A component name that is no identifier, a duplicate name, a bad index.
class EComponentError : public Exception {
public:
    using Exception::Exception;
};

class EListError : public Exception {
public:
    using Exception::Exception;
};

// True for an ASCII identifier: a letter or '_' first, then letters, digits or '_'.
bool IsValidIdent(const QString& name);

// An object whose state can be copied from another and read from a form stream.
class TPersistent : public TObject {
public:
    // Copies `source` into this object; by default asks the source to do it (AssignTo) and
    // raises EConvertError ("Cannot assign a X to a Y") when neither side knows how.
    virtual void Assign(TPersistent* source);
    // "Form1.Button1.Font"-style path, for messages.
    virtual QString GetNamePath() const;
    // Values stored under a name that no published property takes ("Strings" of a string
    // list, "Data" of a picture). Reads the value and returns true when the name is handled;
    // returns false without reading otherwise.
    virtual bool ReadDefinedProperty(const QString& name, TReader& reader);
    virtual TPersistent* GetOwner() const { return nullptr; }

protected:
    virtual void AssignTo(TPersistent* dest) const;
};

enum TOperation { opInsert, opRemove };

enum TComponentStateFlag {
    csLoading = 0x01,    // properties are being read from a form stream
    csReading = 0x02,    // between creation and the end of its own section
    csDestroying = 0x04, // its destructor is running
    csInline = 0x08      // a frame embedded in a form stream
};

// A named object that may own other components. An owner destroys what it owns, most recent
// first; an owned component that goes away is removed from its owner, and the owner and all
// its other components are notified (Notification) so that they can drop references to it.
class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* owner = nullptr);
    ~TComponent() override;

    const QString& Name() const { return FName; }
    // EComponentError for a name that is no identifier or that another component of the same
    // owner already has (ignoring case). An empty name is allowed.
    virtual void SetName(const QString& name);
    TComponent* Owner() const { return FOwner; }
    TPersistent* GetOwner() const override { return FOwner; }
    QString GetNamePath() const override { return FName; }

    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    int GetComponentCount() const { return ComponentCount(); }
    TComponent* GetComponent(int index) const; // EListError out of range
    TComponent* Components(int index) const { return GetComponent(index); }
    int ComponentIndex() const; // position in the owner's list, -1 without owner
    TComponent* FindComponent(const QString& name) const; // ignores case; nullptr when none
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    // Frees every owned component, most recent first. Descendants whose owned components
    // refer to their own members call it first thing in their destructor.
    void DestroyComponents();

    // Asks for a Notification(this, opRemove) to `component` when this one goes away, across
    // owners.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

    // The form loader's hooks: the component of the enclosing stream section becomes the
    // parent (a control's parent window); Loaded() runs once the whole stream was read and
    // every reference resolved.
    virtual void SetParentComponent(TComponent* parent);
    virtual TComponent* GetParentComponent() const { return nullptr; }
    virtual bool HasParent() const { return false; }
    virtual void Loaded();

    int ComponentState() const { return FComponentState; }
    bool IsLoading() const { return FComponentState & csLoading; }
    bool IsDestroying() const { return FComponentState & csDestroying; }
    void IncludeState(TComponentStateFlag flag) { FComponentState |= flag; }
    void ExcludeState(TComponentStateFlag flag) { FComponentState &= ~flag; }

    qint32 Tag() const { return FTag; }
    void SetTag(qint32 tag) { FTag = tag; }

protected:
    virtual void Notification(TComponent* component, TOperation operation);
    // Called before a rename; raises EComponentError for a clash.
    virtual void ValidateRename(TComponent* component, const QString& currentName,
                                const QString& newName) const;

private:
    QString FName;
    TComponent* FOwner = nullptr;
    QList<TComponent*> FComponents;
    QList<TComponent*> FFreeNotifies;
    int FComponentState = 0;
    qint32 FTag = 0;
};

// ---------------------------------------------------------------------------------------------
// Collections

class TCollection;

enum TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

// An element of a TCollection. Creating an item with a collection adds it there; deleting it
// removes it.
class TCollectionItem : public TPersistent {
public:
    explicit TCollectionItem(TCollection* collection);
    ~TCollectionItem() override;

    TCollection* Collection() const { return FCollection; }
    void SetCollection(TCollection* collection);
    int Index() const;
    void SetIndex(int index);
    int ID() const { return FID; }
    virtual QString DisplayName() const;
    TPersistent* GetOwner() const override;
    QString GetNamePath() const override;

protected:
    // Tells the collection that this item (or, with allItems, every item) changed.
    void Changed(bool allItems);

private:
    friend class TCollection;
    TCollection* FCollection = nullptr;
    int FID = 0;
};

// An owned list of items of one class. A collection held by a component is published as an
// object-valued property; the form loader fills it from `< item ... end >`.
class TCollection : public TPersistent {
public:
    // `itemClass` must be a registered TCollectionItem class constructible from a collection.
    explicit TCollection(const TClassInfo* itemClass, TPersistent* owner = nullptr);
    ~TCollection() override;

    const TClassInfo* ItemClass() const { return FItemClass; }
    TPersistent* GetOwner() const override { return FOwner; }
    TPersistent* Owner() const { return FOwner; }
    QString GetNamePath() const override;
    // The published property name under which the owner holds the collection, for messages.
    void SetPropName(const QString& name) { FPropName = name; }

    int Count() const { return static_cast<int>(FItems.size()); }
    TCollectionItem* Items(int index) const; // EListError out of range
    TCollectionItem* GetItem(int index) const { return Items(index); }
    TCollectionItem* Add();
    TCollectionItem* Insert(int index);
    void Delete(int index);
    void Clear();
    TCollectionItem* FindItemID(int id) const;
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    // Replaces the items by copies of the source collection's items.
    void Assign(TPersistent* source) override;

protected:
    // After a change of `item` (nullptr: of the whole collection), outside BeginUpdate/EndUpdate.
    virtual void Update(TCollectionItem* item);
    virtual void Notify(TCollectionItem* item, TCollectionNotification action);
    void Changed();

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem* item);
    void RemoveItem(TCollectionItem* item);

    const TClassInfo* FItemClass;
    TPersistent* FOwner;
    QString FPropName;
    QList<TCollectionItem*> FItems;
    int FNextID = 0;
    int FUpdateCount = 0;
};

// ---------------------------------------------------------------------------------------------
// String lists

// A list of Unicode strings, each with an associated object (not owned). Change events fire
// after every change, or once at the end of BeginUpdate/EndUpdate.
class TStrings : public TPersistent {
public:
    virtual int Count() const = 0;
    virtual QString Get(int index) const = 0;
    virtual void Put(int index, const QString& text);
    virtual TObject* GetObject(int index) const;
    virtual void PutObject(int index, TObject* object);
    virtual void Insert(int index, const QString& text) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;

    virtual int Add(const QString& text);
    int AddObject(const QString& text, TObject* object);
    void InsertObject(int index, const QString& text, TObject* object);
    void AddStrings(const QStringList& lines);
    void AddStrings(const TStrings* source);
    void Exchange(int index1, int index2);
    void Move(int from, int to);

    QString Strings(int index) const { return Get(index); }
    void SetStrings(int index, const QString& text) { Put(index, text); }
    TObject* Objects(int index) const { return GetObject(index); }
    void SetObjects(int index, TObject* object) { PutObject(index, object); }
    QStringList ToStringList() const;
    void SetStringList(const QStringList& lines);

    // Lines joined with "\n" after each line; SetText splits at CR LF, LF or CR.
    QString Text() const;
    void SetText(const QString& text);
    QString CommaText() const;

    virtual int IndexOf(const QString& text) const;
    int IndexOfObject(const TObject* object) const;
    // "name=value" lines.
    QString Names(int index) const;
    QString Values(const QString& name) const;
    int IndexOfName(const QString& name) const;

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    bool Equals(const TStrings* other) const;
    void Assign(TPersistent* source) override;
    // "Strings": a list of strings that replaces the content.
    bool ReadDefinedProperty(const QString& name, TReader& reader) override;

protected:
    virtual void SetUpdateState(bool updating);
    [[noreturn]] void Error(const QString& message, int index) const;

private:
    int FUpdateCount = 0;
};

class TStringList : public TStrings {
public:
    TStringList() = default;
    ~TStringList() override;

    int Count() const override { return static_cast<int>(FStrings.size()); }
    QString Get(int index) const override;
    void Put(int index, const QString& text) override;
    TObject* GetObject(int index) const override;
    void PutObject(int index, TObject* object) override;
    void Insert(int index, const QString& text) override;
    void Delete(int index) override;
    void Clear() override;
    int Add(const QString& text) override;
    int IndexOf(const QString& text) const override;

    // Comparison of IndexOf, IndexOfName and sorting; off by default, like the platform.
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool value) { FCaseSensitive = value; }
    // A sorted list keeps its order on Add; Insert at a position is refused.
    bool Sorted() const { return FSorted; }
    void SetSorted(bool value);
    void Sort();
    // Objects are deleted with their entries.
    bool OwnsObjects() const { return FOwnsObjects; }
    void SetOwnsObjects(bool value) { FOwnsObjects = value; }

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    void SetUpdateState(bool updating) override;
    void Changing();
    void Changed();

private:
    void CheckIndex(int index, int limit) const;
    int CompareStrings(const QString& a, const QString& b) const;
    int FindSortedPosition(const QString& text) const;

    QList<QString> FStrings;
    QList<TObject*> FObjects;
    bool FCaseSensitive = false;
    bool FSorted = false;
    bool FOwnsObjects = false;
};

} // namespace lumotrix
