#include "com/PropertyBag.h"

#include <olectl.h>

#include "com/Fonts.h"
#include "platform/win32/Wide.h"

namespace velmora::com {
namespace {

HRESULT FontToVariant(const StoredFont& font, VARIANT* out) {
    ComRef<IFont> made = MakeFont(font.name, font.points, font.bold);
    IFontDisp* disp = nullptr;
    HRESULT hr = made ? GiveFont(made, &disp) : E_FAIL;
    if (FAILED(hr)) return hr;
    if (!disp) return E_FAIL;
    out->vt = VT_DISPATCH;
    out->pdispVal = disp;
    return S_OK;
}

}  // namespace

HRESULT ToVariant(const PropertyValue& value, VARIANT* out) {
    if (!out) return E_POINTER;
    VariantInit(out);
    if (auto* s = std::get_if<std::string>(&value)) {
        out->bstrVal = SysAllocString(Widen(*s).c_str());
        if (!out->bstrVal) return E_OUTOFMEMORY;
        out->vt = VT_BSTR;
    } else if (auto* i = std::get_if<std::int32_t>(&value)) {
        out->vt = VT_I4;
        out->lVal = *i;
    } else if (auto* b = std::get_if<bool>(&value)) {
        out->vt = VT_BOOL;
        out->boolVal = *b ? VARIANT_TRUE : VARIANT_FALSE;
    } else if (auto* c = std::get_if<Colour>(&value)) {
        out->vt = VT_UI4;
        out->ulVal = c->value;
    } else {
        return FontToVariant(std::get<StoredFont>(value), out);
    }
    return S_OK;
}

ComRef<IPropertyBag> PropertyBag::Make(const Properties& properties) {
    return ComRef<IPropertyBag>::Adopt(new PropertyBag(properties));
}

void* PropertyBag::Find(REFIID iid) {
    if (iid == IID_IUnknown || iid == IID_IPropertyBag) return static_cast<IPropertyBag*>(this);
    return nullptr;
}

STDMETHODIMP PropertyBag::Read(LPCOLESTR name, VARIANT* value, IErrorLog*) {
    if (!name || !value) return E_POINTER;
    auto it = properties_.find(Narrow(name, wcslen(name)));
    if (it == properties_.end()) return E_INVALIDARG;
    // On entry vt holds the type the caller wants (VT_EMPTY for any); the rest is not yet a value.
    const VARTYPE wanted = value->vt;
    VARIANT natural;
    HRESULT hr = ToVariant(it->second, &natural);
    if (FAILED(hr)) return hr;
    if (wanted == VT_EMPTY || wanted == natural.vt) {
        *value = natural;
        return S_OK;
    }
    // A colour asked for as a signed long keeps its bits: system colours have the high bit set.
    if (natural.vt == VT_UI4 && wanted == VT_I4 && std::holds_alternative<Colour>(it->second)) {
        value->vt = VT_I4;
        value->lVal = static_cast<LONG>(natural.ulVal);
        return S_OK;
    }
    VariantInit(value);
    hr = VariantChangeType(value, &natural, 0, wanted);
    HRESULT cleared = VariantClear(&natural);
    if (FAILED(hr)) return hr;
    return cleared;
}

STDMETHODIMP PropertyBag::Write(LPCOLESTR, VARIANT*) {
    // The design data is the host's, and a running control has no reason to store into it.
    return E_NOTIMPL;
}

}  // namespace velmora::com
