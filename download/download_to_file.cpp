// The downloader: one URL into one local file, 520 bytes a read, the window kept responsive.
// The local copy is never lost: the body goes to a sibling file that replaces the target in
// one step, and only once the whole body has arrived.
#include <array>
#include <optional>
#include <utility>

#include "app/form.h"
#include "app/messages.h"
#include "files/replacing_file.h"
#include "platform/internet.h"
#include "platform/process.h"
#include "platform/window.h"
#include "url/wire_url.h"

namespace {

constexpr std::uint32_t kChunkSize = 520;

constexpr const wchar_t* kCannotConnect = L"インターネットに接続できません";
constexpr const wchar_t* kCannotReachServer = L"サイトのサーバに接続できません";
constexpr const wchar_t* kCannotRead = L"ファイルが読込みできません";
constexpr const wchar_t* kEmptyBody = L"ファイルサイズが0 です";

void Notice(const std::wstring& url, const std::wstring& text) { NoticeMessage(url + L"\r\n" + text); }

std::wstring ServerErrorText(std::uint32_t status) {
    return L"サーバがエラーを返しました (HTTP " + std::to_wstring(status) + L")";
}

}  // namespace

void TForm1::CloseAccepted() {
    if (downloading_)
        closePending_ = true;
    else
        Destroy();
}

bool TForm1::DownloadToFile(const std::wstring& urlGiven, const std::wstring& fileNameGiven) {
    // Own copies: a command run from the pump may change SourceUrl or SaveFileName.
    const std::wstring url = urlGiven;
    const std::wstring fileName = fileNameGiven;

    // The window may only go once this loop has unwound; a close inside it is held till then.
    struct Running {
        TForm1& form;
        explicit Running(TForm1& f) : form(f) { form.downloading_ = true; }
        ~Running() {
            form.downloading_ = false;
            if (std::exchange(form.closePending_, false)) form.Destroy();
        }
    } running(*this);

    const platform::UniqueInternet internet =
        platform::InternetOpenW(nullptr, platform::kInternetOpenTypePreconfig, nullptr, nullptr, 0);
    if (!internet) {
        Notice(url, kCannotConnect);
        return false;
    }
    // Rebuilt URLs are all http://; most servers answer with a redirect to https. The boxes
    // name the address as rebuilt; only the request carries its wire form.
    const platform::UniqueInternet request = platform::InternetOpenUrlW(
        internet.get(), WireUrl(url), nullptr, 0,
        platform::kInternetFlagReload | platform::kInternetFlagIgnoreRedirectToHttps, 0);
    if (!request) {
        Notice(url, kCannotReachServer);
        return false;
    }
    // Only a final answer in 200-299 is the page. An error page, or a redirect WinINet did not
    // follow (no Location, a loop, another scheme), must not replace the user's copy.
    if (const std::uint32_t status = platform::HttpQueryStatusCode(request.get());
        status < 200 || status > 299) {
        Notice(url, ServerErrorText(status));
        return false;
    }

    // WinINet ends a body cut off by a dropped connection like a complete one.
    const std::optional<std::uint64_t> announced = platform::HttpQueryContentLength(request.get());

    ReplacingFile target(fileName);
    bool result = true;
    bool written = false;
    std::uint64_t received = 0;
    bool writeFailed = false;
    std::array<char, kChunkSize> chunk{};
    while (!closePending_) {
        std::uint32_t count = 0;
        if (!platform::InternetReadFile(request.get(), chunk.data(), kChunkSize, count)) {
            Notice(url, kCannotRead);
            result = false;
            break;
        }
        platform::ProcessMessages(handle_, *this);
        platform::Sleep(0);
        if (count == 0) {
            if (announced && received < *announced) {
                Notice(url, kCannotRead);
                result = false;
            }
            break;
        }
        received += count;
        if (!target.Write(chunk.data(), count)) {
            writeFailed = true;
            break;
        }
        written = true;
    }
    // The window is closing: the user has left, so nothing is reported and nothing replaced.
    if (closePending_) return false;

    if (!written) {
        Notice(url, kEmptyBody);
        result = false;
    }
    if (writeFailed) throw platform::Error(L"Stream write error");
    if (result) target.Commit();
    return result;
}
