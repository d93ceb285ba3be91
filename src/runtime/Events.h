#pragma once

#include "runtime/TypeData.h"

// Sets, bound methods and the event properties that hold them.

namespace lumotrix {

template <typename E> class TSet {
    static_assert(std::is_enum_v<E>);

public:
    TSet() = default;
    TSet(std::initializer_list<E> elements) {
        for (E e : elements)
            Include(e);
    }
    static TSet FromBits(quint32 bits) {
        TSet s;
        s.FBits = bits;
        return s;
    }
    quint32 Bits() const { return FBits; }
    bool Contains(E e) const { return (FBits >> Ordinal(e)) & 1u; }
    TSet& Include(E e) {
        FBits |= 1u << Ordinal(e);
        return *this;
    }
    TSet& Exclude(E e) {
        FBits &= ~(1u << Ordinal(e));
        return *this;
    }
    bool IsEmpty() const { return FBits == 0; }
    bool operator==(const TSet&) const = default;

private:
    static unsigned Ordinal(E e) { return static_cast<unsigned>(e) & 31u; }
    quint32 FBits = 0;
};

// A bound handler: an object and one of its published methods.
struct TMethod {
    TObject* Data = nullptr;
    const TMethodInfo* Code = nullptr;
    bool IsAssigned() const { return Code != nullptr; }
    bool operator==(const TMethod&) const = default;
};

class TMethodInfo {
public:
    QString Name;
    const TClassInfo* Owner = nullptr;
    std::type_index Signature = typeid(void);
    std::any Invoker; // std::function<void(TObject*, Args...)>

    template <typename... Args> bool Accepts() const { return Signature == typeid(void(Args...)); }

    template <typename... Args> void Invoke(TObject* self, Args... args) const {
        auto* f = std::any_cast<std::function<void(TObject*, Args...)>>(&Invoker);
        if (f == nullptr)
            throw EInvalidCast(QStringLiteral("Method %1 has another signature").arg(Name));
        (*f)(self, std::forward<Args>(args)...);
    }
};

// An event property's value: either a published method bound to an object (what the form
// loader sets) or a plain function (what code wires up). Calling an unassigned event does
// nothing.
template <typename... Args> class TEvent {
public:
    TEvent() = default;
    explicit TEvent(TMethod method) : FMethod(method) {
        if (method.Code && !method.Code->template Accepts<Args...>())
            throw EInvalidCast(QStringLiteral("Method %1 does not match the event's signature")
                                   .arg(method.Code->Name));
    }
    template <typename F>
    requires std::is_invocable_v<F&, Args...> &&
        (!std::is_same_v<std::decay_t<F>, TEvent>)TEvent(F function)
        : FFunction(std::move(function)) {}

    explicit operator bool() const { return FMethod.Code != nullptr || bool(FFunction); }
    const TMethod& Method() const { return FMethod; }

    void operator()(Args... args) const {
        if (FMethod.Code)
            FMethod.Code->template Invoke<Args...>(FMethod.Data, std::forward<Args>(args)...);
        else if (FFunction)
            FFunction(std::forward<Args>(args)...);
    }

private:
    TMethod FMethod;
    std::function<void(Args...)> FFunction;
};

using TNotifyEvent = TEvent<TObject*>;

// The type name an event type reports; specialise for further named event types.
template <typename E> struct TEventTypeName {
    static const char* Name() { return "TMethod"; }
};
template <> struct TEventTypeName<TNotifyEvent> {
    static const char* Name() { return "TNotifyEvent"; }
};

} // namespace lumotrix
