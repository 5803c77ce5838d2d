#pragma once
// Published properties: a registry per class (name -> kind, getter, setter)
// so that code can read and write a property of any registered component by
// name, and the form reader can apply resource values. Property names
// compare case-insensitively; a missing property reads as empty / -1.
//
//   kind         value as FormValue                 typed C++ member
//   Integer      Integer                            int, unsigned, int64 ...
//   Color        Integer or identifier (clBtnFace)  TColor (reads as integer)
//   Float        Float or Integer                   double
//   String       String                             std::wstring
//   Boolean      Ident True / False                 bool (an enumeration)
//   Enumeration  Ident member name                  enum registered with RegisterEnum
//   Set          Set of member names                TSet<E>
//   Binary       Binary bytes                       std::vector<uint8_t>
//   Object       (sub-properties, "Font.Height")    T& accessor
//   Method       Ident: a published method name     TMethod<...> field
//   Component    Ident: a component of the form     P* getter/setter
//   Strings      List of strings                    TStrings& accessor
//   Collection   Collection of items                custom reader
#include <any>
#include <functional>
#include <limits>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <typeinfo>
#include <vector>

#include "toolkit/core/Component.h"
#include "toolkit/core/Events.h"
#include "toolkit/core/Set.h"
#include "toolkit/core/FormText.h"

enum class TPropKind { Integer, Color, Float, String, Boolean, Enumeration, Set, Binary, Object, Method, Component,
                       Strings, Collection };

// Raised when a value does not fit a property (unknown enumeration member,
// wrong kind, unknown handler name ...).
class EPropertyConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
class EPropertyError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct TEnumInfo {
    std::wstring TypeName;
    std::vector<std::pair<std::wstring, int>> Members;
    // -1 when the name is not a member (case-insensitive).
    int ValueOf(const std::wstring& name) const;
    std::wstring NameOf(int value) const;
};

// What a property setter needs besides the value: the form being read (to
// resolve handler and component names) and a place for deferred work.
struct TPropContext {
    TComponent* Root = nullptr;
    std::vector<std::function<void()>>* Fixups = nullptr;
};

struct TPropInfo {
    std::wstring Name;
    TPropKind Kind = TPropKind::Integer;
    std::function<const TEnumInfo*()> Enum;  // enumeration / set member type
    std::function<FormValue(TObject*)> Get;
    std::function<void(TObject*, const FormValue&, TPropContext&)> Set;
    std::function<TObject*(TObject*)> Object;  // Object kind
};

struct TClassInfo {
    std::wstring Name;
    std::wstring ParentName;
    std::function<TComponent*(TComponent* owner)> Create;
    std::function<bool(const TObject*)> IsInstance;
    std::vector<TPropInfo> Props;
    std::map<std::wstring, std::function<void(TObject* root, TComponent* value)>> Fields;  // upper-case keys
    std::map<std::wstring, std::function<std::any(TObject* root)>> Methods;            // upper-case keys
    std::map<std::wstring, std::wstring> FieldNames, MethodNames;                      // original spelling
};

class ClassRegistry {
public:
    static ClassRegistry& Instance();

    TClassInfo& Add(const std::wstring& name, const std::wstring& parentName);
    const TClassInfo* Find(const std::wstring& name) const;
    bool InheritsFrom(const std::wstring& className, const std::wstring& ancestor) const;
    const TPropInfo* FindProp(const std::wstring& className, const std::wstring& propName) const;
    // Properties of the class and its ancestors (ancestors first).
    std::vector<const TPropInfo*> Props(const std::wstring& className) const;
    std::function<void(TObject*, TComponent*)> FindField(const std::wstring& className, const std::wstring& field) const;
    std::function<std::any(TObject*)> FindMethod(const std::wstring& className, const std::wstring& method) const;
    TComponent* Create(const std::wstring& className, TComponent* owner) const;
    // The registered class that describes `object`: its own class, or for an
    // unregistered subclass the most derived registered class it belongs to.
    std::wstring RegisteredClassOf(const TObject* object);

