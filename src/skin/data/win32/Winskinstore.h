#pragma once
// TSkinStore: a component that carries several named skins inside a form
// resource. Each item of its `Store` collection holds one skin file (the
// compressed package that TSkinReader unpacks) under a name unique within the
// store.
//
// Published properties as stored in a form resource:
//
//   TSkinStore
//     Store        collection of TSkinCollectionItem:  < item ... end ... >
//   TSkinCollectionItem
//     Name         string, unique in the collection (case-sensitive)
//     DataStream   binary { .. }: the skin file bytes exactly, no length
//                  prefix of their own (the binary value carries the length)
//     SkinData     reads 'Load Skin'; writing it does nothing; never stored
//     DataSize     read-only: byte count of the stored skin; never stored
//
// A form resource that declares a TSkinStore is read only after
// RegisterSkinStoreClasses() ran (creating any TSkinStore also runs it).
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "toolkit/core/Collection.h"
#include "toolkit/core/Component.h"

namespace relayon::skin {

// Raised when an item is renamed to a name another item of its collection
// already has; what() is "The name <value> is already used." (UTF-8).
class ESkinNameUsed : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TSkinCollection;

class TSkinCollectionItem : public TCollectionItem {
public:
    // Joins `ACollection`; the default name is "SkinItem" + the item's ID.
    explicit TSkinCollectionItem(TCollection* ACollection);
    ~TSkinCollectionItem() override;

    const std::wstring& Name() const { return FName; }
    // Throws ESkinNameUsed (keeping the old name) when another item of the
    // same collection already carries exactly `value`; renaming an item to
    // its own name always succeeds.
    void SetName(const std::wstring& value);

    // Design-time handle: always "Load Skin"; assigning it does nothing.
    std::wstring SkinData() const { return L"Load Skin"; }
    void SetSkinData(const std::wstring&) {}
    int DataSize() const { return static_cast<int>(FData.size()); }

    // The stored skin file.
    const std::vector<uint8_t>& DataStream() const { return FData; }
    void SetDataStream(std::vector<uint8_t> bytes) { FData = std::move(bytes); }

    // Appends the whole skin file to `AStream` (also when `AStream` is this
    // item's own buffer, which then holds the bytes twice).
    void CopyData(std::vector<uint8_t>& AStream) const;
    // Replaces the skin with the file's bytes. A file that cannot be read
    // raises std::runtime_error naming it and leaves the skin unchanged.
    void LoadFromFile(const std::filesystem::path& value);

    std::wstring GetDisplayName() const override { return FName; }
    // From another TSkinCollectionItem: its name (without the uniqueness
    // check) and its skin bytes; anything else raises EConvertError.
    void Assign(const TCollectionItem& ASource) override;

private:
    std::wstring FName;
    std::vector<uint8_t> FData;
};

class TSkinCollection : public TTypedCollection<TSkinCollectionItem> {
public:
    explicit TSkinCollection(TObject* AOwner) : TTypedCollection(AOwner) {}
};

class TSkinStore : public TComponent {
public:
    explicit TSkinStore(TComponent* AOwner);
    ~TSkinStore() override;

    TSkinCollection& Store() { return store_; }
    const TSkinCollection& Store() const { return store_; }
    // Replaces the items with copies of `value`'s items.
    void SetStore(const TSkinCollection& value) { store_.Assign(value); }

    // The index of the first item named exactly `name`, -1 when none is.
    int IndexOfName(const std::wstring& name) const;

private:
    TSkinCollection store_{this};
};

// Makes TSkinStore and TSkinCollectionItem known to the class registry, so
// the form reader can create stores and fill their items. Idempotent.
void RegisterSkinStoreClasses();

}  // namespace relayon::skin
