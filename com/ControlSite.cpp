#include "com/ControlSite.h"

#include <olectl.h>

namespace velmora::com {

// ---- InPlaceFrame

ComRef<InPlaceFrame> InPlaceFrame::Make(HWND topLevel) {
    return ComRef<InPlaceFrame>::Adopt(new InPlaceFrame(topLevel));
}

void* InPlaceFrame::Find(REFIID iid) {
    if (iid == IID_IUnknown || iid == IID_IOleWindow || iid == IID_IOleInPlaceUIWindow ||
        iid == IID_IOleInPlaceFrame)
        return static_cast<IOleInPlaceFrame*>(this);
    return nullptr;
}

STDMETHODIMP InPlaceFrame::GetWindow(HWND* out) {
    if (!out) return E_POINTER;
    *out = window_;
    return S_OK;
}
STDMETHODIMP InPlaceFrame::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }
STDMETHODIMP InPlaceFrame::GetBorder(LPRECT) { return INPLACE_E_NOTOOLSPACE; }
STDMETHODIMP InPlaceFrame::RequestBorderSpace(LPCBORDERWIDTHS) { return INPLACE_E_NOTOOLSPACE; }
STDMETHODIMP InPlaceFrame::SetBorderSpace(LPCBORDERWIDTHS widths) {
    // Null means the object wants no tools of its own, which needs no space.
    return widths ? INPLACE_E_NOTOOLSPACE : S_OK;
}
STDMETHODIMP InPlaceFrame::SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR) {
    active_ = ComRef<IOleInPlaceActiveObject>::Share(object);
    return S_OK;
}
STDMETHODIMP InPlaceFrame::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) { return E_NOTIMPL; }
STDMETHODIMP InPlaceFrame::SetMenu(HMENU, HOLEMENU, HWND) { return S_OK; }
STDMETHODIMP InPlaceFrame::RemoveMenus(HMENU) { return S_OK; }
STDMETHODIMP InPlaceFrame::SetStatusText(LPCOLESTR) { return S_OK; }
STDMETHODIMP InPlaceFrame::EnableModeless(BOOL) { return S_OK; }
STDMETHODIMP InPlaceFrame::TranslateAccelerator(LPMSG, WORD) { return S_FALSE; }

// ---- ControlSite

ControlSite::ControlSite(HWND parent, const RECT& rect, const Ambients& ambients)
    : parent_(parent), rect_(rect), ambients_(ambients) {
    HWND top = GetAncestor(parent, GA_ROOT);
    frame_ = InPlaceFrame::Make(top ? top : parent);
}

ComRef<ControlSite> ControlSite::Make(HWND parent, const RECT& rect, const Ambients& ambients) {
    return ComRef<ControlSite>::Adopt(new ControlSite(parent, rect, ambients));
}

void ControlSite::Detach() {
    object_ = nullptr;
    inPlace_.Reset();
    if (frame_) frame_->Forget();
}

void* ControlSite::Find(REFIID iid) {
    if (iid == IID_IUnknown || iid == IID_IOleClientSite) return static_cast<IOleClientSite*>(this);
    if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) return static_cast<IOleInPlaceSite*>(this);
    if (iid == IID_IOleControlSite) return static_cast<IOleControlSite*>(this);
    if (iid == IID_IDispatch) return static_cast<IDispatch*>(this);
    return nullptr;
}

// IOleClientSite

STDMETHODIMP ControlSite::SaveObject() { return E_NOTIMPL; }
STDMETHODIMP ControlSite::GetMoniker(DWORD, DWORD, IMoniker** out) {
    if (out) *out = nullptr;
    return E_NOTIMPL;
}
STDMETHODIMP ControlSite::GetContainer(IOleContainer** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    return E_NOINTERFACE;
}
STDMETHODIMP ControlSite::ShowObject() { return S_OK; }
STDMETHODIMP ControlSite::OnShowWindow(BOOL) { return S_OK; }
STDMETHODIMP ControlSite::RequestNewObjectLayout() { return E_NOTIMPL; }

// IOleInPlaceSite

STDMETHODIMP ControlSite::GetWindow(HWND* out) {
    if (!out) return E_POINTER;
    *out = parent_;
    return S_OK;
}
STDMETHODIMP ControlSite::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }
STDMETHODIMP ControlSite::CanInPlaceActivate() { return object_ ? S_OK : S_FALSE; }