    template <class E>
    void AddEnum(const std::wstring& typeName, std::vector<std::pair<std::wstring, int>> members) {
        enums_[TypeKey(typeid(E))] = TEnumInfo{typeName, std::move(members)};
    }
    template <class E>
    const TEnumInfo* Enum() const {
        auto it = enums_.find(TypeKey(typeid(E)));
        return it == enums_.end() ? nullptr : &it->second;
    }
    const TEnumInfo* EnumByName(const std::wstring& typeName) const;

private:
    ClassRegistry() = default;
    // Mangled name without the local-type marker: type_index ordering mixes
    // address and text comparison for local types and cannot key a map.
    static std::string TypeKey(const std::type_info& type) {
        const char* name = type.name();
        return std::string(name[0] == '*' ? name + 1 : name);
    }
    std::map<std::wstring, std::unique_ptr<TClassInfo>> classes_;  // upper-case keys
    std::map<std::string, TEnumInfo> enums_;
    std::map<std::string, std::wstring> resolved_;  // type key -> registered class name
};

// Registers the portable classes (TComponent, TStrings) with their published
// properties. Nothing registers by itself: the application's start-up (the
// Win32 library's RegisterToolkitClasses) or a test calls this; later calls
// do nothing.
void RegisterCoreClasses();

template <class E>
void RegisterEnum(const std::wstring& typeName, std::vector<std::pair<std::wstring, E>> members) {
    std::vector<std::pair<std::wstring, int>> m;
    for (auto& [n, v] : members) m.emplace_back(n, static_cast<int>(v));
    ClassRegistry::Instance().AddEnum<E>(typeName, std::move(m));
}

// ---- value conversion helpers used by the builders ----
namespace rtti {

template <class T>
struct IsSet : std::false_type {};
template <class E>
struct IsSet<TSet<E>> : std::true_type {
    using Member = E;
};

[[noreturn]] void KindMismatch(const std::wstring& prop, const char* expected);
bool ToBool(const std::wstring& prop, const FormValue& v);
int64_t ToInteger(const std::wstring& prop, const FormValue& v);
int32_t ToColor(const std::wstring& prop, const FormValue& v);
double ToFloat(const std::wstring& prop, const FormValue& v);
int ToEnum(const std::wstring& prop, const TEnumInfo* info, const FormValue& v);
uint32_t ToSetBits(const std::wstring& prop, const TEnumInfo* info, const FormValue& v);
FormValue FromSetBits(const TEnumInfo* info, uint32_t bits);
std::wstring EnumName(const TEnumInfo* info, int value);

template <class V>
FormValue ToValue(const V& v, const TEnumInfo* info) {
    if constexpr (std::is_same_v<V, bool>)
        return FormValue::Boolean(v);
    else if constexpr (std::is_same_v<V, std::wstring>)
        return FormValue::String(v);
    else if constexpr (std::is_enum_v<V>)
        return FormValue::Ident(EnumName(info, static_cast<int>(v)));
    else if constexpr (IsSet<V>::value)
        return FromSetBits(info, v.Bits());
    else if constexpr (std::is_integral_v<V>)
        return FormValue::Integer(static_cast<int64_t>(v));
    else if constexpr (std::is_floating_point_v<V>)
        return FormValue::Float(static_cast<double>(v));
    else if constexpr (std::is_same_v<V, std::vector<uint8_t>>)
        return FormValue::Binary(v);
    else
        static_assert(sizeof(V) == 0, "unsupported property type");
}

template <class V>
V FromValue(const std::wstring& prop, const FormValue& f, const TEnumInfo* info) {
    if constexpr (std::is_same_v<V, bool>)
        return ToBool(prop, f);
    else if constexpr (std::is_same_v<V, std::wstring>) {
        if (f.kind != FormValue::Kind::String && f.kind != FormValue::Kind::Ident) KindMismatch(prop, "string");
        return f.text;
    } else if constexpr (std::is_enum_v<V>)
        return static_cast<V>(ToEnum(prop, info, f));
    else if constexpr (IsSet<V>::value)
        return V::FromBits(ToSetBits(prop, info, f));
    else if constexpr (std::is_integral_v<V>) {
        int64_t n = ToInteger(prop, f);
        if (n < static_cast<int64_t>(std::numeric_limits<V>::min()) ||
            (n > 0 && static_cast<uint64_t>(n) > static_cast<uint64_t>(std::numeric_limits<V>::max())))
            throw EPropertyConvertError("Value out of range for property " + std::string(prop.begin(), prop.end()));
        return static_cast<V>(n);
    } else if constexpr (std::is_floating_point_v<V>)
        return static_cast<V>(ToFloat(prop, f));
    else if constexpr (std::is_same_v<V, std::vector<uint8_t>>) {
        if (f.kind != FormValue::Kind::Binary) KindMismatch(prop, "binary");
        return f.bytes;
    } else
        static_assert(sizeof(V) == 0, "unsupported property type");
}

template <class V>
constexpr TPropKind KindOf() {
    if constexpr (std::is_same_v<V, bool>) return TPropKind::Boolean;
    else if constexpr (std::is_same_v<V, std::wstring>) return TPropKind::String;
    else if constexpr (std::is_enum_v<V>) return TPropKind::Enumeration;
    else if constexpr (IsSet<V>::value) return TPropKind::Set;
    else if constexpr (std::is_integral_v<V>) return TPropKind::Integer;
    else if constexpr (std::is_floating_point_v<V>) return TPropKind::Float;
    else return TPropKind::Binary;
}

template <class V>
std::function<const TEnumInfo*()> EnumOf() {
    if constexpr (std::is_enum_v<V>)
        return [] { return ClassRegistry::Instance().Enum<V>(); };
    else if constexpr (IsSet<V>::value)
        return [] { return ClassRegistry::Instance().Enum<typename IsSet<V>::Member>(); };
    else
        return [] { return static_cast<const TEnumInfo*>(nullptr); };
}

std::any FindPublishedMethod(TComponent* root, const std::wstring& name, const std::wstring& prop);

}  // namespace rtti

