// TForm1::DownloadToFile over a scripted server and disk on the fake machine. Input: the status
// and the announced length (four bytes each), a byte of switches, a byte of disk faults, the
// failing write, the temporary names already taken, the pump that closes the window, two bytes
// of what the final replace or rename answers, then per piece a byte (low bit: the read fails)
// and four bytes of length; the bytes follow a pattern.
#include <algorithm>
#include <deque>

#include "app/form.h"
#include "files/replacing_file.h"
#include "input.h"
#include "platform/fake/fake_platform.h"

namespace {

const std::wstring kUrl = L"http://www.example.com/docs/page.html";
const std::wstring kFolder = LR"(C:\Mirror\www.example.com\docs\)";
const std::wstring kTarget = kFolder + L"page.html";

// The temporary names the writer tries, in order.
std::wstring Temporary(unsigned number) {
    return kFolder + L"~" + (number == 0 ? L"" : std::to_wstring(number));
}

// What the final step may answer: held (in each of Windows' ways), gone, full, refused.
std::deque<std::uint32_t> FinalAnswers(std::uint8_t byte) {
    constexpr std::uint32_t kAnswers[] = {0, 32, 5, 1175, 2, 112, 1176, 32};
    std::deque<std::uint32_t> answers;
    for (int i = 0; i < byte % 8; ++i) answers.push_back(kAnswers[(byte / 8 + i * 3) % 8]);
    return answers;
}

bool SameEntry(const std::pair<const std::wstring, fake::FileEntry>& a,
               const std::pair<const std::wstring, fake::FileEntry>& b) {
    return a.first == b.first && a.second.directory == b.second.directory && a.second.bytes == b.second.bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    fake::Server server;
    server.status = static_cast<std::uint32_t>(input.Between(0, 999));
    const auto announced = input.Between(-1, 5000);
    if (announced >= 0) server.contentLength = announced;
    const std::uint8_t switches = input.Byte();
    const bool internetFails = switches & 1;
    const bool serverAbsent = switches & 2;
    const bool targetExists = switches & 4;
    const bool folderExists = switches & 8;
    const bool targetIsFolder = switches & 16;
    const bool flushFails = switches & 32;
    const std::uint8_t faults = input.Byte();
    constexpr std::uint32_t kErrors[] = {0, 2, 3, 5, 32, 80, 112};
    const std::uint32_t targetError = kErrors[faults % 7];
    const std::uint32_t temporaryError = kErrors[faults / 7 % 7];
    const std::uint8_t failingWrite = input.Byte();
    const std::uint8_t temporariesTaken = input.Byte() % 128;
    const std::uint8_t closeAtPump = input.Byte() % 32;
    const std::deque<std::uint32_t> replaceAnswers = FinalAnswers(input.Byte());
    const std::deque<std::uint32_t> moveAnswers = FinalAnswers(input.Byte());
    const int pieceCount = input.Byte() % 9;
    for (int i = 0; i < pieceCount; ++i) {
        fake::Piece piece;
        piece.fails = input.Flag();
        const auto length = input.Between(0, 1600);
        for (std::int64_t k = 0; k < length; ++k) piece.bytes += static_cast<char>(i * 17 + k * 31);
        server.pieces.push_back(piece);
    }

    fake::Reset();
    const unsigned next = 0;
    fake::Download& net = fake::Platform().download;
    auto& files = fake::Platform().files;
    net.internetOpenFails = internetFails;
    if (!serverAbsent) net.servers[kUrl] = server;
    if (targetExists) files[kTarget].bytes = "earlier copy";
    if (targetIsFolder) files[kTarget].directory = true;
    if (folderExists) files[kFolder + L"other.html"].bytes = "a neighbour";
    if (targetError != 0) net.createErrors[kTarget] = targetError;
    for (unsigned k = 0; k < temporariesTaken; ++k) files[Temporary(next + k)].bytes = "someone else's";
    if (temporaryError != 0) net.createErrors[Temporary(next + temporariesTaken)] = temporaryError;
    if (failingWrite != 0) net.failingWrite = failingWrite - 1;
    net.flushFails = flushFails;
    net.replaceErrors = replaceAnswers;
    net.moveErrors = moveAnswers;
    TForm1 form;
    if (closeAtPump != 0) net.onPump[closeAtPump] = [&form] { form.CloseAccepted(); };
    const auto before = files;

    bool result = false;
    std::optional<std::wstring> error;
    try {
        result = form.DownloadToFile(kUrl, kTarget);
    } catch (const platform::Error& e) {
        error = e.Text();
    }

    // The body as the server ends it: at a failing read, or at the first read of nothing.
    std::string body;
    bool readFails = false;
    for (const fake::Piece& piece : server.pieces) {
        if (piece.fails || piece.bytes.empty()) {
            readFails = piece.fails;
            break;
        }
        body += piece.bytes;
    }
    const bool complete =
        !readFails && !body.empty() && (!server.contentLength || body.size() >= *server.contentLength);
    const bool success = server.status >= 200 && server.status <= 299;

    CHECK(!(result && error));
    if (error) CHECK(error->starts_with(L"Cannot create file ") || *error == L"Stream write error");
    if (result) CHECK(success && complete);
    // The target holds the whole new body after a success and its earlier bytes otherwise; no
    // other file changes, and no temporary file is left. Only a replace that took the old file
    // away and could not finish leaves the body under its temporary name, the one copy left.
    auto after = files;
    const auto target = after.find(kTarget);
    const bool oldTakenAway =
        targetExists && !targetIsFolder && error && target == after.end() &&
        std::find(replaceAnswers.begin(), replaceAnswers.end(), 1176) != replaceAnswers.end();
    if (oldTakenAway) {
        // Its own temporary file, not one of the names that were taken already.
        const auto kept = std::find_if(after.begin(), after.end(), [&](const auto& entry) {
            return entry.first.starts_with(kFolder + L"~") && !before.count(entry.first);
        });
        CHECK(kept != after.end() && kept->second.bytes == body);
    } else if (result) {
        CHECK(target != after.end() && !target->second.directory && target->second.bytes == body);
        after.erase(target);
        auto earlier = before;
        earlier.erase(kTarget);
        CHECK(std::equal(after.begin(), after.end(), earlier.begin(), earlier.end(), SameEntry));
    } else {
        CHECK(std::equal(after.begin(), after.end(), before.begin(), before.end(), SameEntry));
    }
    CHECK(net.internetHandlesAlive == 0);
    CHECK(net.fileHandlesAlive == 0 && net.openFiles.empty());

    // On a sound machine a whole 2xx body always replaces the target; temporary names already
    // taken, a few dozen of them, are passed over.
    const bool sound = !internetFails && !serverAbsent && (targetExists || folderExists) && !targetIsFolder &&
                       targetError == 0 && (temporaryError == 0 || temporaryError == 80) &&
                       temporariesTaken < 50 && failingWrite == 0 && !flushFails && closeAtPump == 0 &&
                       replaceAnswers.empty() && moveAnswers.empty();
    if (sound && success && complete) CHECK(result && !error);
    return 0;
}
