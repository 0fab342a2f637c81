// Test helper: asks Windows itself whether the files a package delivers are usable.
//   velmora-resource-probe cursor FILE   loads FILE as a cursor (.cur or .ani)
//   velmora-resource-probe icons FILE    prints how many icons FILE holds ("FILE,index")
// Exit code 0 when Windows accepted the file, 1 when not, 2 for a bad command line.

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>

namespace {

int probeCursor(const wchar_t* path) {
    HCURSOR cursor = LoadCursorFromFileW(path);
    if (cursor == nullptr) {
        return 1;
    }
    DestroyCursor(cursor);
    return 0;
}

int probeIcons(const wchar_t* path) {
    const UINT count = ExtractIconExW(path, -1, nullptr, nullptr, 0);
    std::printf("%u\n", count);
    for (UINT i = 0; i < count; ++i) {
        HICON large = nullptr;
        if (ExtractIconExW(path, static_cast<int>(i), &large, nullptr, 1) != 1 || large == nullptr) {
            return 1;
        }
        DestroyIcon(large);
    }
    return count > 0 ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        return 2;
    }
    if (std::wcscmp(argv[1], L"cursor") == 0) {
        return probeCursor(argv[2]);
    }
    if (std::wcscmp(argv[1], L"icons") == 0) {
        return probeIcons(argv[2]);
    }
    return 2;
}
