#include "toolkit/core/Collection.h"

#include <algorithm>

#include "toolkit/core/FormText.h"

// ---- TCollectionItem ----

TCollectionItem::TCollectionItem(TCollection* collection) {
    // No Accepts check here: during construction the item is not yet of its
    // final type; the typed accessors catch a wrong kind instead.
    if (collection) collection->InsertItem(this);
}

TCollectionItem::~TCollectionItem() {
    if (collection_) collection_->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection* collection) {
    if (collection == collection_) return;
    if (collection && !collection->Accepts(*this))
        throw std::invalid_argument("item of class " + EncodeUtf8(ClassName()) + " does not fit the collection");
    if (collection_) collection_->RemoveItem(this);
    if (collection) collection->InsertItem(this);
}

int TCollectionItem::Index() const {
    if (!collection_) return -1;
    return static_cast<int>(collection_->PositionOf(this));
}

void TCollectionItem::SetIndex(int index) {
    if (!collection_) return;
    auto& items = collection_->items_;
    const size_t from = collection_->PositionOf(this);
    const size_t to = static_cast<size_t>(std::clamp(index, 0, static_cast<int>(items.size()) - 1));
    if (from == to) return;
    auto moving = std::move(items[from]);
    items.erase(items.begin() + static_cast<std::ptrdiff_t>(from));
    items.insert(items.begin() + static_cast<std::ptrdiff_t>(to), std::move(moving));
}

std::wstring TCollectionItem::GetDisplayName() const { return ClassName(); }

void TCollectionItem::Assign(const TCollectionItem& source) {
    throw EConvertError("Cannot assign a " + EncodeUtf8(source.ClassName()) + " to a " + EncodeUtf8(ClassName()));
}

// ---- TCollection ----

TCollection::TCollection(TObject* owner) : owner_(owner) {}

TCollection::~TCollection() { Clear(); }

TCollectionItem* TCollection::Items(int index) const {
    if (index < 0 || index >= Count()) throw std::out_of_range("collection index out of range");
    return items_[static_cast<size_t>(index)].get();
}

TCollectionItem* TCollection::FindItemID(int id) const {
    for (const auto& item : items_)
        if (item->id_ == id) return item.get();
    return nullptr;
}

TCollectionItem* TCollection::Add() { return CreateItem(); }

TCollectionItem* TCollection::Insert(int index) {
    TCollectionItem* item = Add();
    item->SetIndex(index);
    return item;
}

void TCollection::Delete(int index) {
    if (index < 0 || index >= Count()) throw std::out_of_range("collection index out of range");
    // Detach before freeing so the item's destructor does not look for itself.
    std::unique_ptr<TCollectionItem> item = std::move(items_[static_cast<size_t>(index)]);
    items_.erase(items_.begin() + index);
    item->collection_ = nullptr;
}

void TCollection::Clear() {
    std::vector<std::unique_ptr<TCollectionItem>> doomed = std::move(items_);
    items_.clear();
    for (auto& item : doomed) item->collection_ = nullptr;
    // Last first, as an owner frees what it owns.
    for (auto it = doomed.rbegin(); it != doomed.rend(); ++it) it->reset();
}

void TCollection::Assign(const TCollection& source) {
    if (&source == this) return;
    Clear();
    for (const auto& item : source.items_) Add()->Assign(*item);
}

TCollectionItem* TCollection::CreateItem() { return new TCollectionItem(this); }

bool TCollection::Accepts(const TCollectionItem&) const { return true; }

void TCollection::InsertItem(TCollectionItem* item) {
    items_.emplace_back(item);
    item->collection_ = this;
    item->id_ = nextId_++;
}

void TCollection::RemoveItem(TCollectionItem* item) {
    const size_t position = PositionOf(item);
    if (position < items_.size()) {
        (void)items_[position].release();
        items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(position));
    }
    item->collection_ = nullptr;
}

size_t TCollection::PositionOf(const TCollectionItem* item) const {
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].get() == item) return i;
    return items_.size();
}
