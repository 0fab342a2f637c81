#include "thumb/ThumbImg_win.h"

#include <olectl.h>

#include <optional>
#include <vector>

#include "Thumb_h.h"
#include "com/ClassInfo.h"
#include "com/ConnectionPoint.h"
#include "com/InPlaceControl.h"
#include "com/PersistProperties.h"
#include "com/Server.h"
#include "com/TypeInfoDispatch.h"
#include "com/Variants.h"
#include "platform/win32/Wide.h"
#include "thumb/ThumbImg.h"

namespace velmora::thumb {

const DWORD kThumbMiscStatus = OLEMISC_SETCLIENTSITEFIRST | OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_INSIDEOUT |
                               OLEMISC_CANTLINKINSIDE | OLEMISC_RECOMPOSEONRESIZE;

namespace {

const wchar_t kTileClass[] = L"VelmoraThumbImg";
// Posted after activation: the container hears the size the tile keeps.
constexpr UINT kReportSize = WM_APP + 1;
constexpr long kHimetricPerInch = 2540;

struct Dpi {
    int x = 96, y = 96;
};

Dpi ScreenDpi() {
    Dpi dpi;
    if (HDC screen = GetDC(nullptr)) {
        dpi = {GetDeviceCaps(screen, LOGPIXELSX), GetDeviceCaps(screen, LOGPIXELSY)};
        ReleaseDC(nullptr, screen);
    }
    return dpi;
}

SIZE TilePixels() {
    const Dpi dpi = ScreenDpi();
    const PixelRect r = PartPixels(ThumbPart::Surface, dpi.x, dpi.y);
    return {r.right, r.bottom};
}

COLORREF Translate(std::uint32_t colour) {
    COLORREF rgb = 0;
    return SUCCEEDED(OleTranslateColor(colour, nullptr, &rgb)) ? rgb : 0;
}

bool ValidColour(OLE_COLOR colour) {
    COLORREF rgb = 0;
    return SUCCEEDED(OleTranslateColor(colour, nullptr, &rgb));
}

RECT ToRect(const PixelRect& r, int dx, int dy) { return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }

// The parts placed in bounds: at the screen's resolution when bounds has the tile's own size
// (the window), scaled to bounds otherwise (a container drawing the tile elsewhere).
struct TileLayout {
    RECT surface, image, label;
};

TileLayout LayoutIn(const RECT& bounds) {
    const Dpi dpi = ScreenDpi();
    const SIZE own = TilePixels();
    const int w = bounds.right - bounds.left, h = bounds.bottom - bounds.top;
    if (w == own.cx && h == own.cy) {
        return {bounds, ToRect(PartPixels(ThumbPart::Image1, dpi.x, dpi.y), bounds.left, bounds.top),
                ToRect(PartPixels(ThumbPart::Label1, dpi.x, dpi.y), bounds.left, bounds.top)};
    }
    const auto scaled = [&](const TwipsRect& t) {
        const int left = bounds.left + MulDiv(t.left, w, kTileWidth), top = bounds.top + MulDiv(t.top, h, kTileHeight);
        return RECT{left, top, left + MulDiv(t.width, w, kTileWidth), top + MulDiv(t.height, h, kTileHeight)};
    };
    return {bounds, scaled(kImage1), scaled(kLabel1)};
}

int HeldButtons(WPARAM keys) {
    return ((keys & MK_LBUTTON) ? 1 : 0) | ((keys & MK_RBUTTON) ? 2 : 0) | ((keys & MK_MBUTTON) ? 4 : 0);
}

int ShiftKeys(WPARAM keys) {
    return ((keys & MK_SHIFT) ? 1 : 0) | ((keys & MK_CONTROL) ? 2 : 0) | (GetKeyState(VK_MENU) < 0 ? 4 : 0);
}

std::optional<MouseInput> MouseMessage(UINT msg, WPARAM wp, LPARAM lp) {
    MouseInput in;
    switch (msg) {
        case WM_MOUSEMOVE: in.action = MouseAction::Move; break;
        case WM_LBUTTONDOWN: in = {MouseAction::Down, 1}; break;
        case WM_RBUTTONDOWN: in = {MouseAction::Down, 2}; break;
        case WM_MBUTTONDOWN: in = {MouseAction::Down, 4}; break;
        case WM_LBUTTONUP: in = {MouseAction::Up, 1}; break;
        case WM_RBUTTONUP: in = {MouseAction::Up, 2}; break;
        case WM_MBUTTONUP: in = {MouseAction::Up, 4}; break;
        case WM_LBUTTONDBLCLK: in = {MouseAction::DoubleClick, 1}; break;
        case WM_RBUTTONDBLCLK: in = {MouseAction::DoubleClick, 2}; break;
        case WM_MBUTTONDBLCLK: in = {MouseAction::DoubleClick, 4}; break;
        default: return std::nullopt;
    }
    in.held = HeldButtons(wp);
    in.shift = ShiftKeys(wp);
    in.x = static_cast<short>(LOWORD(lp));
    in.y = static_cast<short>(HIWORD(lp));
    return in;
}

LRESULT CALLBACK TileProc(HWND h, UINT msg, WPARAM wp, LPARAM lp);

class ThumbImgControl final
    : public com::ComObject<com::InPlaceControl, com::TypeInfoDispatch<_ThumbImg>, com::PersistProperties,
                            com::ClassInfoProvider, IConnectionPointContainer>,
      private com::ServerObject {
public:
    ThumbImgControl() : point_(this, DIID___ThumbImg) {}

    // _ThumbImg
    STDMETHODIMP get_BackColor(OLE_COLOR* value) override { return Give(tile_.values().backColor, value); }
    STDMETHODIMP put_BackColor(OLE_COLOR value) override { return SetColour(value, &ThumbImg::SetBackColor); }
    STDMETHODIMP get_CaptionBkColor(OLE_COLOR* value) override { return Give(tile_.values().captionBkColor, value); }
    STDMETHODIMP put_CaptionBkColor(OLE_COLOR value) override { return SetColour(value, &ThumbImg::SetCaptionBkColor); }
    STDMETHODIMP get_CaptionFrColor(OLE_COLOR* value) override { return Give(tile_.values().captionFrColor, value); }
    STDMETHODIMP put_CaptionFrColor(OLE_COLOR value) override { return SetColour(value, &ThumbImg::SetCaptionFrColor); }
    STDMETHODIMP get_Picture(IPictureDisp** value) override {
        if (!value) return E_POINTER;
        *value = picture_.get();
        if (*value) (*value)->AddRef();
        return S_OK;
    }
    STDMETHODIMP putref_Picture(IPictureDisp* value) override {
        if (value == picture_.get()) return S_OK;
        // Kept by reference: the caller's picture, shared, never copied and never destroyed here.
        picture_ = ComRef<IPictureDisp>::Share(value);
        tile_.SetHasPicture(value != nullptr);
        Changed();
        return S_OK;
    }
    STDMETHODIMP put_Picture(IPictureDisp* value) override { return putref_Picture(value); }
    STDMETHODIMP get_ImgCaption(BSTR* value) override { return com::GiveText(tile_.values().imgCaption, value); }
    STDMETHODIMP put_ImgCaption(BSTR value) override {
        if (tile_.SetImgCaption(com::TextOf(value))) Changed();
        return S_OK;
    }
    STDMETHODIMP get_EnterFocusColor(OLE_COLOR* value) override { return Give(tile_.values().enterFocusColor, value); }
    STDMETHODIMP put_EnterFocusColor(OLE_COLOR value) override { return SetColour(value, &ThumbImg::SetEnterFocusColor); }
    STDMETHODIMP get_ExitFocusColor(OLE_COLOR* value) override { return Give(tile_.values().exitFocusColor, value); }
    STDMETHODIMP put_ExitFocusColor(OLE_COLOR value) override { return SetColour(value, &ThumbImg::SetExitFocusColor); }
    STDMETHODIMP Refresh() override {
        if (HWND w = controlWindow()) {
            InvalidateRect(w, nullptr, FALSE);
            UpdateWindow(w);
        }
        return S_OK;
    }

    // IConnectionPointContainer
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** out) override { return com::EnumPoints(point_, out); }
    STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** out) override {
        return com::FindPoint(point_, iid, out);
    }

