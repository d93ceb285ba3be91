#include "runtime/Classes.h"

#include "TestComponents.h"

#include <gtest/gtest.h>

using namespace lumotrix;

namespace {

// Records its destruction; never asks the registry for its class.
class TDyingComponent : public TComponent {
public:
    TDyingComponent(TComponent* owner, QString tag, QStringList* log)
        : TComponent(owner), FTag(std::move(tag)), FLog(log) {}
    ~TDyingComponent() override { FLog->append(FTag); }

private:
    QString FTag;
    QStringList* FLog;
};

// Records the notifications it receives.
class TWatchingComponent : public TComponent {
public:
    explicit TWatchingComponent(TComponent* owner = nullptr) : TComponent(owner) { HearSiblings(); }
    QList<std::pair<TComponent*, TOperation>> Seen;

protected:
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        Seen.append({component, operation});
    }
};

} // namespace

TEST(Component, OwnsComponentsInCreationOrderAndFindsThemIgnoringCase) {
    TComponent owner;
    auto* a = new TTestControl(&owner);
    auto* b = new TTestControl(&owner);
    auto* unnamed = new TTestControl(&owner);
    a->SetName(QStringLiteral("Button1"));
    b->SetName(QStringLiteral("Edit1"));
    ASSERT_EQ(owner.ComponentCount(), 3);
    EXPECT_EQ(owner.GetComponent(0), a);
    EXPECT_EQ(owner.GetComponent(2), unnamed);
    EXPECT_EQ(b->ComponentIndex(), 1);
    EXPECT_EQ(a->Owner(), &owner);
    EXPECT_EQ(owner.FindComponent(QStringLiteral("BUTTON1")), a);
    EXPECT_EQ(owner.FindComponent(QStringLiteral("edit1")), b);
    EXPECT_EQ(owner.FindComponent(QString()), nullptr); // unnamed ones are not found by name
    EXPECT_EQ(owner.FindComponent(QStringLiteral("Button2")), nullptr);
    EXPECT_THROW(owner.GetComponent(3), EListError);
    EXPECT_THROW(owner.GetComponent(-1), EListError);
}

TEST(Component, NamesMustBeUniqueIdentifiers) {
    TComponent owner;
    auto* a = new TTestControl(&owner);
    auto* b = new TTestControl(&owner);
    a->SetName(QStringLiteral("Button1"));
    for (const char* bad : {"1Button", "Button 1", "Button-1", "Bottone\xC3\xA8"}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(b->SetName(QString::fromUtf8(bad)), EComponentError);
    }
    try {
        b->SetName(QStringLiteral("button1"));
        FAIL();
    } catch (const EComponentError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("A component named button1 already exists"));
    }
    EXPECT_TRUE(b->Name().isEmpty());
    a->SetName(QStringLiteral("BUTTON1")); // renaming itself in another case is no clash
    EXPECT_EQ(a->Name(), QStringLiteral("BUTTON1"));
    b->SetName(QStringLiteral("_Edit_2"));
    a->SetName(QString());
    EXPECT_TRUE(a->Name().isEmpty());

    TTestControl stray;
    stray.SetName(QStringLiteral("_Edit_2"));
    EXPECT_THROW(owner.InsertComponent(&stray), EComponentError);
    EXPECT_EQ(stray.Owner(), nullptr);
}

TEST(Component, OwnerDestroysOwnedComponentsMostRecentFirst) {
    QStringList log;
    {
        auto* owner = new TDyingComponent(nullptr, QStringLiteral("owner"), &log);
        new TDyingComponent(owner, QStringLiteral("first"), &log);
        auto* second = new TDyingComponent(owner, QStringLiteral("second"), &log);
        new TDyingComponent(second, QStringLiteral("grandchild"), &log);
        new TDyingComponent(owner, QStringLiteral("third"), &log);
        delete owner;
    }
    // The owner's own destructor body runs first, then its components from the last.
    EXPECT_EQ(log, (QStringList{QStringLiteral("owner"), QStringLiteral("third"),
                                QStringLiteral("second"), QStringLiteral("grandchild"),
                                QStringLiteral("first")}));
}

