#pragma once
// What every fuzz target shares: CHECK, which stops the run on a broken property, and Input,
// which reads the values a target needs off the front of the fuzz bytes. Missing bytes read as
// 0, so every input is usable. Wide text is UTF-16LE units, the way Windows hands it over.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#define CHECK(condition) ((condition) ? void() : ::fuzz::Fail(#condition, __FILE__, __LINE__))

namespace fuzz {

[[noreturn]] inline void Fail(const char* condition, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: property broken: %s\n", file, line, condition);
    std::abort();
}

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    bool Flag() { return Byte() & 1; }
    std::uint32_t U32() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) value |= std::uint32_t{Byte()} << (8 * i);
        return value;
    }
    std::uint64_t U64() { return U32() | std::uint64_t{U32()} << 32; }
    // A number in [low, high], from four bytes.
    std::int64_t Between(std::int64_t low, std::int64_t high) {
        return low + static_cast<std::int64_t>(U32() % static_cast<std::uint64_t>(high - low + 1));
    }
    // A byte giving the length, then that many UTF-16LE units.
    std::wstring Text() { return Units(Byte()); }
    // Every byte left: as UTF-16LE units, or as they are.
    std::wstring RestText() { return Units(size_ - pos_); }
    std::string RestBytes() {
        std::string bytes(reinterpret_cast<const char*>(data_ + pos_), size_ - pos_);
        pos_ = size_;
        return bytes;
    }

private:
    std::wstring Units(std::size_t count) {
        std::wstring text;
        for (std::size_t i = 0; i < count && pos_ + 1 < size_; ++i, pos_ += 2)
            text += static_cast<wchar_t>(data_[pos_] | data_[pos_ + 1] << 8);
        return text;
    }

    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

}  // namespace fuzz
