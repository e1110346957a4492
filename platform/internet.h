#pragma once
// WinINet, one function per call.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/owner.h"

namespace platform {

// An HINTERNET, released with InternetCloseHandle; 0 when the call failed.
using InternetHandle = std::uintptr_t;
void InternetCloseHandle(InternetHandle handle);
using UniqueInternet = Owner<&InternetCloseHandle>;

constexpr std::uint32_t kInternetOpenTypePreconfig = 0;
constexpr std::uint32_t kInternetFlagReload = 0x80000000;
constexpr std::uint32_t kInternetFlagIgnoreRedirectToHttps = 0x00004000;

UniqueInternet InternetOpenW(const wchar_t* agent, std::uint32_t accessType, const wchar_t* proxy,
                             const wchar_t* proxyBypass, std::uint32_t flags);
UniqueInternet InternetOpenUrlW(InternetHandle internet, const std::wstring& url, const wchar_t* headers,
                                std::uint32_t headersLength, std::uint32_t flags, std::uintptr_t context);
// HttpQueryInfoW with HTTP_QUERY_STATUS_CODE as a number; 0 when the answer carries none.
std::uint32_t HttpQueryStatusCode(InternetHandle request);
// HttpQueryInfoW with HTTP_QUERY_CONTENT_LENGTH as a number; nothing when the answer has none.
std::optional<std::uint64_t> HttpQueryContentLength(InternetHandle request);
// False when the read failed; `count` receives the bytes delivered (0 at the end of the body).
bool InternetReadFile(InternetHandle file, void* buffer, std::uint32_t bytesToRead, std::uint32_t& count);

}  // namespace platform
