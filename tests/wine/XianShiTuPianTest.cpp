// The tiles' pictures under Wine: files decoded at the tile's size by both decoders, broken and
// missing files, a name outside the system code page, and a real Thumb tile (registered for the
// run by the Thumb tests' fixture) showing the picture it was handed.
#include <windows.h>
#include <ole2.h>
#include <olectl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "com/Automation.h"
#include "com/OleControl.h"
#include "library/win32/SuoLueTuJieMa.h"
#include "library/win32/XianShiTuPian.h"
#include "platform/win32/Wide.h"
#include "platform/win32/Win32Platform.h"
#include "tests/wine/ServerTestSupport.h"
#include "tests/wine/TilePictures.h"
#include "tests/wine/UiDriver.h"

namespace velmora {
namespace {

using tiletest::EncodePicture;
using tiletest::TempFolder;

// The tile's picture part at 96 pixels an inch.
constexpr int kWidth = 173, kHeight = 131;

constexpr std::uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kYellow = 0xFFFFFF00;

// Four colour quarters: red, green above; blue, yellow below.
std::uint32_t Quarters(int x, int y, int width, int height) {
    if (y < height / 2) return x < width / 2 ? kRed : kGreen;
    return x < width / 2 ? kBlue : kYellow;
}

void EnsureOle() {
    static const HRESULT ole = OleInitialize(nullptr);
    static_cast<void>(ole);
}

// The bitmap's pixels as 0x00RRGGBB, top row first, whatever its own layout.
struct Pixels {
    int width = 0, height = 0, bitsPerPixel = 0;
    std::vector<std::uint32_t> rgb;
    std::uint32_t At(int x, int y) const {
        return rgb[static_cast<size_t>(y) * static_cast<size_t>(width) + x];
    }
};

Pixels Read(HBITMAP bitmap) {
    Pixels p;
    BITMAP info{};
    if (!GetObjectW(bitmap, sizeof info, &info)) return p;
    p.width = info.bmWidth;
    p.height = info.bmHeight;
    p.bitsPerPixel = info.bmBitsPixel;
    p.rgb.assign(static_cast<size_t>(p.width) * static_cast<size_t>(p.height), 0);
    BITMAPINFO want{};
    want.bmiHeader.biSize = sizeof want.bmiHeader;
    want.bmiHeader.biWidth = p.width;
    want.bmiHeader.biHeight = -p.height;
    want.bmiHeader.biPlanes = 1;
    want.bmiHeader.biBitCount = 32;
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, static_cast<UINT>(p.height), p.rgb.data(), &want, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    for (auto& c : p.rgb) c &= 0xFFFFFF;
    return p;
}

// JPEG blurs colours a little; a decoder that swaps red and blue or draws garbage is far off.
::testing::AssertionResult Near(std::uint32_t seen, std::uint32_t wanted) {
    for (int shift : {0, 8, 16}) {
        const int a = static_cast<int>((seen >> shift) & 0xFF),
                  b = static_cast<int>((wanted >> shift) & 0xFF);
        if (std::abs(a - b) > 24) {
            char text[64];
            std::snprintf(text, sizeof text, "0x%06X, wanted 0x%06X", seen & 0xFFFFFFu, wanted & 0xFFFFFFu);
            return ::testing::AssertionFailure() << text;
        }
    }
    return ::testing::AssertionSuccess();
}

struct Decoder {
    const char* name;
    std::function<HBITMAP(const std::string& path)> decode;
};

std::vector<Decoder> Decoders() {
    FileSystem& files = win32::RealPlatform().files;
    const auto bytesOf = [&files](const std::string& path) {
        return files.ReadAll(path).value_or(std::string());
    };
    return {
        {"JieMaSuoLueTu",
         [&files](const std::string& path) { return JieMaSuoLueTu(files, path, kWidth, kHeight); }},
        {"imaging component",
         [=](const std::string& path) { return WicJieMa(bytesOf(path), kWidth, kHeight); }},
        {"GDI+", [=](const std::string& path) { return GdiplusJieMa(bytesOf(path), kWidth, kHeight); }},
    };
}

TEST(TilePictures, PicturesArriveAtTheTileSizeWithTheirColours) {
    EnsureOle();
    TempFolder folder("velmora-tiles");
    const auto quarters = [](int w, int h) { return [w, h](int x, int y) { return Quarters(x, y, w, h); }; };
    const struct {
        const char* name;
        std::string path;
        // Points of the tile and the colours they show.
        std::vector<std::pair<POINT, std::uint32_t>> expected;
    } pictures[] = {
        {"large JPEG",
         folder.Write("large.jpg", EncodePicture(1600, 900, quarters(1600, 900), L"image/jpeg")),
         {{{40, 30}, kRed}, {{130, 30}, kGreen}, {{40, 100}, kBlue}, {{130, 100}, kYellow}}},
        {"JPEG smaller than the tile",
         folder.Write("small.jpg", EncodePicture(64, 48, quarters(64, 48), L"image/jpeg")),
         {{{20, 20}, kRed}, {{150, 20}, kGreen}, {{20, 110}, kBlue}, {{150, 110}, kYellow}}},
        // Transparent on the left: white there, not black or leftovers of the decoder.
        {"PNG with transparency",
         folder.Write("clear.png",
                      EncodePicture(
                          300, 200, [](int x, int) { return x < 150 ? 0x00123456u : kBlue; }, L"image/png")),
         {{{20, 60}, 0xFFFFFF}, {{150, 60}, kBlue}}},
        {"grey BMP",
         folder.Write("grey.bmp", EncodePicture(
                                      200, 100, [](int, int) { return 0xFF808080u; }, L"image/bmp")),
         {{{86, 65}, 0x808080}}},
    };
    for (const Decoder& decoder : Decoders()) {
        for (const auto& picture : pictures) {
            SCOPED_TRACE(std::string(decoder.name) + ", " + picture.name);
            ASSERT_FALSE(picture.path.empty());
            HBITMAP bitmap = decoder.decode(picture.path);
            ASSERT_NE(bitmap, nullptr);
            const Pixels p = Read(bitmap);
            DeleteObject(bitmap);
            EXPECT_EQ(p.width, kWidth);
            EXPECT_EQ(p.height, kHeight);
            EXPECT_EQ(p.bitsPerPixel, 32);
            for (const auto& [at, colour] : picture.expected)
                EXPECT_TRUE(Near(p.At(at.x, at.y), colour)) << at.x << "," << at.y;
        }
    }
}

TEST(TilePictures, FilesThatAreNoPictureGiveNothing) {
    EnsureOle();
    TempFolder folder("velmora-tiles");
    const struct {
        const char* name;
        std::string path;
    } files[] = {
        {"text", folder.Write("text.jpg", "这不是图片，只是几个字。")},
        {"JPEG signature then garbage",
         folder.Write("broken.jpg", std::string("\xFF\xD8\xFF\xE0 this is no picture"))},
        {"empty", folder.Write("empty.jpg", "")},
        {"missing", folder.path() + "\\missing.jpg"},
        {"a folder", folder.path()},
    };
    for (const Decoder& decoder : Decoders()) {
        for (const auto& file : files) {
            HBITMAP bitmap = decoder.decode(file.path);
            EXPECT_EQ(bitmap, nullptr) << decoder.name << ", " << file.name;
            if (bitmap) DeleteObject(bitmap);
        }
    }
    FileSystem& real = win32::RealPlatform().files;
    const std::string picture =
        folder.Write("ok.jpg", EncodePicture(
                                   40, 30, [](int, int) { return kRed; }, L"image/jpeg"));
    for (const auto& [width, height] : {std::pair{0, 131}, std::pair{173, 0}, std::pair{-1, -1}}) {
        EXPECT_EQ(JieMaSuoLueTu(real, picture, width, height), nullptr) << width << " x " << height;
    }
}

TEST(TilePictures, ANameOutsideTheSystemCodePageDecodes) {
    EnsureOle();
    TempFolder folder("velmora-tiles");
    const std::string name = "泰文ก.jpg";
    // The premise: the ANSI code page cannot spell the name, so an ANSI path would miss it.
    const std::wstring wide = Widen(name);
    BOOL lost = FALSE;
    char narrow[64];
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, narrow, sizeof narrow, nullptr, &lost);
    ASSERT_TRUE(lost) << "the system code page " << GetACP()
                      << " spells the Thai letter; the test proves nothing";
    const std::string path = folder.Write(
        name, EncodePicture(
                  320, 240, [](int x, int y) { return Quarters(x, y, 320, 240); }, L"image/jpeg"));
    ASSERT_FALSE(path.empty());
    HBITMAP bitmap = JieMaSuoLueTu(win32::RealPlatform().files, path, kWidth, kHeight);
    ASSERT_NE(bitmap, nullptr);
    const Pixels p = Read(bitmap);
    DeleteObject(bitmap);
    EXPECT_TRUE(Near(p.At(40, 30), kRed));
    EXPECT_TRUE(Near(p.At(130, 100), kYellow));
}

TEST(TilePictures, SuoLueTuDuiXiangOwnsTheBitmap) {
    HBITMAP bitmap = CreateBitmap(kWidth, kHeight, 1, 32, nullptr);
    ASSERT_NE(bitmap, nullptr);
    ComRef<IPictureDisp> picture = SuoLueTuDuiXiang(bitmap);
    ASSERT_TRUE(picture);
    auto ipicture = picture.As<IPicture>(IID_IPicture);
    ASSERT_TRUE(ipicture);
    OLE_HANDLE handle = 0;
    SHORT type = 0;
    ASSERT_EQ(ipicture->get_Handle(&handle), S_OK);
    ASSERT_EQ(ipicture->get_Type(&type), S_OK);
    EXPECT_EQ(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)), bitmap);
    EXPECT_EQ(type, PICTYPE_BITMAP);
    ipicture.Reset();
    picture.Reset();
    // Released with the picture: the handle no longer names a bitmap.
    BITMAP gone{};
    EXPECT_EQ(GetObjectW(bitmap, sizeof gone, &gone), 0);
    EXPECT_FALSE(SuoLueTuDuiXiang(nullptr));
}

