#pragma once
// Lists of strings with one associated value per entry: the toolkit's
// TStrings (UTF-16, what controls show; a combo box mirrors its items through
// Listener) and TAnsiStringList (8-bit text kept byte for byte, what the skin
// engine's INI store holds). Both are the one implementation below.
//
// The associated value is an object pointer (Objects) or, seen as a number,
// Data; the INI store keeps each section header's line number there.
// Lookups (IndexOf) ignore case: SameText for UTF-16, ASCII letters only for
// 8-bit text (see TextCase.h). An index outside 0 .. Count() - 1 throws
// std::out_of_range ("List index out of bounds (n)").
//
// Copying a list copies its entries, not its OnChange or Listener: those
// belong to whoever watches the original.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/core/Events.h"
#include "toolkit/core/Object.h"

template <class Char>
class TBasicStrings : public TObject {
public:
    using String = std::basic_string<Char>;
    using StringView = std::basic_string_view<Char>;
    enum class Change { Insert, Delete, Put, Clear };

    TBasicStrings() = default;
    TBasicStrings(const TBasicStrings& other) : TObject(), items_(other.items_) {}
    TBasicStrings(TBasicStrings&& other) noexcept : TObject(), items_(std::move(other.items_)) {}
    // Assigning goes through Assign, so that watchers hear about it.
    TBasicStrings& operator=(const TBasicStrings& other);

    int Count() const { return static_cast<int>(items_.size()); }
    bool Empty() const { return items_.empty(); }
    const String& Strings(int index) const;
    const String& operator[](int index) const { return Strings(index); }
    // Replaces the text and keeps the associated value.
    void SetStrings(int index, String s);
    TObject* Objects(int index) const;
    void SetObjects(int index, TObject* object);
    intptr_t Data(int index) const;
    void SetData(int index, intptr_t data);

    int Add(String s) { return AddData(std::move(s), 0); }
    int AddObject(String s, TObject* object);
    int AddData(String s, intptr_t data);
    void Insert(int index, String s);
    void Delete(int index);
    void Clear();
    // First entry equal to `s` ignoring case; -1 when absent.
    int IndexOf(StringView s) const;
    int IndexOfObject(const TObject* object) const;
    // Replaces the entries by `source`'s (texts and values); watchers are told.
    void Assign(const TBasicStrings& source);
    // Every entry followed by CR LF; setting splits at CR, LF or CR LF.
    String Text() const;
    void SetText(StringView text);
    std::vector<String> ToVector() const;

    // Same texts and values in the same order.
    friend bool operator==(const TBasicStrings& a, const TBasicStrings& b) { return a.items_ == b.items_; }

    TNotifyEvent OnChange;
    // Told about every change (used by controls that mirror the list).
    std::function<void(Change, int index, const String& value)> Listener;

private:
    struct Item {
        String text;
        intptr_t data = 0;
        bool operator==(const Item&) const = default;
    };
    void CheckIndex(int index) const;
    void Changed(Change change, int index, const String& value);

    std::vector<Item> items_;
};

extern template class TBasicStrings<wchar_t>;
extern template class TBasicStrings<char>;

class TStrings : public TBasicStrings<wchar_t> {
public:
    using TBasicStrings::TBasicStrings;
    using TBasicStrings::operator=;
};
using TStringList = TStrings;

class TAnsiStringList : public TBasicStrings<char> {
public:
    using TBasicStrings::TBasicStrings;
    using TBasicStrings::operator=;
};
