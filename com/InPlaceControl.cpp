#include "com/InPlaceControl.h"

#include <olectl.h>

#include "com/Variants.h"

namespace velmora::com {
namespace {

constexpr long kHimetricPerInch = 2540;

long PixelsToHimetric(long pixels, int dpi) { return MulDiv(pixels, kHimetricPerInch, dpi); }

int ScreenDpi(bool horizontal) {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, horizontal ? LOGPIXELSX : LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

}  // namespace

void* InPlaceControl::FindInPlaceInterface(REFIID iid) {
    if (iid == IID_IOleObject) return static_cast<IOleObject*>(this);
    if (iid == IID_IOleWindow || iid == IID_IOleInPlaceObject) return static_cast<IOleInPlaceObject*>(this);
    if (iid == IID_IOleInPlaceActiveObject) return static_cast<IOleInPlaceActiveObject*>(this);
    if (iid == IID_IOleControl) return static_cast<IOleControl*>(this);
    if (iid == IID_IViewObject || iid == IID_IViewObject2) return static_cast<IViewObject2*>(this);
    return nullptr;
}

// IOleObject

STDMETHODIMP InPlaceControl::SetClientSite(IOleClientSite* site) {
    site_ = ComRef<IOleClientSite>::Share(site);
    if (!site) inPlaceSite_.Reset();
    ClientSiteChanged();
    return S_OK;
}

STDMETHODIMP InPlaceControl::GetClientSite(IOleClientSite** out) {
    if (!out) return E_POINTER;
    *out = site_.get();
    if (*out) (*out)->AddRef();
    return S_OK;
}

STDMETHODIMP InPlaceControl::SetHostNames(LPCOLESTR, LPCOLESTR) { return S_OK; }

STDMETHODIMP InPlaceControl::Close(DWORD) {
    InPlaceDeactivate();
    if (adviseHolder_) adviseHolder_->SendOnClose();
    return S_OK;
}

STDMETHODIMP InPlaceControl::SetMoniker(DWORD, IMoniker*) { return E_NOTIMPL; }

STDMETHODIMP InPlaceControl::GetMoniker(DWORD, DWORD, IMoniker** out) {
    if (out) *out = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP InPlaceControl::InitFromData(IDataObject*, BOOL, DWORD) { return E_NOTIMPL; }

STDMETHODIMP InPlaceControl::GetClipboardData(DWORD, IDataObject** out) {
    if (out) *out = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP InPlaceControl::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND, LPCRECT) {
    if (site && !site_) SetClientSite(site);
    switch (verb) {
    case OLEIVERB_PRIMARY:
    case OLEIVERB_UIACTIVATE:
        return ActivateInPlace(true);
    case OLEIVERB_SHOW:
    case OLEIVERB_INPLACEACTIVATE:
        return ActivateInPlace(false);
    case OLEIVERB_HIDE:
        if (window_) ShowWindow(window_, SW_HIDE);
        return S_OK;
    default:
        return verb < 0 ? E_NOTIMPL : OLEOBJ_S_INVALIDVERB;
    }
}

STDMETHODIMP InPlaceControl::EnumVerbs(IEnumOLEVERB** out) { return OleRegEnumVerbs(ClassId(), out); }
STDMETHODIMP InPlaceControl::Update() { return S_OK; }
STDMETHODIMP InPlaceControl::IsUpToDate() { return S_OK; }

STDMETHODIMP InPlaceControl::GetUserClassID(CLSID* out) {
    if (!out) return E_POINTER;
    *out = ClassId();
    return S_OK;
}

STDMETHODIMP InPlaceControl::GetUserType(DWORD form, LPOLESTR* out) { return OleRegGetUserType(ClassId(), form, out); }

STDMETHODIMP InPlaceControl::SetExtent(DWORD aspect, SIZEL* size) {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!size) return E_POINTER;
    extent_ = *size;
    extentSet_ = true;
    return S_OK;
}

STDMETHODIMP InPlaceControl::GetExtent(DWORD aspect, SIZEL* size) {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!size) return E_POINTER;
    if (!extentSet_) {
        const SIZE pixels = DefaultSize();
        SetPixelExtent(pixels.cx, pixels.cy);
    }
    *size = extent_;
    return S_OK;
}

STDMETHODIMP InPlaceControl::Advise(IAdviseSink* sink, DWORD* cookie) {
    if (!cookie) return E_POINTER;
    *cookie = 0;
    if (!adviseHolder_ && FAILED(CreateOleAdviseHolder(adviseHolder_.Receive()))) return E_OUTOFMEMORY;
    return adviseHolder_->Advise(sink, cookie);
}

STDMETHODIMP InPlaceControl::Unadvise(DWORD cookie) {
    if (!adviseHolder_) return OLE_E_NOCONNECTION;
    return adviseHolder_->Unadvise(cookie);
}

STDMETHODIMP InPlaceControl::EnumAdvise(IEnumSTATDATA** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!adviseHolder_) return S_OK;
    return adviseHolder_->EnumAdvise(out);
}

