#pragma once
// A small ordered list of 8-bit strings, each with an associated integer
// (the role TStrings' objects play): enough for the INI store and its callers.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace relayon::skin {

class StringList {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    bool Empty() const { return items_.empty(); }

    const std::string& operator[](int index) const { return items_.at(static_cast<size_t>(index)).text; }
    const std::string& Strings(int index) const { return (*this)[index]; }
    intptr_t Objects(int index) const { return items_.at(static_cast<size_t>(index)).object; }

    int Add(std::string text) { return AddObject(std::move(text), 0); }
    int AddObject(std::string text, intptr_t object);
    void Insert(int index, std::string text);
    void Put(int index, std::string text);  // replaces the text, keeps the object
    void Delete(int index);
    void Clear() { items_.clear(); }

    // First entry equal to `text` ignoring ASCII case, or -1.
    int IndexOf(std::string_view text) const;

    // All entries, each followed by CR LF.
    std::string Text() const;

    std::vector<std::string> ToVector() const;

    bool operator==(const StringList&) const = default;

private:
    struct Item {
        std::string text;
        intptr_t object = 0;
        bool operator==(const Item&) const = default;
    };
    std::vector<Item> items_;
};

// ASCII-only case folding and comparison (bytes >= 0x80 are left as they are).
std::string AsciiLower(std::string_view text);
bool SameTextAscii(std::string_view a, std::string_view b);

}  // namespace relayon::skin
