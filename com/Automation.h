#pragma once
// Calls into a control's IDispatch by member name, for methods and properties that have no
// vtable interface in this program (AddItem, Clear, ListIndex, Picture ...).
#include <string>
#include <vector>

#include <windows.h>
#include <oaidl.h>

#include "com/PropertyBag.h"

namespace velmora::com {

// An argument: a stored-style value, or any VARIANT (copied), e.g. a picture object.
class Argument {
public:
    // Implicit, so that argument lists read as plain values: {"标题", 3, true}.
    Argument(const PropertyValue& value) { Init(value); }
    Argument(const std::string& text) { Init(text); }
    Argument(const char* text) { Init(std::string(text)); }
    Argument(std::int32_t number) { Init(number); }
    Argument(bool flag) { Init(flag); }
    Argument(Colour colour) { Init(colour); }
    Argument(const VARIANT& value);
    ~Argument() { VariantClear(&v_); }
    Argument(const Argument& other);
    Argument& operator=(const Argument&) = delete;
    VARIANT* get() { return &v_; }
    bool ok() const { return ok_; }

private:
    void Init(const PropertyValue& value);

    VARIANT v_;
    bool ok_ = false;
};

// Calls method name with args in declaration order; result may be null.
HRESULT CallMethod(IDispatch* object, const std::string& name, std::vector<Argument> args = {},
                   VARIANT* result = nullptr);
// Reads property name (with index arguments, if any) into result (empty on entry).
HRESULT GetProperty(IDispatch* object, const std::string& name, VARIANT* result,
                    std::vector<Argument> indexes = {});
HRESULT PutProperty(IDispatch* object, const std::string& name, Argument value,
                    std::vector<Argument> indexes = {});
// Assigns an object by reference (a picture the caller keeps owning), as Set does.
HRESULT PutPropertyRef(IDispatch* object, const std::string& name, IDispatch* value);

}  // namespace velmora::com
