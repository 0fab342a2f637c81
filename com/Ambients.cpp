#include "com/Ambients.h"

#include <olectl.h>

namespace velmora::com {
namespace {

HRESULT Bool(bool b, VARIANT* out) {
    out->vt = VT_BOOL;
    out->boolVal = b ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

}  // namespace

HRESULT AmbientValue(const Ambients& ambients, DISPID dispid, VARIANT* out) {
    if (!out) return E_POINTER;
    VariantInit(out);
    switch (dispid) {
    case DISPID_AMBIENT_USERMODE:
        return Bool(true, out);  // always a running program, never a designer
    case DISPID_AMBIENT_UIDEAD:
    case DISPID_AMBIENT_SHOWGRABHANDLES:
    case DISPID_AMBIENT_SHOWHATCHING:
    case DISPID_AMBIENT_DISPLAYASDEFAULT:
    case DISPID_AMBIENT_SUPPORTSMNEMONICS:
        return Bool(false, out);
    case DISPID_AMBIENT_MESSAGEREFLECT:
        // The parent windows do not bounce notifications back to the control's window.
        return Bool(false, out);
    case DISPID_AMBIENT_AUTOCLIP:
        return Bool(true, out);
    case DISPID_AMBIENT_LOCALEID:
        out->vt = VT_I4;
        out->lVal = static_cast<LONG>(GetUserDefaultLCID());
        return S_OK;
    case DISPID_AMBIENT_DISPLAYNAME:
        return ToVariant(ambients.displayName, out);
    case DISPID_AMBIENT_BACKCOLOR:
        return ToVariant(ambients.backColor, out);
    case DISPID_AMBIENT_FORECOLOR:
        return ToVariant(ambients.foreColor, out);
    case DISPID_AMBIENT_FONT:
        return ToVariant(ambients.font, out);
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

}  // namespace velmora::com
