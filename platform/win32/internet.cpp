// WinINet, one function per call. Each handle comes back in its owner, which closes it.
// clang-format off
#include "platform/internet.h"
#include "platform/win32/late_bound.h"
#include "platform/win32/win32.h"
#include <wininet.h>
// clang-format on

namespace platform {

static_assert(kInternetFlagReload == INTERNET_FLAG_RELOAD);
static_assert(kInternetFlagIgnoreRedirectToHttps == INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTPS);
static_assert(kInternetOpenTypePreconfig == INTERNET_OPEN_TYPE_PRECONFIG);

namespace {

HINTERNET ToHinternet(InternetHandle handle) { return reinterpret_cast<HINTERNET>(handle); }
InternetHandle FromHinternet(HINTERNET handle) { return reinterpret_cast<InternetHandle>(handle); }

// Bound on first use (see late_bound.h); a missing library fails like a failed call.
#define WININET(function) \
    static const auto function##Bound = win32::LateBound<decltype(&::function)>(L"wininet.dll", #function)

}  // namespace

UniqueInternet InternetOpenW(const wchar_t* agent, std::uint32_t accessType, const wchar_t* proxy,
                             const wchar_t* proxyBypass, std::uint32_t flags) {
    WININET(InternetOpenW);
    if (!InternetOpenWBound) return UniqueInternet();
    return UniqueInternet(FromHinternet(InternetOpenWBound(agent, accessType, proxy, proxyBypass, flags)));
}

UniqueInternet InternetOpenUrlW(InternetHandle internet, const std::wstring& url, const wchar_t* headers,
                                std::uint32_t headersLength, std::uint32_t flags, std::uintptr_t context) {
    WININET(InternetOpenUrlW);
    return UniqueInternet(FromHinternet(
        InternetOpenUrlWBound(ToHinternet(internet), url.c_str(), headers, headersLength, flags, context)));
}

std::uint32_t HttpQueryStatusCode(InternetHandle request) {
    DWORD status = 0;
    DWORD size = sizeof status;
    WININET(HttpQueryInfoW);
    if (!HttpQueryInfoWBound(ToHinternet(request), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status,
                             &size, nullptr))
        return 0;
    return status;
}

std::optional<std::uint64_t> HttpQueryContentLength(InternetHandle request) {
    // As text: a number query stops at 32 bits.
    wchar_t text[32] = {};
    DWORD size = sizeof text;
    WININET(HttpQueryInfoW);
    if (!HttpQueryInfoWBound(ToHinternet(request), HTTP_QUERY_CONTENT_LENGTH, text, &size, nullptr))
        return std::nullopt;
    wchar_t* end = nullptr;
    const unsigned long long length = ::wcstoull(text, &end, 10);
    if (end == text) return std::nullopt;
    return length;
}

bool InternetReadFile(InternetHandle file, void* buffer, std::uint32_t bytesToRead, std::uint32_t& count) {
    DWORD read = 0;
    WININET(InternetReadFile);
    const bool ok = InternetReadFileBound(ToHinternet(file), buffer, bytesToRead, &read) != FALSE;
    count = read;
    return ok;
}

void InternetCloseHandle(InternetHandle handle) {
    WININET(InternetCloseHandle);
    InternetCloseHandleBound(ToHinternet(handle));
}

}  // namespace platform