// Fluent registration of one class's published properties.
template <class T>
class ClassBuilder {
public:
    explicit ClassBuilder(TClassInfo& info) : info_(info) {}

    // Property with getter and setter members of T or one of its bases.
    template <class B, class R, class A>
    ClassBuilder& Prop(const std::wstring& name, R (B::*get)() const, void (B::*set)(A)) {
        using V = std::decay_t<R>;
        TPropInfo p;
        p.Name = name;
        p.Kind = rtti::KindOf<V>();
        p.Enum = rtti::EnumOf<V>();
        auto enumOf = p.Enum;
        p.Get = [get, enumOf](TObject* o) { return rtti::ToValue<V>((Cast(o)->*get)(), enumOf()); };
        p.Set = [name, set, enumOf](TObject* o, const FormValue& v, TPropContext&) {
            (Cast(o)->*set)(rtti::FromValue<V>(name, v, enumOf()));
        };
        info_.Props.push_back(std::move(p));
        return *this;
    }
    // Same for non-const getters.
    template <class B, class R, class A>
    ClassBuilder& Prop(const std::wstring& name, R (B::*get)(), void (B::*set)(A)) {
        using V = std::decay_t<R>;
        TPropInfo p;
        p.Name = name;
        p.Kind = rtti::KindOf<V>();
        p.Enum = rtti::EnumOf<V>();
        auto enumOf = p.Enum;
        p.Get = [get, enumOf](TObject* o) { return rtti::ToValue<V>((Cast(o)->*get)(), enumOf()); };
        p.Set = [name, set, enumOf](TObject* o, const FormValue& v, TPropContext&) {
            (Cast(o)->*set)(rtti::FromValue<V>(name, v, enumOf()));
        };
        info_.Props.push_back(std::move(p));
        return *this;
    }
    // A TColor property: integers or colour identifiers.
    template <class B, class A>
    ClassBuilder& ColorProp(const std::wstring& name, int32_t (B::*get)() const, void (B::*set)(A)) {
        TPropInfo p;
        p.Name = name;
        p.Kind = TPropKind::Color;
        p.Get = [get](TObject* o) { return FormValue::Integer((Cast(o)->*get)()); };
        p.Set = [name, set](TObject* o, const FormValue& v, TPropContext&) { (Cast(o)->*set)(rtti::ToColor(name, v)); };
        info_.Props.push_back(std::move(p));
        return *this;
    }
    // A sub-object whose own properties are reached with dotted names.
    template <class B, class X>
    ClassBuilder& ObjectProp(const std::wstring& name, X& (B::*get)()) {
        TPropInfo p;
        p.Name = name;
        p.Kind = TPropKind::Object;
        p.Object = [get](TObject* o) -> TObject* { return &(Cast(o)->*get)(); };
        info_.Props.push_back(std::move(p));
        return *this;
    }
    // An event: the value names a published method of the form being read.
    template <class B, class Sig>
    ClassBuilder& Event(const std::wstring& name, TMethod<Sig> B::*field) {
        TPropInfo p;
        p.Name = name;
        p.Kind = TPropKind::Method;
        p.Get = [field](TObject* o) { return FormValue::Boolean(static_cast<bool>(Cast(o)->*field)); };
        p.Set = [name, field](TObject* o, const FormValue& v, TPropContext& ctx) {
            if (v.kind != FormValue::Kind::Ident) rtti::KindMismatch(name, "method name");
            std::any m = rtti::FindPublishedMethod(ctx.Root, v.text, name);
            auto* method = std::any_cast<TMethod<Sig>>(&m);
            if (!method)
                throw EPropertyError("Method " + EncodeUtf8(v.text) + " does not fit event " + EncodeUtf8(name));
            Cast(o)->*field = *method;
        };
        info_.Props.push_back(std::move(p));
        return *this;
    }
    // A reference to another component of the form (resolved after reading).
    template <class B, class P, class A>
    ClassBuilder& ComponentProp(const std::wstring& name, P* (B::*get)() const, void (B::*set)(A*)) {
        TPropInfo p;
        p.Name = name;
        p.Kind = TPropKind::Component;
        p.Get = [get](TObject* o) {
            P* c = (Cast(o)->*get)();
            return FormValue::Ident(c ? c->Name() : L"");
        };
        p.Set = [name, set](TObject* o, const FormValue& v, TPropContext& ctx) {
            if (v.kind != FormValue::Kind::Ident) rtti::KindMismatch(name, "component name");
            auto apply = [o, set, name, target = v.text, root = ctx.Root] {
                TComponent* c = root ? (SameText(root->Name(), target) ? root : root->FindComponent(target)) : nullptr;
                A* typed = dynamic_cast<A*>(c);
                if (!typed) throw EPropertyError("Invalid property reference " + EncodeUtf8(target));
                (Cast(o)->*set)(typed);
            };
            if (ctx.Fixups)
                ctx.Fixups->push_back(apply);
            else
                apply();
        };
        info_.Props.push_back(std::move(p));
        return *this;
    }
    // Anything else: a custom reader (and optional writer).
    ClassBuilder& Custom(const std::wstring& name, TPropKind kind,
                         std::function<void(T*, const FormValue&, TPropContext&)> set,
                         std::function<FormValue(T*)> get = nullptr) {
        TPropInfo p;
        p.Name = name;
        p.Kind = kind;
        p.Set = [set](TObject* o, const FormValue& v, TPropContext& ctx) { set(Cast(o), v, ctx); };
        if (get) p.Get = [get](TObject* o) { return get(Cast(o)); };
        info_.Props.push_back(std::move(p));
        return *this;
    }

private:
    static T* Cast(TObject* o) {
        T* t = dynamic_cast<T*>(o);
        if (!t) throw EPropertyError("Property applied to an object of the wrong class");
        return t;
    }
    TClassInfo& info_;
};