TEST(Component, OwnedComponentThatGoesAwayIsRemovedAndAnnounced) {
    TWatchingComponent owner;
    auto* sibling = new TWatchingComponent(&owner);
    auto* doomed = new TTestControl(&owner);
    ASSERT_EQ(owner.Seen.size(), 2);
    EXPECT_EQ(owner.Seen[1], std::make_pair(static_cast<TComponent*>(doomed), opInsert));
    delete doomed;
    EXPECT_EQ(owner.ComponentCount(), 1);
    EXPECT_EQ(owner.Seen.last(), std::make_pair(static_cast<TComponent*>(doomed), opRemove));
    // Siblings hear it too, so they can drop references.
    EXPECT_EQ(sibling->Seen.last(), std::make_pair(static_cast<TComponent*>(doomed), opRemove));
}

TEST(Component, RenamesMovesAndRemovalsKeepFindingByName) {
    TComponent owner;
    TComponent other;
    auto* a = new TTestControl(&owner);
    a->SetName(QStringLiteral("Edit1"));
    a->SetName(QStringLiteral("Edit2"));
    EXPECT_EQ(owner.FindComponent(QStringLiteral("edit1")), nullptr);
    EXPECT_EQ(owner.FindComponent(QStringLiteral("EDIT2")), a);
    auto* b = new TTestControl(&owner);
    b->SetName(QStringLiteral("Edit1")); // the old name is free again
    other.InsertComponent(a);
    EXPECT_EQ(owner.FindComponent(QStringLiteral("Edit2")), nullptr);
    EXPECT_EQ(other.FindComponent(QStringLiteral("Edit2")), a);
    delete b;
    EXPECT_EQ(owner.FindComponent(QStringLiteral("Edit1")), nullptr);
    EXPECT_EQ(owner.ComponentCount(), 0);
}

TEST(Component, SiblingsThatListenHearOfRemovalsAlsoThroughAnOwnerBetween) {
    TComponent form;
    auto* frame = new TComponent(&form);
    auto* inner = new TWatchingComponent(frame); // the frame passes notifications on
    auto* deaf = new TComponent(&form);
    auto* doomed = new TTestControl(&form);
    delete doomed;
    ASSERT_FALSE(inner->Seen.isEmpty());
    EXPECT_EQ(inner->Seen.last(), std::make_pair(static_cast<TComponent*>(doomed), opRemove));
    delete inner; // the frame stops passing them on
    inner = nullptr;
    delete deaf;
    EXPECT_EQ(form.ComponentCount(), 1);
}

TEST(Component, ReferencesAreClearedWhenTheTargetGoesAway) {
    TComponent form;
    auto* label = new TTestControl(&form);
    auto* edit = new TTestControl(&form);
    label->SetBuddy(edit);
    delete edit; // same owner: the owner's notification reaches the label
    EXPECT_EQ(label->Buddy(), nullptr);

    TComponent otherForm;
    auto* remote = new TTestControl(&otherForm);
    label->SetBuddy(remote);
    delete remote; // another owner: only the free notification reaches the label
    EXPECT_EQ(label->Buddy(), nullptr);

    // And a watcher that dies first is forgotten by the watched component.
    auto* shortLived = new TTestControl(&otherForm);
    auto* target = new TTestControl(&otherForm);
    shortLived->SetBuddy(target);
    delete shortLived;
    delete target; // must not notify the deleted watcher (ASan would object)
}

TEST(Component, InsertComponentMovesBetweenOwners) {
    TComponent first;
    TComponent second;
    auto* c = new TTestControl(&first);
    c->SetName(QStringLiteral("Moved"));
    second.InsertComponent(c);
    EXPECT_EQ(first.ComponentCount(), 0);
    EXPECT_EQ(second.FindComponent(QStringLiteral("moved")), c);
    EXPECT_EQ(c->Owner(), &second);
    second.RemoveComponent(c);
    EXPECT_EQ(c->Owner(), nullptr);
    delete c;
}

