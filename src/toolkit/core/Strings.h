#pragma once
// A list of strings with an associated object pointer each. Controls that
// show a list (combo box items, ...) watch it through Listener and keep
// their window in step.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "toolkit/core/Events.h"
#include "toolkit/core/Object.h"

class TStrings : public TObject {
public:
    enum class Change { Insert, Delete, Put, Clear };

    int Count() const { return static_cast<int>(items_.size()); }
    const std::wstring& Strings(int index) const;
    void SetStrings(int index, const std::wstring& s);
    const std::wstring& operator[](int index) const { return Strings(index); }
    TObject* Objects(int index) const;
    void SetObjects(int index, TObject* object);

    int Add(const std::wstring& s) { return AddObject(s, nullptr); }
    int AddObject(const std::wstring& s, TObject* object);
    void Insert(int index, const std::wstring& s);
    void Delete(int index);
    void Clear();
    // Case-insensitive; -1 when absent.
    int IndexOf(const std::wstring& s) const;
    int IndexOfObject(const TObject* object) const;
    void Assign(const TStrings& source);
    // Lines joined with CR LF; setting splits at CR, LF or CR LF.
    std::wstring Text() const;
    void SetText(const std::wstring& text);

    TNotifyEvent OnChange;
    // Told about every change (used by controls that mirror the list).
    std::function<void(Change, int index, const std::wstring& value)> Listener;

private:
    void CheckIndex(int index) const;
    void Changed(Change change, int index, const std::wstring& value);
    struct Item {
        std::wstring text;
        TObject* object;
    };
    std::vector<Item> items_;
};

using TStringList = TStrings;
