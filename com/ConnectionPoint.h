#pragma once
// The source side of events: one connection point of a control, living inside the control and
// sharing its reference count, so a container that holds the point keeps the control alive.
#include <vector>

#include <windows.h>
#include <ocidl.h>

#include "com/ComObject.h"

namespace velmora::com {

// IConnectionPoint is a protected base, as in ComObject: only its owner's count ends it.
class ConnectionPoint final : protected IConnectionPoint {
public:
    // owner is the control itself (not AddRef'd: the point is its member).
    ConnectionPoint(IConnectionPointContainer* owner, REFIID events) : owner_(owner), iid_(events) {}
    ConnectionPoint(const ConnectionPoint&) = delete;
    ConnectionPoint& operator=(const ConnectionPoint&) = delete;
    virtual ~ConnectionPoint() = default;
    IConnectionPoint* point() { return this; }

    REFIID iid() const { return iid_; }
    int SinkCount() const;
    bool HasSinks() const { return SinkCount() > 0; }
    // Calls dispid on every sink, in the order they advised. The list is copied first: a handler
    // may unadvise, or release the control's last outside reference, while the event runs.
    // result, when given, receives what the last sink answered.
    void Fire(DISPID dispid, DISPPARAMS* params, VARIANT* result = nullptr);
    // Drops every sink (the control is closing).
    void Clear() { sinks_.clear(); }

    // IUnknown, answered by the owner
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override { return owner_->AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return owner_->Release(); }

    // IConnectionPoint
    STDMETHODIMP GetConnectionInterface(IID* out) override;
    STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** out) override;
    STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override;
    STDMETHODIMP Unadvise(DWORD cookie) override;
    STDMETHODIMP EnumConnections(IEnumConnections** out) override;

private:
    IConnectionPointContainer* owner_;
    IID iid_;
    std::vector<ComRef<IDispatch>> sinks_;  // by cookie - 1; released slots stay empty
};

// IConnectionPointContainer::FindConnectionPoint for a control with one event interface.
HRESULT FindPoint(ConnectionPoint& point, REFIID iid, IConnectionPoint** out);
// IConnectionPointContainer::EnumConnectionPoints for the same.
HRESULT EnumPoints(ConnectionPoint& point, IEnumConnectionPoints** out);

}  // namespace velmora::com
