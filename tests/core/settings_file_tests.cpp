#include <doctest.h>

#include "fixture.h"
#include "platform/unicode.h"
#include "settings/ini_document.h"
#include "settings/settings_path.h"
#include "settings/text_encoding.h"

namespace {

const std::wstring kUserFile = LR"(C:\Users\u\AppData\Roaming\Quorrin\Velmora\Velmora.ini)";
const std::wstring kFallbackFile = LR"(C:\Tools\Velmora.ini)";

void PutFolder(fake::State& machine, const std::wstring& path) {
    fake::FileEntry folder;
    folder.directory = true;
    machine.files[path] = folder;
}

void PutFile(fake::State& machine, const std::wstring& path, const std::string& bytes) {
    fake::FileEntry file;
    file.bytes = bytes;
    machine.files[path] = file;
}

std::string BytesOf(const fake::State& machine, const std::wstring& path) {
    const auto found = machine.files.find(path);
    REQUIRE(found != machine.files.end());
    return found->second.bytes;
}

// A created window in interactive mode, as FormCreate leaves it.
struct OpenWindow : FreshMachine {
    TForm1 form;
    void Start() {
        Form1 = &form;
        form.Create();
    }
    ~OpenWindow() { form.Destroy(); }
};

const std::string kProgramSection =
    "[PROGRAM]\r\nName=Velmora.exe\r\nPath=C:\\Tools\r\nVersion=V2.1\r\n"
    "IniFile=C:\\Users\\u\\AppData\\Roaming\\Quorrin\\Velmora\\Velmora.ini\r\nLastClose=2024/01/02 "
    "15:04:05\r\n\r\n";

}  // namespace

// ---- where the file lives

TEST_CASE("the per-user path is the roaming folder, Quorrin and the executable's base name") {
    FreshMachine m;
    CHECK(GetSettingsFileName() == kUserFile);
    m.machine.moduleFileName = LR"(D:\Apps\my.tool.exe)";
    CHECK(GetSettingsFileName() == LR"(C:\Users\u\AppData\Roaming\Quorrin\my.tool\my.tool.ini)");
    CHECK(FallbackSettingsFileName() == LR"(D:\Apps\my.tool.ini)");
    m.machine.mainWindow.appDataResult = static_cast<std::int32_t>(0x80004005);
    CHECK(GetSettingsFileName() == LR"(Quorrin\my.tool\my.tool.ini)");
    CHECK(m.machine.files.empty());
}

TEST_CASE("the executable's folder has no trailing backslash except at a drive root") {
    CHECK(ExecutableFolder(LR"(C:\Tools\Velmora.exe)") == LR"(C:\Tools)");
    CHECK(ExecutableFolder(LR"(C:\Velmora.exe)") == LR"(C:\)");
    CHECK(ExecutableFolder(LR"(\Velmora.exe)") == LR"(\)");
    CHECK(ExecutableFolder(LR"(T\Velmora.exe)") == LR"(T)");
}

// ---- the normalisation of an existing file

TEST_CASE("an existing file is normalised when it is rewritten") {
    const std::wstring text =
        L"stray line before any header\r\n"
        L"; a comment\r\n"
        L"  [ Other ]  \r\n"
        L"\r\n"
        L"  Key  =  spaced value  \r\n"
        L"no equals sign here\r\n"
        L"dup=1\r\n"
        L"dup=2\n"
        L"[PROGRAM]\r\n"
        L"Name=old.exe\r\n"
        L"[other]\r\n"
        L"  ; indented comment\r\n"
        L"late = yes\r\n"
        L"empty=\r\n"
        L"[Second]\r"
        L"a==b\r\n"
        L"[]\r\n"
        L" !key! = !v! \r\n";
    IniDocument document = IniDocument::Parse(text);
    document.EraseSection(L"program");
    document.WriteString(L"PROGRAM", L"Name", L"Velmora.exe");
    CHECK(
        document.Text() ==
        L"[Other]\r\nKey=spaced value\r\nno equals sign here\r\ndup=1\r\ndup=2\r\nlate=yes\r\nempty=\r\n\r\n"
        L"[Second]\r\na==b\r\n\r\n"
        L"[]\r\n!key!=!v!\r\n\r\n"
        L"[PROGRAM]\r\nName=Velmora.exe\r\n\r\n");
}

