#include "toolkit/core/Rtti.h"

#include <cwctype>

#include "toolkit/core/Color.h"

int TEnumInfo::ValueOf(const std::wstring& name) const {
    for (auto& [n, v] : Members)
        if (SameText(n, name)) return v;
    return -1;
}

std::wstring TEnumInfo::NameOf(int value) const {
    for (auto& [n, v] : Members)
        if (v == value) return n;
    return std::to_wstring(value);
}

ClassRegistry& ClassRegistry::Instance() {
    // Never destroyed: objects freed during process exit still look classes up.
    static ClassRegistry* registry = new ClassRegistry();
    return *registry;
}

TClassInfo& ClassRegistry::Add(const std::wstring& name, const std::wstring& parentName) {
    auto& slot = classes_[UpperCase(name)];
    if (!slot) slot = std::make_unique<TClassInfo>();
    slot->Name = name;
    slot->ParentName = parentName;
    return *slot;
}

const TClassInfo* ClassRegistry::Find(const std::wstring& name) const {
    auto it = classes_.find(UpperCase(name));
    return it == classes_.end() ? nullptr : it->second.get();
}

bool ClassRegistry::InheritsFrom(const std::wstring& className, const std::wstring& ancestor) const {
    int guard = 0;
    for (const TClassInfo* c = Find(className); c && guard < 64; c = Find(c->ParentName), ++guard)
        if (SameText(c->Name, ancestor)) return true;
    return false;
}

const TPropInfo* ClassRegistry::FindProp(const std::wstring& className, const std::wstring& propName) const {
    int guard = 0;
    for (const TClassInfo* c = Find(className); c && guard < 64; c = Find(c->ParentName), ++guard)
        for (auto& p : c->Props)
            if (SameText(p.Name, propName)) return &p;
    return nullptr;
}

std::vector<const TPropInfo*> ClassRegistry::Props(const std::wstring& className) const {
    std::vector<const TClassInfo*> chain;
    for (const TClassInfo* c = Find(className); c && chain.size() < 64; c = Find(c->ParentName)) chain.push_back(c);
    std::vector<const TPropInfo*> out;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        for (auto& p : (*it)->Props) out.push_back(&p);
    return out;
}

std::function<void(TObject*, TComponent*)> ClassRegistry::FindField(const std::wstring& className,
                                                                    const std::wstring& field) const {
    std::wstring key = UpperCase(field);
    int guard = 0;
    for (const TClassInfo* c = Find(className); c && guard < 64; c = Find(c->ParentName), ++guard) {
        auto it = c->Fields.find(key);
        if (it != c->Fields.end()) return it->second;
    }
    return nullptr;
}

std::function<std::any(TObject*)> ClassRegistry::FindMethod(const std::wstring& className,
                                                            const std::wstring& method) const {
    std::wstring key = UpperCase(method);
    int guard = 0;
    for (const TClassInfo* c = Find(className); c && guard < 64; c = Find(c->ParentName), ++guard) {
        auto it = c->Methods.find(key);
        if (it != c->Methods.end()) return it->second;
    }
    return nullptr;
}

TComponent* ClassRegistry::Create(const std::wstring& className, TComponent* owner) const {
    const TClassInfo* c = Find(className);
    if (!c || !c->Create) throw EPropertyError("Class " + EncodeUtf8(className) + " not found");
    return c->Create(owner);
}

std::wstring ClassRegistry::RegisteredClassOf(const TObject* object) {
    if (!object) return {};
    std::wstring own = object->ClassName();
    if (Find(own)) return own;
    std::string key = TypeKey(typeid(*object));
    if (auto it = resolved_.find(key); it != resolved_.end()) return it->second;
    std::wstring best;
    int bestDepth = -1;
    for (auto& [upper, info] : classes_) {
        if (!info->IsInstance || !info->IsInstance(object)) continue;
        int depth = 0;
        for (const TClassInfo* c = Find(info->ParentName); c && depth < 64; c = Find(c->ParentName)) ++depth;
        if (depth > bestDepth) {
            bestDepth = depth;
            best = info->Name;
        }
    }
    resolved_[key] = best;
    return best;
}

const TEnumInfo* ClassRegistry::EnumByName(const std::wstring& typeName) const {
    for (auto& [type, info] : enums_)
        if (SameText(info.TypeName, typeName)) return &info;
    return nullptr;
}

