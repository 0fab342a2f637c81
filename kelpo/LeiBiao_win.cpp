#include "kelpo/LeiBiao_win.h"

#include <windowsx.h>
#include <olectl.h>

#include <memory>

#include "ListBox.h"
#include "com/ClassInfo.h"
#include "com/ConnectionPoint.h"
#include "com/Fonts.h"
#include "com/InPlaceControl.h"
#include "com/PersistProperties.h"
#include "com/Server.h"
#include "com/TypeInfoDispatch.h"
#include "com/Variants.h"
#include "kelpo/ClsIcon_win.h"
#include "kelpo/KelpoIds.h"
#include "kelpo/LeiBiao.h"
#include "kelpo/ListSurface_win.h"
#include "kelpo/ucMessage_win.h"
#include "kelpo/ucScrollbar_win.h"

namespace velmora::kelpo {
namespace {

constexpr const wchar_t* kListClass = L"VelmoraKelpoLeiBiao";
constexpr const char* kSource = "ListBox.LeiBiao";
// Activated when visible, in place, sited before its properties are read.
constexpr DWORD kMiscStatus = OLEMISC_RECOMPOSEONRESIZE | OLEMISC_CANTLINKINSIDE | OLEMISC_INSIDEOUT |
                              OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_SETCLIENTSITEFIRST;

LRESULT CALLBACK ListWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

bool RegisterListClass(HMODULE module) {
    WNDCLASSEXW wc{};
    if (GetClassInfoExW(module, kListClass, &wc)) return true;
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = ListWindowProc;
    wc.hInstance = module;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kListClass;
    return RegisterClassExW(&wc) != 0;
}

int ShiftState(WPARAM wParam) {
    return ((wParam & MK_SHIFT) ? 1 : 0) | ((wParam & MK_CONTROL) ? 2 : 0) | (GetKeyState(VK_MENU) < 0 ? 4 : 0);
}

int HeldButtons(WPARAM wParam) {
    return ((wParam & MK_LBUTTON) ? 1 : 0) | ((wParam & MK_RBUTTON) ? 2 : 0) | ((wParam & MK_MBUTTON) ? 4 : 0);
}

VARIANT ShortArgument(short value) {
    VARIANT v;
    v.vt = VT_I2;
    v.iVal = value;
    return v;
}

VARIANT SingleArgument(float value) {
    VARIANT v;
    v.vt = VT_R4;
    v.fltVal = value;
    return v;
}

VARIANT ShortReference(std::int16_t* value) {
    VARIANT v;
    v.vt = VT_I2 | VT_BYREF;
    v.piVal = value;
    return v;
}

class LeiBiaoControl final
    : public com::ComObject<com::TypeInfoDispatch<_LeiBiao>, com::InPlaceControl, com::PersistProperties,
                            com::ClassInfoProvider, IConnectionPointContainer>,
      private ListEvents,
      private com::ServerObject {
public:
    LeiBiaoControl()
        : point_(this, __uuidof(__LeiBiao)),
          bar_(com::CodeModule(), ScrollbarEvents{[this] { list_.BarChange(); }, [this] { list_.BarScroll(); },
                                                  [this] { list_.BarShownOrHidden(); },
                                                  [this] { list_.BarShownOrHidden(); }}),
          list_(bar_, *this),
          message_([this](HWND&, std::uint32_t& message, std::int32_t& wParam, std::int32_t&) {
              list_.Message(message, wParam);
          }) {
        bar_.SetVisible(false);  // until the rows no longer fit
        font_ = com::MakeFont("宋体", 9, false);
    }

    // _LeiBiao: properties
    STDMETHODIMP get_BackColor(OLE_COLOR* v) override { return Give(v, list_.BackColor()); }
    STDMETHODIMP put_BackColor(OLE_COLOR v) override { return Done([&] { list_.SetBackColor(v); }); }
    STDMETHODIMP get_Font(IFontDisp** v) override { return com::GiveFont(font_, v); }
    STDMETHODIMP putref_Font(IFontDisp* v) override { return SetFont(v); }
    STDMETHODIMP put_Font(IFontDisp* v) override { return SetFont(v); }
    STDMETHODIMP get_ItemHeight(long* v) override { return Give(v, list_.ItemHeight()); }
    STDMETHODIMP put_ItemHeight(long v) override {
        if (!list_.SetItemHeight(v))
            return Fail(CTL_E_INVALIDPROPERTYVALUE, kSource, "ItemHeight must be at least 1");
        return S_OK;
    }
    STDMETHODIMP get_ItemBkColor1(OLE_COLOR* v) override { return Give(v, list_.ItemBkColor1()); }
    STDMETHODIMP put_ItemBkColor1(OLE_COLOR v) override { return Done([&] { list_.SetItemBkColor1(v); }); }
    STDMETHODIMP get_ItemBkColor2(OLE_COLOR* v) override { return Give(v, list_.ItemBkColor2()); }
    STDMETHODIMP put_ItemBkColor2(OLE_COLOR v) override { return Done([&] { list_.SetItemBkColor2(v); }); }
    STDMETHODIMP get_ItemSelBkColor(OLE_COLOR* v) override { return Give(v, list_.ItemSelBkColor()); }
    STDMETHODIMP put_ItemSelBkColor(OLE_COLOR v) override { return Done([&] { list_.SetItemSelBkColor(v); }); }
    STDMETHODIMP get_ItemNorTextColor(OLE_COLOR* v) override { return Give(v, list_.ItemNorTextColor()); }
    STDMETHODIMP put_ItemNorTextColor(OLE_COLOR v) override { return Done([&] { list_.SetItemNorTextColor(v); }); }
    STDMETHODIMP get_ItemSelTextColor(OLE_COLOR* v) override { return Give(v, list_.ItemSelTextColor()); }
    STDMETHODIMP put_ItemSelTextColor(OLE_COLOR v) override { return Done([&] { list_.SetItemSelTextColor(v); }); }
    STDMETHODIMP get_ItemPlyTextColor(OLE_COLOR* v) override { return Give(v, list_.ItemPlyTextColor()); }
    STDMETHODIMP put_ItemPlyTextColor(OLE_COLOR v) override { return Done([&] { list_.SetItemPlyTextColor(v); }); }
    STDMETHODIMP get_Border(VARIANT_BOOL* v) override {
        return Give(v, static_cast<VARIANT_BOOL>(list_.Border() ? VARIANT_TRUE : VARIANT_FALSE));
    }
    STDMETHODIMP put_Border(VARIANT_BOOL v) override { return Done([&] { list_.SetBorder(v != VARIANT_FALSE); }); }
    STDMETHODIMP get_BorderColor(OLE_COLOR* v) override { return Give(v, list_.BorderColor()); }
    STDMETHODIMP put_BorderColor(OLE_COLOR v) override { return Done([&] { list_.SetBorderColor(v); }); }
    STDMETHODIMP get_BorderWidth(long* v) override { return Give(v, list_.BorderWidth()); }
    STDMETHODIMP put_BorderWidth(long v) override {
        if (!list_.SetBorderWidth(v))
            return Fail(CTL_E_INVALIDPROPERTYVALUE, kSource, "BorderWidth must lie between 0 and 32767");
        return S_OK;
    }

    // _LeiBiao: items
    STDMETHODIMP AddItem(VARIANT title, VARIANT author, VARIANT index, long* count) override {
        const auto titleText = com::TextOf(title);
        std::optional<std::string> authorText;
        std::optional<double> position;
        if (!com::IsMissing(author)) authorText = com::TextOf(author);
        if (!com::IsMissing(index)) position = com::NumberOf(index);
        if (!titleText || (!com::IsMissing(author) && !authorText) || (!com::IsMissing(index) && !position))
            return Fail(DISP_E_TYPEMISMATCH, kSource, "AddItem: an argument is not text or a number");
        return Give(count, list_.AddItem(*titleText, authorText, position));
    }
    STDMETHODIMP RemoveItem(long index, long* count) override { return Give(count, list_.RemoveItem(index)); }
    STDMETHODIMP Clear() override { return Done([&] { list_.Clear(); }); }
    STDMETHODIMP Refresh() override { return Done([&] { list_.Paint(); }); }
    STDMETHODIMP get_hWnd(long* v) override {
        return Give(v, static_cast<long>(reinterpret_cast<LONG_PTR>(controlWindow())));
    }
    STDMETHODIMP get_ListCount(long* v) override { return Give(v, list_.ListCount()); }
    STDMETHODIMP IndexFromPoint(VARIANT x, VARIANT y, short* index) override {
        const auto px = com::NumberOf(x), py = com::NumberOf(y);
        if (!px || !py) return Fail(DISP_E_TYPEMISMATCH, kSource, "IndexFromPoint: x and y are numbers");
        return Give(index, list_.IndexFromPoint(*px, *py));
    }
    STDMETHODIMP get_FirstIndex(short* v) override { return Give(v, list_.FirstIndex()); }
    STDMETHODIMP get_LastIndex(short* v) override { return Give(v, list_.LastIndex()); }
    STDMETHODIMP get_ListIndex(short* v) override { return Give(v, list_.ListIndex()); }
    STDMETHODIMP put_ListIndex(short v) override { return Done([&] { list_.SetListIndex(v); }); }
    STDMETHODIMP get_PlayIndex(short* v) override { return Give(v, list_.PlayIndex()); }
    STDMETHODIMP put_PlayIndex(short v) override { return Done([&] { list_.SetPlayIndex(v); }); }
    STDMETHODIMP get_Title(long i, BSTR* v) override { return com::GiveText(list_.Title(i), v); }
    STDMETHODIMP put_Title(long i, BSTR v) override { return Done([&] { list_.SetTitle(i, com::TextOf(v)); }); }
    STDMETHODIMP get_Author(long i, BSTR* v) override { return com::GiveText(list_.Author(i), v); }
    STDMETHODIMP put_Author(long i, BSTR v) override { return Done([&] { list_.SetAuthor(i, com::TextOf(v)); }); }
    STDMETHODIMP get_URL(long i, BSTR* v) override { return com::GiveText(list_.Url(i), v); }
    STDMETHODIMP put_URL(long i, BSTR v) override { return Done([&] { list_.SetUrl(i, com::TextOf(v)); }); }
    STDMETHODIMP get_StrTime(long i, BSTR* v) override { return com::GiveText(list_.StrTime(i), v); }
    STDMETHODIMP put_StrTime(long i, BSTR v) override { return Done([&] { list_.SetStrTime(i, com::TextOf(v)); }); }
    STDMETHODIMP get_LongTime(long i, long* v) override { return Give(v, list_.LongTime(i)); }
    STDMETHODIMP put_LongTime(long i, long v) override { return Done([&] { list_.SetLongTime(i, v); }); }

    // IConnectionPointContainer
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** out) override { return com::EnumPoints(point_, out); }
    STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** out) override {
        return com::FindPoint(point_, iid, out);
    }