    // The size is the tile's own, whatever the container asks for.
    using InPlaceControl::GetExtent;
    STDMETHODIMP SetExtent(DWORD aspect, SIZEL* size) override {
        if (!size) return E_POINTER;
        SIZEL fixed = FixedExtent();
        return InPlaceControl::SetExtent(aspect, &fixed);
    }
    STDMETHODIMP GetExtent(DWORD aspect, SIZEL* size) override {
        if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
        if (!size) return E_POINTER;
        *size = FixedExtent();
        return S_OK;
    }
    STDMETHODIMP SetObjectRects(LPCRECT pos, LPCRECT clip) override {
        if (!pos) return E_POINTER;
        const SIZE own = TilePixels();
        const RECT at{pos->left, pos->top, pos->left + own.cx, pos->top + own.cy};
        const HRESULT hr = InPlaceControl::SetObjectRects(&at, clip);
        if (SUCCEEDED(hr) && (pos->right != at.right || pos->bottom != at.bottom)) ReportSize(at);
        return hr;
    }

    LRESULT Handle(HWND h, UINT msg, WPARAM wp, LPARAM lp);

private:
    ~ThumbImgControl() override {
        // The window's last messages find no tile to call.
        if (HWND w = controlWindow()) SetWindowLongPtrW(w, GWLP_USERDATA, 0);
        DestroyControlWindow();
    }