namespace rtti {

void KindMismatch(const std::wstring& prop, const char* expected) {
    throw EPropertyConvertError("Invalid property value for " + EncodeUtf8(prop) + ": " + expected + " expected");
}

bool ToBool(const std::wstring& prop, const FormValue& v) {
    if (v.kind == FormValue::Kind::Ident) {
        if (SameText(v.text, L"True")) return true;
        if (SameText(v.text, L"False")) return false;
        throw EPropertyConvertError("Invalid property value " + EncodeUtf8(v.text) + " for " + EncodeUtf8(prop) +
                                    " (True or False expected)");
    }
    if (v.kind == FormValue::Kind::Integer) return v.integer != 0;
    KindMismatch(prop, "True or False");
}

int64_t ToInteger(const std::wstring& prop, const FormValue& v) {
    if (v.kind == FormValue::Kind::Integer) return v.integer;
    KindMismatch(prop, "integer");
}

namespace {
const std::pair<const wchar_t*, TColor> kColorNames[] = {
    {L"clNone", clNone}, {L"clDefault", clDefault}, {L"clBlack", clBlack}, {L"clMaroon", clMaroon},
    {L"clGreen", clGreen}, {L"clOlive", clOlive}, {L"clNavy", clNavy}, {L"clPurple", clPurple}, {L"clTeal", clTeal},
    {L"clGray", clGray}, {L"clSilver", clSilver}, {L"clRed", clRed}, {L"clLime", clLime}, {L"clYellow", clYellow},
    {L"clBlue", clBlue}, {L"clFuchsia", clFuchsia}, {L"clAqua", clAqua}, {L"clWhite", clWhite},
    {L"clLtGray", clLtGray}, {L"clDkGray", clDkGray}, {L"clScrollBar", clScrollBar},
    {L"clBackground", clBackground}, {L"clActiveCaption", clActiveCaption},
    {L"clInactiveCaption", clInactiveCaption}, {L"clMenu", clMenu}, {L"clWindow", clWindow},
    {L"clWindowFrame", clWindowFrame}, {L"clMenuText", clMenuText}, {L"clWindowText", clWindowText},
    {L"clCaptionText", clCaptionText}, {L"clActiveBorder", clActiveBorder}, {L"clInactiveBorder", clInactiveBorder},
    {L"clAppWorkSpace", clAppWorkSpace}, {L"clHighlight", clHighlight}, {L"clHighlightText", clHighlightText},
    {L"clBtnFace", clBtnFace}, {L"clBtnShadow", clBtnShadow}, {L"clGrayText", clGrayText},
    {L"clBtnText", clBtnText}, {L"clInactiveCaptionText", clInactiveCaptionText},
    {L"clBtnHighlight", clBtnHighlight}, {L"cl3DDkShadow", cl3DDkShadow}, {L"cl3DLight", cl3DLight},
    {L"clInfoText", clInfoText}, {L"clInfoBk", clInfoBk}, {L"clHotLight", clHotLight},
    {L"clMenuHighlight", clMenuHighlight}, {L"clMenuBar", clMenuBar},
};
}  // namespace

int32_t ToColor(const std::wstring& prop, const FormValue& v) {
    if (v.kind == FormValue::Kind::Integer) {
        if (v.integer < INT32_MIN || v.integer > static_cast<int64_t>(UINT32_MAX))
            throw EPropertyConvertError("Colour out of range for " + EncodeUtf8(prop));
        return static_cast<int32_t>(static_cast<uint32_t>(v.integer));
    }
    if (v.kind == FormValue::Kind::Ident) {
        for (auto& [n, c] : kColorNames)
            if (SameText(n, v.text)) return c;
        throw EPropertyConvertError("Invalid property value " + EncodeUtf8(v.text) + " for " + EncodeUtf8(prop));
    }
    KindMismatch(prop, "colour");
}

double ToFloat(const std::wstring& prop, const FormValue& v) {
    if (v.kind == FormValue::Kind::Float) return v.real;
    if (v.kind == FormValue::Kind::Integer) return static_cast<double>(v.integer);
    KindMismatch(prop, "number");
}

int ToEnum(const std::wstring& prop, const TEnumInfo* info, const FormValue& v) {
    if (!info) throw EPropertyConvertError("Enumeration type of " + EncodeUtf8(prop) + " is not registered");
    if (v.kind != FormValue::Kind::Ident) KindMismatch(prop, "enumeration member");
    int value = info->ValueOf(v.text);
    if (value < 0)
        throw EPropertyConvertError("Invalid property value " + EncodeUtf8(v.text) + " for " + EncodeUtf8(prop) +
                                    " (not a member of " + EncodeUtf8(info->TypeName) + ")");
    return value;
}

uint32_t ToSetBits(const std::wstring& prop, const TEnumInfo* info, const FormValue& v) {
    if (!info) throw EPropertyConvertError("Member type of set " + EncodeUtf8(prop) + " is not registered");
    if (v.kind == FormValue::Kind::Integer) return static_cast<uint32_t>(v.integer);
    if (v.kind != FormValue::Kind::Set) KindMismatch(prop, "set");
    uint32_t bits = 0;
    for (auto& m : v.members) {
        int value = info->ValueOf(m);
        if (value < 0 || value >= 32)
            throw EPropertyConvertError("Invalid set member " + EncodeUtf8(m) + " for " + EncodeUtf8(prop));
        bits |= 1u << value;
    }
    return bits;
}

FormValue FromSetBits(const TEnumInfo* info, uint32_t bits) {
    std::vector<std::wstring> members;
    for (int i = 0; i < 32; ++i)
        if (bits & (1u << i)) members.push_back(EnumName(info, i));
    return FormValue::Set(std::move(members));
}

std::wstring EnumName(const TEnumInfo* info, int value) {
    return info ? info->NameOf(value) : std::to_wstring(value);
}

std::any FindPublishedMethod(TComponent* root, const std::wstring& name, const std::wstring& prop) {
    if (!root) throw EPropertyError("No form to find method " + EncodeUtf8(name) + " in");
    auto factory = ClassRegistry::Instance().FindMethod(root->ClassName(), name);
    if (!factory) throw EPropertyError("Method " + EncodeUtf8(name) + " for " + EncodeUtf8(prop) + " not found");
    return factory(root);
}

}  // namespace rtti

