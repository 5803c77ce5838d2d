#include "toolkit/core/Strings.h"

#include <stdexcept>

#include "toolkit/core/Component.h"

void TStrings::CheckIndex(int index) const {
    if (index < 0 || index >= Count()) throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
}

void TStrings::Changed(Change change, int index, const std::wstring& value) {
    if (Listener) Listener(change, index, value);
    if (OnChange) OnChange(this);
}

const std::wstring& TStrings::Strings(int index) const {
    CheckIndex(index);
    return items_[static_cast<size_t>(index)].text;
}

void TStrings::SetStrings(int index, const std::wstring& s) {
    CheckIndex(index);
    items_[static_cast<size_t>(index)].text = s;
    Changed(Change::Put, index, s);
}

TObject* TStrings::Objects(int index) const {
    CheckIndex(index);
    return items_[static_cast<size_t>(index)].object;
}

void TStrings::SetObjects(int index, TObject* object) {
    CheckIndex(index);
    items_[static_cast<size_t>(index)].object = object;
}

int TStrings::AddObject(const std::wstring& s, TObject* object) {
    items_.push_back(Item{s, object});
    int index = Count() - 1;
    Changed(Change::Insert, index, s);
    return index;
}

void TStrings::Insert(int index, const std::wstring& s) {
    if (index < 0 || index > Count()) throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
    items_.insert(items_.begin() + index, Item{s, nullptr});
    Changed(Change::Insert, index, s);
}

void TStrings::Delete(int index) {
    CheckIndex(index);
    items_.erase(items_.begin() + index);
    Changed(Change::Delete, index, L"");
}

void TStrings::Clear() {
    if (items_.empty()) return;
    items_.clear();
    Changed(Change::Clear, -1, L"");
}

int TStrings::IndexOf(const std::wstring& s) const {
    for (int i = 0; i < Count(); ++i)
        if (SameText(items_[static_cast<size_t>(i)].text, s)) return i;
    return -1;
}

int TStrings::IndexOfObject(const TObject* object) const {
    for (int i = 0; i < Count(); ++i)
        if (items_[static_cast<size_t>(i)].object == object) return i;
    return -1;
}

void TStrings::Assign(const TStrings& source) {
    if (&source == this) return;
    Clear();
    for (int i = 0; i < source.Count(); ++i) AddObject(source.Strings(i), source.Objects(i));
}

std::wstring TStrings::Text() const {
    std::wstring out;
    for (auto& item : items_) out += item.text + L"\r\n";
    return out;
}

void TStrings::SetText(const std::wstring& text) {
    Clear();
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of(L"\r\n", start);
        if (end == std::wstring::npos) {
            Add(text.substr(start));
            break;
        }
        Add(text.substr(start, end - start));
        start = end + ((text[end] == L'\r' && end + 1 < text.size() && text[end + 1] == L'\n') ? 2 : 1);
    }
}
