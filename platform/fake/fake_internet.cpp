// The fake WinINet: URLs answer from State::download.servers, piece by piece.
#include <algorithm>
#include <cstring>

#include "platform/fake/fake_platform.h"

namespace platform {

using fake::Log;
using fake::Platform;

namespace {

fake::Download& Machine() { return Platform().download; }
std::map<InternetHandle, fake::Download::Request>& Requests() { return Machine().requests; }

InternetHandle nextInternetHandle = 0x1000;

}  // namespace

UniqueInternet InternetOpenW(const wchar_t* agent, std::uint32_t accessType, const wchar_t* proxy,
                             const wchar_t* proxyBypass, std::uint32_t flags) {
    Log("InternetOpenW");
    Machine().internetOpens.push_back(
        {agent != nullptr, accessType, proxy != nullptr, proxyBypass != nullptr, flags});
    if (Machine().internetOpenFails) return UniqueInternet();
    ++Machine().internetHandlesAlive;
    return UniqueInternet(nextInternetHandle++);
}

UniqueInternet InternetOpenUrlW(InternetHandle internet, const std::wstring& url, const wchar_t* headers,
                                std::uint32_t headersLength, std::uint32_t flags, std::uintptr_t context) {
    Log("InternetOpenUrlW");
    Machine().urlOpens.push_back({internet, url, headers != nullptr, headersLength, flags, context});
    const auto found = Machine().servers.find(url);
    if (found == Machine().servers.end()) return UniqueInternet();
    ++Machine().internetHandlesAlive;
    const InternetHandle handle = nextInternetHandle++;
    Requests()[handle] = {found->second, 0, 0};
    return UniqueInternet(handle);
}

std::uint32_t HttpQueryStatusCode(InternetHandle request) {
    Log("HttpQueryStatusCode");
    return Requests().at(request).server.status;
}

std::optional<std::uint64_t> HttpQueryContentLength(InternetHandle request) {
    Log("HttpQueryContentLength");
    return Requests().at(request).server.contentLength;
}

bool InternetReadFile(InternetHandle file, void* buffer, std::uint32_t bytesToRead, std::uint32_t& count) {
    Log("InternetReadFile");
    Machine().readSizes.push_back(bytesToRead);
    fake::Download::Request& request = Requests().at(file);
    count = 0;
    if (request.piece >= request.server.pieces.size()) return true;
    const fake::Piece& piece = request.server.pieces[request.piece];
    if (piece.fails) {
        ++request.piece;
        return false;
    }
    const std::size_t size = std::min<std::size_t>(bytesToRead, piece.bytes.size() - request.offset);
    std::memcpy(buffer, piece.bytes.data() + request.offset, size);
    count = static_cast<std::uint32_t>(size);
    request.offset += size;
    if (request.offset >= piece.bytes.size()) {
        ++request.piece;
        request.offset = 0;
    }
    return true;
}

void InternetCloseHandle(InternetHandle handle) {
    Log("InternetCloseHandle");
    if (handle == 0) return;
    Requests().erase(handle);
    --Machine().internetHandlesAlive;
}

}  // namespace platform
