#include "toolkit/core/Strings.h"

#include <stdexcept>

#include "toolkit/core/TextCase.h"

namespace {
bool SameEntry(std::wstring_view a, std::wstring_view b) { return SameText(a, b); }
bool SameEntry(std::string_view a, std::string_view b) { return SameTextAscii(a, b); }
}  // namespace

template <class Char>
TBasicStrings<Char>& TBasicStrings<Char>::operator=(const TBasicStrings& other) {
    if (&other != this) Assign(other);
    return *this;
}

template <class Char>
void TBasicStrings<Char>::CheckIndex(int index) const {
    if (index < 0 || index >= Count()) throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
}

template <class Char>
void TBasicStrings<Char>::Changed(Change change, int index, const String& value) {
    if (Listener) Listener(change, index, value);
    if (OnChange) OnChange(this);
}

template <class Char>
const typename TBasicStrings<Char>::String& TBasicStrings<Char>::Strings(int index) const {
    CheckIndex(index);
    return items_[static_cast<size_t>(index)].text;
}

template <class Char>
void TBasicStrings<Char>::SetStrings(int index, String s) {
    CheckIndex(index);
    String& text = items_[static_cast<size_t>(index)].text;
    text = std::move(s);
    Changed(Change::Put, index, text);
}

// The value slot holds pointers as numbers: a pointer stored through
// SetObjects comes back unchanged, and Data never dereferences anything.
template <class Char>
TObject* TBasicStrings<Char>::Objects(int index) const {
    return reinterpret_cast<TObject*>(Data(index));
}

template <class Char>
void TBasicStrings<Char>::SetObjects(int index, TObject* object) {
    SetData(index, reinterpret_cast<intptr_t>(object));
}

template <class Char>
intptr_t TBasicStrings<Char>::Data(int index) const {
    CheckIndex(index);
    return items_[static_cast<size_t>(index)].data;
}

template <class Char>
void TBasicStrings<Char>::SetData(int index, intptr_t data) {
    CheckIndex(index);
    items_[static_cast<size_t>(index)].data = data;
}

template <class Char>
int TBasicStrings<Char>::AddObject(String s, TObject* object) {
    return AddData(std::move(s), reinterpret_cast<intptr_t>(object));
}

template <class Char>
int TBasicStrings<Char>::AddData(String s, intptr_t data) {
    items_.push_back(Item{std::move(s), data});
    const int index = Count() - 1;
    Changed(Change::Insert, index, items_.back().text);
    return index;
}

template <class Char>
void TBasicStrings<Char>::Insert(int index, String s) {
    if (index < 0 || index > Count()) throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
    auto at = items_.insert(items_.begin() + index, Item{std::move(s), 0});
    Changed(Change::Insert, index, at->text);
}

template <class Char>
void TBasicStrings<Char>::Delete(int index) {
    CheckIndex(index);
    items_.erase(items_.begin() + index);
    Changed(Change::Delete, index, String());
}

template <class Char>
void TBasicStrings<Char>::Clear() {
    if (items_.empty()) return;
    items_.clear();
    Changed(Change::Clear, -1, String());
}

template <class Char>
int TBasicStrings<Char>::IndexOf(StringView s) const {
    for (size_t i = 0; i < items_.size(); ++i)
        if (SameEntry(items_[i].text, s)) return static_cast<int>(i);
    return -1;
}

template <class Char>
int TBasicStrings<Char>::IndexOfObject(const TObject* object) const {
    const intptr_t wanted = reinterpret_cast<intptr_t>(object);
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].data == wanted) return static_cast<int>(i);
    return -1;
}

template <class Char>
void TBasicStrings<Char>::Assign(const TBasicStrings& source) {
    if (&source == this) return;
    // A copy first: `source` may be watched by code that changes this list.
    const std::vector<Item> entries = source.items_;
    Clear();
    for (const Item& item : entries) AddData(item.text, item.data);
}

template <class Char>
typename TBasicStrings<Char>::String TBasicStrings<Char>::Text() const {
    String out;
    for (const Item& item : items_) {
        out += item.text;
        out += Char('\r');
        out += Char('\n');
    }
    return out;
}

template <class Char>
void TBasicStrings<Char>::SetText(StringView text) {
    Clear();
    size_t start = 0;
    while (start < text.size()) {
        size_t end = start;
        while (end < text.size() && text[end] != Char('\r') && text[end] != Char('\n')) ++end;
        Add(String(text.substr(start, end - start)));
        if (end == text.size()) break;
        const bool crlf = text[end] == Char('\r') && end + 1 < text.size() && text[end + 1] == Char('\n');
        start = end + (crlf ? 2 : 1);
    }
}

template <class Char>
std::vector<typename TBasicStrings<Char>::String> TBasicStrings<Char>::ToVector() const {
    std::vector<String> out;
    out.reserve(items_.size());
    for (const Item& item : items_) out.push_back(item.text);
    return out;
}

template class TBasicStrings<wchar_t>;
template class TBasicStrings<char>;
