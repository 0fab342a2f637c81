#pragma once
// Persistence of a control's named properties, through a property bag (IPersistPropertyBag)
// and through a stream (IPersistStreamInit, in the byte form of PropertyRecords.h). Loading
// either way applies every stored name the control knows, in the control's table order; a name
// missing from the stored data leaves that property at its current value. A control lists its
// properties with a getter and a setter each; objects (fonts, pictures) travel as VT_DISPATCH
// and are kept in streams through their IPersistStream.
//
//   std::vector<PersistedProperty> PersistedProperties() override {
//       return {{L"ItemHeight", VT_I4, [this](VARIANT* v) { v->vt = VT_I4; v->lVal = height_; },
//                [this](const VARIANT& v) { height_ = v.lVal; }}};
//   }
#include <functional>
#include <string>
#include <vector>

#include <windows.h>
#include <ocidl.h>

#include "com/Variants.h"

namespace velmora::com {

struct PersistedProperty {
    std::wstring name;
    // The type it is stored as: VT_I2, VT_I4, VT_UI4 (colours), VT_BOOL, VT_BSTR or VT_DISPATCH.
    VARTYPE type = VT_EMPTY;
    // Fills an empty VARIANT with the current value.
    std::function<void(VARIANT* out)> get;
    // Applies a stored value, already converted to type.
    std::function<void(const VARIANT& value)> set;
    // When not empty, a value equal to it is left out of what is saved (unless the container
    // asks for everything); for an object, a null default leaves out a null object.
    Variant unwrittenDefault;
};

class PersistProperties : protected IPersistPropertyBag, protected IPersistStreamInit {
public:
    // IPersist
    STDMETHODIMP GetClassID(CLSID* out) override;
    // Both: a new control takes its defaults, then PropertiesLoaded runs as after a load.
    STDMETHODIMP InitNew() override;
    // IPersistPropertyBag
    STDMETHODIMP Load(IPropertyBag* bag, IErrorLog* log) override;
    STDMETHODIMP Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAll) override;
    // IPersistStreamInit
    STDMETHODIMP IsDirty() override;
    STDMETHODIMP Load(LPSTREAM stream) override;
    STDMETHODIMP Save(LPSTREAM stream, BOOL clearDirty) override;
    STDMETHODIMP GetSizeMax(ULARGE_INTEGER* size) override;

protected:
    virtual ~PersistProperties() = default;
    virtual REFCLSID ClassId() const = 0;
    virtual std::vector<PersistedProperty> PersistedProperties() = 0;
    // The defaults of a control placed new.
    virtual void InitNewProperties() = 0;
    // After InitNew or a load of either kind: the control builds what depends on its properties.
    virtual void PropertiesLoaded() {}
    // A persisted property changed: the host's stored data is out of date.
    void SetDirty() { dirty_ = true; }

private:
    // The stream form of the current values.
    HRESULT Encode(bool saveAll, std::string* out);

    bool dirty_ = false;
};

}  // namespace velmora::com
