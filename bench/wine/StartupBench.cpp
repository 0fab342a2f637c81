// Time from starting a program to its main window being visible: Velmora against a trivial
// window program started the same way in the same run. Prints the medians and their ratio.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/wine/UiDriver.h"

namespace {

double Seconds(LARGE_INTEGER a, LARGE_INTEGER b, LARGE_INTEGER f) {
    return static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(f.QuadPart);
}

double TimeToWindow(const std::wstring& exe, const wchar_t* cls, const std::wstring& caption) {
    LARGE_INTEGER f, start, end;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&start);
    velmora::uitest::Process p(exe);
    if (!p.started()) return -1;
    HWND h = nullptr;
    for (int i = 0; i < 30000 && !h; ++i) {
        h = velmora::uitest::WaitWindow(p.pid(), cls, caption, 0);
        if (!h) Sleep(1);
    }
    QueryPerformanceCounter(&end);
    p.Kill();
    return h ? Seconds(start, end, f) : -1;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: startup-bench PROGRAM_DIRECTORY\n");
        return 2;
    }
    const std::wstring dir = velmora::uitest::W(argv[1]);
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring trivial = self;
    trivial = trivial.substr(0, trivial.find_last_of(L'\\')) + L"\\trivial-window.exe";
    constexpr int kRuns = 5;
    std::vector<double> velmora, reference;
    for (int i = 0; i < kRuns; ++i) {
        reference.push_back(TimeToWindow(trivial, L"VelmoraTrivial", L"Trivial"));
        velmora.push_back(TimeToWindow(dir + L"\\Velmora.exe", L"VelmoraFrame", L"Velmora"));
    }
    const double v = Median(velmora), r = Median(reference);
    std::printf("start-up to visible window, median of %d: Velmora %.3f s, trivial window %.3f s, ratio %.2f "
                "(goal under 1.5)\n",
                kRuns, v, r, r > 0 ? v / r : 0.0);
    return 0;
}