// ---- access by name ----

const TPropInfo* FindPropInfo(TObject* object, const std::wstring& path, TObject** owner) {
    if (!object) return nullptr;
    TObject* current = object;
    size_t start = 0;
    for (;;) {
        size_t dot = path.find(L'.', start);
        std::wstring part = path.substr(start, dot == std::wstring::npos ? std::wstring::npos : dot - start);
        const TPropInfo* info =
            ClassRegistry::Instance().FindProp(ClassRegistry::Instance().RegisteredClassOf(current), part);
        if (!info) return nullptr;
        if (dot == std::wstring::npos) {
            if (owner) *owner = current;
            return info;
        }
        if (info->Kind != TPropKind::Object || !info->Object) return nullptr;
        current = info->Object(current);
        if (!current) return nullptr;
        start = dot + 1;
    }
}

bool IsPublishedProp(TObject* object, const std::wstring& path) { return FindPropInfo(object, path) != nullptr; }

FormValue GetPropValue(TObject* object, const std::wstring& path) {
    TObject* owner = nullptr;
    const TPropInfo* info = FindPropInfo(object, path, &owner);
    if (!info || !info->Get) return FormValue{};
    return info->Get(owner);
}

void SetPropValue(TObject* object, const std::wstring& path, const FormValue& value, TPropContext* context) {
    TObject* owner = nullptr;
    const TPropInfo* info = FindPropInfo(object, path, &owner);
    if (!info || !info->Set) throw EPropertyError("Property " + EncodeUtf8(path) + " does not exist");
    TPropContext local;
    info->Set(owner, value, context ? *context : local);
}

int64_t GetOrdProp(TObject* object, const std::wstring& path) {
    TObject* owner = nullptr;
    const TPropInfo* info = FindPropInfo(object, path, &owner);
    if (!info || !info->Get) return -1;
    FormValue v = info->Get(owner);
    switch (info->Kind) {
    case TPropKind::Integer:
    case TPropKind::Color: return v.integer;
    case TPropKind::Boolean: return SameText(v.text, L"True") ? 1 : 0;
    case TPropKind::Enumeration: {
        const TEnumInfo* e = info->Enum ? info->Enum() : nullptr;
        return e ? e->ValueOf(v.text) : -1;
    }
    case TPropKind::Set: {
        const TEnumInfo* e = info->Enum ? info->Enum() : nullptr;
        return e ? rtti::ToSetBits(path, e, v) : -1;
    }
    default: return -1;
    }
}

void SetOrdProp(TObject* object, const std::wstring& path, int64_t value) {
    TObject* owner = nullptr;
    const TPropInfo* info = FindPropInfo(object, path, &owner);
    if (!info || !info->Set) throw EPropertyError("Property " + EncodeUtf8(path) + " does not exist");
    TPropContext ctx;
    switch (info->Kind) {
    case TPropKind::Boolean: info->Set(owner, FormValue::Boolean(value != 0), ctx); return;
    case TPropKind::Enumeration: {
        const TEnumInfo* e = info->Enum ? info->Enum() : nullptr;
        std::wstring name = e ? e->NameOf(static_cast<int>(value)) : L"";
        info->Set(owner, FormValue::Ident(name), ctx);
        return;
    }
    case TPropKind::Set: info->Set(owner, FormValue::Integer(value), ctx); return;
    default: info->Set(owner, FormValue::Integer(value), ctx); return;
    }
}

std::wstring GetStrProp(TObject* object, const std::wstring& path) {
    FormValue v = GetPropValue(object, path);
    return v.kind == FormValue::Kind::String ? v.text : std::wstring();
}