STDMETHODIMP InPlaceControl::GetMiscStatus(DWORD aspect, DWORD* status) {
    if (!status) return E_POINTER;
    *status = aspect == DVASPECT_CONTENT ? MiscStatus() : 0;
    return S_OK;
}

STDMETHODIMP InPlaceControl::SetColorScheme(LOGPALETTE*) { return E_NOTIMPL; }

// In-place activation

STDMETHODIMP InPlaceControl::GetWindow(HWND* out) {
    if (!out) return E_POINTER;
    *out = window_;
    return window_ ? S_OK : E_FAIL;
}

STDMETHODIMP InPlaceControl::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

HRESULT InPlaceControl::ActivateInPlace(bool uiActivate) {
    if (!site_) return E_UNEXPECTED;
    if (!window_) {
        inPlaceSite_ = site_.As<IOleInPlaceSite>(IID_IOleInPlaceSite);
        if (!inPlaceSite_) return E_NOINTERFACE;
        if (inPlaceSite_->CanInPlaceActivate() != S_OK) return E_FAIL;
        if (FAILED(inPlaceSite_->OnInPlaceActivate())) return E_FAIL;
        HWND parent = nullptr;
        RECT pos{}, clip{};
        OLEINPLACEFRAMEINFO info{};
        info.cb = sizeof info;
        frame_.Reset();
        uiWindow_.Reset();
        if (FAILED(inPlaceSite_->GetWindow(&parent)) || !parent ||
            FAILED(inPlaceSite_->GetWindowContext(frame_.Receive(), uiWindow_.Receive(), &pos, &clip, &info))) {
            inPlaceSite_->OnInPlaceDeactivate();
            return E_FAIL;
        }
        window_ = CreateControlWindow(parent, pos);
        if (!window_) {
            inPlaceSite_->OnInPlaceDeactivate();
            return E_FAIL;
        }
        SetPixelExtent(pos.right - pos.left, pos.bottom - pos.top);
    }
    if (!IsWindowVisible(window_)) ShowWindow(window_, SW_SHOWNA);
    return uiActivate ? ActivateUi() : S_OK;
}

HRESULT InPlaceControl::ActivateUi() {
    if (!window_ || !inPlaceSite_) return E_UNEXPECTED;
    if (!uiActive_) {
        uiActive_ = true;
        inPlaceSite_->OnUIActivate();
        auto* active = static_cast<IOleInPlaceActiveObject*>(this);
        if (frame_) frame_->SetActiveObject(active, nullptr);
        if (uiWindow_) uiWindow_->SetActiveObject(active, nullptr);
        if (frame_) frame_->SetBorderSpace(nullptr);
        if (uiWindow_) uiWindow_->SetBorderSpace(nullptr);
    }
    if (GetFocus() != window_ && !IsChild(window_, GetFocus())) SetFocus(window_);
    return S_OK;
}

STDMETHODIMP InPlaceControl::UIDeactivate() {
    if (!uiActive_) return S_OK;
    uiActive_ = false;
    if (uiWindow_) uiWindow_->SetActiveObject(nullptr, nullptr);
    if (frame_) frame_->SetActiveObject(nullptr, nullptr);
    if (inPlaceSite_) inPlaceSite_->OnUIDeactivate(FALSE);
    return S_OK;
}

STDMETHODIMP InPlaceControl::InPlaceDeactivate() {
    if (!window_) return S_OK;
    UIDeactivate();
    DestroyControlWindow();
    frame_.Reset();
    uiWindow_.Reset();
    // The site is released after its last call: it may release this object in turn.
    ComRef<IOleInPlaceSite> site = inPlaceSite_;
    inPlaceSite_.Reset();
    if (site) site->OnInPlaceDeactivate();
    return S_OK;
}

void InPlaceControl::DestroyControlWindow() {
    if (!window_) return;
    HWND window = window_;
    window_ = nullptr;
    DestroyWindow(window);
}

