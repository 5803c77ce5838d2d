#pragma once
// An owned list of items of one kind, as published properties use them
// (form resources write them as `< item ... end >`). The collection owns its
// items: Delete, Clear and the collection's destructor free them, and an item
// that is deleted on its own first leaves its collection.
//
// Every item gets an ID when it joins a collection: 0 for the first, then
// counting up. IDs are never handed out twice within one collection, so they
// stay stable while items are deleted or moved (unlike Index).
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "toolkit/core/Object.h"

class TCollection;

// Raised by Assign when the source is of a kind the target cannot copy.
class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TCollectionItem : public TObject {
public:
    // Joins `collection` (when given) as its last item.
    explicit TCollectionItem(TCollection* collection);
    // Leaves the collection first, so the collection never holds a freed item.
    ~TCollectionItem() override;

    TCollection* Collection() const { return collection_; }
    // Moves the item to another collection (nullptr: to none, the caller then
    // owns it). It gets a new ID from the new collection.
    void SetCollection(TCollection* collection);
    // Given on joining a collection; 0 for an item that never joined one, and
    // kept when the item leaves.
    int ID() const { return id_; }
    // Position in the collection, -1 when in none.
    int Index() const;
    // Moves the item to `index` (clamped to the list).
    void SetIndex(int index);

    // The text a designer lists the item by; the class name by default.
    virtual std::wstring GetDisplayName() const;
    // Copies another item's content. The base knows no content and raises
    // EConvertError ("Cannot assign a X to a Y"), as does any subclass for a
    // source it does not understand.
    virtual void Assign(const TCollectionItem& source);

private:
    friend class TCollection;
    TCollection* collection_ = nullptr;
    int id_ = 0;
};

class TCollection : public TObject {
public:
    // `owner` is the object that publishes the collection (may be nullptr).
    explicit TCollection(TObject* owner = nullptr);
    ~TCollection() override;

    TObject* Owner() const { return owner_; }
    int Count() const { return static_cast<int>(items_.size()); }
    // Throws std::out_of_range for an index outside 0 .. Count() - 1.
    TCollectionItem* Items(int index) const;
    // nullptr when no item has this ID.
    TCollectionItem* FindItemID(int id) const;

    // A new item of the collection's kind, appended.
    TCollectionItem* Add();
    // A new item placed at `index` (clamped to the list).
    TCollectionItem* Insert(int index);
    // Frees the item at `index`; throws std::out_of_range when there is none.
    void Delete(int index);
    // Frees every item, last first. IDs keep counting from where they were.
    void Clear();
    // Replaces the items by copies of `source`'s items (each made with Add and
    // filled with the item's Assign). Assigning a collection to itself does nothing.
    virtual void Assign(const TCollection& source);

    // The ID the next item will get.
    int NextID() const { return nextId_; }

protected:
    // Makes one item of this collection's kind; the item joins through its
    // constructor. Subclasses holding their own item type override this.
    virtual TCollectionItem* CreateItem();
    // Whether `item` may join (SetCollection refuses others with
    // std::invalid_argument); typed collections admit their item type only.
    virtual bool Accepts(const TCollectionItem& item) const;

private:
    friend class TCollectionItem;
    // Takes ownership of `item` (appended) and gives it the next ID.
    void InsertItem(TCollectionItem* item);
    // Gives up ownership of `item` without freeing it.
    void RemoveItem(TCollectionItem* item);
    size_t PositionOf(const TCollectionItem* item) const;

    TObject* owner_;
    std::vector<std::unique_ptr<TCollectionItem>> items_;
    int nextId_ = 0;
};

// A collection whose items are all of type Item (constructed as Item(TCollection*)).
// An item of another type that was constructed straight into it is reported
// by the typed accessors (std::logic_error) instead of being miscast.
template <class Item>
class TTypedCollection : public TCollection {
public:
    using TCollection::TCollection;
    Item* Add() { return Typed(TCollection::Add()); }
    Item* Insert(int index) { return Typed(TCollection::Insert(index)); }
    Item* Items(int index) const { return Typed(TCollection::Items(index)); }
    Item* FindItemID(int id) const { return Typed(TCollection::FindItemID(id)); }

protected:
    TCollectionItem* CreateItem() override { return new Item(this); }
    bool Accepts(const TCollectionItem& item) const override { return dynamic_cast<const Item*>(&item) != nullptr; }

private:
    static Item* Typed(TCollectionItem* item) {
        if (!item) return nullptr;
        auto* typed = dynamic_cast<Item*>(item);
        if (!typed) throw std::logic_error("collection holds an item of the wrong class");
        return typed;
    }
};
