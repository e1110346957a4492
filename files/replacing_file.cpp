#include "files/replacing_file.h"

#include <utility>

#include "files/paths.h"
#include "platform/error.h"

namespace {

platform::Error CannotCreate(const std::wstring& fileName, std::uint32_t error) {
    return platform::Error(L"Cannot create file \"" + fileName + L"\". " + platform::SystemErrorText(error));
}

// A short name in the target's folder: the final move stays on one volume, and the temporary
// file does not push a path that fits over the length limit more than the target does.
std::wstring TemporaryName(const std::wstring& target, unsigned number) {
    return FolderPart(target, kBackslashSlashColon) + L"~vm" + std::to_wstring(number) + L".tmp";
}

}  // namespace

ReplacingFile::ReplacingFile(std::wstring target) : target_(std::move(target)) {
    if (const platform::CreatedFile probe =
            platform::CreateFileW(target_, platform::kGenericRead | platform::kGenericWrite, 0,
                                  platform::kOpenExisting, platform::kFileAttributeNormal);
        !probe.file && probe.error != platform::kErrorFileNotFound)
        throw CannotCreate(target_, probe.error);
    // Windows already refuses the probe above for a read-only file. Asked here as well because a
    // replace by rename would pass where the system does not look (Wine run as root, as the
    // tests run), and a read-only file is the user's way of saying "keep this".
    if (const std::uint32_t attributes = platform::GetFileAttributesW(target_);
        attributes != platform::kInvalidFileAttributes && (attributes & platform::kFileAttributeReadonly))
        throw CannotCreate(target_, platform::kErrorAccessDenied);

    static unsigned next = 0;
    for (int attempt = 0;; ++attempt) {
        temporary_ = TemporaryName(target_, ++next);
        platform::CreatedFile created =
            platform::CreateFileW(temporary_, platform::kGenericRead | platform::kGenericWrite, 0,
                                  platform::kCreateNew, platform::kFileAttributeNormal);
        if (created.file) {
            file_ = std::move(created.file);
            return;
        }
        if (created.error != platform::kErrorFileExists || attempt >= 99)
            throw CannotCreate(target_, created.error);
    }
}

ReplacingFile::~ReplacingFile() {
    Close();
    if (!committed_) platform::DeleteFileW(temporary_);
}

bool ReplacingFile::Write(const void* data, std::uint32_t size) {
    std::uint32_t error = 0;
    return file_ && platform::WriteFile(file_.get(), data, size, error);
}

void ReplacingFile::Close() { file_.reset(); }

void ReplacingFile::Commit() {
    if (file_ && !platform::FlushFileBuffers(file_.get())) throw platform::Error(L"Stream write error");
    Close();
    const std::uint32_t error = platform::MoveFileExW(
        temporary_, target_, platform::kMoveFileReplaceExisting | platform::kMoveFileWriteThrough);
    if (error != 0) throw CannotCreate(target_, error);
    committed_ = true;
}
