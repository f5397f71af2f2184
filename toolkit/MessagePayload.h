#pragma once
// Data that travels with a posted message. The posted event owns it, so it is freed whether
// or not the window is still there to receive it; the receiver reads it through wParam
// during delivery and never frees it.

#include <memory>
#include <utility>

#include "toolkit/WindowMessages.h"

struct MessagePayload {
    virtual ~MessagePayload() = default;
};

template <class T>
struct ValuePayload : MessagePayload {
    explicit ValuePayload(T v) : value(std::move(v)) {}
    T value;
};

template <class T>
std::unique_ptr<MessagePayload> MakePayload(T value) {
    return std::make_unique<ValuePayload<T>>(std::move(value));
}

// The value carried in wParam, or null when wParam is null or carries another type.
template <class T>
const T* PayloadValue(WPARAM wParam) {
    auto* base = reinterpret_cast<MessagePayload*>(wParam);
    auto* typed = dynamic_cast<ValuePayload<T>*>(base);
    return typed ? &typed->value : nullptr;
}
