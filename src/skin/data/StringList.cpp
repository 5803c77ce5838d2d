#include "skin/data/StringList.h"

#include <stdexcept>

namespace relayon::skin {

int StringList::AddObject(std::string text, intptr_t object) {
    items_.push_back({std::move(text), object});
    return Count() - 1;
}

void StringList::Insert(int index, std::string text) {
    if (index < 0 || index > Count()) throw std::out_of_range("StringList::Insert: index out of range");
    items_.insert(items_.begin() + index, Item{std::move(text), 0});
}

void StringList::Put(int index, std::string text) {
    items_.at(static_cast<size_t>(index)).text = std::move(text);
}

void StringList::Delete(int index) {
    if (index < 0 || index >= Count()) throw std::out_of_range("StringList::Delete: index out of range");
    items_.erase(items_.begin() + index);
}

int StringList::IndexOf(std::string_view text) const {
    for (int i = 0; i < Count(); ++i)
        if (SameTextAscii(items_[static_cast<size_t>(i)].text, text)) return i;
    return -1;
}

std::string StringList::Text() const {
    std::string out;
    for (const Item& item : items_) {
        out += item.text;
        out += "\r\n";
    }
    return out;
}

std::vector<std::string> StringList::ToVector() const {
    std::vector<std::string> out;
    out.reserve(items_.size());
    for (const Item& item : items_) out.push_back(item.text);
    return out;
}

std::string AsciiLower(std::string_view text) {
    std::string out(text);
    for (char& ch : out)
        if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
    return out;
}

bool SameTextAscii(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

}  // namespace relayon::skin
