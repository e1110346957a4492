#pragma once
// Writing a file so that nothing is lost: the bytes go to a short temporary name beside the
// target and are moved over it in one step once they are all on disk, so the target holds
// either its earlier bytes or all the new ones. Unless committed, the temporary file is deleted
// when the writer goes, whatever ended the writing; it is the only file ever deleted on failure.
// The downloader and the settings writer both write this way.

#include <cstdint>
#include <string>

#include "platform/files.h"

class ReplacingFile {
public:
    // Checks the target the way a plain writer would open it, without changing it: its folder
    // must exist, it must be writable and nobody else may hold it open. Then creates the
    // temporary file. Throws "Cannot create file "<target>". <reason>".
    explicit ReplacingFile(std::wstring target);
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // False when not every byte could be written (a full volume, a lost folder).
    bool Write(const void* data, std::uint32_t size);
    // Closes the temporary file; the writer may still be committed or abandoned.
    void Close();
    // Puts the bytes on disk and the file in the target's place. Throws "Stream write error"
    // when the bytes cannot be flushed, "Cannot create file ..." when the move fails.
    void Commit();

private:
    std::wstring target_;
    std::wstring temporary_;
    platform::UniqueFile file_;
    bool committed_ = false;
};
