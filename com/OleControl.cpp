#include "com/OleControl.h"

#include <algorithm>

#include "platform/win32/Wide.h"

namespace velmora::com {
namespace {

// Every control alive on the user-interface thread, for the message loop's accelerators.
std::vector<OleControl*>& LiveControls() {
    static std::vector<OleControl*> live;
    return live;
}

HRESULT ResolveClass(const std::string& classId, CLSID* clsid) {
    std::wstring wide = Widen(classId);
    if (!wide.empty() && wide[0] == L'{') return CLSIDFromString(wide.data(), clsid);
    return CLSIDFromProgID(wide.c_str(), clsid);
}

// Hands the stored design data to a fresh control, or lets it start from its own defaults.
bool Initialise(const ComRef<IUnknown>& object, const Properties& stored) {
    if (auto bag = object.As<IPersistPropertyBag>(IID_IPersistPropertyBag)) {
        if (stored.empty()) return SUCCEEDED(bag->InitNew());
        ComRef<IPropertyBag> data = PropertyBag::Make(stored);
        return SUCCEEDED(bag->Load(data.get(), nullptr));
    }
    if (auto stream = object.As<IPersistStreamInit>(IID_IPersistStreamInit))
        return SUCCEEDED(stream->InitNew());
    return true;  // a control that keeps no state needs no initialisation
}

// The coclass's default source interface: its IID and type information.
bool DefaultSource(IUnknown* object, IID* iid, ComRef<ITypeInfo>* source) {
    auto provider = ComRef<IUnknown>::Share(object).As<IProvideClassInfo>(IID_IProvideClassInfo);
    ComRef<ITypeInfo> coclass;
    if (!provider || FAILED(provider->GetClassInfo(coclass.Receive())) || !coclass) return false;
    TYPEATTR* attr = nullptr;
    if (FAILED(coclass->GetTypeAttr(&attr))) return false;
    const WORD count = attr->cImplTypes;
    coclass->ReleaseTypeAttr(attr);
    for (UINT i = 0; i < count; ++i) {
        INT flags = 0;
        HREFTYPE ref = 0;
        if (FAILED(coclass->GetImplTypeFlags(i, &flags)) ||
            (flags & (IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE)) != (IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE) ||
            FAILED(coclass->GetRefTypeOfImplType(i, &ref)) || FAILED(coclass->GetRefTypeInfo(ref, source->Receive())))
            continue;
        TYPEATTR* sourceAttr = nullptr;
        if (FAILED((*source)->GetTypeAttr(&sourceAttr))) return false;
        *iid = sourceAttr->guid;
        (*source)->ReleaseTypeAttr(sourceAttr);
        return true;
    }
    return false;
}

bool Contains(HWND outer, HWND inner) {
    return outer && inner && (outer == inner || IsChild(outer, inner));
}

}  // namespace

std::unique_ptr<OleControl> OleControl::Create(HWND parent, const std::string& classId,
                                               const RECT& rect, const Properties& stored,
                                               const Ambients& ambients) {
    CLSID clsid;
    if (FAILED(ResolveClass(classId, &clsid))) return nullptr;
    return Create(parent, clsid, rect, stored, ambients);
}

std::unique_ptr<OleControl> OleControl::Create(HWND parent, REFCLSID clsid, const RECT& rect,
                                               const Properties& stored,
                                               const Ambients& ambients) {
    if (!IsWindow(parent)) return nullptr;
    std::unique_ptr<OleControl> control(new OleControl);
    control->site_ = ControlSite::Make(parent, rect, ambients);
    LiveControls().push_back(control.get());
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                control->object_.ReceiveVoid())) ||
        !control->object_)
        return nullptr;
    control->ole_ = control->object_.As<IOleObject>(IID_IOleObject);
    if (!control->ole_) return nullptr;
    control->dispatch_ = control->object_.As<IDispatch>(IID_IDispatch);
    control->site_->SetObject(control->object_.get());
    if (!control->Activate(parent, rect, stored)) return nullptr;
    return control;
}

