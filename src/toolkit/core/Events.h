#pragma once
// Method pointers: an object plus one of its member functions, the event type
// of every component. Copyable, comparable (same object and same member),
// nullable. A plain function may also be bound (object pointer null).
//
//   btn->OnClick = TNotifyEvent(this, &TForm1::Bn_ser_connClick);
//   if (btn->OnClick) btn->OnClick(btn);
#include <cstring>
#include <type_traits>
#include <utility>

class TObject;

template <class Signature>
class TMethod;

template <class R, class... A>
class TMethod<R(A...)> {
public:
    TMethod() noexcept = default;
    TMethod(std::nullptr_t) noexcept {}

    template <class C, class M>
    TMethod(C* object, R (M::*member)(A...)) noexcept {
        static_assert(std::is_base_of_v<M, C>, "member must belong to the object's class");
        Bind<C>(object, member);
    }
    template <class C, class M>
    TMethod(C* object, R (M::*member)(A...) const) noexcept {
        static_assert(std::is_base_of_v<M, C>, "member must belong to the object's class");
        Bind<C>(object, member);
    }
    explicit TMethod(R (*function)(A...)) noexcept {
        if (!function) return;
        StoreCode(function);
        invoke_ = [](void*, const Storage& code, A... args) -> R {
            R (*f)(A...);
            std::memcpy(&f, code.bytes, sizeof f);
            return f(std::forward<A>(args)...);
        };
    }

    explicit operator bool() const noexcept { return invoke_ != nullptr; }
    bool Assigned() const noexcept { return invoke_ != nullptr; }
    void Clear() noexcept { *this = TMethod(); }
    // The bound object (null for an unbound or plain-function event).
    void* Data() const noexcept { return data_; }

    R operator()(A... args) const { return invoke_(data_, code_, std::forward<A>(args)...); }

    friend bool operator==(const TMethod& a, const TMethod& b) noexcept {
        return a.data_ == b.data_ && a.invoke_ == b.invoke_ &&
               std::memcmp(a.code_.bytes, b.code_.bytes, sizeof a.code_.bytes) == 0;
    }
    friend bool operator==(const TMethod& a, std::nullptr_t) noexcept { return !a; }

private:
    struct Storage {
        alignas(void*) unsigned char bytes[4 * sizeof(void*)] = {};
    };
    using Invoker = R (*)(void*, const Storage&, A...);

    template <class T>
    void StoreCode(const T& code) noexcept {
        static_assert(sizeof(T) <= sizeof(Storage::bytes), "member pointer too large");
        static_assert(std::is_trivially_copyable_v<T>);
        std::memcpy(code_.bytes, &code, sizeof code);
    }

    template <class C, class P>
    void Bind(C* object, P member) noexcept {
        if (!object || !member) return;
        data_ = static_cast<void*>(object);
        StoreCode(member);
        invoke_ = [](void* data, const Storage& code, A... args) -> R {
            P m;
            std::memcpy(&m, code.bytes, sizeof m);
            return (static_cast<C*>(data)->*m)(std::forward<A>(args)...);
        };
    }

    void* data_ = nullptr;
    Storage code_{};
    Invoker invoke_ = nullptr;
};

using TNotifyEvent = TMethod<void(TObject* Sender)>;
