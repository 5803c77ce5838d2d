#pragma once
// Root of every toolkit class. ClassName() is the most-derived C++ class name
// without namespaces (e.g. "TForm1"); window classes and form resources use it.
#include <string>
#include <typeinfo>

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    std::wstring ClassName() const;
    // True when this object's class is `className` or registered as derived
    // from it (class registry; names compare case-insensitively).
    bool InheritsFrom(const std::wstring& className) const;
};

// Demangled, namespace-free name of a type_info (shared with the class registry).
std::wstring ClassNameOf(const std::type_info& type);