bool OleControl::Activate(HWND parent, const RECT& rect, const Properties& stored) {
    auto* clientSite = site_->as<IOleClientSite>();
    DWORD misc = 0;
    if (FAILED(ole_->GetMiscStatus(DVASPECT_CONTENT, &misc))) misc = 0;
    // Some controls need their site (and its ambients) before they load their state.
    if (misc & OLEMISC_SETCLIENTSITEFIRST) {
        if (FAILED(ole_->SetClientSite(clientSite))) return false;
        clientSiteSet_ = true;
    }
    if (!Initialise(object_, stored)) return false;
    if (!clientSiteSet_) {
        if (FAILED(ole_->SetClientSite(clientSite))) return false;
        clientSiteSet_ = true;
    }
    // Host names only label the object's own windows: a control that refuses them still works.
    static_cast<void>(ole_->SetHostNames(L"Velmora", nullptr));
    RECT pos = rect;
    if (FAILED(ole_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, clientSite, 0, parent, &pos)) &&
        FAILED(ole_->DoVerb(OLEIVERB_SHOW, nullptr, clientSite, 0, parent, &pos)))
        return false;
    HWND own = window();
    if (!own) return false;  // windowless or not in place: this container cannot host it
    if (!IsWindowVisible(own) &&
        FAILED(ole_->DoVerb(OLEIVERB_SHOW, nullptr, clientSite, 0, parent, &pos)))
        ShowWindow(own, SW_SHOWNA);
    return true;
}

OleControl::~OleControl() {
    auto& live = LiveControls();
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
    // Teardown is best effort: a control that refuses a step is released all the same.
    connections_.clear();
    if (IOleInPlaceObject* inPlace = site_ ? site_->inPlaceObject() : nullptr) {
        ComRef<IOleInPlaceObject> keep = ComRef<IOleInPlaceObject>::Share(inPlace);
        static_cast<void>(keep->InPlaceDeactivate());
    }
    if (ole_) {
        static_cast<void>(ole_->Close(OLECLOSE_NOSAVE));
        if (clientSiteSet_) static_cast<void>(ole_->SetClientSite(nullptr));
    }
    if (site_) site_->Detach();
    dispatch_.Reset();
    ole_.Reset();
    object_.Reset();
    site_.Reset();  // the control may still hold the site; it dies with the last reference
}

HWND OleControl::window() const {
    IOleInPlaceObject* inPlace = site_->inPlaceObject();
    HWND own = nullptr;
    if (!inPlace || FAILED(inPlace->GetWindow(&own))) return nullptr;
    return own;
}

bool OleControl::Move(const RECT& rect) {
    site_->SetRect(rect);
    IOleInPlaceObject* inPlace = site_->inPlaceObject();
    if (!inPlace) return false;
    RECT pos = rect;
    return SUCCEEDED(inPlace->SetObjectRects(&pos, &pos));
}

bool OleControl::Focus() {
    HWND own = window();
    if (!own) return false;
    RECT pos = site_->rect();
    HWND parent = GetParent(own);
    if (FAILED(ole_->DoVerb(OLEIVERB_UIACTIVATE, nullptr, site_->as<IOleClientSite>(),
                            0, parent, &pos)) ||
        !Contains(own, GetFocus()))
        SetFocus(own);
    return Contains(own, GetFocus());
}

bool OleControl::Connect(REFIID eventIid, EventHandler handler) {
    auto connection = EventConnection::Open(object_.get(), eventIid, std::move(handler));
    if (!connection) return false;
    connections_.push_back(std::move(connection));
    return true;
}

bool OleControl::ConnectByName(NamedEventHandler handler) {
    IID iid;
    ComRef<ITypeInfo> source;
    if (!handler || !DefaultSource(object_.get(), &iid, &source)) return false;
    return Connect(iid, [handler = std::move(handler), source](DISPID id, DISPPARAMS* args, VARIANT* result) {
        BSTR name = nullptr;
        UINT found = 0;
        if (FAILED(source->GetNames(id, &name, 1, &found)) || found == 0) return;
        const std::string text = Narrow(name, SysStringLen(name));
        SysFreeString(name);
        handler(text, args, result);
    });
}

bool OleControl::TranslateKeys(MSG* msg) {
    if (!msg || msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST) return false;
    if (!Contains(window(), msg->hwnd)) return false;
    ComRef<IOleInPlaceActiveObject> active =
        ComRef<IOleInPlaceActiveObject>::Share(site_->frame()->activeObject());
    if (!active) active = object_.As<IOleInPlaceActiveObject>(IID_IOleInPlaceActiveObject);
    return active && active->TranslateAccelerator(msg) == S_OK;
}

bool OleControl::TranslateAnyAccelerator(MSG* msg) {
    // Copied: a control's translation may run code that destroys controls.
    std::vector<OleControl*> live = LiveControls();
    for (OleControl* control : live) {
        auto& now = LiveControls();
        if (std::find(now.begin(), now.end(), control) == now.end()) continue;
        if (control->TranslateKeys(msg)) return true;
    }
    return false;
}

}  // namespace velmora::com
