#include "toolkit/core/Object.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>

#include "toolkit/core/Rtti.h"


std::wstring ClassNameOf(const std::type_info& type) {
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(abi::__cxa_demangle(type.name(), nullptr, nullptr, &status),
                                                     std::free);
    std::string name = (status == 0 && demangled) ? demangled.get() : type.name();
    // Keep the last component of a qualified name; template arguments are not expected.
    if (auto colon = name.rfind("::"); colon != std::string::npos) name = name.substr(colon + 2);
    return std::wstring(name.begin(), name.end());
}

std::wstring TObject::ClassName() const { return ClassNameOf(typeid(*this)); }

bool TObject::InheritsFrom(const std::wstring& className) const {
    std::wstring own = ClassName();
    if (SameText(own, className)) return true;
    ClassRegistry& registry = ClassRegistry::Instance();
    return registry.InheritsFrom(registry.RegisteredClassOf(this), className);
}