    // The control's window procedure, once the window knows its control.
    LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    ~LeiBiaoControl() override {
        point_.Clear();
        if (HWND window = controlWindow()) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        DestroyControlWindow();
        if (gdiFont_) DeleteObject(gdiFont_);
    }

    void* Find(REFIID iid) override {
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(_LeiBiao))
            return static_cast<_LeiBiao*>(this);
        if (iid == IID_ISupportErrorInfo) return static_cast<ISupportErrorInfo*>(this);
        if (void* inPlace = FindInPlaceInterface(iid)) return inPlace;
        if (iid == IID_IPersist || iid == IID_IPersistPropertyBag) return static_cast<IPersistPropertyBag*>(this);
        if (iid == IID_IPersistStreamInit) return static_cast<IPersistStreamInit*>(this);
        if (iid == IID_IProvideClassInfo || iid == IID_IProvideClassInfo2) return static_cast<IProvideClassInfo2*>(this);
        if (iid == IID_IConnectionPointContainer) return static_cast<IConnectionPointContainer*>(this);
        return nullptr;
    }

    template <typename T, typename V>
    static HRESULT Give(T* out, V value) {
        if (!out) return E_POINTER;
        *out = static_cast<T>(value);
        return S_OK;
    }
    template <typename F>
    static HRESULT Done(F&& action) {
        action();
        return S_OK;
    }

    HRESULT SetFont(IFontDisp* font) {
        ComRef<IFont> copy = com::CopyFont(font);
        if (!copy) return Fail(CTL_E_INVALIDPROPERTYVALUE, kSource, "Font needs a font object");
        font_ = copy;
        ApplyFont();
        list_.FontChanged();
        return S_OK;
    }

    void ApplyFont() {
        if (!surface_) return;
        HFONT made = com::CreateGdiFont(font_.get());
        surface_->SetFont(made);
        if (gdiFont_) DeleteObject(gdiFont_);
        gdiFont_ = made;
    }

    // InPlaceControl
    REFCLSID ClassId() const override { return CLSID_LeiBiao; }
    REFIID EventsIid() const override { return __uuidof(__LeiBiao); }
    DWORD MiscStatus() const override { return kMiscStatus; }
    SIZE DefaultSize() const override { return SIZE{160, 240}; }

    HWND CreateControlWindow(HWND parent, const RECT& pos) override {
        HMODULE module = com::CodeModule();
        if (!RegisterListClass(module) || !RegisterScrollbarClass(module)) return nullptr;
        HWND window = CreateWindowExW(0, kListClass, L"", WS_CHILD | WS_CLIPCHILDREN | WS_TABSTOP, pos.left, pos.top,
                                      pos.right - pos.left, pos.bottom - pos.top, parent, nullptr, module, this);
        if (!window) return nullptr;
        const bool running = UserMode();
        surface_ = std::make_unique<GdiListSurface>(window);
        surface_->SetPlayIcon(&playIcon_);
        ApplyFont();
        list_.SetDesignMode(!running);
        list_.SetDisplayName(DisplayName());
        list_.SetSurface(surface_.get());
        bar_.Create(window, running);
        list_.Loaded();
        if (running) {
            message_.StartMessage(window);
            message_.AddMessage(kWheelMessage);
            playIcon_.LoadFromData(ResourceBytes(module, L"PLAYICON", L"TCICON"));
        }
        list_.Resize();
        ShowWindow(window, SW_SHOWNA);
        return window;
    }

    // A container drawing the control itself (printing, a form without windows).
    void DrawContent(HDC dc, const RECT& bounds) override {
        GdiListSurface onto(dc, bounds);
        HFONT font = com::CreateGdiFont(font_.get());
        if (surface_) {
            onto.CopySettings(*surface_);
        } else {
            onto.SetBrushColour(ListBrush::Row1, list_.ItemBkColor1());
            onto.SetBrushColour(ListBrush::Row2, list_.ItemBkColor2());
            onto.SetBrushColour(ListBrush::Selection, list_.ItemSelBkColor());
            onto.SetBrushColour(ListBrush::Background, list_.BackColor());
            onto.SetBackColour(list_.BackColor());
            onto.SetPenWidth(list_.BorderWidth());
            onto.SetPlayIcon(&playIcon_);
        }
        onto.SetFont(font);
        list_.SetSurface(&onto);
        list_.ComputeWidths();
        list_.Paint();
        list_.SetSurface(surface_.get());
        list_.ComputeWidths();
        if (font) DeleteObject(font);
    }

    void AmbientChanged(DISPID) override {
        list_.SetDesignMode(!UserMode());
        list_.Paint();
    }

    // PersistProperties
    std::vector<com::PersistedProperty> PersistedProperties() override {
        auto colour = [this](const wchar_t* name, std::uint32_t (LeiBiao::*get)() const,
                             void (LeiBiao::*set)(std::uint32_t)) {
            return com::PersistedProperty{
                name, VT_UI4,
                [this, get](VARIANT* v) {
                    v->vt = VT_UI4;
                    v->ulVal = (list_.*get)();
                },
                [this, set](const VARIANT& v) { (list_.*set)(v.ulVal); }, com::Variant()};
        };
        return {
            colour(L"BackColor", &LeiBiao::BackColor, &LeiBiao::SetBackColor),
            {L"Font", VT_DISPATCH,
             [this](VARIANT* v) {
                 IFontDisp* font = nullptr;
                 com::GiveFont(font_, &font);
                 v->vt = VT_DISPATCH;
                 v->pdispVal = font;
             },
             [this](const VARIANT& v) {
                 if (ComRef<IFont> copy = com::CopyFont(v.pdispVal)) {
                     font_ = copy;
                     ApplyFont();
                     list_.FontChanged();
                 }
             },
             com::Variant()},
            {L"ItemHeight", VT_I4,
             [this](VARIANT* v) {
                 v->vt = VT_I4;
                 v->lVal = list_.ItemHeight();
             },
             [this](const VARIANT& v) { list_.SetItemHeight(v.lVal); }, com::Variant()},
            colour(L"ItemBkColor1", &LeiBiao::ItemBkColor1, &LeiBiao::SetItemBkColor1),
            colour(L"ItemBkColor2", &LeiBiao::ItemBkColor2, &LeiBiao::SetItemBkColor2),
            colour(L"ItemSelBkColor", &LeiBiao::ItemSelBkColor, &LeiBiao::SetItemSelBkColor),
            colour(L"ItemNorTextColor", &LeiBiao::ItemNorTextColor, &LeiBiao::SetItemNorTextColor),
            colour(L"ItemSelTextColor", &LeiBiao::ItemSelTextColor, &LeiBiao::SetItemSelTextColor),
            colour(L"ItemPlyTextColor", &LeiBiao::ItemPlyTextColor, &LeiBiao::SetItemPlyTextColor),
            {L"Border", VT_BOOL,
             [this](VARIANT* v) {
                 v->vt = VT_BOOL;
                 v->boolVal = list_.Border() ? VARIANT_TRUE : VARIANT_FALSE;
             },
             [this](const VARIANT& v) { list_.SetBorder(v.boolVal != VARIANT_FALSE); }, com::Variant()},
            colour(L"BorderColor", &LeiBiao::BorderColor, &LeiBiao::SetBorderColor),
            {L"BorderWidth", VT_I2,
             [this](VARIANT* v) {
                 v->vt = VT_I2;
                 v->iVal = static_cast<SHORT>(list_.BorderWidth());
             },
             [this](const VARIANT& v) { list_.SetBorderWidth(v.iVal); }, com::Variant()},
        };
    }

    void InitNewProperties() override {
        list_.SetBackColor(ListDefaults::kBackColor);
        list_.SetItemHeight(ListDefaults::kItemHeight);
        list_.SetItemBkColor1(ListDefaults::kItemBkColor1);
        list_.SetItemBkColor2(ListDefaults::kItemBkColor2);
        list_.SetItemSelBkColor(ListDefaults::kItemSelBkColor);
        list_.SetItemNorTextColor(ListDefaults::kItemNorTextColor);
        list_.SetItemSelTextColor(ListDefaults::kItemSelTextColor);
        list_.SetItemPlyTextColor(ListDefaults::kItemPlyTextColor);
        list_.SetBorder(ListDefaults::kBorder);
        list_.SetBorderColor(ListDefaults::kBorderColor);
    }

    void PropertiesLoaded() override {
        if (!controlWindow()) return;  // the window's creation applies them
        ApplyFont();
        list_.Loaded();
        list_.Paint();
    }

    // ListEvents: raised through the connection point. The control stays alive while a
    // handler runs, even when the handler lets go of it.
    void Fire(long dispid, VARIANT* reversed, UINT count) {
        ComRef<IConnectionPointContainer> keep = ComRef<IConnectionPointContainer>::Share(this);
        DISPPARAMS params{reversed, nullptr, count, 0};
        point_.Fire(dispid, &params);
    }
    void FireMouse(long dispid, int button, int shift, float x, float y) {
        VARIANT args[4] = {SingleArgument(y), SingleArgument(x), ShortArgument(static_cast<short>(shift)),
                           ShortArgument(static_cast<short>(button))};
        Fire(dispid, args, 4);
    }
    void FireIndexes(long dispid, std::int16_t& oldIndex, std::int16_t& newIndex, std::int16_t& flag) {
        VARIANT args[3] = {ShortReference(&flag), ShortReference(&newIndex), ShortReference(&oldIndex)};
        Fire(dispid, args, 3);
    }
    void Click(int b, int s, float x, float y) override { FireMouse(kClickEvent, b, s, x, y); }
    void MouseDown(int b, int s, float x, float y) override { FireMouse(kMouseDownEvent, b, s, x, y); }
    void MouseMove(int b, int s, float x, float y) override { FireMouse(kMouseMoveEvent, b, s, x, y); }
    void MouseUp(int b, int s, float x, float y) override { FireMouse(kMouseUpEvent, b, s, x, y); }
    void ListIndexChanged(std::int16_t& o, std::int16_t& n, std::int16_t& f) override {
        FireIndexes(kListIndexChangedEvent, o, n, f);
    }
    void PlayIndexChanged(std::int16_t& o, std::int16_t& n, std::int16_t& f) override {
        FireIndexes(kPlayIndexChangedEvent, o, n, f);
    }
    void Scroll() override { Fire(kScrollEvent, nullptr, 0); }
    void Resize() override { Fire(kResizeEvent, nullptr, 0); }
    void PropertyChanged() override { SetDirty(); }

    com::ConnectionPoint point_;
    ucScrollbarWindow bar_;
    LeiBiao list_;
    ucMessage message_;
    std::unique_ptr<GdiListSurface> surface_;
    ComRef<IFont> font_;
    HFONT gdiFont_ = nullptr;
    ClsIcon playIcon_;
    bool leftDown_ = false;
};