void SetStrProp(TObject* object, const std::wstring& path, const std::wstring& value) {
    SetPropValue(object, path, FormValue::String(value));
}

std::wstring GetEnumProp(TObject* object, const std::wstring& path) {
    FormValue v = GetPropValue(object, path);
    return v.kind == FormValue::Kind::Ident ? v.text : std::wstring();
}

void SetEnumProp(TObject* object, const std::wstring& path, const std::wstring& member) {
    SetPropValue(object, path, FormValue::Ident(member));
}

std::wstring GetSetProp(TObject* object, const std::wstring& path) {
    FormValue v = GetPropValue(object, path);
    if (v.kind != FormValue::Kind::Set) return {};
    std::wstring out = L"[";
    for (size_t i = 0; i < v.members.size(); ++i) {
        if (i) out += L",";
        out += v.members[i];
    }
    return out + L"]";
}

namespace {
std::wstring Trim(const std::wstring& s) {
    size_t a = s.find_first_not_of(L" \t"), b = s.find_last_not_of(L" \t");
    return a == std::wstring::npos ? std::wstring() : s.substr(a, b - a + 1);
}
}  // namespace

void SetSetProp(TObject* object, const std::wstring& path, const std::wstring& text) {
    std::wstring body = Trim(text);
    if (!body.empty() && body.front() == L'[') body.erase(0, 1);
    if (!body.empty() && body.back() == L']') body.pop_back();
    std::vector<std::wstring> members;
    size_t start = 0;
    while (start <= body.size()) {
        size_t comma = body.find(L',', start);
        std::wstring m = Trim(body.substr(start, comma == std::wstring::npos ? std::wstring::npos : comma - start));
        if (!m.empty()) members.push_back(m);
        if (comma == std::wstring::npos) break;
        start = comma + 1;
    }
    SetPropValue(object, path, FormValue::Set(std::move(members)));
}

TObject* GetObjectProp(TObject* object, const std::wstring& path) {
    TObject* owner = nullptr;
    const TPropInfo* info = FindPropInfo(object, path, &owner);
    if (!info || info->Kind != TPropKind::Object || !info->Object) return nullptr;
    return info->Object(owner);
}

std::wstring GetPropText(TObject* object, const std::wstring& path) {
    TObject* owner = nullptr;
    const TPropInfo* info = FindPropInfo(object, path, &owner);
    if (!info || !info->Get) return {};
    FormValue v = info->Get(owner);
    switch (v.kind) {
    case FormValue::Kind::Integer: return std::to_wstring(v.integer);
    case FormValue::Kind::Float: return std::to_wstring(v.real);
    case FormValue::Kind::String:
    case FormValue::Kind::Ident: return v.text;
    case FormValue::Kind::Set: return GetSetProp(object, path);
    default: return {};
    }
}

void SetPropText(TObject* object, const std::wstring& path, const std::wstring& text) {
    TObject* owner = nullptr;
    const TPropInfo* info = FindPropInfo(object, path, &owner);
    if (!info || !info->Set) throw EPropertyError("Property " + EncodeUtf8(path) + " does not exist");
    TPropContext ctx;
    switch (info->Kind) {
    case TPropKind::Integer:
    case TPropKind::Color: {
        std::wstring t = Trim(text);
        if (info->Kind == TPropKind::Color && !t.empty() && (std::iswalpha(t[0]))) {
            info->Set(owner, FormValue::Ident(t), ctx);
            return;
        }
        try {
            size_t used = 0;
            long long n = t.size() > 1 && t[0] == L'$' ? std::stoll(t.substr(1), &used, 16) : std::stoll(t, &used, 10);
            if (used + (t[0] == L'$' ? 1 : 0) != t.size()) throw std::invalid_argument("trailing");
            info->Set(owner, FormValue::Integer(n), ctx);
        } catch (const std::logic_error&) {
            throw EPropertyConvertError("Invalid integer value " + EncodeUtf8(text) + " for " + EncodeUtf8(path));
        }
        return;
    }
    case TPropKind::Float: {
        double v = 0;
        try {
            size_t used = 0;
            v = std::stod(text, &used);
            if (used != text.size()) throw std::invalid_argument("trailing");
        } catch (const std::logic_error&) {
            throw EPropertyConvertError("Invalid number " + EncodeUtf8(text) + " for " + EncodeUtf8(path));
        }
        info->Set(owner, FormValue::Float(v), ctx);
        return;
    }
    case TPropKind::String: info->Set(owner, FormValue::String(text), ctx); return;
    case TPropKind::Boolean:
    case TPropKind::Enumeration: info->Set(owner, FormValue::Ident(Trim(text)), ctx); return;
    case TPropKind::Set: SetSetProp(object, path, text); return;
    default: throw EPropertyConvertError("Property " + EncodeUtf8(path) + " cannot be set from text");
    }
}
