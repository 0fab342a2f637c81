#include "com/Automation.h"

#include "platform/win32/Wide.h"

namespace velmora::com {
namespace {

HRESULT Dispatch(IDispatch* object, const std::string& name, WORD kind, std::vector<Argument>& args,
                 VARIANT* result) {
    if (!object) return E_POINTER;
    for (Argument& a : args)
        if (!a.ok()) return E_INVALIDARG;
    std::wstring wide = Widen(name);
    LPOLESTR names[] = {wide.data()};
    DISPID member = DISPID_UNKNOWN;
    HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &member);
    if (FAILED(hr)) return hr;
    // DISPPARAMS wants the last argument first.
    std::vector<VARIANT> reversed;
    for (auto it = args.rbegin(); it != args.rend(); ++it) reversed.push_back(*it->get());
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    DISPID putId = DISPID_PROPERTYPUT;
    if (kind & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
        params.rgdispidNamedArgs = &putId;
        params.cNamedArgs = 1;
    }
    if (result) VariantInit(result);
    return object->Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, kind, &params, result, nullptr, nullptr);
}

}  // namespace

void Argument::Init(const PropertyValue& value) { ok_ = SUCCEEDED(ToVariant(value, &v_)); }

Argument::Argument(const VARIANT& value) {
    VariantInit(&v_);
    ok_ = SUCCEEDED(VariantCopy(&v_, const_cast<VARIANT*>(&value)));
}

Argument::Argument(const Argument& other) {
    VariantInit(&v_);
    ok_ = other.ok_ && SUCCEEDED(VariantCopy(&v_, const_cast<VARIANT*>(&other.v_)));
}

HRESULT CallMethod(IDispatch* object, const std::string& name, std::vector<Argument> args, VARIANT* result) {
    return Dispatch(object, name, DISPATCH_METHOD, args, result);
}

HRESULT GetProperty(IDispatch* object, const std::string& name, VARIANT* result, std::vector<Argument> indexes) {
    if (!result) return E_POINTER;
    return Dispatch(object, name, DISPATCH_PROPERTYGET, indexes, result);
}

HRESULT PutProperty(IDispatch* object, const std::string& name, Argument value, std::vector<Argument> indexes) {
    // The value comes last, after any index arguments.
    indexes.push_back(value);
    return Dispatch(object, name, DISPATCH_PROPERTYPUT, indexes, nullptr);
}

HRESULT PutPropertyRef(IDispatch* object, const std::string& name, IDispatch* value) {
    VARIANT v;
    v.vt = VT_DISPATCH;
    v.pdispVal = value;  // copied (and AddRef'd) by the Argument
    std::vector<Argument> args{Argument(v)};
    return Dispatch(object, name, DISPATCH_PROPERTYPUTREF, args, nullptr);
}

}  // namespace velmora::com
