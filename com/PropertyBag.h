#pragma once
// Stored design data of a hosted control: named values handed to the control before it is
// activated, through a property bag the control reads from in IPersistPropertyBag::Load.
#include <cstdint>
#include <map>
#include <string>
#include <variant>

#include <windows.h>
#include <ocidl.h>

#include "com/ComObject.h"

namespace velmora::com {

// A colour as 0x00BBGGRR, or 0x80000000 + n for system colour n.
struct Colour {
    std::uint32_t value = 0;
};

struct StoredFont {
    std::string name;  // face name, UTF-8
    double points = 9;
    bool bold = false;
};

using PropertyValue = std::variant<std::string, std::int32_t, bool, Colour, StoredFont>;
using Properties = std::map<std::string, PropertyValue>;

// Fills out (which must be empty) with value as the control would find it in a stored form:
// strings as BSTR, integers as VT_I4, booleans as VT_BOOL, colours as VT_UI4 (OLE_COLOR) and
// fonts as a font object's IDispatch.
HRESULT ToVariant(const PropertyValue& value, VARIANT* out);

// Read-only bag over a copy of the properties. A read of a missing name fails with
// E_INVALIDARG, which controls take as "keep the current value".
class PropertyBag final : public ComObject<IPropertyBag> {
public:
    static ComRef<IPropertyBag> Make(const Properties& properties);

    STDMETHODIMP Read(LPCOLESTR name, VARIANT* value, IErrorLog* log) override;
    STDMETHODIMP Write(LPCOLESTR name, VARIANT* value) override;

private:
    explicit PropertyBag(const Properties& properties) : properties_(properties) {}
    void* Find(REFIID iid) override;

    Properties properties_;
};

}  // namespace velmora::com
