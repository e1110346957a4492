// The help file lookup: the walk up from the executable's folder, then the command itself on the
// fake machine with the help file put at one of the walk's places or nowhere. Input: a byte
// choosing where the help file is, then the executable's path as UTF-16LE units.
#include <algorithm>

#include "app/form.h"
#include "files/paths.h"
#include "input.h"
#include "platform/fake/fake_platform.h"

namespace {

bool TooLong(std::wstring_view path) { return path.size() >= 260 && !path.starts_with(L"\\\\?\\"); }

// The drive ("C:") or share ("\\server\share") the walk never leaves.
std::wstring_view Root(std::wstring_view path) {
    const auto slash = [](wchar_t c) { return c == L'\\' || c == L'/'; };
    if (path.size() >= 2 && slash(path[0]) && slash(path[1])) {
        const std::size_t server = path.find_first_of(L"\\/", 2);
        return path.substr(
            0, server == std::wstring_view::npos ? server : path.find_first_of(L"\\/", server + 1));
    }
    return path.size() >= 2 && path[1] == L':' ? path.substr(0, 2) : std::wstring_view();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    const std::uint8_t helpAt = input.Byte();
    const std::wstring exe = input.RestText();

    std::wstring candidate = WithExtension(exe, kBackslashSlashColon, L".chm");
    const std::wstring name = FileNamePart(candidate, kBackslashSlashColon);
    const std::wstring root(Root(candidate));
    const auto separators =
        std::count_if(exe.begin(), exe.end(), [](wchar_t c) { return c == L'\\' || c == L'/'; });
    std::vector<std::wstring> candidates;
    try {
        for (;;) {
            CHECK(candidate.ends_with(name) && FileNamePart(candidate, kBackslashSlashColon) == name);
            CHECK(candidates.empty() || candidate.size() < candidates.back().size());
            CHECK(candidate.starts_with(root));
            candidates.push_back(candidate);
            CHECK(static_cast<std::ptrdiff_t>(candidates.size()) <= separators + 2);
            const std::wstring parent = EnclosingFolder(EnclosingFolder(candidate));
            if (parent.empty()) break;
            candidate = JoinPath(parent, name);
        }
        // Every later place is shorter, so only the first can be too long.
        CHECK(!TooLong(candidates.front()));
    } catch (const platform::Error& error) {
        CHECK(error.Text() == L"The specified path is too long");
        CHECK(candidates.size() == 1 && TooLong(candidates.front()));
    }

    // The command opens the first place that holds the file, or says it found none.
    fake::Reset();
    fake::Platform().moduleFileName = exe;
    const bool present = helpAt < candidates.size();
    if (present) fake::Platform().files[candidates[helpAt]] = fake::FileEntry{};
    TForm1 form;
    std::optional<std::wstring> error;
    try {
        form.ButtonHelpClick();
    } catch (const platform::Error& e) {
        error = e.Text();
    }
    const std::vector<fake::ShellExecuteCall>& opened = fake::Platform().shellExecutes;
    const std::vector<fake::BoxCall>& boxes = fake::Platform().boxes;
    if (TooLong(candidates.front()) && !present) {
        CHECK(error == L"The specified path is too long");
    } else if (present) {
        CHECK(!error && boxes.empty());
        CHECK(opened.size() == 1 && opened[0].file == L"\"" + candidates[helpAt] + L"\"");
    } else {
        CHECK(!error && opened.empty());
        CHECK(boxes.size() == 1 && boxes[0].text == L"HelpFile Not Found.\r\n\r\n" + name);
    }
    return 0;
}
