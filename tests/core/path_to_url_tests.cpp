#include <string>

#include "../printing.h"
#include "url/path_to_url.h"

namespace {

struct Case {
    const wchar_t* path;
    const wchar_t* url;
};

// Offline mirrors as they are found on disk, and the address each came from.
const Case kMirrorCases[] = {
    {LR"(C:\Mirror\www.example.com\docs\page.html)", L"http://www.example.com/docs/page.html"},
    {LR"(D:\www.example.com\index.html)", L"http://www.example.com/index.html"},
    {LR"(C:\Mirror\www.example.com)", L"http://www.example.com"},
    {LR"(\\server\share\www.example.com\a\b.html)", L"http://www.example.com/a/b.html"},
    {LR"(\\nas.local\web\www.example.com\index.html)", L"http://nas.local/web/www.example.com/index.html"},
    {LR"(\\?\C:\Mirror\www.example.com\page.html)", L"http://www.example.com/page.html"},
    {LR"(C:\Users\user.name\Downloads\www.example.com\index.html)",
     L"http://user.name/Downloads/www.example.com/index.html"},
    {LR"(C:\Mirror\page.html)", L"http://page.html"},
    {LR"(C:\Mirror\README)", L"http://"},
    {L"", L"http://"},
    {LR"(C:\\Mirror\www.example.com\page.html)", L"http://www.example.com/page.html"},
    {LR"(C:\Mirror\www.example.com\\docs\page.html)", L"http://www.example.com//docs/page.html"},
    {LR"(C:\Mirror\www.example.com\docs\)", L"http://www.example.com/docs"},
    {LR"(C:\Mirror\www.example.com\\)", L"http://www.example.com"},
    {L"C:\\Mirror\\www.example.com\\page.html  ", L"http://www.example.com/page.html"},
    {L"C:\\Mirror\\www.example.com\\docs\\ ", L"http://www.example.com/docs"},
    {LR"(C:\Mirror\ www.example.com\page.html)", L"http://www.example.com/page.html"},
    {LR"(C:\Mirror\www.example.com\my docs\page.html)", L"http://www.example.com/my docs/page.html"},
    {LR"(C:\Mirror\WWW.Example.COM\Page.HTML)", L"http://WWW.Example.COM/Page.HTML"},
    {L"C:/Mirror/www.example.com/page.html", L"http://C:/Mirror/www.example.com/page.html"},
    {LR"(..\www.example.com\page.html)", L"http://../www.example.com/page.html"},
    {LR"(C:\Mirror\.\www.example.com\page.html)", L"http://./www.example.com/page.html"},
    {LR"(\)", L"http://"},
    // Not ASCII: passes through as written.
    {L"C:\\Mirror\\例え.jp\\ページ\\索引.html", L"http://例え.jp/ページ/索引.html"},
};

// Blanks are U+0000..U+0020 only, and only the outer ends of the kept text are stripped.
const Case kBlankCases[] = {
    {L"C:\\Mirror\\\twww.example.com\\a.html\r\n", L"http://www.example.com/a.html"},
    {L"C:\\Mirror\\www.example.com\\ mid \\a.html", L"http://www.example.com/ mid /a.html"},
    {L"C:\\Mirror\\www.example.com \\a.html", L"http://www.example.com /a.html"},
    {L"C:\\Mirror\\\u3000www.example.com\\a.html\u00A0", L"http://\u3000www.example.com/a.html\u00A0"},
    {L"C:\\Mirror\\ www.example.com \\ \\\t\\", L"http://www.example.com"},
    {L"C:\\Mirror\\!www.example.com\\a.html!\\!", L"http://!www.example.com/a.html!/!"},
};

}  // namespace

TEST_CASE("PathToUrl drops the local folders above the host") {
    for (const Case& c : kMirrorCases) {
        CAPTURE(std::wstring(c.path));
        CHECK(PathToUrl(c.path) == c.url);
    }
}

TEST_CASE("PathToUrl strips only ASCII blanks and only at the ends of what it keeps") {
    for (const Case& c : kBlankCases) {
        CAPTURE(std::wstring(c.path));
        CHECK(PathToUrl(c.path) == c.url);
    }
}
