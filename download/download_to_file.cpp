// The downloader: one URL into one local file, 520 bytes a read, the window kept responsive.
// The local copy is never lost: the body goes to a sibling file that replaces the target in
// one step, and only once the whole body has arrived.
#include <array>
#include <optional>
#include <utility>

#include "app/form.h"
#include "app/messages.h"
#include "platform/platform.h"

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

platform::Error CannotCreate(const std::wstring& fileName, std::uint32_t error) {
    return platform::Error(L"Cannot create file \"" + fileName + L"\". " + platform::SystemErrorText(error));
}

class InternetHandleOwner {
public:
    explicit InternetHandleOwner(platform::InternetHandle handle) : handle_(handle) {}
    ~InternetHandleOwner() {
        if (handle_) platform::InternetCloseHandle(handle_);
    }
    InternetHandleOwner(const InternetHandleOwner&) = delete;
    InternetHandleOwner& operator=(const InternetHandleOwner&) = delete;
    platform::InternetHandle get() const { return handle_; }
    explicit operator bool() const { return handle_ != 0; }

private:
    platform::InternetHandle handle_;
};

// A short name in the target's folder, so that the final move stays on one volume and the
// sibling does not push a path that fits over the length limit more than the target does.
std::wstring SiblingName(const std::wstring& target, unsigned number) {
    const std::size_t end = target.find_last_of(L"\\/:");
    const std::wstring folder = end == std::wstring::npos ? std::wstring() : target.substr(0, end + 1);
    return folder + L"~vm" + std::to_wstring(number) + L".tmp";
}

// The file the body is written to until it is complete. Unless committed, it is deleted when
// it goes, whatever ended the download.
class PendingTarget {
public:
    explicit PendingTarget(std::wstring target) : target_(std::move(target)) {
        // Checked the way the program used to open it, without changing it: its folder must
        // exist, it must be writable and nobody else may hold it open.
        const platform::CreatedFile probe =
            platform::CreateFileW(target_, platform::kGenericRead | platform::kGenericWrite, 0,
                                  platform::kOpenExisting, platform::kFileAttributeNormal);
        if (probe.handle)
            platform::CloseHandle(probe.handle);
        else if (probe.error != platform::kErrorFileNotFound)
            throw CannotCreate(target_, probe.error);

        static unsigned next = 0;
        for (int attempt = 0;; ++attempt) {
            path_ = SiblingName(target_, ++next);
            const platform::CreatedFile created =
                platform::CreateFileW(path_, platform::kGenericRead | platform::kGenericWrite, 0,
                                      platform::kCreateNew, platform::kFileAttributeNormal);
            if (created.handle) {
                file_ = created.handle;
                return;
            }
            if (created.error != platform::kErrorFileExists || attempt >= 99)
                throw CannotCreate(target_, created.error);
        }
    }
    ~PendingTarget() {
        Close();
        if (!committed_) platform::DeleteFileW(path_);
    }
    PendingTarget(const PendingTarget&) = delete;
    PendingTarget& operator=(const PendingTarget&) = delete;

    bool Write(const char* data, std::uint32_t size) {
        std::uint32_t error = 0;
        return platform::WriteFile(file_, data, size, error);
    }

    void Close() {
        if (file_) platform::CloseHandle(std::exchange(file_, 0));
    }

    // One step: the target holds either its earlier bytes or the whole new body.
    void Commit() {
        Close();
        const std::uint32_t error = platform::MoveFileExW(
            path_, target_, platform::kMoveFileReplaceExisting | platform::kMoveFileWriteThrough);
        if (error != 0) throw CannotCreate(target_, error);
        committed_ = true;
    }

private:
    std::wstring target_;
    std::wstring path_;
    platform::FileHandle file_ = 0;
    bool committed_ = false;
};

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

    const InternetHandleOwner internet(
        platform::InternetOpenW(nullptr, platform::kInternetOpenTypePreconfig, nullptr, nullptr, 0));
    if (!internet) {
        Notice(url, kCannotConnect);
        return false;
    }
    // Rebuilt URLs are all http://; most servers answer with a redirect to https.
    const InternetHandleOwner request(platform::InternetOpenUrlW(
        internet.get(), url, nullptr, 0,
        platform::kInternetFlagReload | platform::kInternetFlagIgnoreRedirectToHttps, 0));
    if (!request) {
        Notice(url, kCannotReachServer);
        return false;
    }
    // An error page is not the page: it must not replace the user's copy.
    if (const std::uint32_t status = platform::HttpQueryStatusCode(request.get()); status >= 400) {
        Notice(url, ServerErrorText(status));
        return false;
    }

    // WinINet ends a body cut off by a dropped connection like a complete one.
    const std::optional<std::uint64_t> announced = platform::HttpQueryContentLength(request.get());

    PendingTarget target(fileName);
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
        platform::ProcessMessages();
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
    target.Close();
    if (writeFailed) throw platform::Error(L"Stream write error");
    if (result) target.Commit();
    return result;
}
