#pragma once
// The owner of a handle the platform hands out. It is released with the platform's own release
// call when the owner goes, exactly once, on every path; moving passes the duty on. 0 is "no
// handle". Each area header names one owner per kind of handle (UniqueInternet, UniqueFile...).

#include <cstdint>
#include <utility>

namespace platform {

template <void (*Release)(std::uintptr_t)>
class Owner {
public:
    Owner() = default;
    explicit Owner(std::uintptr_t handle) : handle_(handle) {}
    ~Owner() { reset(); }
    Owner(Owner&& other) noexcept : handle_(other.release()) {}
    Owner& operator=(Owner&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    Owner(const Owner&) = delete;
    Owner& operator=(const Owner&) = delete;

    std::uintptr_t get() const { return handle_; }
    explicit operator bool() const { return handle_ != 0; }
    std::uintptr_t release() { return std::exchange(handle_, 0); }
    void reset(std::uintptr_t handle = 0) {
        if (handle_ != 0) Release(handle_);
        handle_ = handle;
    }

private:
    std::uintptr_t handle_ = 0;
};

}  // namespace platform
