#include <doctest.h>

#include <random>

#include "../printing.h"
#include "files/paths.h"
#include "platform/error.h"

namespace {

const std::wstring_view kSeparatorSets[] = {kBackslash, kBackslashColon, kBackslashSlashColon};

// Short paths over the characters every rule looks at, and a few it must pass through.
std::vector<std::wstring> SamplePaths() {
    std::vector<std::wstring> paths;
    std::mt19937 generator(20261209);
    const std::wstring alphabet = L"a.\\/: é";
    for (int i = 0; i < 5000; ++i) {
        std::wstring path;
        const int length = static_cast<int>(generator() % 13);
        for (int k = 0; k < length; ++k) path += alphabet[generator() % alphabet.size()];
        paths.push_back(path);
    }
    return paths;
}

std::wstring TooLongText(const std::wstring& path) {
    try {
        RequireShortPath(path);
    } catch (const platform::Error& error) {
        return error.Text();
    }
    return L"";
}

}  // namespace

TEST_CASE("a path splits into folder, base name and extension and joins back, for every separator set") {
    for (const std::wstring& path : SamplePaths()) {
        for (const std::wstring_view separators : kSeparatorSets) {
            CAPTURE(path);
            CAPTURE(std::wstring(separators));
            const std::wstring folder = FolderPart(path, separators);
            const std::wstring name = FileNamePart(path, separators);
            const std::wstring extension = ExtensionPart(path, separators);
            CHECK(folder + name == path);
            CHECK(JoinPath(folder, name) == path);
            CHECK(name.find_first_of(separators) == std::wstring::npos);
            CHECK(BaseNamePart(path, separators) + extension == name);
            CHECK((extension.empty() ||
                   (extension[0] == L'.' && extension.find(L'.', 1) == std::wstring::npos)));
            CHECK(WithExtension(path, separators, extension) == path);
            CHECK(ExtensionPart(WithExtension(path, separators, L".chm"), separators) == L".chm");
        }
    }
}

TEST_CASE("which characters end a folder decides the file name and its extension") {
    struct Case {
        std::wstring_view separators;
        const wchar_t* path;
        const wchar_t* name;
        const wchar_t* extension;
        const wchar_t* baseName;
    };
    const Case cases[] = {
        {kBackslashSlashColon, LR"(C:\Mirror\docs\page.html)", L"page.html", L".html", L"page"},
        {kBackslashSlashColon, LR"(C:/Mirror/data.tar.gz)", L"data.tar.gz", L".gz", L"data.tar"},
        {kBackslashColon, LR"(C:/Mirror/data.tar.gz)", L"/Mirror/data.tar.gz", L".gz", L"/Mirror/data.tar"},
        {kBackslashSlashColon, LR"(C:\Mirror\.htaccess)", L".htaccess", L".htaccess", L""},
        {kBackslashSlashColon, LR"(C:\Mir.ror\index)", L"index", L"", L"index"},
        {kBackslashSlashColon, LR"(C:page.html)", L"page.html", L".html", L"page"},
        {kBackslash, LR"(C:page.html)", L"C:page.html", L".html", L"C:page"},
        {kBackslashColon, LR"(C:.lnk:stream)", L"stream", L"", L"stream"},
    };
    for (const Case& c : cases) {
        CAPTURE(std::wstring(c.path));
        CHECK(FileNamePart(c.path, c.separators) == c.name);
        CHECK(ExtensionPart(c.path, c.separators) == c.extension);
        CHECK(BaseNamePart(c.path, c.separators) == c.baseName);
    }
}

TEST_CASE("Save As's directory part keeps a drive's separator") {
    struct Case {
        const wchar_t* path;
        const wchar_t* directory;
    };
    const Case cases[] = {
        {LR"(C:\Mirror\docs\page.html)", LR"(C:\Mirror\docs)"},
        {LR"(C:\page.html)", LR"(C:\)"},
        {LR"(C:/Mirror/data.tar.gz)", LR"(C:/Mirror)"},
        {LR"(C:page.html)", L"C:"},
        {L"page.html", L""},
        {LR"(C:\)", LR"(C:\)"},
    };
    for (const Case& c : cases) CHECK(DirectoryPart(c.path) == c.directory);
}

TEST_CASE("the help walk's enclosing folder stops at a drive root or a share root") {
    struct Case {
        const wchar_t* path;
        const wchar_t* folder;
    };
    const Case cases[] = {
        {LR"(C:\Tools\Pages\App.chm)", LR"(C:\Tools\Pages)"},
        {LR"(C:\Tools)", LR"(C:\)"},
        {LR"(C:\App.chm)", LR"(C:\)"},
        {LR"(C:\)", L""},
        {LR"(\\server\share\dir\App.chm)", LR"(\\server\share\dir)"},
        {LR"(\\server\share\App.chm)", LR"(\\server\share)"},
        {LR"(\\server\share)", L""},
        {LR"(\\)", L""},
        {LR"(\Tools\App.chm)", LR"(\Tools)"},
        {LR"(T\Pages\App.chm)", LR"(T\Pages)"},
        {LR"(C:/Tools/x.chm)", LR"(C:/Tools)"},
        {L"App.chm", L""},
    };
    for (const Case& c : cases) {
        CAPTURE(std::wstring(c.path));
        CHECK(EnclosingFolder(c.path) == c.folder);
    }
}

TEST_CASE("the two joins differ only for an empty first part") {
    struct Case {
        const wchar_t* first;
        const wchar_t* second;
        const wchar_t* saveAs;
        const wchar_t* other;
    };
    const Case cases[] = {
        {LR"(C:\Mirror)", L"page", LR"(C:\Mirror\page)", LR"(C:\Mirror\page)"},
        {LR"(C:\)", L"page", LR"(C:\page)", LR"(C:\page)"},
        {LR"(C:/Mirror/)", L"page", LR"(C:/Mirror/page)", LR"(C:/Mirror/page)"},
        {L"C:", L"page", L"C:page", L"C:page"},
        {L"", L"page", LR"(\page)", L"page"},
        {LR"(C:\Mirror\example.com)", L"", LR"(C:\Mirror\example.com)", LR"(C:\Mirror\example.com\)"},
    };
    for (const Case& c : cases) {
        CHECK(JoinBaseName(c.first, c.second) == c.saveAs);
        CHECK(JoinPath(c.first, c.second) == c.other);
    }
}

TEST_CASE("a path of 260 characters or more is too long unless it is extended-length") {
    const std::wstring folder = LR"(C:\)" + std::wstring(251, L'd');
    CHECK(TooLongText(folder + LR"(\abcd)") == L"");  // 259
    CHECK(TooLongText(folder + LR"(\abcde)") == L"The specified path is too long");
    CHECK(TooLongText(LR"(\\?\)" + folder + LR"(\abcde)") == L"");
    CHECK_THROWS_AS(DirectoryPart(folder + LR"(\abcde)"), platform::Error);
    CHECK_THROWS_AS(EnclosingFolder(folder + LR"(\abcde)"), platform::Error);
}