STDMETHODIMP ControlSite::OnInPlaceActivate() {
    if (!object_) return E_UNEXPECTED;
    IOleInPlaceObject* inPlace = nullptr;
    HRESULT hr = object_->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace));
    if (FAILED(hr)) return hr;
    inPlace_ = ComRef<IOleInPlaceObject>::Adopt(inPlace);
    return S_OK;
}

STDMETHODIMP ControlSite::OnUIActivate() { return S_OK; }

STDMETHODIMP ControlSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc,
                                           LPRECT pos, LPRECT clip, LPOLEINPLACEFRAMEINFO info) {
    if (!frame || !doc || !pos || !clip || !info) return E_POINTER;
    *frame = frame_->as<IOleInPlaceFrame>();
    (*frame)->AddRef();
    *doc = nullptr;  // the frame is the document window too
    *pos = rect_;
    *clip = rect_;
    info->fMDIApp = FALSE;
    info->hwndFrame = frame_->window();
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
}

STDMETHODIMP ControlSite::Scroll(SIZE) { return E_NOTIMPL; }
STDMETHODIMP ControlSite::OnUIDeactivate(BOOL) { return S_OK; }
STDMETHODIMP ControlSite::OnInPlaceDeactivate() {
    inPlace_.Reset();
    return S_OK;
}
STDMETHODIMP ControlSite::DiscardUndoState() { return S_OK; }
STDMETHODIMP ControlSite::DeactivateAndUndo() {
    if (!inPlace_) return S_OK;
    return inPlace_->UIDeactivate();
}

STDMETHODIMP ControlSite::OnPosRectChange(LPCRECT rect) {
    if (!rect) return E_POINTER;
    // The control chose its own size; the container goes along with it.
    rect_ = *rect;
    if (!inPlace_) return S_OK;
    return inPlace_->SetObjectRects(&rect_, &rect_);
}

// IOleControlSite

STDMETHODIMP ControlSite::OnControlInfoChanged() { return S_OK; }
STDMETHODIMP ControlSite::LockInPlaceActive(BOOL) { return S_OK; }
STDMETHODIMP ControlSite::GetExtendedControl(IDispatch** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP ControlSite::TransformCoords(POINTL* himetric, POINTF* container, DWORD flags) {
    if (!himetric || !container) return E_POINTER;
    // The container's units are pixels of the screen; HIMETRIC is 1/100 mm, 2540 to the inch.
    HDC screen = GetDC(nullptr);
    if (!screen) return E_FAIL;
    const float dpiX = static_cast<float>(GetDeviceCaps(screen, LOGPIXELSX));
    const float dpiY = static_cast<float>(GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
    if (flags & XFORMCOORDS_HIMETRICTOCONTAINER) {
        container->x = static_cast<float>(himetric->x) * dpiX / 2540.0f;
        container->y = static_cast<float>(himetric->y) * dpiY / 2540.0f;
    } else if (flags & XFORMCOORDS_CONTAINERTOHIMETRIC) {
        himetric->x = static_cast<LONG>(container->x * 2540.0f / dpiX + 0.5f);
        himetric->y = static_cast<LONG>(container->y * 2540.0f / dpiY + 0.5f);
    } else {
        return E_INVALIDARG;
    }
    return S_OK;
}

STDMETHODIMP ControlSite::TranslateAccelerator(MSG*, DWORD) { return S_FALSE; }
STDMETHODIMP ControlSite::OnFocus(BOOL) { return S_OK; }
STDMETHODIMP ControlSite::ShowPropertyFrame() { return E_NOTIMPL; }

// IDispatch

STDMETHODIMP ControlSite::Invoke(DISPID dispid, REFIID, LCID, WORD flags, DISPPARAMS*,
                                 VARIANT* result, EXCEPINFO*, UINT*) {
    if (!(flags & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;
    VARIANT value;
    HRESULT hr = AmbientValue(ambients_, dispid, &value);
    if (FAILED(hr)) return hr;
    if (!result) return VariantClear(&value);
    *result = value;
    return S_OK;
}

}  // namespace velmora::com