TEST_CASE("writing a key replaces it in place or appends it and its section") {
    IniDocument document = IniDocument::Parse(L"[A]\r\nx=1\r\ny=2\r\n");
    document.WriteString(L"a", L"X", L"9");
    document.WriteString(L"A", L"z", L"3");
    document.WriteString(L"B", L"k", L"v");
    CHECK(document.Text() == L"[A]\r\nX=9\r\ny=2\r\nz=3\r\n\r\n[B]\r\nk=v\r\n\r\n");
    CHECK(IniDocument::Parse(L"").Text().empty());
}

// ---- the written bytes in every encoding

TEST_CASE("the encodings put the right mark before the right bytes") {
    FreshMachine m;
    const std::wstring text = L"A\u00e9\u65e5";  // A, e-acute, 日
    CHECK(EncodeText(text, TextEncoding::Utf8, 1252) ==
          "\xEF\xBB\xBF"
          "A\xC3\xA9\xE6\x97\xA5");
    CHECK(EncodeText(text, TextEncoding::Utf16Le, 1252) == std::string("\xFF\xFE"
                                                                       "A\0\xE9\0\xE5\x65",
                                                                       8));
    CHECK(EncodeText(text, TextEncoding::Utf16Be, 1252) == std::string("\xFE\xFF\0A\0\xE9\x65\xE5", 8));
    CHECK(EncodeText(text, TextEncoding::Ansi, 1252) == "A\xE9?");
    CHECK(EncodeText(text, TextEncoding::Ansi, 65001) ==
          "\xEF\xBB\xBF"
          "A\xC3\xA9\xE6\x97\xA5");
}

TEST_CASE("characters beyond the basic plane survive UTF-8 and UTF-16 both ways") {
    FreshMachine m;
    std::wstring text = L"x";
    if constexpr (sizeof(wchar_t) == 2)
        text += L"\xD83D\xDE00";
    else
        text += static_cast<wchar_t>(0x1F600);
    const std::string utf8 = EncodeText(text, TextEncoding::Utf8, 1252);
    CHECK(utf8 ==
          "\xEF\xBB\xBF"
          "x\xF0\x9F\x98\x80");
    const std::string utf16 = EncodeText(text, TextEncoding::Utf16Le, 1252);
    CHECK(utf16 == std::string("\xFF\xFEx\0\x3D\xD8\x00\xDE", 8));
    for (const std::string& bytes : {utf8, utf16, EncodeText(text, TextEncoding::Utf16Be, 1252)})
        CHECK(DecodeText(bytes, DetectEncoding(bytes), 1252) == text);

    // Both sides of the planes' edge, and both halves of a pair's low ten bits.
    for (const char32_t point : {0xFFFFu, 0x10000u, 0x10001u, 0x10FFFFu}) {
        std::wstring one;
        platform::unicode::AppendCodePoint(one, point);
        for (const TextEncoding encoding : {TextEncoding::Utf16Le, TextEncoding::Utf16Be}) {
            const std::string bytes = EncodeText(one, encoding, 1252);
            CHECK(bytes.size() == (point < 0x10000 ? 4u : 6u));
            CHECK(DecodeText(bytes, encoding, 1252) == one);
        }
    }
}