HWND MakeParent() {
    static const bool registered = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = L"VelmoraTilePictureParent";
        return RegisterClassW(&wc) != 0;
    }();
    EXPECT_TRUE(registered);
    HWND h = CreateWindowExW(0, L"VelmoraTilePictureParent", L"tile pictures",
                             WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 40, 40, 300, 240, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(h);
    return h;
}

ComRef<IUnknown> PictureOf(IDispatch* tile) {
    VARIANT v;
    VariantInit(&v);
    ComRef<IUnknown> identity;
    if (SUCCEEDED(com::GetProperty(tile, "Picture", &v)) && v.vt == VT_DISPATCH && v.pdispVal)
        identity = ComRef<IDispatch>::Share(v.pdispVal).As<IUnknown>(IID_IUnknown);
    VariantClear(&v);
    return identity;
}

COLORREF Shown(HWND tile, int x, int y) {
    UpdateWindow(tile);
    uitest::PumpFor(50);
    return uitest::Capture(tile).At(x, y);
}

std::uint32_t Rgb(COLORREF c) {
    return static_cast<std::uint32_t>(GetRValue(c)) << 16 | GetGValue(c) << 8 | GetBValue(c);
}

TEST(TilePictures, ATileShowsThePictureItIsHandedAndClearsItForABrokenFile) {
    EnsureOle();
    TempFolder folder("velmora-tiles");
    // Stripes two source pixels wide: at the tile's size one pixel each, which only a picture
    // drawn without further scaling keeps.
    const auto stripes = [](int x, int) { return (x / 2) % 2 ? kBlue : kYellow; };
    const std::string good =
        folder.Write("stripes.png", EncodePicture(2 * kWidth, 2 * kHeight, stripes, L"image/png"));
    const std::string broken = folder.Write("broken.jpg", "no picture here");
    HWND parent = MakeParent();
    {
        com::Properties stored{{"BackColor", com::Colour{0xFFFFFF}}};
        auto tile = com::OleControl::Create(parent, "Thumb.ThumbImg", RECT{10, 10, 180, 157}, stored);
        ASSERT_TRUE(tile) << "Thumb.ThumbImg is not registered (the thumb_registered fixture registers it)";
        FileSystem& files = win32::RealPlatform().files;

        ComRef<IPictureDisp> picture = ZhuangRuXianShiTu(tile->dispatch(), files, good, kWidth, kHeight);
        ASSERT_TRUE(picture);
        const ComRef<IUnknown> held = PictureOf(tile->dispatch());
        ASSERT_TRUE(held);
        EXPECT_EQ(held.get(), picture.As<IUnknown>(IID_IUnknown).get()) << "the tile holds another picture";
        // The tile cuts two pixels off the picture's left and top edges: its pixel x shows
        // picture column x + 2, yellow where (x + 2) is even.
        for (int x = 60; x < 70; ++x) {
            EXPECT_TRUE(Near(Rgb(Shown(tile->window(), x, 60)), (x + 2) % 2 ? kBlue : kYellow))
                << "tile pixel " << x;
        }

        EXPECT_FALSE(ZhuangRuXianShiTu(tile->dispatch(), files, broken, kWidth, kHeight));
        EXPECT_FALSE(PictureOf(tile->dispatch())) << "the broken file's tile keeps the last picture";
        EXPECT_EQ(Rgb(Shown(tile->window(), 60, 60)), 0xFFFFFFu) << "an empty picture area shows the surface";
        // The caller's picture survives the tile letting it go.
        auto still = picture.As<IPicture>(IID_IPicture);
        SHORT type = 0;
        ASSERT_TRUE(still);
        EXPECT_EQ(still->get_Type(&type), S_OK);
        EXPECT_EQ(type, PICTYPE_BITMAP);
    }
    DestroyWindow(parent);
}

}  // namespace
}  // namespace velmora