TEST(Persistent, AssignWithoutAWayRaisesConvertError) {
    TTestFont font;
    TStringList list;
    try {
        font.Assign(&list);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Cannot assign a TStringList to a TTestFont"));
    }
    EXPECT_THROW(font.Assign(nullptr), EConvertError);
}

TEST(Collection, AddInsertDeleteAndIndices) {
    TTestControl owner;
    owner.SetName(QStringLiteral("Grid1"));
    TCollection* columns = owner.Columns();
    EXPECT_EQ(columns->ItemClass(), ClassInfoOf<TTestItem>());
    EXPECT_EQ(columns->Owner(), &owner);
    auto* a = static_cast<TTestItem*>(columns->Add());
    auto* b = static_cast<TTestItem*>(columns->Add());
    a->Caption = QStringLiteral("a");
    b->Caption = QStringLiteral("b");
    auto* first = static_cast<TTestItem*>(columns->Insert(0));
    ASSERT_EQ(columns->Count(), 3);
    EXPECT_EQ(columns->Items(0), first);
    EXPECT_EQ(a->Index(), 1);
    EXPECT_EQ(b->GetNamePath(), QStringLiteral("Grid1.Columns[2]"));
    EXPECT_NE(a->ID(), b->ID());
    EXPECT_EQ(columns->FindItemID(b->ID()), b);
    b->SetIndex(0);
    EXPECT_EQ(columns->Items(0), b);
    EXPECT_THROW(b->SetIndex(3), EListError);
    columns->Delete(1); // first
    EXPECT_EQ(columns->Count(), 2);
    EXPECT_EQ(columns->Items(1), a);
    delete a; // an item deleted directly leaves its collection
    EXPECT_EQ(columns->Count(), 1);
    EXPECT_THROW(columns->Items(1), EListError);
    columns->Clear();
    EXPECT_EQ(columns->Count(), 0);
}

TEST(Collection, AssignCopiesItemsAndItemClassIsChecked) {
    TCollection source(ClassInfoOf<TTestItem>());
    static_cast<TTestItem*>(source.Add())->Caption = QStringLiteral("x");
    static_cast<TTestItem*>(source.Add())->Width = 7;
    TCollection copy(ClassInfoOf<TTestItem>());
    copy.Add();
    copy.Add();
    copy.Add();
    copy.Assign(&source);
    ASSERT_EQ(copy.Count(), 2);
    EXPECT_EQ(static_cast<TTestItem*>(copy.Items(0))->Caption, QStringLiteral("x"));
    EXPECT_EQ(static_cast<TTestItem*>(copy.Items(1))->Width, 7);
    EXPECT_NE(copy.Items(0), source.Items(0));
    EXPECT_THROW(TCollection(ClassInfoOf<TTestFont>()), EInvalidCast);
    EXPECT_THROW(TCollection(nullptr), EInvalidCast);
}

TEST(StringList, EditingAndLookup) {
    TStringList list;
    EXPECT_EQ(list.Add(QStringLiteral("Lunedì")), 0);
    list.Add(QStringLiteral("Martedì"));
    list.Insert(0, QStringLiteral("Domenica"));
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Strings(0), QStringLiteral("Domenica"));
    EXPECT_EQ(list.IndexOf(QStringLiteral("LUNEDÌ")), 1); // case-insensitive by default
    list.SetCaseSensitive(true);
    EXPECT_EQ(list.IndexOf(QStringLiteral("LUNEDÌ")), -1);
    EXPECT_EQ(list.IndexOf(QStringLiteral("Lunedì")), 1);
    list.SetStrings(2, QStringLiteral("Mercoledì"));
    EXPECT_EQ(list.Strings(2), QStringLiteral("Mercoledì"));
    list.Delete(0);
    EXPECT_EQ(list.ToStringList(),
              (QStringList{QStringLiteral("Lunedì"), QStringLiteral("Mercoledì")}));
    EXPECT_THROW(list.Strings(2), EListError);
    EXPECT_THROW(list.Insert(3, QString()), EListError);
    EXPECT_THROW(list.Delete(-1), EListError);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST(StringList, ObjectsTravelWithTheirEntries) {
    TTestFont a;
    TTestFont b;
    TStringList list;
    list.AddObject(QStringLiteral("a"), &a);
    list.Add(QStringLiteral("none"));
    list.InsertObject(0, QStringLiteral("b"), &b);
    EXPECT_EQ(list.Objects(0), &b);
    EXPECT_EQ(list.Objects(1), &a);
    EXPECT_EQ(list.Objects(2), nullptr);
    EXPECT_EQ(list.IndexOfObject(&a), 1);
    list.Move(0, 2);
    EXPECT_EQ(list.Objects(2), &b);
    list.Exchange(0, 2);
    EXPECT_EQ(list.Strings(0), QStringLiteral("b"));
    EXPECT_EQ(list.Objects(0), &b);

    TStringList owning;
    owning.SetOwnsObjects(true);
    owning.AddObject(QStringLiteral("owned"), new TTestFont); // ASan checks it is freed
    owning.AddObject(QStringLiteral("owned too"), new TTestFont);
    owning.Delete(0);
}