TEST_CASE("ill-formed UTF-8 decodes as U+FFFD, one for each maximal part, as Windows does") {
    const std::wstring bad(1, L'\xFFFD');
    struct Case {
        const char* name;
        std::string bytes;
        std::wstring text;
    };
    const Case cases[] = {
        {"an overlong line feed",
         "a\xC0\x8A"
         "b",
         L"a" + bad + bad + L"b"},
        {"an overlong slash in three bytes", "\xE0\x80\xAF", bad + bad + bad},
        {"an encoded surrogate", "\xED\xA0\x80", bad + bad + bad},
        {"above U+10FFFF", "\xF4\x90\x80\x80", bad + bad + bad + bad},
        {"a lead byte that never starts one", "\xF5\x80", bad + bad},
        {"a stray continuation byte", "x\x80y", L"x" + bad + L"y"},
        {"a sequence cut short by the next character",
         "\xE6\x97"
         "A",
         bad + L"A"},
        {"a sequence cut short by the end", "\xF0\x9F\x98", bad},
        {"the largest scalar value still passes", "\xF4\x8F\xBF\xBF", {}},
    };
    for (const Case& c : cases) {
        CAPTURE(c.name);
        const std::wstring decoded = DecodeText("\xEF\xBB\xBF" + c.bytes, TextEncoding::Utf8, 1252);
        if (c.text.empty())
            CHECK(EncodeText(decoded, TextEncoding::Utf8, 1252) == "\xEF\xBB\xBF" + c.bytes);
        else
            CHECK(decoded == c.text);
    }
}

TEST_CASE("UTF-16 is written back unit for unit, an unpaired surrogate included") {
    // Little-endian units: a lone high surrogate, a lone low one before "A", "=" and a real pair.
    for (const std::string& units : {std::string("\x00\xD8", 2),
                                     std::string("\x00\xDC"
                                                 "A\0",
                                                 4),
                                     std::string("=\0\x3D\xD8\x00\xDE", 6)}) {
        std::string swapped;
        for (std::size_t i = 0; i + 1 < units.size(); i += 2) swapped += std::string{units[i + 1], units[i]};
        for (const auto& [encoding, file] : {std::pair{TextEncoding::Utf16Le, "\xFF\xFE" + units},
                                             std::pair{TextEncoding::Utf16Be, "\xFE\xFF" + swapped}})
            CHECK(EncodeText(DecodeText(file, encoding, 1252), encoding, 1252) == file);
    }
}

TEST_CASE("a value with an overlong line feed cannot forge a section when the file is rewritten") {
    OpenWindow w;
    PutFolder(w.machine, LR"(C:\Users\u\AppData\Roaming\Quorrin\Velmora)");
    w.machine.files[kUserFile].bytes =
        "\xEF\xBB\xBF[Mine]\r\nkey=a\xC0\x8A[MODE]\xC0\x8A"
        "CloseQuery=1\r\n";
    w.Start();
    CHECK_FALSE(w.form.IsChecked(ControlId::CheckBoxCloseQuery));
    w.form.SaveSettings();
    const std::string written = BytesOf(w.machine, kUserFile);
    CHECK(written.find("\n[MODE]") == std::string::npos);
    CHECK(written.find("[Mine]\r\nkey=a\xEF\xBF\xBD\xEF\xBF\xBD[MODE]") != std::string::npos);
}

TEST_CASE("the mark decides the encoding; no mark is the ANSI code page") {
    // The mark again further on is a U+FEFF of the text, not another mark.
    CHECK(DetectEncoding("\xEF\xBB\xBF[A]\xEF\xBB\xBF") == TextEncoding::Utf8);
    CHECK(DetectEncoding("\xFF\xFE[\xFF\xFE") == TextEncoding::Utf16Le);
    CHECK(DetectEncoding("\xFE\xFF\xFE\xFF") == TextEncoding::Utf16Be);
    CHECK(DetectEncoding("[A]") == TextEncoding::Ansi);
    CHECK(DetectEncoding("") == TextEncoding::Ansi);
}

