// Time from starting a program to its main window being visible and answering (its caption is
// read with a message, so the window's first paint counts): Velmora against a trivial window
// program started the same way in the same run, alternately. Prints the medians and the fastest
// runs with their ratios.
//   startup-bench PROGRAM_DIRECTORY [RUNS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/wine/UiDriver.h"

namespace {

double Seconds(LARGE_INTEGER a, LARGE_INTEGER b, LARGE_INTEGER f) {
    return static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(f.QuadPart);
}

// Seconds until the window shows, or -1 when the program ends or gives up without it.
double TimeToWindow(const std::wstring& exe, const wchar_t* cls, const std::wstring& caption) {
    LARGE_INTEGER f, start, end;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&start);
    velmora::uitest::Process p(exe);
    if (!p.started()) return -1;
    HWND h = nullptr;
    for (int i = 0; i < 30000 && !h && p.Running(); ++i) {
        h = velmora::uitest::WaitWindow(p.pid(), cls, caption, 0);
        if (!h) Sleep(1);
    }
    QueryPerformanceCounter(&end);
    p.Kill();
    return h ? Seconds(start, end, f) : -1;
}

// A run again when the program ended, or gave up, without its window; how many such runs
// there were is reported.
double Measure(const std::wstring& exe, const wchar_t* cls, const std::wstring& caption, int* failed) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        const double t = TimeToWindow(exe, cls, caption);
        if (t >= 0) return t;
        ++*failed;
        Sleep(500);
    }
    return -1;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double Fastest(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: startup-bench PROGRAM_DIRECTORY [RUNS]\n");
        return 2;
    }
    const std::wstring dir = velmora::uitest::W(argv[1]);
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring trivial = self;
    trivial = trivial.substr(0, trivial.find_last_of(L'\\')) + L"\\trivial-window.exe";
    // Other programs share the machine: more runs and the fastest beside the median tell a
    // change from noise.
    const int runs = argc >= 3 ? std::max(1, std::atoi(argv[2])) : 7;
    std::vector<double> velmora, reference;
    int failed = 0;
    for (int i = 0; i < runs; ++i) {
        reference.push_back(Measure(trivial, L"VelmoraTrivial", L"Trivial", &failed));
        velmora.push_back(Measure(dir + L"\\Velmora.exe", L"VelmoraFrame", L"Velmora", &failed));
    }
    if (failed > 0) {
        std::fprintf(stderr, "startup-bench: %d runs ended without a window and were repeated\n", failed);
    }
    if (std::find(velmora.begin(), velmora.end(), -1.0) != velmora.end() ||
        std::find(reference.begin(), reference.end(), -1.0) != reference.end()) {
        std::fprintf(stderr, "startup-bench: a window did not appear\n");
        return 1;
    }
    const double v = Median(velmora), r = Median(reference);
    const double vf = Fastest(velmora), rf = Fastest(reference);
    std::printf("start-up to visible window, median of %d: Velmora %.3f s, trivial window %.3f s, ratio %.2f "
                "(goal under 1.5)\n",
                runs, v, r, r > 0 ? v / r : 0.0);
    std::printf("fastest of %d: Velmora %.3f s, trivial window %.3f s, ratio %.2f\n", runs, vf, rf,
                rf > 0 ? vf / rf : 0.0);
    return 0;
}
