#pragma once
// Writing a file so that nothing is lost: the bytes go to a short temporary name beside the
// target and are put in its place in one step once they are all on disk, so the target holds
// either its earlier bytes or all the new ones. An existing target is replaced so that it stays
// the file it was (its permissions, attributes, streams such as the Mark of the Web, creation
// time and short name); a new one is the temporary file renamed. Unless committed, the
// temporary file is deleted when the writer goes, whatever ended the writing; it is the only
// file ever deleted on failure. The downloader and the settings writer both write this way.

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
    // Puts the bytes on disk and the file in the target's place. A target that another program
    // holds for a moment (a preview pane, the indexer, a virus scanner) is tried again for about
    // a second. Throws "Stream write error" when the bytes cannot be flushed, "Cannot create
    // file ..." when the target cannot be replaced.
    void Commit();

    static constexpr int kAttempts = 100;                // temporary names tried before giving up
    static constexpr int kReplaceTries = 6;              // of the final step, when the target is held
    static constexpr std::uint32_t kReplacePause = 200;  // milliseconds between them

private:
    std::wstring target_;
    std::wstring temporary_;
    platform::UniqueFile file_;
    bool committed_ = false;
};
