// The owned collection: who frees items, how IDs and indexes behave, copying
// a collection, and items of the wrong kind.
#include "toolkit/core/Collection.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// An item that records its own destruction and carries one value to copy.
class TNoteItem : public TCollectionItem {
public:
    explicit TNoteItem(TCollection* collection) : TCollectionItem(collection) {}
    ~TNoteItem() override {
        if (freed) freed->push_back(ID());
    }
    void Assign(const TCollectionItem& source) override {
        if (auto* note = dynamic_cast<const TNoteItem*>(&source)) {
            text = note->text;
            return;
        }
        TCollectionItem::Assign(source);
    }
    std::wstring GetDisplayName() const override { return text; }

    std::wstring text;
    std::vector<int>* freed = nullptr;
};

using TNotes = TTypedCollection<TNoteItem>;

TNoteItem* AddNote(TNotes& notes, const std::wstring& text, std::vector<int>* freed) {
    TNoteItem* item = notes.Add();
    item->text = text;
    item->freed = freed;
    return item;
}

std::vector<std::wstring> Texts(const TNotes& notes) {
    std::vector<std::wstring> out;
    for (int i = 0; i < notes.Count(); ++i) out.push_back(notes.Items(i)->text);
    return out;
}

TEST(Collection, ItemsGetRisingIdsThatAreNeverReused) {
    TObject owner;
    TNotes notes(&owner);
    EXPECT_EQ(notes.Owner(), &owner);
    TNoteItem* a = AddNote(notes, L"a", nullptr);
    TNoteItem* b = AddNote(notes, L"b", nullptr);
    TNoteItem* c = AddNote(notes, L"c", nullptr);
    EXPECT_EQ(a->ID(), 0);
    EXPECT_EQ(b->ID(), 1);
    EXPECT_EQ(c->ID(), 2);
    EXPECT_EQ(a->Collection(), &notes);

    notes.Delete(1);
    EXPECT_EQ(notes.FindItemID(1), nullptr);
    EXPECT_EQ(notes.FindItemID(2), c);
    // The ID of a deleted item does not come back; Clear does not restart them.
    EXPECT_EQ(notes.Add()->ID(), 3);
    notes.Clear();
    EXPECT_EQ(notes.Count(), 0);
    EXPECT_EQ(notes.Add()->ID(), 4);
    EXPECT_EQ(notes.NextID(), 5);
}

TEST(Collection, DeleteClearAndTheCollectionItselfFreeTheirItems) {
    std::vector<int> freed;
    {
        TNotes notes;
        for (const wchar_t* t : {L"a", L"b", L"c", L"d"}) AddNote(notes, t, &freed);
        notes.Delete(2);
        EXPECT_EQ(freed, std::vector<int>{2});
        EXPECT_EQ(Texts(notes), (std::vector<std::wstring>{L"a", L"b", L"d"}));

        // Deleting an item on its own takes it out of the list first.
        delete notes.Items(0);
        EXPECT_EQ(freed, (std::vector<int>{2, 0}));
        EXPECT_EQ(Texts(notes), (std::vector<std::wstring>{L"b", L"d"}));

        EXPECT_THROW(notes.Delete(2), std::out_of_range);
        EXPECT_THROW(notes.Delete(-1), std::out_of_range);
        EXPECT_THROW(notes.Items(2), std::out_of_range);
        EXPECT_EQ(Texts(notes), (std::vector<std::wstring>{L"b", L"d"}));
    }
    // The remaining two went with the collection, last first, each exactly once.
    EXPECT_EQ(freed, (std::vector<int>{2, 0, 3, 1}));
}

TEST(Collection, IndexInsertAndMovingItems) {
    TNotes notes;
    TNoteItem* a = AddNote(notes, L"a", nullptr);
    TNoteItem* b = AddNote(notes, L"b", nullptr);
    AddNote(notes, L"c", nullptr);
    EXPECT_EQ(b->Index(), 1);

    a->SetIndex(2);
    EXPECT_EQ(Texts(notes), (std::vector<std::wstring>{L"b", L"c", L"a"}));
    EXPECT_EQ(a->Index(), 2);
    a->SetIndex(-5);  // clamped
    EXPECT_EQ(Texts(notes), (std::vector<std::wstring>{L"a", L"b", L"c"}));
    a->SetIndex(99);  // clamped
    EXPECT_EQ(Texts(notes), (std::vector<std::wstring>{L"b", L"c", L"a"}));

    TNoteItem* x = notes.Insert(1);
    x->text = L"x";
    EXPECT_EQ(Texts(notes), (std::vector<std::wstring>{L"b", L"x", L"c", L"a"}));
    EXPECT_EQ(x->ID(), 3);  // IDs follow creation, not position

    // Moving to another collection: a new ID there, gone from here.
    TNotes other;
    AddNote(other, L"o", nullptr);
    x->SetCollection(&other);
    EXPECT_EQ(x->Collection(), &other);
    EXPECT_EQ(x->ID(), 1);
    EXPECT_EQ(Texts(notes), (std::vector<std::wstring>{L"b", L"c", L"a"}));
    EXPECT_EQ(Texts(other), (std::vector<std::wstring>{L"o", L"x"}));

    // Taken out of every collection, the caller owns it.
    x->SetCollection(nullptr);
    EXPECT_EQ(x->Index(), -1);
    EXPECT_EQ(other.Count(), 1);
    delete x;
    EXPECT_EQ(other.Count(), 1);
}

TEST(Collection, AssignCopiesEveryItemThroughItsAssign) {
    TNotes source, target;
    AddNote(source, L"one", nullptr);
    AddNote(source, L"two", nullptr);
    std::vector<int> freed;
    AddNote(target, L"old", &freed);

    target.Assign(source);
    EXPECT_EQ(Texts(target), (std::vector<std::wstring>{L"one", L"two"}));
    EXPECT_EQ(freed, std::vector<int>{0});  // the old item was freed
    // Copies, not shared items: changing one side leaves the other.
    target.Items(0)->text = L"changed";
    EXPECT_EQ(source.Items(0)->text, L"one");
    EXPECT_EQ(target.Items(0)->GetDisplayName(), L"changed");

    target.Assign(target);
    EXPECT_EQ(Texts(target), (std::vector<std::wstring>{L"changed", L"two"}));
}

TEST(Collection, ItemsOfAnotherKindAreRefused) {
    TCollection plain;
    TCollectionItem* bare = plain.Add();
    EXPECT_EQ(bare->GetDisplayName(), L"TCollectionItem");

    // A plain item cannot take a note's content, nor join a note collection.
    TNotes notes;
    TNoteItem* note = AddNote(notes, L"n", nullptr);
    try {
        note->Assign(*bare);
        FAIL() << "a plain item was assigned to a note";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "Cannot assign a TCollectionItem to a TNoteItem");
    }
    EXPECT_THROW(bare->SetCollection(&notes), std::invalid_argument);
    EXPECT_EQ(bare->Collection(), &plain);
    EXPECT_EQ(notes.Count(), 1);

    // Copying notes into a plain collection fails on the first item: plain
    // items know no content.
    EXPECT_THROW(plain.Assign(notes), EConvertError);

    // A wrong item built straight into a typed collection is reported, not miscast.
    new TCollectionItem(&notes);
    EXPECT_THROW(notes.Items(1), std::logic_error);
}

}  // namespace