    void* Find(REFIID iid) override {
        if (iid == IID_IUnknown) return static_cast<IOleObject*>(this);
        if (iid == IID_IDispatch || iid == IID__ThumbImg) return static_cast<_ThumbImg*>(this);
        if (iid == IID_ISupportErrorInfo) return static_cast<ISupportErrorInfo*>(this);
        if (iid == IID_IPersist || iid == IID_IPersistStreamInit) return static_cast<IPersistStreamInit*>(this);
        if (iid == IID_IPersistPropertyBag) return static_cast<IPersistPropertyBag*>(this);
        if (iid == IID_IProvideClassInfo || iid == IID_IProvideClassInfo2) return static_cast<IProvideClassInfo2*>(this);
        if (iid == IID_IConnectionPointContainer) return static_cast<IConnectionPointContainer*>(this);
        return FindInPlaceInterface(iid);
    }

    REFCLSID ClassId() const override { return CLSID_ThumbImg; }
    REFIID EventsIid() const override { return DIID___ThumbImg; }
    DWORD MiscStatus() const override { return kThumbMiscStatus; }
    SIZE DefaultSize() const override { return TilePixels(); }
    HWND CreateControlWindow(HWND parent, const RECT& pos) override;
    void DrawContent(HDC dc, const RECT& bounds) override { Paint(dc, bounds); }

    std::vector<com::PersistedProperty> PersistedProperties() override;
    void InitNewProperties() override {
        tile_.Load(NewTileLook());
        picture_.Reset();
    }
    void PropertiesLoaded() override {
        tile_.Load(tile_.values());
        if (HWND w = controlWindow()) InvalidateRect(w, nullptr, FALSE);
    }

    static SIZEL FixedExtent() {
        return {MulDiv(kTileWidth, kHimetricPerInch, kTwipsPerInch), MulDiv(kTileHeight, kHimetricPerInch, kTwipsPerInch)};
    }
    static HRESULT Give(std::uint32_t colour, OLE_COLOR* out) {
        if (!out) return E_POINTER;
        *out = colour;
        return S_OK;
    }
    HRESULT SetColour(OLE_COLOR colour, bool (ThumbImg::*set)(std::uint32_t)) {
        if (!ValidColour(colour)) return Fail(CTL_E_INVALIDPROPERTYVALUE, "ThumbImg", "无效属性值");
        if ((tile_.*set)(colour)) Changed();
        return S_OK;
    }
    // A property changed: the host's stored data is out of date and the tile shows it at once.
    void Changed() {
        SetDirty();
        if (HWND w = controlWindow()) InvalidateRect(w, nullptr, FALSE);
    }
    // Tells the container the rectangle the tile keeps (it asked for another size).
    void ReportSize(const RECT& at) {
        auto site = ComRef<IOleClientSite>::Share(clientSite()).As<IOleInPlaceSite>(IID_IOleInPlaceSite);
        if (site) {
            RECT rect = at;
            site->OnPosRectChange(&rect);
        }
    }
    void Paint(HDC dc, const RECT& bounds);
    void DrawPicture(HDC dc, const RECT& box);
    void Fire(const ThumbEventArgs& e);
    void OnMouse(HWND h, const MouseInput& in);

