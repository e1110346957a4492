#pragma once
// A fresh machine with the main window created and a mirrored page on disk, for the commands
// that take files in and download them again.

#include <string>
#include <vector>

#include "fixture.h"

inline const std::wstring kPagePath = LR"(C:\Mirror\www.example.com\docs\page.html)";
inline const std::wstring kPageUrl = L"http://www.example.com/docs/page.html";

struct OpenWindow : FreshMachine {
    OpenWindow() {
        Form1 = &form;
        form.Create();
        machine.calls.clear();
        machine.files[kPagePath].bytes = "earlier copy";
    }
    ~OpenWindow() { form.Destroy(); }

    // The page as the server now has it, in reads of the given pieces.
    void Serve(std::vector<fake::Piece> pieces, std::uint32_t status = 200,
               const std::wstring& url = kPageUrl) {
        machine.download.servers[url] = fake::Server{status, std::move(pieces), std::nullopt};
    }
    void TakeInPage() {
        SourceFileName = kPagePath;
        SourceUrl = kPageUrl;
    }
    std::vector<std::wstring> BoxTexts() const {
        std::vector<std::wstring> texts;
        for (const fake::BoxCall& box : machine.boxes) texts.push_back(box.text);
        return texts;
    }
    // Every path on the fake disk, so that a stray temporary file shows.
    std::vector<std::wstring> Paths() const {
        std::vector<std::wstring> paths;
        for (const auto& [path, entry] : machine.files) paths.push_back(path);
        return paths;
    }

    TForm1 form;
};
