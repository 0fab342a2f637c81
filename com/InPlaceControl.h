#pragma once
// The OLE side of a windowed ActiveX control that any standard container can host: the object
// (client site, verbs, extent, advise sinks), in-place and UI activation in a child window of
// the container, the control notifications (ambient changes) and a view for containers that
// draw the control themselves. The control supplies its window and its painting.
//
//   class MyControl final : public ComObject<InPlaceControl, ...> {
//       HWND CreateControlWindow(HWND parent, const RECT& pos) override { ... CreateWindowExW ... }
//       void DrawContent(HDC dc, const RECT& bounds) override { ... }
//       REFCLSID ClassId() const override { return CLSID_MyControl; }
//       DWORD MiscStatus() const override { return kMyMiscStatus; }
//       void* Find(REFIID iid) override { ... FindInPlaceInterface(iid) ... }
//   };
// The control window's procedure calls FocusChanged on WM_SETFOCUS and WM_KILLFOCUS.
#include <string>

#include <windows.h>
#include <ocidl.h>
#include <oleidl.h>

#include "com/ComObject.h"

namespace velmora::com {

class InPlaceControl : protected IOleObject,
                       protected IOleInPlaceObject,
                       protected IOleInPlaceActiveObject,
                       protected IOleControl,
                       protected IViewObject2 {
public:
    // IOleObject
    STDMETHODIMP SetClientSite(IOleClientSite* site) override;
    STDMETHODIMP GetClientSite(IOleClientSite** out) override;
    STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) override;
    STDMETHODIMP Close(DWORD saveOption) override;
    STDMETHODIMP SetMoniker(DWORD, IMoniker*) override;
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** out) override;
    STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) override;
    STDMETHODIMP GetClipboardData(DWORD, IDataObject** out) override;
    STDMETHODIMP DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent, LPCRECT pos) override;
    STDMETHODIMP EnumVerbs(IEnumOLEVERB** out) override;
    STDMETHODIMP Update() override;
    STDMETHODIMP IsUpToDate() override;
    STDMETHODIMP GetUserClassID(CLSID* out) override;
    STDMETHODIMP GetUserType(DWORD form, LPOLESTR* out) override;
    STDMETHODIMP SetExtent(DWORD aspect, SIZEL* size) override;
    STDMETHODIMP GetExtent(DWORD aspect, SIZEL* size) override;
    STDMETHODIMP Advise(IAdviseSink* sink, DWORD* cookie) override;
    STDMETHODIMP Unadvise(DWORD cookie) override;
    STDMETHODIMP EnumAdvise(IEnumSTATDATA** out) override;
    STDMETHODIMP GetMiscStatus(DWORD aspect, DWORD* status) override;
    STDMETHODIMP SetColorScheme(LOGPALETTE*) override;

    // IOleWindow (of both in-place interfaces)
    STDMETHODIMP GetWindow(HWND* out) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL) override;
    // IOleInPlaceObject
    STDMETHODIMP InPlaceDeactivate() override;
    STDMETHODIMP UIDeactivate() override;
    STDMETHODIMP SetObjectRects(LPCRECT pos, LPCRECT clip) override;
    STDMETHODIMP ReactivateAndUndo() override;
    // IOleInPlaceActiveObject
    STDMETHODIMP TranslateAccelerator(LPMSG msg) override;
    STDMETHODIMP OnFrameWindowActivate(BOOL) override;
    STDMETHODIMP OnDocWindowActivate(BOOL) override;
    STDMETHODIMP ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override;
    STDMETHODIMP EnableModeless(BOOL) override;

    // IOleControl
    STDMETHODIMP GetControlInfo(CONTROLINFO* info) override;
    STDMETHODIMP OnMnemonic(MSG*) override;
    STDMETHODIMP OnAmbientPropertyChange(DISPID dispid) override;
    STDMETHODIMP FreezeEvents(BOOL freeze) override;

    // IViewObject2
    STDMETHODIMP Draw(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* device, HDC targetDevice,
                      HDC dc, LPCRECTL bounds, LPCRECTL metafileBounds, BOOL(STDMETHODCALLTYPE* keepDrawing)(ULONG_PTR),
                      ULONG_PTR keepDrawingArgument) override;
    STDMETHODIMP GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE** out) override;
    STDMETHODIMP Freeze(DWORD, LONG, void*, DWORD* key) override;
    STDMETHODIMP Unfreeze(DWORD) override;
    STDMETHODIMP SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) override;
    STDMETHODIMP GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) override;
    STDMETHODIMP GetExtent(DWORD aspect, LONG index, DVTARGETDEVICE*, LPSIZEL size) override;

protected:
    InPlaceControl() = default;
    virtual ~InPlaceControl() = default;

    virtual REFCLSID ClassId() const = 0;
    virtual DWORD MiscStatus() const = 0;
    // Creates the control's own window as a visible child of parent at pos (parent pixels).
    virtual HWND CreateControlWindow(HWND parent, const RECT& pos) = 0;
    // Paints the control onto any device context (containers that draw it, printing).
    virtual void DrawContent(HDC dc, const RECT& bounds) = 0;
    // The container reports changed ambient properties (DISPID_UNKNOWN: any of them).
    virtual void AmbientChanged(DISPID) {}
    // The container gave the control a client site or took it away.
    virtual void ClientSiteChanged() {}
    // The size of a control the container has not sized yet, in pixels.
    virtual SIZE DefaultSize() const { return SIZE{100, 100}; }

    // The interfaces of this class for the control's Find; null for any other IID.
    void* FindInPlaceInterface(REFIID iid);
    HWND controlWindow() const { return window_; }
    IOleClientSite* clientSite() const { return site_.get(); }
    // An ambient property of the container (out empty on entry); false when it has none.
    bool Ambient(DISPID dispid, VARIANT* out) const;
    // True in a running program, false in a designer; true when the container does not say.
    bool UserMode() const;
    // The control's name on its container's form, UTF-8, or empty.
    std::string DisplayName() const;
    // The control window took or lost the keyboard focus: tells the container, and on taking it
    // makes the control the UI-active one.
    void FocusChanged(bool gotFocus);
    // Destroys the window without telling the container (the object is going away).
    void DestroyControlWindow();

private:
    HRESULT ActivateInPlace(bool uiActivate);
    HRESULT ActivateUi();
    void SetPixelExtent(int width, int height);

    ComRef<IOleClientSite> site_;
    ComRef<IOleInPlaceSite> inPlaceSite_;
    ComRef<IOleInPlaceFrame> frame_;
    ComRef<IOleInPlaceUIWindow> uiWindow_;
    ComRef<IOleAdviseHolder> adviseHolder_;
    ComRef<IAdviseSink> viewSink_;
    DWORD viewAspects_ = 0;
    DWORD viewFlags_ = 0;
    HWND window_ = nullptr;
    bool uiActive_ = false;
    bool extentSet_ = false;
    SIZEL extent_{0, 0};  // HIMETRIC
};

}  // namespace velmora::com