TEST_CASE("SaveSettings keeps an existing file's encoding and gives a new one the code page's") {
    struct Case {
        const char* name;
        std::string existing;  // empty: no file yet
        std::uint32_t codePage;
        std::string mark;
        TextEncoding encoding;
    };
    const Case cases[] = {
        {"new file, Western code page", "", 1252, "", TextEncoding::Ansi},
        {"new file, UTF-8 code page", "", 65001, "\xEF\xBB\xBF", TextEncoding::Utf8},
        {"existing without mark", "[X]\r\nk=v\r\n", 1252, "", TextEncoding::Ansi},
        {"existing UTF-8", "\xEF\xBB\xBF[X]\r\nk=v\r\n", 1252, "\xEF\xBB\xBF", TextEncoding::Utf8},
        {"existing UTF-16LE", std::string("\xFF\xFE[\0X\0]\0\r\0\n\0k\0=\0v\0", 18), 1252, "\xFF\xFE",
         TextEncoding::Utf16Le},
        {"existing UTF-16BE", std::string("\xFE\xFF\0[\0X\0]\0\r\0\n\0k\0=\0v", 18), 1252, "\xFE\xFF",
         TextEncoding::Utf16Be},
    };
    for (const Case& c : cases) {
        CAPTURE(c.name);
        OpenWindow w;
        w.machine.mainWindow.codePage = c.codePage;
        PutFolder(w.machine, LR"(C:\Users\u\AppData\Roaming\Quorrin\Velmora)");
        if (!c.existing.empty()) PutFile(w.machine, kUserFile, c.existing);
        w.Start();
        w.form.SaveSettings();
        const std::string bytes = BytesOf(w.machine, kUserFile);
        CHECK(bytes.substr(0, c.mark.size()) == c.mark);
        CHECK(DetectEncoding(bytes) == c.encoding);
        const std::wstring text = DecodeText(bytes, c.encoding, c.codePage);
        const std::wstring foreign = c.existing.empty() ? L"" : L"[X]\r\nk=v\r\n\r\n";
        CHECK(text == foreign + std::wstring(kProgramSection.begin(), kProgramSection.end()));
    }
}

// ---- what SaveSettings writes

TEST_CASE("with the state option off only PROGRAM is written, after the foreign sections") {
    OpenWindow w;
    PutFolder(w.machine, LR"(C:\Users\u\AppData\Roaming\Quorrin\Velmora)");
    PutFile(w.machine, kUserFile,
            "; mine\r\n[MODE]\r\nCloseQuery=1\r\nSaveStatus=1\r\n[Friends]\r\n a = b "
            "\r\n\r\n[position]\r\nLeft=1\r\n"
            "[Program]\r\nName=x\r\n");
    w.Start();
    w.form.SetChecked(ControlId::CheckBoxSaveStatus, false);
    w.form.SaveSettings();
    CHECK(BytesOf(w.machine, kUserFile) == "[Friends]\r\na=b\r\n\r\n" + kProgramSection);
}

TEST_CASE("with the state option on the placement, the state and both options follow PROGRAM") {
    OpenWindow w;
    PutFolder(w.machine, LR"(C:\Users\u\AppData\Roaming\Quorrin\Velmora)");
    w.Start();
    w.machine.mainWindow.placement = {44, 2, 3, {-1, -1}, {-8, -8}, {-100, 20, 180, 300}};
    w.form.RecordWindowState(WindowState::Minimized);
    w.form.SetChecked(ControlId::CheckBoxSaveStatus, true);
    w.form.SetChecked(ControlId::CheckBoxCloseQuery, true);
    w.form.SaveSettings();
    CHECK(
        BytesOf(w.machine, kUserFile) ==
        kProgramSection +
            "[POSITION]\r\nFlags=2\r\nShowCmd=3\r\nMaxX=-8\r\nMaxY=-8\r\nLeft=-100\r\nTop=20\r\nRight=180\r\n"
            "Bottom=300\r\nState=1\r\n\r\n[MODE]\r\nCloseQuery=1\r\nSaveStatus=1\r\n\r\n");
    CHECK(w.machine.mainWindow.placementLengthsAsked.back() == 44);
}