template <class T>
ClassBuilder<T> RegisterClass(const std::wstring& name, const std::wstring& parentName) {
    TClassInfo& info = ClassRegistry::Instance().Add(name, parentName);
    info.IsInstance = [](const TObject* o) { return dynamic_cast<const T*>(o) != nullptr; };
    if constexpr (std::is_constructible_v<T, TComponent*> && !std::is_abstract_v<T>)
        info.Create = [](TComponent* owner) -> TComponent* { return new T(owner); };
    return ClassBuilder<T>(info);
}

// What a form class (or any component class) publishes for its resource:
// fields bound to components by name, and handler methods by name.
template <class T>
class TPublisher {
public:
    TPublisher(TClassInfo& info) : info_(info) {}
    template <class P>
    TPublisher& Field(const std::wstring& name, P* T::*field) {
        info_.FieldNames[UpperCase(name)] = name;
        info_.Fields[UpperCase(name)] = [field, name](TObject* root, TComponent* value) {
            T* self = dynamic_cast<T*>(root);
            P* typed = dynamic_cast<P*>(value);
            if (!self) return;
            if (value && !typed)
                throw EPropertyError("Field " + EncodeUtf8(name) + " has a different class than the component");
            self->*field = typed;
        };
        return *this;
    }
    template <class B, class R, class... A>
    TPublisher& Method(const std::wstring& name, R (B::*method)(A...)) {
        static_assert(std::is_base_of_v<B, T>);
        info_.MethodNames[UpperCase(name)] = name;
        info_.Methods[UpperCase(name)] = [method](TObject* root) -> std::any {
            T* self = dynamic_cast<T*>(root);
            if (!self) return {};
            return TMethod<R(A...)>(self, method);
        };
        return *this;
    }
    // Properties of the class itself, as for toolkit classes.
    ClassBuilder<T> Properties() { return ClassBuilder<T>(info_); }

private:
    TClassInfo& info_;
};

