#include "com/PersistProperties.h"

#include <optional>

#include "com/ComObject.h"
#include "com/PropertyRecords.h"
#include "platform/Strings.h"
#include "platform/win32/Wide.h"

namespace velmora::com {
namespace {

bool SameName(const std::string& stored, const std::wstring& known) {
    return EqualsIgnoreAsciiCase(stored, Narrow(known));
}

// Bring a value a bag answered into the property's type.
bool ConvertTo(VARTYPE type, Variant& value) {
    VARIANT* v = value.get();
    if (v->vt == type) return true;
    if (type == VT_DISPATCH && v->vt == VT_UNKNOWN) {
        IDispatch* object = nullptr;
        if (v->punkVal && FAILED(v->punkVal->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&object))))
            return false;
        VariantClear(v);
        v->vt = VT_DISPATCH;
        v->pdispVal = object;
        return true;
    }
    // Colours keep their bits: system colours have the high bit set.
    if (type == VT_UI4 && v->vt == VT_I4) {
        v->vt = VT_UI4;
        return true;
    }
    return SUCCEEDED(VariantChangeType(v, v, 0, type));
}

std::optional<std::string> ObjectBytes(IDispatch* object) {
    if (!object) return std::string();
    ComRef<IPersistStream> persist = ComRef<IDispatch>::Share(object).As<IPersistStream>(IID_IPersistStream);
    if (!persist) return std::nullopt;
    ComRef<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.Receive())) || !stream) return std::nullopt;
    if (FAILED(OleSaveToStream(persist.get(), stream.get()))) return std::nullopt;
    HGLOBAL memory = nullptr;
    STATSTG stat{};
    if (FAILED(GetHGlobalFromStream(stream.get(), &memory)) || FAILED(stream->Stat(&stat, STATFLAG_NONAME)))
        return std::nullopt;
    const void* bytes = GlobalLock(memory);
    if (!bytes) return std::nullopt;
    std::string out(static_cast<const char*>(bytes), static_cast<size_t>(stat.cbSize.QuadPart));
    GlobalUnlock(memory);
    return out;
}

HRESULT ObjectFromBytes(const std::string& bytes, VARIANT* out) {
    out->vt = VT_DISPATCH;
    out->pdispVal = nullptr;
    if (bytes.empty()) return S_OK;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!memory) return E_OUTOFMEMORY;
    if (void* target = GlobalLock(memory)) {
        memcpy(target, bytes.data(), bytes.size());
        GlobalUnlock(memory);
    }
    ComRef<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, stream.Receive())) || !stream) {
        GlobalFree(memory);
        return E_OUTOFMEMORY;
    }
    return OleLoadFromStream(stream.get(), IID_IDispatch, reinterpret_cast<void**>(&out->pdispVal));
}

std::optional<std::string> Payload(const VARIANT& v) {
    switch (v.vt) {
    case VT_I2:
        return Int16Payload(v.iVal);
    case VT_BOOL:
        return Int16Payload(v.boolVal);
    case VT_I4:
        return Int32Payload(v.lVal);
    case VT_UI4:
        return Int32Payload(static_cast<std::int32_t>(v.ulVal));
    case VT_BSTR:
        return TextOf(v.bstrVal);
    case VT_DISPATCH:
        return ObjectBytes(v.pdispVal);
    default:
        return std::nullopt;
    }
}

bool FromPayload(VARTYPE type, const std::string& payload, Variant& value) {
    VARIANT* v = value.get();
    switch (type) {
    case VT_I2:
    case VT_BOOL: {
        auto n = Int16FromPayload(payload);
        if (!n) return false;
        v->vt = type;
        v->iVal = *n;
        return true;
    }
    case VT_I4:
    case VT_UI4: {
        auto n = Int32FromPayload(payload);
        if (!n) return false;
        v->vt = type;
        v->lVal = *n;
        return true;
    }
    case VT_BSTR:
        if (FAILED(GiveText(payload, &v->bstrVal))) return false;
        v->vt = VT_BSTR;
        return true;
    case VT_DISPATCH:
        if (SUCCEEDED(ObjectFromBytes(payload, v))) return true;
        VariantInit(v);
        return false;
    default:
        return false;
    }
}

bool IsUnwrittenDefault(const PersistedProperty& p, const VARIANT& value) {
    const VARIANT& unwritten = p.unwrittenDefault.value();
    if (unwritten.vt == VT_EMPTY || value.vt != unwritten.vt) return false;
    switch (value.vt) {
    // An object whose default is nothing is left out while it holds nothing.
    case VT_DISPATCH:
        return !unwritten.pdispVal && !value.pdispVal;
    // Compared as stored: VarCmp of the system's OLE library does not take every type (colours
    // as VT_UI4 among them).
    case VT_I2:
    case VT_BOOL:
        return value.iVal == unwritten.iVal;
    case VT_I4:
    case VT_UI4:
        return value.lVal == unwritten.lVal;
    case VT_BSTR:
        return TextOf(value.bstrVal) == TextOf(unwritten.bstrVal);
    default:
        break;
    }
    return VarCmp(const_cast<VARIANT*>(&value), const_cast<VARIANT*>(&unwritten), LOCALE_USER_DEFAULT, 0) ==
           static_cast<HRESULT>(VARCMP_EQ);
}

