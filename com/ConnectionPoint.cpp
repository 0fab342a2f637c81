#include "com/ConnectionPoint.h"

#include <olectl.h>

namespace velmora::com {

int ConnectionPoint::SinkCount() const {
    int count = 0;
    for (const auto& sink : sinks_) count += sink ? 1 : 0;
    return count;
}

void ConnectionPoint::Fire(DISPID dispid, DISPPARAMS* params, VARIANT* result) {
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    const std::vector<ComRef<IDispatch>> sinks = sinks_;
    for (const auto& sink : sinks) {
        if (!sink) continue;
        VARIANT answer;
        VariantInit(&answer);
        sink->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, params ? params : &none, &answer,
                     nullptr, nullptr);
        if (result) {
            VariantClear(result);
            *result = answer;
        } else {
            VariantClear(&answer);
        }
    }
}

STDMETHODIMP ConnectionPoint::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IConnectionPoint) return E_NOINTERFACE;
    *out = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP ConnectionPoint::GetConnectionInterface(IID* out) {
    if (!out) return E_POINTER;
    *out = iid_;
    return S_OK;
}

STDMETHODIMP ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** out) {
    if (!out) return E_POINTER;
    *out = owner_;
    owner_->AddRef();
    return S_OK;
}

STDMETHODIMP ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
    if (!cookie) return E_POINTER;
    *cookie = 0;
    if (!sink) return E_POINTER;
    // A sink may answer only the event interface, or only IDispatch.
    ComRef<IDispatch> d = ComRef<IUnknown>::Share(sink).As<IDispatch>(iid_);
    if (!d) d = ComRef<IUnknown>::Share(sink).As<IDispatch>(IID_IDispatch);
    if (!d) return CONNECT_E_CANNOTCONNECT;
    for (size_t i = 0; i < sinks_.size(); ++i) {
        if (!sinks_[i]) {
            sinks_[i] = d;
            *cookie = static_cast<DWORD>(i + 1);
            return S_OK;
        }
    }
    sinks_.push_back(d);
    *cookie = static_cast<DWORD>(sinks_.size());
    return S_OK;
}

STDMETHODIMP ConnectionPoint::Unadvise(DWORD cookie) {
    if (cookie == 0 || cookie > sinks_.size() || !sinks_[cookie - 1]) return CONNECT_E_NOCONNECTION;
    // Released after the slot is empty: the sink's destructor may call back in.
    ComRef<IDispatch> gone = sinks_[cookie - 1];
    sinks_[cookie - 1].Reset();
    return S_OK;
}

STDMETHODIMP ConnectionPoint::EnumConnections(IEnumConnections** out) {
    if (out) *out = nullptr;
    return E_NOTIMPL;
}

namespace {

// Enumerates the one connection point of a control.
class OnePointEnum final : public ComObject<IEnumConnectionPoints> {
public:
    OnePointEnum(ConnectionPoint& point, ULONG at) : point_(point), at_(at) { point_.AddRef(); }

    STDMETHODIMP Next(ULONG count, IConnectionPoint** out, ULONG* fetched) override {
        if (!out) return E_POINTER;
        ULONG given = 0;
        if (count > 0 && at_ == 0) {
            out[0] = point_.point();
            point_.AddRef();
            given = 1;
            at_ = 1;
        }
        if (fetched) *fetched = given;
        return given == count ? S_OK : S_FALSE;
    }
    STDMETHODIMP Skip(ULONG count) override {
        if (count == 0) return S_OK;
        const bool had = at_ == 0;
        at_ = 1;
        return had && count == 1 ? S_OK : S_FALSE;
    }
    STDMETHODIMP Reset() override {
        at_ = 0;
        return S_OK;
    }
    STDMETHODIMP Clone(IEnumConnectionPoints** out) override {
        if (!out) return E_POINTER;
        *out = (new OnePointEnum(point_, at_))->as<IEnumConnectionPoints>();
        return S_OK;
    }

private:
    ~OnePointEnum() override { point_.Release(); }
    void* Find(REFIID iid) override {
        if (iid == IID_IUnknown || iid == IID_IEnumConnectionPoints) return static_cast<IEnumConnectionPoints*>(this);
        return nullptr;
    }
    ConnectionPoint& point_;
    ULONG at_;
};

}  // namespace

HRESULT FindPoint(ConnectionPoint& point, REFIID iid, IConnectionPoint** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid != point.iid()) return CONNECT_E_NOCONNECTION;
    *out = point.point();
    point.AddRef();
    return S_OK;
}

HRESULT EnumPoints(ConnectionPoint& point, IEnumConnectionPoints** out) {
    if (!out) return E_POINTER;
    *out = (new OnePointEnum(point, 0))->as<IEnumConnectionPoints>();
    return S_OK;
}

}  // namespace velmora::com
