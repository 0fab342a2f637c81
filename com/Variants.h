#pragma once
// VARIANT and BSTR helpers for the controls' automation members: an owning VARIANT, text in and
// out of BSTRs (UTF-8 inside), and the conversions an automation argument of any type needs.
#include <optional>
#include <string>

#include <windows.h>
#include <oaidl.h>

namespace velmora::com {

// A VARIANT that clears itself.
class Variant {
public:
    Variant() { VariantInit(&v_); }
    Variant(const Variant& other);
    Variant& operator=(const Variant& other);
    ~Variant() { VariantClear(&v_); }
    VARIANT* get() { return &v_; }
    const VARIANT& value() const { return v_; }
    // Hands the value over to a caller's slot (which must be empty); this one is empty after.
    void MoveTo(VARIANT* out);

private:
    VARIANT v_;
};

// True for an optional argument the caller left out.
bool IsMissing(const VARIANT& value);

// The value as text, as VB's CStr would give it; nothing when it does not convert.
std::optional<std::string> TextOf(const VARIANT& value);
// The value as a number; nothing when it does not convert.
std::optional<double> NumberOf(const VARIANT& value);

// A new BSTR holding the UTF-8 text, for an [out, retval] slot. E_POINTER for a null slot.
HRESULT GiveText(const std::string& utf8, BSTR* out);
// The text of a BSTR argument (null is the empty string).
std::string TextOf(BSTR value);

// Stores an error description for the caller of interface iid (read back through
// IErrorInfo, which automation turns into EXCEPINFO) and returns hr.
HRESULT ReportError(HRESULT hr, REFIID iid, const std::string& source, const std::string& description);

}  // namespace velmora::com
