// The list control on 10,000 rows against a plain list box doing the same in the same run:
// time per wheel step and per selection change (each followed by its painting), and the time
// to fill. Registers the built Kelpo.dll for the run and removes it again.
//   kelpo-bench PROGRAM_DIRECTORY [--show SECONDS]
#include <windows.h>
#include <ole2.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "com/OleControl.h"
#include "tests/wine/KelpoSupport.h"
#include "tests/wine/UiDriver.h"

namespace {

constexpr int kRows = 10000;
constexpr int kSteps = 400;
constexpr int kItemHeight = 18;

class Timer {
public:
    Timer() {
        QueryPerformanceFrequency(&frequency_);
        QueryPerformanceCounter(&start_);
    }
    double Microseconds() const {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return static_cast<double>(now.QuadPart - start_.QuadPart) * 1e6 / static_cast<double>(frequency_.QuadPart);
    }

private:
    LARGE_INTEGER frequency_, start_;
};

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// A wheel notch towards the user (down the list) or away from it.
WPARAM Wheel(bool down) { return MAKEWPARAM(0, static_cast<WORD>(down ? -WHEEL_DELTA : WHEEL_DELTA)); }

// Average microseconds per step: wheel notches down to 1/4 of the list and back, each painted.
double WheelSteps(HWND target) {
    Timer timer;
    for (int i = 0; i < kSteps; ++i) {
        SendMessageW(target, WM_MOUSEWHEEL, Wheel(i < kSteps / 2), 0);
        UpdateWindow(target);
        GdiFlush();
    }
    return timer.Microseconds() / kSteps;
}

template <typename Select>
double SelectionChanges(HWND target, Select select) {
    Timer timer;
    for (int i = 0; i < kSteps; ++i) {
        select(i % 20);
        UpdateWindow(target);
        GdiFlush();
    }
    return timer.Microseconds() / kSteps;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: kelpo-bench PROGRAM_DIRECTORY [--show SECONDS]\n");
        return 2;
    }
    const std::wstring dll = velmora::uitest::W(argv[1]) + L"\\Kelpo.dll";
    const int show = argc >= 4 && std::string(argv[2]) == "--show" ? std::atoi(argv[3]) : 0;
    OleInitialize(nullptr);
    if (velmora::kelpotest::RunRegsvr32(L"/s", dll) != 0) {
        std::fprintf(stderr, "kelpo-bench: regsvr32 could not register %ls\n", dll.c_str());
        return 1;
    }
    int status = 0;
    {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = L"KelpoBench";
        RegisterClassW(&wc);
        HWND frame = CreateWindowExW(0, L"KelpoBench", L"Kelpo benchmark", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN |
                                                                            WS_VISIBLE,
                                     0, 0, 680, 480, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        auto list = velmora::com::OleControl::Create(frame, "ListBox.LeiBiao", RECT{10, 10, 310, 412});
        HWND box = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"",
                                   WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 330, 10, 300,
                                   402, frame, nullptr, GetModuleHandleW(nullptr), nullptr);
        if (!list || !box) {
            std::fprintf(stderr, "kelpo-bench: the list control or the list box could not be made\n");
            status = 1;
        } else {
            SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
            SendMessageW(box, LB_SETITEMHEIGHT, 0, kItemHeight);
            Timer fillList;
            for (int i = 0; i < kRows; ++i)
                velmora::com::CallMethod(list->dispatch(), "AddItem",
                                         {"资源 " + std::to_string(i + 1), "分类 " + std::to_string(i % 17)});
            const double listFill = fillList.Microseconds();
            // The list box is filled with its redrawing off, as list boxes are: drawn it takes
            // milliseconds per row under Wine.
            Timer fillBox;
            SendMessageW(box, WM_SETREDRAW, FALSE, 0);
            for (int i = 0; i < kRows; ++i) {
                const std::wstring text = L"资源 " + std::to_wstring(i + 1) + L"\t分类 " + std::to_wstring(i % 17);
                SendMessageW(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
            }
            SendMessageW(box, WM_SETREDRAW, TRUE, 0);
            InvalidateRect(box, nullptr, TRUE);
            UpdateWindow(box);
            const double boxFill = fillBox.Microseconds();
            Pump();
            UpdateWindow(frame);

            const double listWheel = WheelSteps(list->window());
            const double boxWheel = WheelSteps(box);
            const double listSelect = SelectionChanges(list->window(), [&](int i) {
                velmora::com::PutProperty(list->dispatch(), "ListIndex", static_cast<std::int32_t>(i));
            });
            const double boxSelect =
                SelectionChanges(box, [&](int i) { SendMessageW(box, LB_SETCURSEL, static_cast<WPARAM>(i), 0); });

            std::printf("list of %d rows, LeiBiao against a plain list box in the same run (each step painted):\n",
                        kRows);
            std::printf("  wheel step:        LeiBiao %8.1f us, list box %8.1f us, ratio %.2f\n", listWheel, boxWheel,
                        boxWheel > 0 ? listWheel / boxWheel : 0.0);
            std::printf("  selection change:  LeiBiao %8.1f us, list box %8.1f us, ratio %.2f\n", listSelect,
                        boxSelect, boxSelect > 0 ? listSelect / boxSelect : 0.0);
            std::printf("  adding a row:      LeiBiao %8.1f us, list box %8.1f us, ratio %.2f (list box not redrawing)\n",
                        listFill / kRows,
                        boxFill / kRows, boxFill > 0 ? listFill / boxFill : 0.0);
            if (show > 0) {
                const DWORD until = GetTickCount() + static_cast<DWORD>(show) * 1000;
                while (GetTickCount() < until) {
                    Pump();
                    Sleep(20);
                }
            }
        }
        list.reset();
        if (box) DestroyWindow(box);
        if (frame) DestroyWindow(frame);
    }
    velmora::kelpotest::RunRegsvr32(L"/s /u", dll);
    OleUninitialize();
    return status;
}
