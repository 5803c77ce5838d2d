#include "skin/data/win32/Winskinstore.h"

#include <fstream>
#include <iterator>

#include "toolkit/core/Rtti.h"

namespace relayon::skin {

// ---- TSkinCollectionItem ----

TSkinCollectionItem::TSkinCollectionItem(TCollection* ACollection)
    : TCollectionItem(ACollection), FName(L"SkinItem" + std::to_wstring(ID())) {}

TSkinCollectionItem::~TSkinCollectionItem() = default;

void TSkinCollectionItem::SetName(const std::wstring& value) {
    if (value == FName) return;
    if (TCollection* own = Collection()) {
        for (int i = 0; i < own->Count(); ++i) {
            auto* other = dynamic_cast<TSkinCollectionItem*>(own->Items(i));
            if (other && other != this && other->FName == value)
                throw ESkinNameUsed("The name " + EncodeUtf8(value) + " is already used.");
        }
    }
    FName = value;
}

void TSkinCollectionItem::CopyData(std::vector<uint8_t>& AStream) const {
    if (&AStream == &FData) {
        // Inserting a vector's own range into itself is undefined; copy first.
        const std::vector<uint8_t> copy = FData;
        AStream.insert(AStream.end(), copy.begin(), copy.end());
        return;
    }
    AStream.insert(AStream.end(), FData.begin(), FData.end());
}

void TSkinCollectionItem::LoadFromFile(const std::filesystem::path& value) {
    std::ifstream file(value, std::ios::binary);
    if (!file) throw std::runtime_error("Cannot open file \"" + EncodeUtf8(value.wstring()) + "\"");
    std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (file.bad()) throw std::runtime_error("Cannot read file \"" + EncodeUtf8(value.wstring()) + "\"");
    FData = std::move(bytes);
}

void TSkinCollectionItem::Assign(const TCollectionItem& ASource) {
    if (auto* source = dynamic_cast<const TSkinCollectionItem*>(&ASource)) {
        if (source == this) return;
        FName = source->FName;
        FData = source->FData;
        return;
    }
    TCollectionItem::Assign(ASource);
}

// ---- TSkinStore ----

TSkinStore::TSkinStore(TComponent* AOwner) : TComponent(AOwner) { RegisterSkinStoreClasses(); }

TSkinStore::~TSkinStore() = default;

int TSkinStore::IndexOfName(const std::wstring& name) const {
    for (int i = 0; i < store_.Count(); ++i)
        if (store_.Items(i)->Name() == name) return i;
    return -1;
}

// ---- published properties ----

namespace {

// Store = < item Name = '...' DataStream = { ... } end ... >
void ReadStore(TSkinStore* store, const FormValue& value, TPropContext& ctx) {
    if (value.kind != FormValue::Kind::Collection) rtti::KindMismatch(L"Store", "collection");
    TSkinCollection& items = store->Store();
    items.Clear();
    for (const auto& entry : value.entries) {
        TSkinCollectionItem* item = items.Add();
        for (const FormProperty& p : entry) SetPropValue(item, p.name, p.value, &ctx);
    }
}

FormValue WriteStore(TSkinStore* store) {
    FormValue out;
    out.kind = FormValue::Kind::Collection;
    const TSkinCollection& items = store->Store();
    for (int i = 0; i < items.Count(); ++i) {
        const TSkinCollectionItem* item = items.Items(i);
        // Only what is stored: SkinData and DataSize are display values.
        out.entries.push_back({FormProperty{L"Name", FormValue::String(item->Name()), 0},
                               FormProperty{L"DataStream", FormValue::Binary(item->DataStream()), 0}});
    }
    return out;
}

void RefuseDataSize(TSkinCollectionItem*, const FormValue&, TPropContext&) {
    throw EPropertyError("Property DataSize is read-only");
}

void IgnoreSkinData(TSkinCollectionItem*, const FormValue&, TPropContext&) {}

}  // namespace

void RegisterSkinStoreClasses() {
    static const bool registered = [] {
        // TSkinStore publishes TComponent's properties as well.
        RegisterCoreClasses();
        ClassRegistry& registry = ClassRegistry::Instance();
        if (!registry.Find(L"TSkinCollectionItem")) {
            RegisterClass<TSkinCollectionItem>(L"TSkinCollectionItem", L"")
                .Prop(L"Name", &TSkinCollectionItem::Name, &TSkinCollectionItem::SetName)
                .Prop(L"DataStream", &TSkinCollectionItem::DataStream, &TSkinCollectionItem::SetDataStream)
                .Custom(L"SkinData", TPropKind::String, IgnoreSkinData,
                        [](TSkinCollectionItem* item) { return FormValue::String(item->SkinData()); })
                .Custom(L"DataSize", TPropKind::Integer, RefuseDataSize,
                        [](TSkinCollectionItem* item) { return FormValue::Integer(item->DataSize()); });
        }
        if (!registry.Find(L"TSkinStore"))
            RegisterClass<TSkinStore>(L"TSkinStore", L"TComponent")
                .Custom(L"Store", TPropKind::Collection, ReadStore, WriteStore);
        return true;
    }();
    (void)registered;
}

}  // namespace relayon::skin