    ThumbImg tile_;
    ComRef<IPictureDisp> picture_;
    com::ConnectionPoint point_;
};

HWND ThumbImgControl::CreateControlWindow(HWND parent, const RECT& pos) {
    const HINSTANCE module = com::CodeModule();
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (!GetClassInfoExW(module, kTileClass, &existing)) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = TileProc;
        wc.hInstance = module;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = kTileClass;
        if (!RegisterClassExW(&wc)) return nullptr;
    }
    const SIZE own = TilePixels();
    HWND w = CreateWindowExW(0, kTileClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, pos.left, pos.top, own.cx,
                             own.cy, parent, nullptr, module, this);
    if (w && (pos.right - pos.left != own.cx || pos.bottom - pos.top != own.cy)) PostMessageW(w, kReportSize, 0, 0);
    return w;
}

std::vector<com::PersistedProperty> ThumbImgControl::PersistedProperties() {
    std::vector<com::PersistedProperty> list;
    for (ThumbProperty p : kThumbProperties) {
        com::PersistedProperty entry;
        entry.name = Widen(PersistedName(p));
        VARIANT* unwritten = entry.unwrittenDefault.get();
        if (const ColourProperty* colour = ColourOf(p)) {
            const auto field = colour->field;
            const auto set = colour->set;
            entry.type = VT_UI4;
            entry.get = [this, field](VARIANT* v) {
                v->vt = VT_UI4;
                v->ulVal = tile_.values().*field;
            };
            entry.set = [this, set](const VARIANT& v) { (tile_.*set)(v.ulVal); };
            unwritten->vt = VT_UI4;
            unwritten->ulVal = kThumbDefaults.*field;
        } else if (p == ThumbProperty::Picture) {
            entry.type = VT_DISPATCH;
            entry.get = [this](VARIANT* v) {
                v->vt = VT_DISPATCH;
                v->pdispVal = picture_.get();
                if (v->pdispVal) v->pdispVal->AddRef();
            };
            entry.set = [this](const VARIANT& v) {
                picture_ = ComRef<IDispatch>::Share(v.pdispVal).As<IPictureDisp>(IID_IPictureDisp);
                tile_.SetHasPicture(picture_ ? true : false);
            };
            unwritten->vt = VT_DISPATCH;
            unwritten->pdispVal = nullptr;
        } else {
            entry.type = VT_BSTR;
            entry.get = [this](VARIANT* v) {
                if (SUCCEEDED(com::GiveText(tile_.values().imgCaption, &v->bstrVal))) v->vt = VT_BSTR;
            };
            entry.set = [this](const VARIANT& v) { tile_.SetImgCaption(com::TextOf(v.bstrVal)); };
            if (SUCCEEDED(com::GiveText(kThumbDefaults.imgCaption, &unwritten->bstrVal))) unwritten->vt = VT_BSTR;
        }
        list.push_back(std::move(entry));
    }
    return list;
}

void ThumbImgControl::Paint(HDC dc, const RECT& bounds) {
    const TileLayout layout = LayoutIn(bounds);
    HBRUSH surface = CreateSolidBrush(Translate(tile_.SurfaceColour()));
    FillRect(dc, &layout.surface, surface);
    DeleteObject(surface);

    const int saved = SaveDC(dc);
    IntersectClipRect(dc, bounds.left, bounds.top, bounds.right, bounds.bottom);
    if (picture_) DrawPicture(dc, layout.image);
    const std::wstring caption = Widen(tile_.values().imgCaption);
    if (!caption.empty()) {
        SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, Translate(tile_.values().captionFrColor));
        RECT label = layout.label;
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &label,
                  DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    }
    RestoreDC(dc, saved);
}

// Only a bitmap is drawn; any other picture, or one that cannot be drawn, leaves the picture
// area in the surface colour.
void ThumbImgControl::DrawPicture(HDC dc, const RECT& box) {
    auto picture = picture_.As<IPicture>(IID_IPicture);
    if (!picture) return;
    SHORT type = PICTYPE_UNINITIALIZED;
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    if (FAILED(picture->get_Type(&type)) || type != PICTYPE_BITMAP) return;
    if (FAILED(picture->get_Width(&width)) || FAILED(picture->get_Height(&height)) || width <= 0 || height <= 0)
        return;
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    picture->Render(dc, box.left, box.top, box.right - box.left, box.bottom - box.top, 0, height, width, -height,
                    nullptr);
}

