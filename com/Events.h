#pragma once
// Events of a hosted control or document, received through its connection points: a generic
// IDispatch sink that hands every call to a std::function, and a view over the call's arguments.
#include <functional>
#include <memory>
#include <string>

#include <windows.h>
#include <ocidl.h>

#include "com/ComObject.h"

namespace velmora::com {

// dispid of the event, its arguments (as the source passed them: in reverse order, see
// EventArgs) and the slot for a return value (may be null).
using EventHandler = std::function<void(DISPID dispid, DISPPARAMS* args, VARIANT* result)>;
// The same with the event's name from the source's type information.
using NamedEventHandler = std::function<void(const std::string& name, DISPPARAMS* args, VARIANT* result)>;

// The sink answers the event interface's IID as well as IDispatch. It is a separate object from
// the client site, whose IDispatch carries the ambient properties.
class EventSink final : public NamelessDispatch<> {
public:
    static ComRef<EventSink> Make(REFIID eventIid, EventHandler handler);
    // After this, calls still arriving are accepted and ignored.
    void Detach() { handler_ = nullptr; }

    STDMETHODIMP Invoke(DISPID dispid, REFIID, LCID, WORD flags, DISPPARAMS* args, VARIANT* result,
                        EXCEPINFO*, UINT*) override;

private:
    EventSink(REFIID eventIid, EventHandler handler) : iid_(eventIid), handler_(std::move(handler)) {}
    void* Find(REFIID iid) override;

    IID iid_;
    EventHandler handler_;
};

// One advised connection; Unadvise and the sink's release happen when it is destroyed.
class EventConnection {
public:
    // Null when the source has no connection point for eventIid or refuses the sink.
    static std::unique_ptr<EventConnection> Open(IUnknown* source, REFIID eventIid,
                                                 EventHandler handler);
    ~EventConnection();
    EventConnection(const EventConnection&) = delete;
    EventConnection& operator=(const EventConnection&) = delete;
    // The object whose events arrive here.
    IUnknown* source() const { return source_.get(); }

private:
    EventConnection() = default;

    ComRef<IUnknown> source_;
    ComRef<IConnectionPoint> point_;
    ComRef<EventSink> sink_;
    DWORD cookie_ = 0;
};

// The arguments of one call in declaration order (DISPPARAMS holds them last first). Values
// passed by reference are read through; the setters write through a by-reference argument, as
// an event handler does to answer its source (Cancel, changed indexes). Every accessor takes
// an index that may be out of range: reads then give an empty value and writes fail.
class EventArgs {
public:
    explicit EventArgs(DISPPARAMS* params) : params_(params) {}
    UINT count() const { return params_ ? params_->cArgs : 0; }
    // The argument as passed (may be VT_BYREF), null when out of range.
    VARIANT* raw(UINT index) const;
    std::string String(UINT index) const;
    long Long(UINT index) const;
    bool Bool(UINT index) const;
    IDispatch* Dispatch(UINT index) const;  // not AddRef'd; null when not an object
    bool SetBool(UINT index, bool value) const;
    bool SetLong(UINT index, long value) const;

private:
    // A copy with references resolved, converted to type; false when it does not convert.
    bool ValueAs(UINT index, VARTYPE type, VARIANT* out) const;

    DISPPARAMS* params_;
};

}  // namespace velmora::com
