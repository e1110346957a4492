// One download through the program's own DownloadToFile, timed, with the process's peak
// memory afterwards. scripts/bench-download runs it under Wine beside curl.
//
//   bench_download <url> <target>   prints: ok bytes seconds peak-working-set peak-private
// clang-format off
#include "platform/win32/win32.h"
#include <psapi.h>
// clang-format on

#include <cstdio>
#include <filesystem>

#include "app/form.h"

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fputs("usage: bench_download <url> <target>\n", stderr);
        return 2;
    }
    LARGE_INTEGER frequency{}, start{}, end{};
    ::QueryPerformanceFrequency(&frequency);
    TForm1 form;  // no window: the download pumps an empty queue
    ::QueryPerformanceCounter(&start);
    bool ok = false;
    try {
        ok = form.DownloadToFile(argv[1], argv[2]);
    } catch (const platform::Error&) {
        ok = false;
    }
    ::QueryPerformanceCounter(&end);
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &memory, sizeof memory);
    std::error_code error;
    const auto bytes = std::filesystem::file_size(argv[2], error);
    std::printf("%d %llu %.3f %llu %llu\n", ok ? 1 : 0, error ? 0ULL : static_cast<unsigned long long>(bytes),
                static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart),
                static_cast<unsigned long long>(memory.PeakWorkingSetSize),
                static_cast<unsigned long long>(memory.PeakPagefileUsage));
    return ok ? 0 : 1;
}