TEST_CASE("LastClose at midnight has no time part") {
    OpenWindow w;
    PutFolder(w.machine, LR"(C:\Users\u\AppData\Roaming\Quorrin\Velmora)");
    w.Start();
    SUBCASE("exactly midnight") {
        w.machine.info.localTime = {2026, 1, 1, 0, 0, 0, 0};
        w.form.SaveSettings();
        CHECK(BytesOf(w.machine, kUserFile).find("LastClose=2026/01/01\r\n") != std::string::npos);
    }
    SUBCASE("one millisecond later") {
        w.machine.info.localTime = {2026, 1, 1, 0, 0, 0, 1};
        w.form.SaveSettings();
        CHECK(BytesOf(w.machine, kUserFile).find("LastClose=2026/01/01 0:00:00\r\n") != std::string::npos);
    }
}

TEST_CASE("missing per-user folders are created, parents first") {
    OpenWindow w;
    PutFolder(w.machine, LR"(C:\Users\u\AppData\Roaming)");
    w.Start();
    w.form.SaveSettings();
    CHECK(w.machine.files.at(LR"(C:\Users\u\AppData\Roaming\Quorrin)").directory);
    CHECK(w.machine.files.at(LR"(C:\Users\u\AppData\Roaming\Quorrin\Velmora)").directory);
    CHECK(BytesOf(w.machine, kUserFile).rfind("[PROGRAM]\r\n", 0) == 0);
}

TEST_CASE("a roaming folder on a drive where nothing exists yet is made from the drive down") {
    OpenWindow w;
    w.machine.mainWindow.appData = LR"(D:\box\Roaming)";
    w.Start();
    w.form.SaveSettings();
    CHECK(w.machine.files.at(LR"(D:\box\Roaming\Quorrin\Velmora)").directory);
    CHECK(w.machine.files.count(LR"(D:\box\Roaming\Quorrin\Velmora\Velmora.ini)"));
}

TEST_CASE("when the per-user folders cannot be made the file goes beside the executable") {
    OpenWindow w;
    PutFolder(w.machine, LR"(C:\Users\u\AppData\Roaming)");
    w.machine.mainWindow.uncreatableFolders = {LR"(C:\Users\u\AppData\Roaming\Quorrin)"};
    PutFolder(w.machine, LR"(C:\Tools)");
    w.Start();
    w.form.SaveSettings();
    CHECK_FALSE(w.machine.files.count(kUserFile));
    CHECK(BytesOf(w.machine, kFallbackFile).find("IniFile=C:\\Tools\\Velmora.ini\r\n") != std::string::npos);
}

// ---- what LoadSettings reads

TEST_CASE("first start without a file: the default placement, both options cleared, normal state") {
    OpenWindow w;
    w.machine.mainWindow.placement.normalPosition = {26, 26, 306, 306};  // 280 high
    w.Start();
    REQUIRE(w.machine.mainWindow.placementsSet.size() == 1);
    const platform::WindowPlacement& set = w.machine.mainWindow.placementsSet[0];
    CHECK(set.normalPosition == platform::Rect{820, 346, 1166, 692});
    CHECK(set.showCmd == 0);
    CHECK(set.flags == 0);
    CHECK(set.maxPosition == platform::Point{-1, -1});
    CHECK_FALSE(w.form.IsChecked(ControlId::CheckBoxCloseQuery));
    CHECK_FALSE(w.form.IsChecked(ControlId::CheckBoxSaveStatus));
    CHECK(w.form.State() == WindowState::Normal);
    CHECK(w.machine.mainWindow.profileFilesRead.front() == kFallbackFile);
    CHECK(w.machine.files.empty());
}

