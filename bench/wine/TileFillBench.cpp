// Filling a page of tiles: nine 1920 x 1080 JPEGs, each decoded into a real Thumb tile by the
// management centre's own path and every tile painted, against a bare GDI+ decode of the same
// files drawn at the tile's picture size into a memory DC, alternating in the same run.
// Registers the built Thumb.dll for the run and removes it again.
//   tile-fill-bench PROGRAM_DIRECTORY [--rounds N] [--show SECONDS]
#include <windows.h>
#include <ole2.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "com/OleControl.h"
#include "library/win32/XianShiTuPian.h"
#include "platform/win32/Gdiplus.h"
#include "platform/win32/Wide.h"
#include "platform/win32/Win32Pictures.h"
#include "platform/win32/Win32Platform.h"
#include "tests/wine/ServerTestSupport.h"
#include "tests/wine/TilePictures.h"
#include "tests/wine/UiDriver.h"
#include "thumb/ThumbImg.h"

using namespace Gdiplus::DllExports;

namespace {

constexpr int kPictures = 9;
constexpr int kSourceWidth = 1920, kSourceHeight = 1080;

class Timer {
  public:
    Timer() {
        QueryPerformanceFrequency(&frequency_);
        QueryPerformanceCounter(&start_);
    }
    double Milliseconds() const {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return static_cast<double>(now.QuadPart - start_.QuadPart) * 1e3 /
               static_cast<double>(frequency_.QuadPart);
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

// A photograph-like picture, different for every seed: smooth light, shapes with edges and
// fine grain, so that the files carry as much detail as real pictures do.
std::uint32_t PhotoPixel(int seed, int x, int y) {
    std::uint32_t noise = static_cast<std::uint32_t>(x * 73856093) ^
                          static_cast<std::uint32_t>(y * 19349663) ^
                          static_cast<std::uint32_t>(seed * 83492791);
    noise = (noise ^ (noise >> 13)) * 1274126177u;
    const int grain = static_cast<int>((noise >> 24) & 31) - 16;
    const int cx = 400 + seed * 130, cy = 300 + seed * 60;
    const bool disc = (x - cx) * (x - cx) + (y - cy) * (y - cy) < (180 + seed * 10) * (180 + seed * 10);
    const bool band = ((x + y * (seed + 1)) / (40 + seed * 7)) % 2 == 0;
    const auto clamp = [](int v) { return static_cast<std::uint32_t>(std::clamp(v, 0, 255)); };
    const int r = (disc ? 230 : x * 200 / kSourceWidth) + (band ? 20 : 0) + grain;
    const int g = (y * 180 / kSourceHeight + seed * 25) % 256 + grain;
    const int b = (disc ? 40 : 255 - x * 150 / kSourceWidth) + (band ? 0 : 25) + grain;
    return 0xFF000000u | clamp(r) << 16 | clamp(g) << 8 | clamp(b);
}

// The reference: GDI+ decodes the file and draws it at the tile's picture size.
void BareGdiplus(const std::vector<std::string>& files, HDC target, int width, int height) {
    for (const std::string& file : files) {
        Gdiplus::GpBitmap* image = nullptr;
        if (GdipCreateBitmapFromFile(velmora::Widen(file).c_str(), &image) != Gdiplus::Ok) continue;
        Gdiplus::GpGraphics* graphics = nullptr;
        if (GdipCreateFromHDC(target, &graphics) == Gdiplus::Ok) {
            GdipDrawImageRectI(graphics, image, 0, 0, width, height);
            GdipDeleteGraphics(graphics);
        }
        GdipDisposeImage(image);
    }
    GdiFlush();
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double Minimum(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: tile-fill-bench PROGRAM_DIRECTORY [--rounds N] [--show SECONDS]\n");
        return 2;
    }
    int rounds = 7, show = 0;
    for (int i = 2; i + 1 < argc; i += 2) {
        if (std::string(argv[i]) == "--rounds") rounds = std::max(1, std::atoi(argv[i + 1]));
        if (std::string(argv[i]) == "--show") show = std::atoi(argv[i + 1]);
    }
    const std::wstring dll = velmora::uitest::W(argv[1]) + L"\\Thumb.dll";
    OleInitialize(nullptr);
    if (!velmora::win32::StartGdiplusOnce()) {
        std::fprintf(stderr, "tile-fill-bench: GDI+ does not start\n");
        return 1;
    }
    if (velmora::uitest::RunRegsvr32(L"/s", dll) != 0) {
        std::fprintf(stderr, "tile-fill-bench: regsvr32 could not register %ls\n", dll.c_str());
        return 1;
    }
    int status = 0;
    {
        velmora::tiletest::TempFolder folder("velmora-tile-bench");
        std::vector<std::string> files;
        size_t bytes = 0;
        for (int i = 0; i < kPictures; ++i) {
            const std::string jpeg = velmora::tiletest::EncodePicture(
                kSourceWidth, kSourceHeight, [i](int x, int y) { return PhotoPixel(i, x, y); },
                L"image/jpeg");
            bytes += jpeg.size();
            files.push_back(folder.Write("图片 " + std::to_string(i + 1) + ".jpg", jpeg));
            if (jpeg.empty() || files.back().empty()) status = 1;
        }

        HDC screen = GetDC(nullptr);
        const int dpiX = GetDeviceCaps(screen, LOGPIXELSX), dpiY = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
        const velmora::thumb::PixelRect part =
            velmora::thumb::PartPixels(velmora::thumb::ThumbPart::Image1, dpiX, dpiY);
        const int width = part.right - part.left, height = part.bottom - part.top;

        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = L"TileFillBench";
        RegisterClassW(&wc);
        HWND frame = CreateWindowExW(0, L"TileFillBench", L"Tile fill benchmark",
                                     WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, 600, 540,
                                     nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        // The management centre's grid: columns at 150, 2940, 5730 twips, rows at 120, 2490, 4860.
        std::vector<std::unique_ptr<velmora::com::OleControl>> tiles;
        const velmora::com::Properties stored{{"BackColor", velmora::com::Colour{0xFFFFFF}},
                                              {"EnterFocusColor", velmora::com::Colour{0xFFFFFF}},
                                              {"ExitFocusColor", velmora::com::Colour{0xFFFFFF}},
                                              {"CaptionFrColor", velmora::com::Colour{0xFFFF00}}};
        for (int k = 0; k < kPictures && status == 0; ++k) {
            const int left = MulDiv(150 + (k % 3) * 2790, dpiX, 1440),
                      top = MulDiv(120 + (k / 3) * 2370, dpiY, 1440);
            auto tile = velmora::com::OleControl::Create(frame, "Thumb.ThumbImg",
                                                         RECT{left, top, left + 170, top + 147}, stored);
            if (!tile) {
                std::fprintf(stderr, "tile-fill-bench: Thumb.ThumbImg could not be created\n");
                status = 1;
                break;
            }
            velmora::com::PutProperty(tile->dispatch(), "ImgCaption",
                                      "图片 " + std::to_string(k + 1) + ".jpg");
            tiles.push_back(std::move(tile));
        }

        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        HBITMAP target = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HDC memory = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(memory, target);

        if (status == 0) {
            velmora::FileSystem& fs = velmora::win32::RealPlatform().files;
            std::vector<velmora::ComRef<IPictureDisp>> pictures(kPictures);
            const auto fillTiles = [&] {
                for (int k = 0; k < kPictures; ++k)
                    pictures[k] =
                        velmora::ZhuangRuXianShiTu(tiles[k]->dispatch(), fs, files[k], width, height);
                for (const auto& tile : tiles) UpdateWindow(tile->window());
                GdiFlush();
            };
            Pump();
            UpdateWindow(frame);
            // One of each first, so that both meet the files in the system's cache and their
            // libraries loaded.
            BareGdiplus(files, memory, width, height);
            fillTiles();
            int empty = 0;
            for (const auto& p : pictures) empty += p ? 0 : 1;
            if (empty) {
                std::fprintf(stderr, "tile-fill-bench: %d of the pictures did not decode\n", empty);
                status = 1;
            }
            std::vector<double> reference, program;
            for (int r = 0; r < rounds && status == 0; ++r) {
                Pump();
                Timer bare;
                BareGdiplus(files, memory, width, height);
                reference.push_back(bare.Milliseconds());
                Pump();
                Timer tilesTimer;
                fillTiles();
                program.push_back(tilesTimer.Milliseconds());
            }
            if (status == 0) {
                const double refMedian = Median(reference), progMedian = Median(program);
                const double refMin = Minimum(reference), progMin = Minimum(program);
                std::printf(
                    "page of %d JPEGs of %d x %d (%.0f KB on average) into %d x %d pictures, %d rounds:\n",
                    kPictures, kSourceWidth, kSourceHeight, static_cast<double>(bytes) / kPictures / 1024.0,
                    width, height, rounds);
                std::printf(
                    "  bare GDI+ decode and DrawImage (reference): median %7.1f ms, minimum %7.1f ms\n",
                    refMedian, refMin);
                std::printf(
                    "  nine Thumb tiles filled and painted:         median %7.1f ms, minimum %7.1f ms\n",
                    progMedian, progMin);
                std::printf("  ratio: median %.2f, minimum %.2f (goal: at most 1.20)\n",
                            progMedian / refMedian, progMin / refMin);
            }
            if (show > 0) {
                const DWORD until = GetTickCount() + static_cast<DWORD>(show) * 1000;
                while (GetTickCount() < until) {
                    Pump();
                    Sleep(20);
                }
            }
        }
        SelectObject(memory, old);
        DeleteDC(memory);
        if (target) DeleteObject(target);
        tiles.clear();
        if (frame) DestroyWindow(frame);
    }
    velmora::uitest::RunRegsvr32(L"/s /u", dll);
    OleUninitialize();
    return status;
}