LRESULT LeiBiaoControl::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const float x = static_cast<float>(GET_X_LPARAM(lParam)), y = static_cast<float>(GET_Y_LPARAM(lParam));
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        if (dc && surface_) {
            surface_->UsePaintDc(dc);
            list_.Paint();
            surface_->UsePaintDc(nullptr);
        }
        EndPaint(window, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;  // every pixel is painted by the rows
    case WM_SIZE:
        list_.Resize();
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (GetFocus() != window) SetFocus(window);
        if (message == WM_LBUTTONDOWN) {
            SetCapture(window);
            leftDown_ = true;
        }
        list_.MouseDown(message == WM_LBUTTONDOWN ? 1 : message == WM_RBUTTONDOWN ? 2 : 4, ShiftState(wParam), x, y);
        return 0;
    case WM_MOUSEMOVE:
        list_.MouseMove(HeldButtons(wParam), ShiftState(wParam), x, y);
        return 0;
    case WM_LBUTTONUP: {
        RECT client{};
        GetClientRect(window, &client);
        const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        const bool click = leftDown_ && PtInRect(&client, at);
        leftDown_ = false;
        if (GetCapture() == window) ReleaseCapture();
        list_.MouseUp(1, ShiftState(wParam), x, y);
        if (click) list_.Clicked();
        return 0;
    }
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        list_.MouseUp(message == WM_RBUTTONUP ? 2 : 4, ShiftState(wParam), x, y);
        return 0;
    case WM_SETFOCUS:
        FocusChanged(true);
        return 0;
    case WM_KILLFOCUS:
        FocusChanged(false);
        return 0;
    case WM_MOUSEWHEEL:
        return 0;  // handled here; the message hook reports it afterwards
    case WM_DESTROY:
        message_.StopMessage();
        bar_.Destroy();
        list_.SetSurface(nullptr);
        surface_.reset();
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK ListWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* control = reinterpret_cast<LeiBiaoControl*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!control) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    // Held for the whole message: an event handler may release the control's last reference.
    ComRef<IConnectionPointContainer> keep =
        ComRef<IConnectionPointContainer>::Share(control->as<IConnectionPointContainer>());
    return control->Handle(window, message, wParam, lParam);
}

}  // namespace

HRESULT CreateLeiBiao(REFIID iid, void** out) { return com::Hand<LeiBiaoControl, _LeiBiao>(new LeiBiaoControl, iid, out); }

com::ServerClass LeiBiaoServerClass() {
    com::ServerClass server;
    server.clsid = CLSID_LeiBiao;
    server.progId = kLeiBiaoProgId;
    server.description = L"LeiBiao";
    server.typeLib = LIBID_ListBox;
    server.typeLibMajor = 1;
    server.typeLibMinor = 0;
    server.control = true;
    server.miscStatus = kMiscStatus;
    return server;
}

void UnregisterControlClasses(HMODULE module) {
    UnregisterClassW(kListClass, module);
    UnregisterScrollbarClass(module);
}

}  // namespace velmora::kelpo
