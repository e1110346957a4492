#pragma once
// Lets doctest show wide strings and call lists when a check fails.

#include <doctest.h>

#include <string>
#include <vector>

namespace doctest {

inline String Utf8(const std::wstring& text) {
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size(); ++i) {
        unsigned long c = static_cast<unsigned long>(text[i]);
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size())  // UTF-16 surrogate pair
            c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<unsigned long>(text[++i]) - 0xDC00);
        if (c < 0x20) {
            const char hex[] = "0123456789ABCDEF";
            out += "\\x";
            out += hex[c >> 4];
            out += hex[c & 15];
        } else if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    out += "\"";
    return String(out.c_str());
}

template <>
struct StringMaker<std::wstring> {
    static String convert(const std::wstring& text) { return Utf8(text); }
};

template <class T>
struct StringMaker<std::vector<T>> {
    static String convert(const std::vector<T>& items) {
        String out = "{";
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (i) out += ", ";
            out += StringMaker<T>::convert(items[i]);
        }
        return out + "}";
    }
};

template <>
struct StringMaker<std::string> {
    static String convert(const std::string& text) { return String(text.c_str()); }
};

}  // namespace doctest