TEST_CASE("keys are read one by one, with defaults for what is missing or unusable") {
    struct Case {
        std::string position;
        platform::Rect expected;
    };
    const Case cases[] = {
        {"Top=100\r\nLeft=200\r\n", {200, 100, 300, 200}},
        {"Left=0x10\r\n", {16, 346, 362, 692}},
        {"Left=$10\r\n", {16, 346, 362, 692}},
        {"Left=12abc\r\n", {820, 346, 1166, 692}},
        {"Left=\r\n", {820, 346, 1166, 692}},
        {"left = -5 \r\nTOP=7\r\nRight=1\r\nBottom=2\r\n", {-5, 7, 1, 2}},
        // A value is read into 2048 characters with the terminator.
        {"Left=" + std::string(2046, '0') + "7\r\n", {7, 346, 353, 692}},
        {"Left=" + std::string(2047, '0') + "7\r\n", {0, 346, 346, 692}},
    };
    for (const Case& c : cases) {
        CAPTURE(c.position);
        OpenWindow w;
        PutFile(w.machine, kFallbackFile, "[Position]\r\n" + c.position);
        w.Start();
        CHECK(w.machine.mainWindow.placementsSet.at(0).normalPosition == c.expected);
    }
}

TEST_CASE("the per-user file wins over the one beside the executable") {
    OpenWindow w;
    PutFile(w.machine, kFallbackFile, "[POSITION]\r\nLeft=1\r\n");
    PutFile(w.machine, kUserFile, "[POSITION]\r\nLeft=2\r\n");
    w.Start();
    CHECK(w.machine.mainWindow.placementsSet.at(0).normalPosition.left == 2);
}

TEST_CASE("the placement is always applied hidden, whatever ShowCmd says") {
    OpenWindow w;
    PutFile(w.machine, kUserFile, "[POSITION]\r\nShowCmd=3\r\nFlags=2\r\nMaxX=-8\r\nMaxY=$FFFFFFF8\r\n");
    w.Start();
    const platform::WindowPlacement& set = w.machine.mainWindow.placementsSet.at(0);
    CHECK(set.showCmd == 0);
    CHECK(set.flags == 2);
    CHECK(set.maxPosition == platform::Point{-8, -8});
}

TEST_CASE("the options and the state come from MODE and POSITION") {
    struct Case {
        const char* file;
        bool closeQuery;
        bool saveStatus;
        WindowState state;
    };
    const Case cases[] = {
        {"[MODE]\r\nCloseQuery=true\r\nSaveStatus=0\r\n", false, false, WindowState::Normal},
        {"[MODE]\r\nCloseQuery=2\r\nSaveStatus=1\r\n", true, true, WindowState::Normal},
        {"[POSITION]\r\nSTATE=2\r\n", false, false, WindowState::Maximized},
        {"[POSITION]\r\nstate=2\r\n", false, false, WindowState::Maximized},
        {"[POSITION]\r\nState=1\r\n", false, false, WindowState::Minimized},
        {"[POSITION]\r\nState=7\r\n", false, false, WindowState::Normal},
    };
    for (const Case& c : cases) {
        CAPTURE(c.file);
        OpenWindow w;
        PutFile(w.machine, kUserFile, c.file);
        w.Start();
        CHECK(w.form.IsChecked(ControlId::CheckBoxCloseQuery) == c.closeQuery);
        CHECK(w.form.IsChecked(ControlId::CheckBoxSaveStatus) == c.saveStatus);
        CHECK(w.form.State() == c.state);
    }
}

TEST_CASE("a maximized state read from the file shows the window maximized") {
    OpenWindow w;
    PutFile(w.machine, kUserFile, "[POSITION]\r\nState=2\r\n");
    w.Start();
    CHECK(w.machine.windows.begin()->second.shows == std::vector{platform::ShowCommand::ShowMaximized});
}
