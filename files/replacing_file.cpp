#include "files/replacing_file.h"

#include <utility>

#include "files/paths.h"
#include "platform/error.h"
#include "platform/process.h"

namespace {

platform::Error CannotCreate(const std::wstring& fileName, std::uint32_t error) {
    return platform::Error(L"Cannot create file \"" + fileName + L"\". " + platform::SystemErrorText(error));
}

// As short as a name can be ("~", then "~1", "~2"...) in the target's folder: the final step
// stays on one volume, and a target whose full path just fits the system's limit still has a
// temporary name that fits.
std::wstring TemporaryName(const std::wstring& target, int attempt) {
    return FolderPart(target, kBackslashSlashColon) + L"~" + (attempt == 0 ? L"" : std::to_wstring(attempt));
}

// The attributes a replaced file keeps. Windows' ReplaceFileW keeps them itself; Wine's hands
// the target those of the temporary file, so it is made with them.
std::uint32_t KeptAttributes(std::uint32_t attributes) {
    if (attributes == platform::kInvalidFileAttributes) return platform::kFileAttributeNormal;
    const std::uint32_t kept =
        attributes & (platform::kFileAttributeHidden | platform::kFileAttributeSystem |
                      platform::kFileAttributeArchive | platform::kFileAttributeNotContentIndexed);
    return kept != 0 ? kept : platform::kFileAttributeNormal;
}

// Another program holding the target (or, for a new target, the fresh temporary file) for a
// moment; every other failure is final.
bool HeldForAMoment(std::uint32_t error, bool replacing) {
    if (error == platform::kErrorSharingViolation) return true;
    return replacing &&
           (error == platform::kErrorAccessDenied || error == platform::kErrorUnableToRemoveReplaced);
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
    const std::uint32_t attributes = platform::GetFileAttributesW(target_);
    if (attributes != platform::kInvalidFileAttributes && (attributes & platform::kFileAttributeReadonly))
        throw CannotCreate(target_, platform::kErrorAccessDenied);

    for (int attempt = 0;; ++attempt) {
        temporary_ = TemporaryName(target_, attempt);
        platform::CreatedFile created =
            platform::CreateFileW(temporary_, platform::kGenericRead | platform::kGenericWrite, 0,
                                  platform::kCreateNew, KeptAttributes(attributes));
        if (created.file) {
            file_ = std::move(created.file);
            return;
        }
        // Only a name that is taken is worth another try; anything else would fail every time.
        if (created.error != platform::kErrorFileExists || attempt + 1 >= kAttempts)
            throw CannotCreate(target_, created.error);
    }
}

ReplacingFile::~ReplacingFile() {
    Close();
    if (!committed_ && !temporary_.empty()) platform::DeleteFileW(temporary_);
}

bool ReplacingFile::Write(const void* data, std::uint32_t size) {
    std::uint32_t error = 0;
    return file_ && platform::WriteFile(file_.get(), data, size, error);
}

void ReplacingFile::Close() { file_.reset(); }

void ReplacingFile::Commit() {
    if (file_ && !platform::FlushFileBuffers(file_.get())) throw platform::Error(L"Stream write error");
    Close();
    bool replacing = platform::GetFileAttributesW(target_) != platform::kInvalidFileAttributes;
    bool oldBytesGone = false;
    for (int attempt = 1;; ++attempt) {
        const std::uint32_t error =
            replacing
                ? platform::ReplaceFileW(target_, temporary_, platform::kReplaceFileIgnoreMergeErrors)
                : platform::MoveFileExW(temporary_, target_,
                                        platform::kMoveFileReplaceExisting | platform::kMoveFileWriteThrough);
        if (error == 0) break;
        // The target went meanwhile (the user renamed or deleted it, or a replace that could not
        // finish took it away): the bytes now only need its name.
        if (replacing &&
            (error == platform::kErrorFileNotFound || error == platform::kErrorUnableToMoveReplacement)) {
            oldBytesGone = error == platform::kErrorUnableToMoveReplacement;
            replacing = false;
            continue;
        }
        if (!HeldForAMoment(error, replacing) || attempt >= kReplaceTries) {
            // The replace took the old bytes with it: the temporary file is the only copy left.
            committed_ = oldBytesGone;
            throw CannotCreate(target_, error);
        }
        platform::Sleep(kReplacePause);
    }
    committed_ = true;
}
