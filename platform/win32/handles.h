#pragma once
// Owners for what Windows hands out, each released by the function that acquired it. One
// template; "valid" means neither null nor INVALID_HANDLE_VALUE only where that is a real
// failure value, so the two kinds of handle stay apart.

#include <utility>

#include "platform/win32/win32.h"

namespace platform::win32 {

template <class Handle, class Traits>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle get() const { return handle_; }
    explicit operator bool() const { return Traits::IsValid(handle_); }
    Handle release() { return std::exchange(handle_, Traits::Invalid()); }
    void reset(Handle handle = Traits::Invalid()) {
        if (Traits::IsValid(handle_)) Traits::Close(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = Traits::Invalid();
};

struct NullHandleTraits {
    static HANDLE Invalid() { return nullptr; }
    static bool IsValid(HANDLE h) { return h != nullptr; }
    static void Close(HANDLE h) { ::CloseHandle(h); }
};
struct FileHandleTraits {  // CreateFileW fails with INVALID_HANDLE_VALUE, not null
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { ::CloseHandle(h); }
};
struct ModuleTraits {
    static HMODULE Invalid() { return nullptr; }
    static bool IsValid(HMODULE h) { return h != nullptr; }
    static void Close(HMODULE h) { ::FreeLibrary(h); }
};
struct GdiObjectTraits {
    static HGDIOBJ Invalid() { return nullptr; }
    static bool IsValid(HGDIOBJ h) { return h != nullptr; }
    static void Close(HGDIOBJ h) { ::DeleteObject(h); }
};

using unique_handle = UniqueHandle<HANDLE, NullHandleTraits>;
using unique_hfile = UniqueHandle<HANDLE, FileHandleTraits>;
using unique_hmodule = UniqueHandle<HMODULE, ModuleTraits>;
using unique_gdiobj = UniqueHandle<HGDIOBJ, GdiObjectTraits>;

// A COM interface pointer, released when it goes.
template <class Interface>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { reset(); }
    ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            reset();
            pointer_ = std::exchange(other.pointer_, nullptr);
        }
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    Interface* get() const { return pointer_; }
    Interface* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }
    // For the out parameter of CoCreateInstance and QueryInterface.
    void** put_void() {
        reset();
        return reinterpret_cast<void**>(&pointer_);
    }
    void reset() {
        if (pointer_) pointer_->Release();
        pointer_ = nullptr;
    }

private:
    Interface* pointer_ = nullptr;
};

}  // namespace platform::win32
