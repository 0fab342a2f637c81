#pragma once
// A small OLE control container: hosts one in-process control, created by ProgID or CLSID,
// in place in a parent window.
//
//   OleInitialize(nullptr);                        // once, on the user-interface thread
//   com::Properties stored{{"ItemHeight", std::int32_t{30}},
//                          {"BackColor", com::Colour{0xFFFFFF}},
//                          {"Font", com::StoredFont{"宋体", 9, false}}};
//   auto list = com::OleControl::Create(parent, "ListBox.LeiBiao", rect, stored);
//   if (!list) { /* not registered, or not a control */ }
//   list->Connect(eventIid, [](DISPID id, DISPPARAMS* params, VARIANT*) {
//       com::EventArgs args(params);               // arguments in declaration order
//       if (id == 6) args.SetLong(1, 0);           // answer a by-reference argument
//   });
//   com::CallMethod(list->dispatch(), "AddItem", {"壁纸", "壁纸:12"});
//   com::PutProperty(list->dispatch(), "ListIndex", 0);
//   list->Move(newRect);
//   list.reset();                                  // deactivates, closes and releases it
//
// In the message loop, before TranslateMessage/DispatchMessage:
//   if (com::OleControl::TranslateAnyAccelerator(&msg)) continue;
//
// Stored properties reach the control through IPersistPropertyBag::Load; a control without a
// property bag is initialised new through IPersistStreamInit. The control's own default
// interface is dispatch() (see Automation.h to call it by member name); unknown() gives its
// identity for any other QueryInterface.
#include <memory>
#include <string>
#include <vector>

#include <windows.h>
#include <ocidl.h>
#include <oleidl.h>

#include "com/Ambients.h"
#include "com/Automation.h"
#include "com/ComObject.h"
#include "com/ControlSite.h"
#include "com/Events.h"
#include "com/PropertyBag.h"

namespace velmora::com {

class OleControl {
public:
    // classId is a ProgID ("ListBox.LeiBiao") or a CLSID in braces. rect is in the parent's
    // client pixels. Null when the class is unknown, is not a control, or does not activate.
    static std::unique_ptr<OleControl> Create(HWND parent, const std::string& classId,
                                              const RECT& rect, const Properties& stored = {},
                                              const Ambients& ambients = {});
    static std::unique_ptr<OleControl> Create(HWND parent, REFCLSID clsid, const RECT& rect,
                                              const Properties& stored = {},
                                              const Ambients& ambients = {});
    ~OleControl();
    OleControl(const OleControl&) = delete;
    OleControl& operator=(const OleControl&) = delete;

    IUnknown* unknown() const { return object_.get(); }
    IDispatch* dispatch() const { return dispatch_.get(); }  // null when it has none
    // The control's own window, a child of the parent.
    HWND window() const;
    const RECT& rect() const { return site_->rect(); }

    bool Move(const RECT& rect);
    // Makes the control the active one and gives it the keyboard focus.
    bool Focus();

    // Routes events of eventIid to handler until the control is destroyed.
    bool Connect(REFIID eventIid, EventHandler handler);
    // The same for the control's default event interface, found through its class information,
    // with each event named as its type information names it ("Click", "MouseDown"). False when
    // the control publishes no class information with a default event interface.
    bool ConnectByName(NamedEventHandler handler);

    // Lets the control translate its accelerators when msg is a keyboard message for its
    // window or one inside it. True when the control consumed the message.
    bool TranslateKeys(MSG* msg);
    // The same for every live control, for a message loop that does not know them.
    static bool TranslateAnyAccelerator(MSG* msg);

private:
    OleControl() = default;
    bool Activate(HWND parent, const RECT& rect, const Properties& stored);

    ComRef<ControlSite> site_;
    ComRef<IUnknown> object_;
    ComRef<IOleObject> ole_;
    ComRef<IDispatch> dispatch_;
    std::vector<std::unique_ptr<EventConnection>> connections_;
    bool clientSiteSet_ = false;
};

}  // namespace velmora::com
