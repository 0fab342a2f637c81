// Thumb.dll as its users meet it: registered by regsvr32, created by ProgID in the program's
// own container and in one it did not write (Wine's atl.dll AtlAxWin), driven through its
// IDispatch, with real mouse input and the pixels on the screen read back.
#include <windows.h>
#include <ole2.h>
#include <olectl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "com/Automation.h"
#include "com/Events.h"
#include "com/OleControl.h"
#include "com/PropertyBag.h"
#include "tests/wine/ServerTestSupport.h"
#include "tests/wine/UiDriver.h"

namespace velmora::uitest {
namespace {

const CLSID kClsid = {0x5D395852, 0xF0DF, 0x4384, {0x89, 0xB3, 0xB0, 0x05, 0xAA, 0x2A, 0x5A, 0xF9}};
const IID kEvents = {0x20E644FD, 0x337D, 0x42E8, {0xBF, 0x62, 0x58, 0xF8, 0xDB, 0x7E, 0x63, 0x2A}};
const wchar_t kClsidText[] = L"{5D395852-F0DF-4384-89B3-B005AA2A5AF9}";
const wchar_t kLibText[] = L"{EE594871-DB68-4E3A-B5B8-69FB601BFD8B}";
const wchar_t kDualText[] = L"{C24BAC21-C709-435A-85F4-DF014762E0DE}";
const wchar_t kEventsText[] = L"{20E644FD-337D-42E8-BF62-58F8DB7E632A}";
constexpr char kProgId[] = "Thumb.ThumbImg";

std::wstring ThumbDll() { return DistDirectory() + L"\\Thumb.dll"; }

long Regsvr32(const std::wstring& switches) { return RunRegsvr32(switches, ThumbDll()); }

std::wstring ValueOf(const std::wstring& key, const wchar_t* name = nullptr) {
    return DefaultValue(HKEY_CLASSES_ROOT, key, name);
}

bool KeyThere(const std::wstring& key) { return KeyExists(HKEY_CLASSES_ROOT, key); }

// ctest runs this first (a fixture) and the unregistration last, whatever happened between.
TEST(ThumbRegistration, RegsvrRegistersTheControl) {
    // The version resource tells installers that the library registers itself.
    const std::wstring dll = ThumbDll();
    DWORD ignored = 0;
    std::vector<BYTE> version(GetFileVersionInfoSizeW(dll.c_str(), &ignored));
    ASSERT_FALSE(version.empty());
    ASSERT_TRUE(GetFileVersionInfoW(dll.c_str(), 0, static_cast<DWORD>(version.size()), version.data()));
    void* value = nullptr;
    UINT length = 0;
    EXPECT_TRUE(VerQueryValueW(version.data(), L"\\StringFileInfo\\080404b0\\OLESelfRegister", &value, &length));

    ASSERT_EQ(Regsvr32(L"/s"), 0);
    const std::wstring cls = std::wstring(L"CLSID\\") + kClsidText;
    EXPECT_EQ(ValueOf(L"Thumb.ThumbImg\\CLSID"), kClsidText);
    EXPECT_EQ(_wcsicmp(ValueOf(cls + L"\\InprocServer32").c_str(), dll.c_str()), 0) << U(ValueOf(cls + L"\\InprocServer32"));
    EXPECT_EQ(ValueOf(cls + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
    EXPECT_EQ(ValueOf(cls + L"\\ProgID"), L"Thumb.ThumbImg");
    EXPECT_EQ(ValueOf(cls + L"\\TypeLib"), kLibText);
    EXPECT_TRUE(KeyThere(cls + L"\\Control"));
    EXPECT_NE(ValueOf(cls + L"\\MiscStatus\\1"), L"");
    EXPECT_TRUE(KeyThere(std::wstring(L"TypeLib\\") + kLibText + L"\\1.0"));
    EXPECT_TRUE(KeyThere(std::wstring(L"Interface\\") + kDualText));
    CLSID found{};
    EXPECT_EQ(CLSIDFromProgID(L"Thumb.ThumbImg", &found), S_OK);
    EXPECT_TRUE(IsEqualCLSID(found, kClsid));
}

TEST(ThumbRegistration, RegsvrUnregistersWithoutATrace) {
    ASSERT_EQ(Regsvr32(L"/u /s"), 0);
    for (const std::wstring& key : {std::wstring(L"Thumb.ThumbImg"), std::wstring(L"CLSID\\") + kClsidText,
                                    std::wstring(L"TypeLib\\") + kLibText, std::wstring(L"Interface\\") + kDualText,
                                    std::wstring(L"Interface\\") + kEventsText}) {
        EXPECT_FALSE(KeyThere(key)) << U(key);
    }
}

void EnsureOle() {
    static const HRESULT ole = OleInitialize(nullptr);
    static_cast<void>(ole);
}

HWND MakeParent() {
    static const bool registered = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
        wc.lpszClassName = L"VelmoraThumbTestParent";
        return RegisterClassW(&wc) != 0;
    }();
    EXPECT_TRUE(registered);
    HWND h = CreateWindowExW(0, L"VelmoraThumbTestParent", L"thumb test", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                             40, 40, 400, 300, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(h);
    return h;
}

// A place the tile lives in: the program's own container or atl.dll's.
class Host {
public:
    virtual ~Host() = default;
    virtual IUnknown* unknown() const = 0;
    virtual void Resize(int width, int height) = 0;
    // The tile's own window.
    HWND window() const {
        HWND own = nullptr;
        ComRef<IOleWindow> w = ComRef<IUnknown>::Share(unknown()).As<IOleWindow>(IID_IOleWindow);
        if (w) w->GetWindow(&own);
        return own;
    }
    ComRef<IDispatch> dispatch() const { return ComRef<IUnknown>::Share(unknown()).As<IDispatch>(IID_IDispatch); }
};

class ProgramHost : public Host {
public:
    explicit ProgramHost(HWND parent) {
        control_ = com::OleControl::Create(parent, kProgId, RECT{10, 10, 180, 157});
    }
    IUnknown* unknown() const override { return control_ ? control_->unknown() : nullptr; }
    void Resize(int width, int height) override { control_->Move(RECT{10, 10, 10 + width, 10 + height}); }

private:
    std::unique_ptr<com::OleControl> control_;
};

class AtlHost : public Host {
public:
    explicit AtlHost(HWND parent) {
        HMODULE atl = LoadLibraryW(L"atl.dll");
        EXPECT_NE(atl, nullptr) << "atl.dll is missing";
        if (!atl) return;
        using Init = BOOL(WINAPI*)();
        using GetControl = HRESULT(WINAPI*)(HWND, IUnknown**);
        const auto init = reinterpret_cast<Init>(reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxWinInit")));
        const auto get =
            reinterpret_cast<GetControl>(reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxGetControl")));
        EXPECT_TRUE(init && get) << "atl.dll without AtlAxWinInit or AtlAxGetControl";
        if (!init || !get) return;
        // Once: a second call finds its window class taken and answers false.
        static const BOOL initialised = init();
        EXPECT_TRUE(initialised) << "AtlAxWinInit";
        host_ = CreateWindowExW(0, L"AtlAxWin", L"Thumb.ThumbImg", WS_CHILD | WS_VISIBLE, 10, 10, 170, 147, parent,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
        EXPECT_NE(host_, nullptr) << "AtlAxWin window not created, error " << GetLastError();
        if (host_) {
            const HRESULT hr = get(host_, control_.Receive());
            EXPECT_EQ(hr, S_OK) << "AtlAxGetControl";
        }
    }
    ~AtlHost() override {
        control_.Reset();
        if (host_) DestroyWindow(host_);
    }
    IUnknown* unknown() const override { return control_.get(); }
    void Resize(int width, int height) override { MoveWindow(host_, 10, 10, width, height, TRUE); }

private:
    HWND host_ = nullptr;
    ComRef<IUnknown> control_;
};

// A picture of one colour, as the program makes them from files; the test keeps owning it.
ComRef<IPictureDisp> BitmapPicture(COLORREF colour, bool pictureOwnsHandle, HBITMAP* handle = nullptr) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 64, 48);
    HDC mem = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(mem, bitmap);
    RECT all{0, 0, 64, 48};
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(mem, &all, brush);
    DeleteObject(brush);
    SelectObject(mem, old);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    PICTDESC desc{};
    desc.cbSizeofstruct = sizeof desc;
    desc.picType = PICTYPE_BITMAP;
    desc.bmp.hbitmap = bitmap;
    ComRef<IPictureDisp> picture;
    OleCreatePictureIndirect(&desc, IID_IPictureDisp, pictureOwnsHandle, picture.ReceiveVoid());
    if (handle) *handle = bitmap;
    return picture;
}

ComRef<IPictureDisp> IconPicture() {
    PICTDESC desc{};
    desc.cbSizeofstruct = sizeof desc;
    desc.picType = PICTYPE_ICON;
    desc.icon.hicon = LoadIconW(nullptr, IDI_APPLICATION);
    ComRef<IPictureDisp> picture;
    OleCreatePictureIndirect(&desc, IID_IPictureDisp, FALSE, picture.ReceiveVoid());
    return picture;
}

// A pixel of the tile as the screen shows it, once it has painted.
COLORREF PixelAt(HWND window, int x, int y) {
    UpdateWindow(window);
    PumpFor(50);
    return Capture(window).At(x, y);
}

// Pixels of the area where the text colour shows (smoothed text blends into the surface, so
// any pixel nearer the text colour than the surface colour counts).
int TextPixels(HWND window, const RECT& area, COLORREF text, COLORREF surface) {
    UpdateWindow(window);
    PumpFor(50);
    const Capture shot(window);
    const auto distance = [](COLORREF a, COLORREF b) {
        return abs(GetRValue(a) - GetRValue(b)) + abs(GetGValue(a) - GetGValue(b)) + abs(GetBValue(a) - GetBValue(b));
    };
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            const COLORREF c = shot.At(x, y);
            n += distance(c, text) < distance(c, surface) ? 1 : 0;
        }
    }
    return n;
}

std::string TextProperty(IDispatch* tile, const char* name) {
    VARIANT v;
    VariantInit(&v);
    if (FAILED(com::GetProperty(tile, name, &v)) || v.vt != VT_BSTR) return "<none>";
    std::string text = U(std::wstring(v.bstrVal, SysStringLen(v.bstrVal)));
    VariantClear(&v);
    return text;
}

std::uint32_t ColourProperty(IDispatch* tile, const char* name) {
    VARIANT v;
    VariantInit(&v);
    if (FAILED(com::GetProperty(tile, name, &v)) || FAILED(VariantChangeType(&v, &v, 0, VT_UI4))) return 0xDEAD;
    return v.ulVal;
}

// Points of the tile at 96 pixels an inch: the picture, the caption line and the bare surface.
constexpr POINT kOnPicture{85, 64};
constexpr POINT kOnSurface{3, 140};
constexpr RECT kCaption{8, 132, 163, 149};

struct Event {
    DISPID id;
    long button = 0, shift = 0;
    double x = 0, y = 0;
};

enum class HostKind { Program, Atl };

class ThumbHostTest : public ::testing::TestWithParam<HostKind> {
protected:
    void SetUp() override {
        EnsureOle();
        ASSERT_EQ(ScreenPixels(15), 1) << "the pixel checks assume 96 pixels an inch";
        parent = MakeParent();
        ASSERT_NE(parent, nullptr);
        if (GetParam() == HostKind::Program) {
            host = std::make_unique<ProgramHost>(parent);
        } else {
            host = std::make_unique<AtlHost>(parent);
        }
        ASSERT_NE(host->unknown(), nullptr) << "the container did not create Thumb.ThumbImg";
        tile = host->dispatch();
        ASSERT_TRUE(tile);
        ASSERT_NE(host->window(), nullptr);
        PumpFor(100);
    }
    void TearDown() override {
        events.reset();
        tile.Reset();
        host.reset();
        if (parent) DestroyWindow(parent);
    }
    void Listen() {
        events = com::EventConnection::Open(host->unknown(), kEvents, [this](DISPID id, DISPPARAMS* p, VARIANT*) {
            com::EventArgs args(p);
            Event e{id};
            if (args.count() == 4) {
                e.button = args.Long(0);
                e.shift = args.Long(1);
                VARIANT x, y;
                VariantInit(&x);
                VariantInit(&y);
                VariantChangeType(&x, args.raw(2), 0, VT_R8);
                VariantChangeType(&y, args.raw(3), 0, VT_R8);
                e.x = x.dblVal;
                e.y = y.dblVal;
            }
            seen.push_back(e);
        });
        ASSERT_TRUE(events) << "no connection to the tile's events";
    }
    POINT OnScreen(POINT inTile) const {
        ClientToScreen(host->window(), &inTile);
        return inTile;
    }
    const Event* LastMove() const {
        for (auto it = seen.rbegin(); it != seen.rend(); ++it)
            if (it->id == 4) return &*it;
        return nullptr;
    }

    HWND parent = nullptr;
    std::unique_ptr<Host> host;
    ComRef<IDispatch> tile;
    std::unique_ptr<com::EventConnection> events;
    std::vector<Event> seen;
};

TEST_P(ThumbHostTest, ShowsThePictureAndCaptionAndKeepsItsSize) {
    // A tile the container made new shows its built-in look.
    EXPECT_EQ(TextProperty(tile.get(), "ImgCaption"), "图象标题");
    EXPECT_EQ(PixelAt(host->window(), kOnSurface.x, kOnSurface.y), RGB(192, 192, 192));

    ComRef<IPictureDisp> red = BitmapPicture(RGB(255, 0, 0), true);
    ASSERT_TRUE(red);
    ASSERT_EQ(com::PutPropertyRef(tile.get(), "Picture", red.get()), S_OK);
    ASSERT_EQ(com::PutProperty(tile.get(), "ImgCaption", "壁纸01.jpg"), S_OK);
    ASSERT_EQ(com::PutProperty(tile.get(), "CaptionFrColor", com::Colour{RGB(0, 0, 255)}), S_OK);
    EXPECT_EQ(TextProperty(tile.get(), "ImgCaption"), "壁纸01.jpg");
    VARIANT picture;
    VariantInit(&picture);
    ASSERT_EQ(com::GetProperty(tile.get(), "Picture", &picture), S_OK);
    ASSERT_EQ(picture.vt, VT_DISPATCH);
    EXPECT_EQ(picture.pdispVal, static_cast<IDispatch*>(red.get()));  // the very object: by reference
    VariantClear(&picture);

    EXPECT_EQ(PixelAt(host->window(), kOnPicture.x, kOnPicture.y), RGB(255, 0, 0));
    EXPECT_GT(TextPixels(host->window(), kCaption, RGB(0, 0, 255), RGB(192, 192, 192)), 20);

    host->Resize(ScreenPixels(3000), ScreenPixels(3000, false));
    PumpFor(200);
    RECT r;
    GetWindowRect(host->window(), &r);
    EXPECT_EQ(r.right - r.left, ScreenPixels(2550));
    EXPECT_EQ(r.bottom - r.top, ScreenPixels(2205, false));
    SIZEL extent{};
    auto ole = ComRef<IUnknown>::Share(host->unknown()).As<IOleObject>(IID_IOleObject);
    ASSERT_TRUE(ole);
    ASSERT_EQ(ole->GetExtent(DVASPECT_CONTENT, &extent), S_OK);
    EXPECT_EQ(MulDiv(extent.cx, 1440, 2540), 2550);
    EXPECT_EQ(MulDiv(extent.cy, 1440, 2540), 2205);
    EXPECT_EQ(PixelAt(host->window(), kOnPicture.x, kOnPicture.y), RGB(255, 0, 0));
}

TEST_P(ThumbHostTest, RelaysTheMouseFromEachPartWithThatPartsOwnCoordinates) {
    Listen();
    const struct {
        const char* part;
        POINT at;
        double x, y;  // twips from the part's corner
    } cases[] = {
        {"caption", {18, 137}, 150, 75},
        {"picture", {10, 10}, 180, 180},
        {"surface", kOnSurface, 45, 2100},
    };
    for (const auto& c : cases) {
        seen.clear();
        const POINT p = OnScreen(c.at);
        MoveMouse(p.x, p.y);
        PumpFor(300);
        const Event* move = LastMove();
        ASSERT_NE(move, nullptr) << c.part;
        EXPECT_EQ(move->button, 0) << c.part;
        EXPECT_EQ(move->shift, 0) << c.part;
        EXPECT_DOUBLE_EQ(move->x, c.x) << c.part;
        EXPECT_DOUBLE_EQ(move->y, c.y) << c.part;
    }
    // A click: MouseDown, MouseUp, Click, by their numbers.
    seen.clear();
    const POINT p = OnScreen(kOnPicture);
    ClickAt(p.x, p.y);
    PumpFor(300);
    std::vector<DISPID> order;
    for (const Event& e : seen)
        if (e.id != 4) order.push_back(e.id);
    EXPECT_EQ(order, (std::vector<DISPID>{3, 5, 1}));
}

TEST_P(ThumbHostTest, FocusColoursShowOnTheSurface) {
    ASSERT_EQ(com::PutProperty(tile.get(), "EnterFocusColor", com::Colour{RGB(0, 160, 0)}), S_OK);
    ASSERT_EQ(com::PutProperty(tile.get(), "ExitFocusColor", com::Colour{RGB(160, 0, 0)}), S_OK);
    SetFocus(host->window());
    PumpFor(100);
    EXPECT_EQ(PixelAt(host->window(), kOnSurface.x, kOnSurface.y), RGB(0, 160, 0));
    SetFocus(parent);
    PumpFor(100);
    EXPECT_EQ(PixelAt(host->window(), kOnSurface.x, kOnSurface.y), RGB(160, 0, 0));
    // BackColor itself is untouched by the focus.
    EXPECT_EQ(ColourProperty(tile.get(), "BackColor"), 0xC0C0C0u);
    ASSERT_EQ(com::PutProperty(tile.get(), "BackColor", com::Colour{RGB(1, 2, 3)}), S_OK);
    EXPECT_EQ(PixelAt(host->window(), kOnSurface.x, kOnSurface.y), RGB(1, 2, 3));
}

TEST_P(ThumbHostTest, PicturesItCannotDrawLeaveAnEmptyTileWithItsCaption) {
    ASSERT_EQ(com::PutProperty(tile.get(), "BackColor", com::Colour{RGB(10, 20, 30)}), S_OK);
    ASSERT_EQ(com::PutProperty(tile.get(), "CaptionFrColor", com::Colour{RGB(0, 0, 255)}), S_OK);
    const COLORREF empty = RGB(10, 20, 30);

    ComRef<IPictureDisp> icon = IconPicture();
    ASSERT_TRUE(icon);
    ASSERT_EQ(com::PutPropertyRef(tile.get(), "Picture", icon.get()), S_OK);
    EXPECT_EQ(PixelAt(host->window(), kOnPicture.x, kOnPicture.y), empty);
    EXPECT_GT(TextPixels(host->window(), kCaption, RGB(0, 0, 255), empty), 20);

    // A bitmap its owner has already destroyed.
    HBITMAP handle = nullptr;
    ComRef<IPictureDisp> gone = BitmapPicture(RGB(0, 255, 0), false, &handle);
    DeleteObject(handle);
    ASSERT_EQ(com::PutPropertyRef(tile.get(), "Picture", gone.get()), S_OK);
    ASSERT_EQ(com::CallMethod(tile.get(), "Refresh"), S_OK);
    EXPECT_EQ(PixelAt(host->window(), kOnPicture.x, kOnPicture.y), empty);
    EXPECT_GT(TextPixels(host->window(), kCaption, RGB(0, 0, 255), empty), 20);
}

TEST_P(ThumbHostTest, SettingNoPictureLeavesTheHostsPictureWhole) {
    HBITMAP handle = nullptr;
    ComRef<IPictureDisp> mine = BitmapPicture(RGB(0, 0, 255), false, &handle);
    ASSERT_EQ(com::PutPropertyRef(tile.get(), "Picture", mine.get()), S_OK);
    ASSERT_EQ(com::PutPropertyRef(tile.get(), "Picture", nullptr), S_OK);
    EXPECT_NE(PixelAt(host->window(), kOnPicture.x, kOnPicture.y), RGB(0, 0, 255));
    // The tile holds no reference any more, and the bitmap is still there.
    mine->AddRef();
    EXPECT_EQ(mine->Release(), 1u);
    BITMAP info{};
    EXPECT_NE(GetObjectW(handle, sizeof info, &info), 0);
    EXPECT_EQ(info.bmWidth, 64);
    mine.Reset();
    DeleteObject(handle);
}

INSTANTIATE_TEST_SUITE_P(Containers, ThumbHostTest, ::testing::Values(HostKind::Program, HostKind::Atl),
                         [](const ::testing::TestParamInfo<HostKind>& kind) {
                             return kind.param == HostKind::Program ? "OleControl" : "AtlAxWin";
                         });

// What a host stores: every name the tile writes.
class RecordingBag final : public com::ComObject<IPropertyBag> {
public:
    STDMETHODIMP Read(LPCOLESTR, VARIANT*, IErrorLog*) override { return E_INVALIDARG; }
    STDMETHODIMP Write(LPCOLESTR name, VARIANT*) override {
        written.push_back(U(name));
        return S_OK;
    }
    std::vector<std::string> written;

private:
    void* Find(REFIID iid) override {
        return iid == IID_IUnknown || iid == IID_IPropertyBag ? static_cast<IPropertyBag*>(this) : nullptr;
    }
};

TEST(ThumbPersistence, StoredNamesLoadAndOnlyValuesOtherThanTheDefaultsAreWritten) {
    EnsureOle();
    HWND parent = MakeParent();
    const com::Properties stored = {{"BackColor", com::Colour{0x123456}},
                                    {"ImgCaption", std::string("桌面.jpg")},
                                    {"ExitFocusColor", com::Colour{0x8000000F}}};
    auto control = com::OleControl::Create(parent, kProgId, RECT{0, 0, 170, 147}, stored);
    ASSERT_TRUE(control);
    IDispatch* tile = control->dispatch();
    EXPECT_EQ(ColourProperty(tile, "BackColor"), 0x123456u);
    EXPECT_EQ(TextProperty(tile, "ImgCaption"), "桌面.jpg");
    // Names not stored load as their defaults.
    EXPECT_EQ(ColourProperty(tile, "EnterFocusColor"), 0xFF0000u);
    EXPECT_EQ(ColourProperty(tile, "ExitFocusColor"), 0x8000000Fu);
    EXPECT_EQ(ColourProperty(tile, "CaptionBkColor"), 0xFFFFC0u);
    EXPECT_EQ(ColourProperty(tile, "CaptionFrColor"), 0u);

    auto bag = ComRef<IUnknown>::Share(control->unknown()).As<IPersistPropertyBag>(IID_IPersistPropertyBag);
    ASSERT_TRUE(bag);
    auto* record = new RecordingBag;
    auto recordRef = ComRef<IPropertyBag>::Adopt(record->as<IPropertyBag>());
    ASSERT_EQ(bag->Save(recordRef.get(), TRUE, FALSE), S_OK);
    EXPECT_EQ(record->written, (std::vector<std::string>{"BackColor", "ImgCaption"}));

    // A stream keeps the same values for a new tile.
    ASSERT_EQ(com::PutProperty(tile, "EnterFocusColor", com::Colour{0x00FF00}), S_OK);
    auto stream = ComRef<IUnknown>::Share(control->unknown()).As<IPersistStreamInit>(IID_IPersistStreamInit);
    ASSERT_TRUE(stream);
    EXPECT_EQ(stream->IsDirty(), S_OK);
    ComRef<IStream> memory;
    ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, memory.Receive()), S_OK);
    ASSERT_EQ(stream->Save(memory.get(), TRUE), S_OK);
    LARGE_INTEGER start{};
    memory->Seek(start, STREAM_SEEK_SET, nullptr);
    ComRef<IPersistStreamInit> copy;
    ASSERT_EQ(CoCreateInstance(kClsid, nullptr, CLSCTX_INPROC_SERVER, IID_IPersistStreamInit, copy.ReceiveVoid()),
              S_OK);
    ASSERT_EQ(copy->Load(memory.get()), S_OK);
    auto copied = copy.As<IDispatch>(IID_IDispatch);
    EXPECT_EQ(ColourProperty(copied.get(), "BackColor"), 0x123456u);
    EXPECT_EQ(ColourProperty(copied.get(), "EnterFocusColor"), 0x00FF00u);
    EXPECT_EQ(TextProperty(copied.get(), "ImgCaption"), "桌面.jpg");

    // An impossible colour is refused (as an exception of the call) and changes nothing.
    EXPECT_EQ(com::PutProperty(tile, "BackColor", com::Colour{0x80001234}), DISP_E_EXCEPTION);
    EXPECT_EQ(ColourProperty(tile, "BackColor"), 0x123456u);
    copied.Reset();
    copy.Reset();
    control.reset();
    DestroyWindow(parent);
}

}  // namespace
}  // namespace velmora::uitest