// Registers T (once) from its static Publish(TPublisher<T>&), if it has one.
// The parent class name defaults to "TForm".
template <class T>
void RegisterPublishedClass(const std::wstring& parentName = L"TForm") {
    static bool done = false;
    if (done) return;
    done = true;
    std::wstring name = ClassNameOf(typeid(T));
    if (ClassRegistry::Instance().Find(name)) return;
    auto builder = RegisterClass<T>(name, parentName);
    (void)builder;
    if constexpr (requires(TPublisher<T>& p) { T::Publish(p); }) {
        TPublisher<T> publisher(*const_cast<TClassInfo*>(ClassRegistry::Instance().Find(name)));
        T::Publish(publisher);
    }
}

// ---- access by name ----
// The property's value, or a None value when the object has no such property.
FormValue GetPropValue(TObject* object, const std::wstring& path);
// Throws EPropertyError for an unknown property, EPropertyConvertError for a bad value.
void SetPropValue(TObject* object, const std::wstring& path, const FormValue& value, TPropContext* context = nullptr);
const TPropInfo* FindPropInfo(TObject* object, const std::wstring& path, TObject** owner = nullptr);
bool IsPublishedProp(TObject* object, const std::wstring& path);

// Integer, Color, Boolean (0/1) and enumeration ordinal; -1 when missing.
int64_t GetOrdProp(TObject* object, const std::wstring& path);
void SetOrdProp(TObject* object, const std::wstring& path, int64_t value);
std::wstring GetStrProp(TObject* object, const std::wstring& path);
void SetStrProp(TObject* object, const std::wstring& path, const std::wstring& value);
// Enumeration (and Boolean) by member name; an unknown member throws
// EPropertyConvertError naming the value and the property.
std::wstring GetEnumProp(TObject* object, const std::wstring& path);
void SetEnumProp(TObject* object, const std::wstring& path, const std::wstring& member);
// Sets as text "[a,b]".
std::wstring GetSetProp(TObject* object, const std::wstring& path);
void SetSetProp(TObject* object, const std::wstring& path, const std::wstring& text);
TObject* GetObjectProp(TObject* object, const std::wstring& path);
// Any property as text (integers decimal, enumerations by name, Booleans
// "True"/"False", sets "[a,b]"); empty when missing.
std::wstring GetPropText(TObject* object, const std::wstring& path);
// Any simple property from text (integer from decimal text, enumeration by name ...).
void SetPropText(TObject* object, const std::wstring& path, const std::wstring& text);
