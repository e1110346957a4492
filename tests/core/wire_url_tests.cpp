#include <doctest.h>

#include <cwctype>
#include <random>
#include <string>

#include "platform/unicode.h"
#include "url/wire_url.h"
#include "window_fixture.h"

namespace {

// Names a mirror may hold: Japanese, an ideographic space, a character outside the BMP, every
// ASCII punctuation mark, blanks, escapes already made and lone "%".
std::wstring GeneratedName(std::mt19937& random, bool withPercent) {
    static const std::vector<std::wstring> pieces = [] {
        std::vector<std::wstring> all = {L"記事", L"ページ", L"\u3000", L" ", L"a",  L"Z",      L"0",
                                         L"-._~", L"é",      L"\uFFFD", L"/", L"\t", L"\uD7FF", L"\uE000"};
        std::wstring emoji;
        platform::unicode::AppendCodePoint(emoji, 0x1F600);
        all.push_back(emoji);
        for (wchar_t c = 0x21; c < 0x7F; ++c)
            if (!std::iswalnum(c)) all.emplace_back(1, c);
        return all;
    }();
    std::wstring name;
    const int length = std::uniform_int_distribution<int>(1, 12)(random);
    for (int i = 0; i < length; ++i) {
        std::wstring piece = pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() - 1)(random)];
        if (piece == L"%" && withPercent)
            piece = std::vector<std::wstring>{L"%", L"%41", L"%E6%97%A5", L"%4", L"%zz"}[i % 5];
        if (piece != L"%" || withPercent) name += piece;
    }
    return name;
}

std::wstring PercentDecoded(const std::wstring& text) {
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'%' && i + 2 < text.size()) {
            bytes +=
                static_cast<char>(std::stoi(std::string{char(text[i + 1]), char(text[i + 2])}, nullptr, 16));
            i += 2;
        } else {
            bytes += static_cast<char>(text[i]);
        }
    }
    return platform::unicode::DecodeUtf8(bytes);
}

bool PrintableAscii(const std::wstring& text) {
    for (const wchar_t c : text)
        if (c <= L' ' || c >= 0x7F) return false;
    return true;
}

}  // namespace

TEST_CASE("the wire form of a path: ASCII, stable, and the rebuilt path again when decoded") {
    std::mt19937 random(20261210);
    for (int i = 0; i < 3000; ++i) {
        const bool withPercent = i % 2 == 0;
        const std::wstring path = L"/docs/" + GeneratedName(random, withPercent);
        const std::wstring wire = WirePath(path);
        CAPTURE(path);
        CAPTURE(wire);
        REQUIRE(PrintableAscii(wire));
        REQUIRE(WirePath(wire) == wire);
        if (!withPercent) REQUIRE(PercentDecoded(wire) == path);
    }
}

TEST_CASE("what the wire form escapes and what it keeps") {
    struct Case {
        const wchar_t* path;
        const wchar_t* wire;
    };
    const Case cases[] = {
        {L"/docs/記事.html", L"/docs/%E8%A8%98%E4%BA%8B.html"},
        {L"/my docs/a#b?c.html", L"/my%20docs/a%23b%3Fc.html"},
        {L"/%41%e6/100%.html", L"/%41%e6/100%25.html"},
        {L"/\u3000x/\"<>`{}|^", L"/%E3%80%80x/%22%3C%3E%60%7B%7D%7C%5E"},
        {L"/AZaz09-._~/!$&'()*+,;=:@[]\\", L"/AZaz09-._~/!$&'()*+,;=:@[]\\"},
        {L"/\x7F\x01", L"/%7F%01"},
    };
    for (const Case& c : cases) CHECK(WirePath(c.path) == c.wire);

    std::wstring emoji = L"/";
    platform::unicode::AppendCodePoint(emoji, 0x1F600);
    CHECK(WirePath(emoji) == L"/%F0%9F%98%80");
    // A surrogate without its partner has no UTF-8 form of its own.
    for (const wchar_t lone : {0xD800, 0xDFFF})
        CHECK(WirePath(std::wstring(L"/") + lone + L"x") == L"/%EF%BF%BDx");
}

TEST_CASE("a \"%\" stays an escape exactly when two hex digits of either case follow it") {
    const std::wstring hex = L"0123456789ABCDEFabcdef";
    for (wchar_t a = 0x21; a < 0x7F; ++a)
        for (wchar_t b = 0x21; b < 0x7F; ++b) {
            const std::wstring path = std::wstring(L"/%") + a + b;
            const bool escape = hex.find(a) != std::wstring::npos && hex.find(b) != std::wstring::npos;
            CAPTURE(path);
            CHECK((WirePath(path) == path) == escape);
        }
}

TEST_CASE("a host outside ASCII goes out in the system's IDNA form, an ASCII host as it is") {
    FreshMachine machine;
    CHECK(WireUrl(L"http://www.example.com/a b") == L"http://www.example.com/a%20b");
    CHECK(WireUrl(L"http://") == L"http://");
    CHECK(WireUrl(L"http://page.html") == L"http://page.html");
    const std::wstring host = *platform::IdnToAscii(L"例え.jp");
    CHECK(WireUrl(L"http://例え.jp/記事") == L"http://" + host + L"/%E8%A8%98%E4%BA%8B");
    // A name the system refuses is still sent in ASCII, escaped like a path.
    CHECK(WireUrl(L"http://例!.jp/") == L"http://%E4%BE%8B!.jp/");
    CHECK(WireUrl(L"例え.jp/a b") == host + L"/a%20b");
    for (wchar_t c = 0x21; c < 0x80; ++c) {
        const std::wstring ascii = std::wstring(L"http://a") + c + L"b";
        if (c != L'/') CHECK(WireUrl(ascii) == ascii);
    }
    CHECK(WireUrl(L"http://a\u0080b") == L"http://" + *platform::IdnToAscii(L"a\u0080b"));
}

TEST_CASE("WinINet is asked for the wire form; the boxes name the address as rebuilt") {
    OpenWindow w;
    const std::wstring url = L"http://www.example.com/docs/記事 #1.html";
    w.Serve({{false, "<h1>Not Found</h1>"}}, 404, WireUrl(url));
    CHECK_FALSE(w.form.DownloadToFile(url, kPagePath));
    REQUIRE(w.machine.download.urlOpens.size() == 1);
    CHECK(w.machine.download.urlOpens[0].url ==
          L"http://www.example.com/docs/%E8%A8%98%E4%BA%8B%20%231.html");
    CHECK(w.BoxTexts() == std::vector<std::wstring>{url + L"\r\nサーバがエラーを返しました (HTTP 404)"});
}
