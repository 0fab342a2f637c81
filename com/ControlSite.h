#pragma once
// The container's side of one hosted control: its client site (with the ambient properties on
// the site's IDispatch, where controls look for them), its in-place site and control site, and
// the frame it is told about when it activates. The site is reference counted and may outlive
// its OleControl while the control still holds it; Detach cuts it loose from the control.
#include <windows.h>
#include <ocidl.h>
#include <oleidl.h>

#include "com/Ambients.h"
#include "com/ComObject.h"

namespace velmora::com {

// The frame a control sees: the top-level window. It offers no toolbars or menus, and keeps the
// active object the control registers, for accelerator translation.
class InPlaceFrame final : public ComObject<IOleInPlaceFrame> {
public:
    static ComRef<InPlaceFrame> Make(HWND topLevel);
    HWND window() const { return window_; }
    IOleInPlaceActiveObject* activeObject() const { return active_.get(); }
    void Forget() { active_.Reset(); }

    STDMETHODIMP GetWindow(HWND* out) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL) override;
    STDMETHODIMP GetBorder(LPRECT) override;
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override;
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS widths) override;
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR name) override;
    STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override;
    STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override;
    STDMETHODIMP RemoveMenus(HMENU) override;
    STDMETHODIMP SetStatusText(LPCOLESTR) override;
    STDMETHODIMP EnableModeless(BOOL) override;
    STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override;

private:
    explicit InPlaceFrame(HWND topLevel) : window_(topLevel) {}
    void* Find(REFIID iid) override;

    HWND window_;
    ComRef<IOleInPlaceActiveObject> active_;
};

class ControlSite final
    : public NamelessDispatch<IOleClientSite, IOleInPlaceSite, IOleControlSite> {
public:
    static ComRef<ControlSite> Make(HWND parent, const RECT& rect, const Ambients& ambients);

    // The control this site serves (not owned; cleared by Detach).
    void SetObject(IUnknown* object) { object_ = object; }
    // Drops every tie to the control; later calls from it are answered but change nothing.
    void Detach();
    void SetRect(const RECT& rect) { rect_ = rect; }
    const RECT& rect() const { return rect_; }
    InPlaceFrame* frame() const { return frame_.get(); }
    // The control's in-place side while it is active in place, else null.
    IOleInPlaceObject* inPlaceObject() const { return inPlace_.get(); }

    // IOleClientSite
    STDMETHODIMP SaveObject() override;
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** out) override;
    STDMETHODIMP GetContainer(IOleContainer** out) override;
    STDMETHODIMP ShowObject() override;
    STDMETHODIMP OnShowWindow(BOOL) override;
    STDMETHODIMP RequestNewObjectLayout() override;

    // IOleInPlaceSite
    STDMETHODIMP GetWindow(HWND* out) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL) override;
    STDMETHODIMP CanInPlaceActivate() override;
    STDMETHODIMP OnInPlaceActivate() override;
    STDMETHODIMP OnUIActivate() override;
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT pos,
                                  LPRECT clip, LPOLEINPLACEFRAMEINFO info) override;
    STDMETHODIMP Scroll(SIZE) override;
    STDMETHODIMP OnUIDeactivate(BOOL) override;
    STDMETHODIMP OnInPlaceDeactivate() override;
    STDMETHODIMP DiscardUndoState() override;
    STDMETHODIMP DeactivateAndUndo() override;
    STDMETHODIMP OnPosRectChange(LPCRECT rect) override;

    // IOleControlSite
    STDMETHODIMP OnControlInfoChanged() override;
    STDMETHODIMP LockInPlaceActive(BOOL) override;
    STDMETHODIMP GetExtendedControl(IDispatch** out) override;
    STDMETHODIMP TransformCoords(POINTL* himetric, POINTF* container, DWORD flags) override;
    STDMETHODIMP TranslateAccelerator(MSG*, DWORD) override;
    STDMETHODIMP OnFocus(BOOL) override;
    STDMETHODIMP ShowPropertyFrame() override;

    // IDispatch: the ambient properties
    STDMETHODIMP Invoke(DISPID dispid, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result,
                        EXCEPINFO*, UINT*) override;

private:
    ControlSite(HWND parent, const RECT& rect, const Ambients& ambients);
    void* Find(REFIID iid) override;

    HWND parent_;
    RECT rect_;
    Ambients ambients_;
    ComRef<InPlaceFrame> frame_;
    IUnknown* object_ = nullptr;
    ComRef<IOleInPlaceObject> inPlace_;
};

}  // namespace velmora::com