STDMETHODIMP InPlaceControl::SetObjectRects(LPCRECT pos, LPCRECT) {
    if (!pos) return E_POINTER;
    if (!window_) return E_UNEXPECTED;
    const int width = pos->right - pos->left, height = pos->bottom - pos->top;
    SetPixelExtent(width, height);
    MoveWindow(window_, pos->left, pos->top, width, height, TRUE);
    return S_OK;
}

STDMETHODIMP InPlaceControl::ReactivateAndUndo() { return E_NOTIMPL; }
STDMETHODIMP InPlaceControl::TranslateAccelerator(LPMSG) { return S_FALSE; }
STDMETHODIMP InPlaceControl::OnFrameWindowActivate(BOOL) { return S_OK; }
STDMETHODIMP InPlaceControl::OnDocWindowActivate(BOOL) { return S_OK; }
STDMETHODIMP InPlaceControl::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) { return S_OK; }
STDMETHODIMP InPlaceControl::EnableModeless(BOOL) { return S_OK; }

// IOleControl

STDMETHODIMP InPlaceControl::GetControlInfo(CONTROLINFO* info) {
    if (!info) return E_POINTER;
    if (info->cb < sizeof(CONTROLINFO)) return E_INVALIDARG;
    info->hAccel = nullptr;
    info->cAccel = 0;
    info->dwFlags = 0;
    return S_OK;
}

STDMETHODIMP InPlaceControl::OnMnemonic(MSG*) { return E_NOTIMPL; }

STDMETHODIMP InPlaceControl::OnAmbientPropertyChange(DISPID dispid) {
    AmbientChanged(dispid);
    return S_OK;
}

STDMETHODIMP InPlaceControl::FreezeEvents(BOOL) { return S_OK; }

// IViewObject2

STDMETHODIMP InPlaceControl::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC dc, LPCRECTL bounds,
                                  LPCRECTL, BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR) {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!dc || !bounds) return E_INVALIDARG;
    const RECT r{bounds->left, bounds->top, bounds->right, bounds->bottom};
    DrawContent(dc, r);
    return S_OK;
}

STDMETHODIMP InPlaceControl::GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE** out) {
    if (out) *out = nullptr;
    return S_FALSE;  // no palette of its own
}

STDMETHODIMP InPlaceControl::Freeze(DWORD, LONG, void*, DWORD* key) {
    if (key) *key = 0;
    return E_NOTIMPL;
}

STDMETHODIMP InPlaceControl::Unfreeze(DWORD) { return E_NOTIMPL; }

STDMETHODIMP InPlaceControl::SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) {
    viewAspects_ = aspects;
    viewFlags_ = flags;
    viewSink_ = ComRef<IAdviseSink>::Share(sink);
    return S_OK;
}

STDMETHODIMP InPlaceControl::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) {
    if (aspects) *aspects = viewAspects_;
    if (flags) *flags = viewFlags_;
    if (sink) {
        *sink = viewSink_.get();
        if (*sink) (*sink)->AddRef();
    }
    return S_OK;
}

STDMETHODIMP InPlaceControl::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) {
    return GetExtent(aspect, size);
}

// Helpers for the control

void InPlaceControl::SetPixelExtent(int width, int height) {
    extent_.cx = PixelsToHimetric(width, ScreenDpi(true));
    extent_.cy = PixelsToHimetric(height, ScreenDpi(false));
    extentSet_ = true;
}

bool InPlaceControl::Ambient(DISPID dispid, VARIANT* out) const {
    if (!out || !site_) return false;
    VariantInit(out);
    ComRef<IDispatch> ambients = site_.As<IDispatch>(IID_IDispatch);
    if (!ambients) return false;
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    if (FAILED(ambients->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, out, nullptr,
                                nullptr))) {
        VariantClear(out);
        return false;
    }
    return true;
}

bool InPlaceControl::UserMode() const {
    Variant mode;
    if (!Ambient(DISPID_AMBIENT_USERMODE, mode.get())) return true;
    if (FAILED(VariantChangeType(mode.get(), mode.get(), 0, VT_BOOL))) return true;
    return mode.value().boolVal != VARIANT_FALSE;
}

std::string InPlaceControl::DisplayName() const {
    Variant name;
    if (!Ambient(DISPID_AMBIENT_DISPLAYNAME, name.get())) return {};
    return TextOf(name.value()).value_or(std::string());
}

void InPlaceControl::FocusChanged(bool gotFocus) {
    if (gotFocus && !uiActive_) ActivateUi();
    if (auto controlSite = site_.As<IOleControlSite>(IID_IOleControlSite)) controlSite->OnFocus(gotFocus);
}

}  // namespace velmora::com
