// One download, timed, with the process's peak memory afterwards. scripts/bench-download runs
// it under Wine beside curl, in three ways on the same bodies:
//   velmora   the program's own DownloadToFile
//   floor     the floor of what it must do: 520-byte reads, a pump and Sleep(0) after each, the
//             bytes written straight to the target
//   floor64k  the same loop reading 64 KiB at a time, to show what the 520 bytes cost
//
//   bench_download <mode> <url> <target>   prints: ok bytes seconds peak-working-set peak-private
// clang-format off
#include "platform/win32/win32.h"
#include <psapi.h>
#include <wininet.h>
// clang-format on

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/form.h"

namespace {

bool FloorDownload(const wchar_t* url, const wchar_t* target, DWORD chunkSize) {
    const HINTERNET internet = ::InternetOpenW(nullptr, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    if (!internet) return false;
    const HINTERNET request = ::InternetOpenUrlW(internet, url, nullptr, 0, INTERNET_FLAG_RELOAD, 0);
    bool ok = request != nullptr;
    const HANDLE file = ok ? ::CreateFileW(target, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                           FILE_ATTRIBUTE_NORMAL, nullptr)
                           : INVALID_HANDLE_VALUE;
    ok = ok && file != INVALID_HANDLE_VALUE;
    std::vector<char> chunk(chunkSize);
    while (ok) {
        DWORD count = 0;
        if (!::InternetReadFile(request, chunk.data(), chunkSize, &count)) {
            ok = false;
            break;
        }
        MSG message{};
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        ::Sleep(0);
        if (count == 0) break;
        DWORD written = 0;
        ok = ::WriteFile(file, chunk.data(), count, &written, nullptr) && written == count;
    }
    if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
    if (request) ::InternetCloseHandle(request);
    ::InternetCloseHandle(internet);
    return ok;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        std::fputs("usage: bench_download velmora|floor|floor64k <url> <target>\n", stderr);
        return 2;
    }
    const std::wstring mode = argv[1];
    LARGE_INTEGER frequency{}, start{}, end{};
    ::QueryPerformanceFrequency(&frequency);
    TForm1 form;  // no window: the download pumps an empty queue
    ::QueryPerformanceCounter(&start);
    bool ok = false;
    if (mode == L"velmora") {
        try {
            ok = form.DownloadToFile(argv[2], argv[3]);
        } catch (const platform::Error&) {
            ok = false;
        }
    } else {
        ok = FloorDownload(argv[2], argv[3], mode == L"floor64k" ? 65536 : 520);
    }
    ::QueryPerformanceCounter(&end);
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &memory, sizeof memory);
    std::error_code error;
    const auto bytes = std::filesystem::file_size(argv[3], error);
    std::printf("%d %llu %.3f %llu %llu\n", ok ? 1 : 0, error ? 0ULL : static_cast<unsigned long long>(bytes),
                static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart),
                static_cast<unsigned long long>(memory.PeakWorkingSetSize),
                static_cast<unsigned long long>(memory.PeakPagefileUsage));
    return ok ? 0 : 1;
}
