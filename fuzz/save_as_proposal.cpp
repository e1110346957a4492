// The Save As proposal, made by the command itself on the fake machine (its dialog answers
// Cancel), against the naming rules written out afresh. Input: the local time (four bytes each
// for year, month, day, hour, minute, second and millisecond), then the source path as
// UTF-16LE units.
#include <chrono>
#include <cwchar>

#include "app/form.h"
#include "app/session.h"
#include "input.h"
#include "platform/fake/fake_platform.h"

namespace {

bool TooLong(std::wstring_view path) { return path.size() >= 260 && !path.starts_with(L"\\\\?\\"); }

// After the last \, / or the drive's colon.
std::wstring_view FileName(std::wstring_view path) {
    const std::size_t last = path.find_last_of(L"\\/:");
    return last == std::wstring_view::npos ? path : path.substr(last + 1);
}

// What comes before the file name, less the separator that ends it unless that is the drive's
// colon or the separator right after it.
std::wstring_view Directory(std::wstring_view path) {
    std::wstring_view directory = path.substr(0, path.size() - FileName(path).size());
    if (!directory.empty() && directory.back() != L':' &&
        !(directory.size() >= 2 && directory[directory.size() - 2] == L':'))
        directory.remove_suffix(1);
    return directory;
}

std::wstring_view Extension(std::wstring_view path) {
    const std::wstring_view name = FileName(path);
    const std::size_t dot = name.rfind(L'.');
    return dot == std::wstring_view::npos ? std::wstring_view() : name.substr(dot);
}

std::wstring Join(std::wstring_view directory, std::wstring_view baseName) {
    if (baseName.empty()) return std::wstring(directory);
    const bool separated =
        !directory.empty() && std::wstring_view(L"\\/:").find(directory.back()) != std::wstring_view::npos;
    return std::wstring(directory) + (separated ? L"" : L"\\") + std::wstring(baseName);
}

std::wstring Stamp(const platform::SystemTime& t) {
    wchar_t text[40];
    std::swprintf(text, 40, L"-%04d%02d%02d-%02d%02d%02d%03d", t.year, t.month, t.day, t.hour, t.minute,
                  t.second, t.milliseconds);
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    platform::SystemTime now;
    now.year = static_cast<int>(input.Between(1601, 30827));
    now.month = static_cast<int>(input.Between(1, 12));
    using namespace std::chrono;
    const year_month_day_last monthEnd{year{now.year},
                                       month_day_last{month(static_cast<unsigned>(now.month))}};
    now.day = static_cast<int>(input.Between(1, static_cast<unsigned>(monthEnd.day())));
    now.hour = static_cast<int>(input.Between(0, 23));
    now.minute = static_cast<int>(input.Between(0, 59));
    now.second = static_cast<int>(input.Between(0, 59));
    now.milliseconds = static_cast<int>(input.Between(0, 999));
    const std::wstring source = input.RestText();

    fake::Reset();
    fake::Platform().info.localTime = now;
    SourceFileName = source;
    SourceUrl = L"http://www.example.com/";
    SaveFileName = L"kept";
    TForm1 form;
    std::optional<std::wstring> error;
    try {
        form.ButtonSaveAsClick();
    } catch (const platform::Error& e) {
        error = e.Text();
    }
    const std::vector<platform::FileDialogConfig>& dialogs = fake::Platform().download.saveDialogs;
    CHECK(fake::Platform().download.internetOpens.empty());

    if (TooLong(source)) {
        CHECK(error == L"The specified path is too long");
        CHECK(SaveFileName == L"kept");
        CHECK(dialogs.empty());
        return 0;
    }
    const std::wstring_view baseName =
        FileName(source).substr(0, FileName(source).size() - Extension(source).size());
    const std::wstring proposal =
        Join(Directory(source), baseName) + Stamp(now) + std::wstring(Extension(source));
    CHECK(SaveFileName == proposal);
    if (TooLong(proposal)) {
        CHECK(error == L"The specified path is too long");
        CHECK(dialogs.empty());
        return 0;
    }
    CHECK(!error);
    CHECK(dialogs.size() == 1);
    CHECK(dialogs[0].folder == Directory(proposal));
    CHECK(dialogs[0].fileName == FileName(proposal));
    return 0;
}
