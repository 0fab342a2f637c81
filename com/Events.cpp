#include "com/Events.h"

#include <climits>

#include "platform/win32/Wide.h"

namespace velmora::com {

// ---- EventSink

ComRef<EventSink> EventSink::Make(REFIID eventIid, EventHandler handler) {
    return ComRef<EventSink>::Adopt(new EventSink(eventIid, std::move(handler)));
}

void* EventSink::Find(REFIID iid) {
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == iid_) return static_cast<IDispatch*>(this);
    return nullptr;
}

STDMETHODIMP EventSink::Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* args, VARIANT* result,
                               EXCEPINFO*, UINT*) {
    if (!handler_) return S_OK;
    // The handler may close the connection, and with it this sink and the handler itself.
    ComRef<EventSink> keep = ComRef<EventSink>::Share(this);
    EventHandler handler = handler_;
    try {
        handler(dispid, args, result);
    } catch (...) {
        return E_UNEXPECTED;  // nothing may unwind into the control
    }
    return S_OK;
}

// ---- EventConnection

std::unique_ptr<EventConnection> EventConnection::Open(IUnknown* source, REFIID eventIid,
                                                       EventHandler handler) {
    if (!source) return nullptr;
    auto container = ComRef<IUnknown>::Share(source).As<IConnectionPointContainer>(
        IID_IConnectionPointContainer);
    if (!container) return nullptr;
    std::unique_ptr<EventConnection> c(new EventConnection);
    if (FAILED(container->FindConnectionPoint(eventIid, c->point_.Receive())) || !c->point_)
        return nullptr;
    c->sink_ = EventSink::Make(eventIid, std::move(handler));
    if (FAILED(c->point_->Advise(c->sink_->as<IDispatch>(), &c->cookie_))) {
        c->sink_->Detach();
        c->cookie_ = 0;
        return nullptr;
    }
    c->source_ = ComRef<IUnknown>::Share(source);
    return c;
}

EventConnection::~EventConnection() {
    if (sink_) sink_->Detach();
    // A source that is already gone or refuses has nothing left to call; the sink is inert.
    if (point_ && cookie_) point_->Unadvise(cookie_);
}

// ---- EventArgs

VARIANT* EventArgs::raw(UINT index) const {
    if (!params_ || !params_->rgvarg || index >= params_->cArgs) return nullptr;
    return &params_->rgvarg[params_->cArgs - 1 - index];
}

bool EventArgs::ValueAs(UINT index, VARTYPE type, VARIANT* out) const {
    VariantInit(out);
    VARIANT* v = raw(index);
    if (!v) return false;
    VARIANT direct;
    VariantInit(&direct);
    if (FAILED(VariantCopyInd(&direct, v))) return false;
    HRESULT hr = VariantChangeType(out, &direct, 0, type);
    if (FAILED(VariantClear(&direct)) || FAILED(hr)) {
        VariantClear(out);
        return false;
    }
    return true;
}

std::string EventArgs::String(UINT index) const {
    VARIANT v;
    if (!ValueAs(index, VT_BSTR, &v)) return {};
    std::string s = v.bstrVal ? Narrow(v.bstrVal, SysStringLen(v.bstrVal)) : std::string();
    VariantClear(&v);
    return s;
}

long EventArgs::Long(UINT index) const {
    VARIANT v;
    if (!ValueAs(index, VT_I4, &v)) return 0;
    return v.lVal;
}

bool EventArgs::Bool(UINT index) const {
    VARIANT v;
    if (!ValueAs(index, VT_BOOL, &v)) return false;
    return v.boolVal != VARIANT_FALSE;
}

IDispatch* EventArgs::Dispatch(UINT index) const {
    VARIANT* v = raw(index);
    if (!v) return nullptr;
    if (v->vt == (VT_BYREF | VT_VARIANT) && v->pvarVal) v = v->pvarVal;
    if (v->vt == VT_DISPATCH) return v->pdispVal;
    if (v->vt == (VT_BYREF | VT_DISPATCH) && v->ppdispVal) return *v->ppdispVal;
    return nullptr;
}

bool EventArgs::SetBool(UINT index, bool value) const {
    VARIANT* v = raw(index);
    if (!v || !(v->vt & VT_BYREF) || !v->byref) return false;
    const VARIANT_BOOL b = value ? VARIANT_TRUE : VARIANT_FALSE;
    switch (v->vt & ~VT_BYREF) {
    case VT_BOOL:
        *v->pboolVal = b;
        return true;
    case VT_VARIANT:
        if (FAILED(VariantClear(v->pvarVal))) return false;
        v->pvarVal->vt = VT_BOOL;
        v->pvarVal->boolVal = b;
        return true;
    default:
        return false;
    }
}

bool EventArgs::SetLong(UINT index, long value) const {
    VARIANT* v = raw(index);
    if (!v || !(v->vt & VT_BYREF) || !v->byref) return false;
    switch (v->vt & ~VT_BYREF) {
    case VT_I2:
        if (value < SHRT_MIN || value > SHRT_MAX) return false;
        *v->piVal = static_cast<SHORT>(value);
        return true;
    case VT_I4:
        *v->plVal = value;
        return true;
    case VT_VARIANT: {
        // Keep the type the source put there when the value fits it.
        VARIANT given;
        given.vt = VT_I4;
        given.lVal = value;
        VARIANT* inner = v->pvarVal;
        VARTYPE type = inner->vt == VT_EMPTY ? static_cast<VARTYPE>(VT_I4) : inner->vt;
        VARIANT converted;
        VariantInit(&converted);
        if (FAILED(VariantChangeType(&converted, &given, 0, type))) return false;
        if (FAILED(VariantClear(inner))) return false;
        *inner = converted;
        return true;
    }
    default:
        return false;
    }
}

}  // namespace velmora::com