TEST(StringList, TextSplitsAtEveryLineBreak) {
    TStringList list;
    list.SetText(QStringLiteral("uno\r\ndue\ntre\rquattro\r\n"));
    EXPECT_EQ(list.ToStringList(), (QStringList{QStringLiteral("uno"), QStringLiteral("due"),
                                                QStringLiteral("tre"), QStringLiteral("quattro")}));
    EXPECT_EQ(list.Text(), QStringLiteral("uno\ndue\ntre\nquattro\n"));
    list.SetText(QStringLiteral("a\n\nb"));
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Strings(1), QString());
    list.SetText(QString());
    EXPECT_EQ(list.Count(), 0);
    list.SetText(QStringLiteral("Porta=Luci\nTemp=25,5"));
    EXPECT_EQ(list.Names(0), QStringLiteral("Porta"));
    EXPECT_EQ(list.Values(QStringLiteral("temp")), QStringLiteral("25,5"));
    EXPECT_EQ(list.Values(QStringLiteral("none")), QString());
    EXPECT_EQ(list.CommaText(), QStringLiteral("Porta=Luci,\"Temp=25,5\""));
}

TEST(StringList, ChangeEventsAndUpdateBlocks) {
    TStringList list;
    int changes = 0;
    int changings = 0;
    list.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &list);
        ++changes;
    };
    list.OnChanging = [&](TObject*) { ++changings; };
    list.Add(QStringLiteral("a"));
    list.Add(QStringLiteral("b"));
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(changings, 2);
    list.BeginUpdate();
    list.Add(QStringLiteral("c"));
    list.Delete(0);
    list.BeginUpdate();
    list.Clear();
    list.EndUpdate();
    EXPECT_EQ(changes, 2);
    list.EndUpdate();
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(changings, 3);
    list.SetText(QStringLiteral("x\ny\nz")); // one change for the whole text
    EXPECT_EQ(changes, 4);
}

TEST(StringList, SortedListsKeepTheirOrder) {
    TStringList list;
    list.SetText(QStringLiteral("pera\nMela\nbanana"));
    list.SetSorted(true);
    EXPECT_EQ(list.ToStringList(), (QStringList{QStringLiteral("banana"), QStringLiteral("Mela"),
                                                QStringLiteral("pera")}));
    EXPECT_EQ(list.Add(QStringLiteral("kiwi")), 1);
    EXPECT_EQ(list.Add(QStringLiteral("zucca")), 4);
    EXPECT_THROW(list.Insert(0, QStringLiteral("a")), EListError);
}

TEST(StringList, AssignCopiesStringsAndObjects) {
    TTestFont font;
    TStringList source;
    source.AddObject(QStringLiteral("x"), &font);
    source.Add(QStringLiteral("y"));
    TStringList copy;
    copy.Add(QStringLiteral("old"));
    copy.Assign(&source);
    EXPECT_TRUE(copy.Equals(&source));
    EXPECT_EQ(copy.Objects(0), &font);
    TTestFont notAList;
    EXPECT_THROW(copy.Assign(&notAList), EConvertError);
}
