// Published properties by name, for skinners that read a control's settings
// without knowing its class. Every reader answers an empty value (or -1)
// for a property the component lacks, and never raises.
#include "skin/paint/win32/Winsubclass.h"
#include "toolkit/core/Rtti.h"
#include "toolkit/core/TextCase.h"

namespace relayon::skin {

std::wstring GetProperty(TObject* obj, const std::wstring& name) {
    if (!obj) return {};
    try {
        return GetPropText(obj, name);
    } catch (...) {
        return {};
    }
}

int64_t GetIntProperty(TObject* obj, const std::wstring& name) {
    if (!obj) return -1;
    try {
        const TPropInfo* info = FindPropInfo(obj, name);
        if (!info || (info->Kind != TPropKind::Integer && info->Kind != TPropKind::Color)) return -1;
        return GetOrdProp(obj, name);
    } catch (...) {
        return -1;
    }
}

std::wstring GetEnumProperty(TObject* obj, const std::wstring& name) {
    if (!obj) return {};
    try {
        const TPropInfo* info = FindPropInfo(obj, name);
        if (!info || (info->Kind != TPropKind::Enumeration && info->Kind != TPropKind::Boolean)) return {};
        return GetEnumProp(obj, name);
    } catch (...) {
        return {};
    }
}

std::wstring GetStringProp(TObject* obj, const std::wstring& name) {
    if (!obj) return {};
    try {
        const TPropInfo* info = FindPropInfo(obj, name);
        if (!info || info->Kind != TPropKind::String) return {};
        return GetStrProp(obj, name);
    } catch (...) {
        return {};
    }
}

TObject* GetObjProp(TObject* obj, const std::wstring& name) {
    if (!obj) return nullptr;
    try {
        return GetObjectProp(obj, name);
    } catch (...) {
        return nullptr;
    }
}

bool GetObjMethod(TObject* obj, const std::wstring& name) {
    if (!obj) return false;
    try {
        const TPropInfo* info = FindPropInfo(obj, name);
        if (!info || info->Kind != TPropKind::Method || !info->Get) return false;
        FormValue v = info->Get(obj);
        if (v.kind == FormValue::Kind::Ident) return SameText(v.text, L"True");
        return v.kind == FormValue::Kind::Integer && v.integer != 0;
    } catch (...) {
        return false;
    }
}

bool SetProperty(TObject* obj, const std::wstring& name, const std::wstring& value) {
    if (!obj) return false;
    try {
        if (!FindPropInfo(obj, name)) return false;
        SetPropText(obj, name, value);
        return true;
    } catch (...) {
        return false;
    }
}

}  // namespace relayon::skin
