#include "com/Variants.h"

#include "platform/win32/Wide.h"

namespace velmora::com {

Variant::Variant(const Variant& other) {
    VariantInit(&v_);
    VariantCopy(&v_, const_cast<VARIANT*>(&other.v_));
}

Variant& Variant::operator=(const Variant& other) {
    if (this != &other) VariantCopy(&v_, const_cast<VARIANT*>(&other.v_));
    return *this;
}

void Variant::MoveTo(VARIANT* out) {
    *out = v_;
    VariantInit(&v_);
}

bool IsMissing(const VARIANT& value) {
    const VARIANT* v = &value;
    if (v->vt == (VT_VARIANT | VT_BYREF) && v->pvarVal) v = v->pvarVal;
    return v->vt == VT_ERROR && v->scode == DISP_E_PARAMNOTFOUND;
}

std::optional<std::string> TextOf(const VARIANT& value) {
    Variant text;
    if (FAILED(VariantChangeType(text.get(), const_cast<VARIANT*>(&value), 0, VT_BSTR))) return std::nullopt;
    return TextOf(text.get()->bstrVal);
}

std::optional<double> NumberOf(const VARIANT& value) {
    Variant number;
    if (FAILED(VariantChangeType(number.get(), const_cast<VARIANT*>(&value), 0, VT_R8))) return std::nullopt;
    return number.get()->dblVal;
}

HRESULT GiveText(const std::string& utf8, BSTR* out) {
    if (!out) return E_POINTER;
    const std::wstring wide = Widen(utf8);
    *out = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

std::string TextOf(BSTR value) {
    if (!value) return {};
    return Narrow(value, SysStringLen(value));
}

HRESULT ReportError(HRESULT hr, REFIID iid, const std::string& source, const std::string& description) {
    ICreateErrorInfo* create = nullptr;
    if (FAILED(CreateErrorInfo(&create)) || !create) return hr;
    std::wstring wideSource = Widen(source);
    std::wstring wideText = Widen(description);
    create->SetGUID(iid);
    create->SetSource(wideSource.data());
    create->SetDescription(wideText.data());
    IErrorInfo* info = nullptr;
    if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info))) && info) {
        SetErrorInfo(0, info);
        info->Release();
    }
    create->Release();
    return hr;
}

}  // namespace velmora::com
