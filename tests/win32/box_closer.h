#pragma once
// Presses OK on every box this process shows while it lives, and keeps the boxes' texts: the
// downloader's failures are shown in modal boxes that nobody is there to close.

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32/win32.h"

class BoxCloser {
public:
    BoxCloser() : thread_([this] { Run(); }) {}
    ~BoxCloser() {
        stop_ = true;
        thread_.join();
    }
    std::vector<std::wstring> Texts() {
        const std::lock_guard<std::mutex> lock(mutex_);
        return texts_;
    }

private:
    void Run() {
        while (!stop_) {
            ::EnumWindows(&BoxCloser::Visit, reinterpret_cast<LPARAM>(this));
            ::Sleep(20);
        }
    }

    static BOOL CALLBACK Visit(HWND window, LPARAM self) {
        DWORD process = 0;
        ::GetWindowThreadProcessId(window, &process);
        wchar_t name[32] = {};
        ::GetClassNameW(window, name, 32);
        if (process != ::GetCurrentProcessId() || std::wstring(name) != L"#32770" ||
            !::IsWindowVisible(window))
            return TRUE;
        auto* closer = reinterpret_cast<BoxCloser*>(self);
        std::wstring text;
        ::EnumChildWindows(window, &BoxCloser::Collect, reinterpret_cast<LPARAM>(&text));
        {
            const std::lock_guard<std::mutex> lock(closer->mutex_);
            closer->texts_.push_back(text);
        }
        ::PostMessageW(::GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
        // Wait for it to go, so that one box is counted once.
        for (int i = 0; i < 250 && ::IsWindow(window) && ::IsWindowVisible(window); ++i) ::Sleep(20);
        return TRUE;
    }

    // The longest Static text is the box's message.
    static BOOL CALLBACK Collect(HWND child, LPARAM out) {
        wchar_t name[32] = {};
        ::GetClassNameW(child, name, 32);
        if (std::wstring(name) != L"Static") return TRUE;
        wchar_t text[2048] = {};
        ::GetWindowTextW(child, text, 2048);
        auto* best = reinterpret_cast<std::wstring*>(out);
        if (wcslen(text) > best->size()) *best = text;
        return TRUE;
    }

    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<std::wstring> texts_;
    std::thread thread_;
};