HRESULT ReadExactly(IStream* stream, void* into, ULONG size) {
    ULONG got = 0;
    HRESULT hr = stream->Read(into, size, &got);
    if (FAILED(hr)) return hr;
    return got == size ? S_OK : STG_E_READFAULT;
}

}  // namespace

STDMETHODIMP PersistProperties::GetClassID(CLSID* out) {
    if (!out) return E_POINTER;
    *out = ClassId();
    return S_OK;
}

STDMETHODIMP PersistProperties::InitNew() {
    InitNewProperties();
    PropertiesLoaded();
    dirty_ = false;
    return S_OK;
}

STDMETHODIMP PersistProperties::Load(IPropertyBag* bag, IErrorLog* log) {
    if (!bag) return E_POINTER;
    for (const PersistedProperty& p : PersistedProperties()) {
        Variant value;
        value.get()->vt = p.type;  // the type wanted; the bag may answer another
        if (FAILED(bag->Read(p.name.c_str(), value.get(), log))) {
            VariantInit(value.get());
            continue;  // a missing name leaves the property as it is
        }
        if (ConvertTo(p.type, value)) p.set(value.value());
    }
    PropertiesLoaded();
    dirty_ = false;
    return S_OK;
}

STDMETHODIMP PersistProperties::Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAll) {
    if (!bag) return E_POINTER;
    for (const PersistedProperty& p : PersistedProperties()) {
        Variant value;
        p.get(value.get());
        if (!saveAll && IsUnwrittenDefault(p, value.value())) continue;
        HRESULT hr = bag->Write(p.name.c_str(), value.get());
        if (FAILED(hr)) return hr;
    }
    if (clearDirty) dirty_ = false;
    return S_OK;
}

STDMETHODIMP PersistProperties::IsDirty() { return dirty_ ? S_OK : S_FALSE; }

STDMETHODIMP PersistProperties::Load(LPSTREAM stream) {
    if (!stream) return E_POINTER;
    char header[kRecordsHeaderSize];
    HRESULT hr = ReadExactly(stream, header, sizeof header);
    if (FAILED(hr)) return hr;
    auto length = RecordsBodyLength(std::string_view(header, sizeof header));
    if (!length) return STG_E_INVALIDHEADER;
    std::string body(*length, '\0');
    hr = ReadExactly(stream, body.data(), *length);
    if (FAILED(hr)) return hr;
    auto records = DecodeRecordsBody(body);
    if (!records) return STG_E_DOCFILECORRUPT;
    for (const PersistedProperty& p : PersistedProperties()) {
        for (const PropertyRecord& r : *records) {
            if (!SameName(r.name, p.name)) continue;
            Variant value;
            if (r.type == p.type && FromPayload(p.type, r.payload, value)) p.set(value.value());
            break;
        }
    }
    PropertiesLoaded();
    dirty_ = false;
    return S_OK;
}

HRESULT PersistProperties::Encode(bool saveAll, std::string* out) {
    std::vector<PropertyRecord> records;
    for (const PersistedProperty& p : PersistedProperties()) {
        Variant value;
        p.get(value.get());
        if (!saveAll && IsUnwrittenDefault(p, value.value())) continue;
        auto payload = Payload(value.value());
        if (!payload) return E_FAIL;
        records.push_back({Narrow(p.name), p.type, *payload});
    }
    *out = EncodeRecords(records);
    return S_OK;
}

STDMETHODIMP PersistProperties::Save(LPSTREAM stream, BOOL clearDirty) {
    if (!stream) return E_POINTER;
    std::string bytes;
    HRESULT hr = Encode(false, &bytes);
    if (FAILED(hr)) return hr;
    ULONG written = 0;
    hr = stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
    if (FAILED(hr)) return hr;
    if (written != bytes.size()) return STG_E_WRITEFAULT;
    if (clearDirty) dirty_ = false;
    return S_OK;
}

STDMETHODIMP PersistProperties::GetSizeMax(ULARGE_INTEGER* size) {
    if (!size) return E_POINTER;
    std::string bytes;
    HRESULT hr = Encode(true, &bytes);
    if (FAILED(hr)) return hr;
    size->QuadPart = bytes.size();
    return S_OK;
}

}  // namespace velmora::com