void ThumbImgControl::Fire(const ThumbEventArgs& e) {
    const DISPID id = static_cast<DISPID>(e.event);
    if (e.event == ThumbEvent::Click || e.event == ThumbEvent::DblClick) {
        point_.Fire(id, nullptr);
        return;
    }
    VARIANT args[4];  // the last argument first
    args[0].vt = VT_R4;
    args[0].fltVal = e.y;
    args[1].vt = VT_R4;
    args[1].fltVal = e.x;
    args[2].vt = VT_I2;
    args[2].iVal = e.shift;
    args[3].vt = VT_I2;
    args[3].iVal = e.button;
    DISPPARAMS params{args, nullptr, 4, 0};
    point_.Fire(id, &params);
}

void ThumbImgControl::OnMouse(HWND h, const MouseInput& in) {
    if (in.action == MouseAction::Down || in.action == MouseAction::DoubleClick) {
        if (GetFocus() != h) SetFocus(h);
        SetCapture(h);
    }
    const Dpi dpi = ScreenDpi();
    const std::vector<ThumbEventArgs> events = tile_.OnMouse(in, dpi.x, dpi.y);
    if (!tile_.Captured() && GetCapture() == h) ReleaseCapture();
    // A handler may release the tile: it stays alive until its events are out.
    ComRef<IOleObject> keep = ComRef<IOleObject>::Share(static_cast<IOleObject*>(this));
    for (const ThumbEventArgs& e : events) Fire(e);
}

LRESULT ThumbImgControl::Handle(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (auto mouse = MouseMessage(msg, wp, lp)) {
        OnMouse(h, *mouse);
        return 0;
    }
    switch (msg) {
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(h, &ps);
            RECT client;
            GetClientRect(h, &client);
            HDC mem = CreateCompatibleDC(dc);
            HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
            if (mem && bitmap) {
                HGDIOBJ old = SelectObject(mem, bitmap);
                Paint(mem, client);
                BitBlt(dc, 0, 0, client.right, client.bottom, mem, 0, 0, SRCCOPY);
                SelectObject(mem, old);
            } else {
                Paint(dc, client);
            }
            if (bitmap) DeleteObject(bitmap);
            if (mem) DeleteDC(mem);
            EndPaint(h, &ps);
            return 0;
        }
        case WM_WINDOWPOSCHANGING: {
            // However the window is sized, it keeps the tile's size.
            auto* pos = reinterpret_cast<WINDOWPOS*>(lp);
            const SIZE own = TilePixels();
            pos->cx = own.cx;
            pos->cy = own.cy;
            break;
        }
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            if (msg == WM_SETFOCUS) {
                tile_.GotFocus();
            } else {
                tile_.LostFocus();
            }
            InvalidateRect(h, nullptr, FALSE);
            FocusChanged(msg == WM_SETFOCUS);
            return 0;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lp) != h) tile_.CaptureLost();
            return 0;
        case kReportSize: {
            RECT at{};
            GetWindowRect(h, &at);
            MapWindowPoints(nullptr, GetParent(h), reinterpret_cast<POINT*>(&at), 2);
            ReportSize(at);
            return 0;
        }
        default: break;
    }
    return DefWindowProcW(h, msg, wp, lp);
}

LRESULT CALLBACK TileProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lp);
        SetWindowLongPtrW(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* tile = reinterpret_cast<ThumbImgControl*>(GetWindowLongPtrW(h, GWLP_USERDATA));
    if (msg == WM_NCDESTROY) SetWindowLongPtrW(h, GWLP_USERDATA, 0);
    if (!tile) return DefWindowProcW(h, msg, wp, lp);
    return tile->Handle(h, msg, wp, lp);
}

}  // namespace

HRESULT CreateThumbImg(REFIID iid, void** out) {
    return com::Hand<ThumbImgControl, IOleObject>(new ThumbImgControl, iid, out);
}

void UnregisterTileClass() { UnregisterClassW(kTileClass, com::CodeModule()); }

}  // namespace velmora::thumb
