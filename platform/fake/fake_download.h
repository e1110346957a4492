#pragma once
// The fake side of drops, file dialogs, WinINet, target files, the clock and the pump. Files
// written here land in State::files, so a test sees the bytes on its fake disk.

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/internet.h"
#include "platform/resources.h"
#include "platform/shell.h"
#include "platform/window.h"

namespace fake {

struct Drop {
    std::vector<std::wstring> paths;
    int finishes = 0;
};

struct DragQuery {
    std::uint32_t index = 0;
    bool withBuffer = false;
    std::uint32_t bufferChars = 0;
};

struct InternetOpenCall {
    bool agentGiven = false;
    std::uint32_t accessType = 0;
    bool proxyGiven = false;
    bool bypassGiven = false;
    std::uint32_t flags = 0;
};

struct OpenUrlCall {
    platform::InternetHandle internet = 0;
    std::wstring url;
    bool headersGiven = false;
    std::uint32_t headersLength = 0;
    std::uint32_t flags = 0;
    std::uintptr_t context = 0;
};

// One read as the server side delivers it: some bytes, or a failing read.
struct Piece {
    bool fails = false;
    std::string bytes;
};

// What a URL answers. After the last piece every read succeeds with 0 bytes.
struct Server {
    std::uint32_t status = 200;
    std::vector<Piece> pieces;
    std::optional<std::uint64_t> contentLength;  // the length the answer announces, if any
};

struct Download {
    std::map<platform::DropHandle, Drop> drops;
    std::vector<DragQuery> dragQueries;
    std::vector<platform::QueuedMessage> sentMessages;
    int restores = 0;

    std::vector<platform::FileDialogConfig> openDialogs;
    std::vector<platform::FileDialogConfig> saveDialogs;
    // Answers of the next dialogs, in order; nothing (or an empty queue) is Cancel.
    std::deque<std::optional<std::wstring>> openDialogAnswers;
    std::deque<std::optional<std::wstring>> saveDialogAnswers;

    bool internetOpenFails = false;
    std::vector<InternetOpenCall> internetOpens;
    std::vector<OpenUrlCall> urlOpens;
    // Reachable URLs; any other URL cannot be opened.
    std::map<std::wstring, Server> servers;
    std::vector<std::uint32_t> readSizes;
    int internetHandlesAlive = 0;
    struct Request {
        Server server;
        std::size_t piece = 0;
        std::size_t offset = 0;
    };
    std::map<platform::InternetHandle, Request> requests;

    // CreateFileW on one of these paths (spelled exactly) fails with the given error.
    std::map<std::wstring, std::uint32_t> createErrors;
    // The write with this number (counted from 0 over the whole test) fails.
    std::optional<int> failingWrite;
    int writes = 0;
    // FlushFileBuffers fails, as on a volume that filled up.
    bool flushFails = false;
    int fileHandlesAlive = 0;
    std::map<platform::FileHandle, std::wstring> openFiles;  // the path each handle writes to
    struct Move {
        std::wstring from;
        std::wstring to;
        std::uint32_t flags = 0;
    };
    std::vector<Move> moves;

    int beeps = 0;
    int pumps = 0;
    int sleeps = 0;
    // Run inside the pump with that number (counted from 1), as messages that were waiting.
    std::map<int, std::function<void()>> onPump;
};

}  // namespace fake
