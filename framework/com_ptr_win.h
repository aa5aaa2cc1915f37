// CComPtr: owns one reference to a COM object and releases it. It moves but
// never copies, so each reference has exactly one owner.
#pragma once

#include <unknwn.h>

#include <utility>

template <typename Interface>
class CComPtr {
public:
    CComPtr() = default;
    // Takes over a reference the caller already holds (as the creation
    // functions hand them out); adds none.
    explicit CComPtr(Interface* object) : object_(object) {}
    ~CComPtr() { Release(); }

    CComPtr(const CComPtr&) = delete;
    CComPtr& operator=(const CComPtr&) = delete;
    CComPtr(CComPtr&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    CComPtr& operator=(CComPtr&& other) noexcept
    {
        if (this != &other) {
            Release();
            object_ = std::exchange(other.object_, nullptr);
        }
        return *this;
    }

    Interface* Get() const { return object_; }
    Interface* operator->() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }

    // For functions that hand back a reference through a pointer; releases
    // the one held before.
    Interface** Receive()
    {
        Release();
        return &object_;
    }
    void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }

    void Release()
    {
        if (object_)
            std::exchange(object_, nullptr)->Release();
    }

private:
    Interface* object_ = nullptr;  // owned: one reference
};
