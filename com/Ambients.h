#pragma once
// What the container tells a hosted control about its surroundings when the control asks the
// client site's IDispatch for an ambient property.
#include <string>

#include <windows.h>
#include <oaidl.h>

#include "com/PropertyBag.h"

namespace velmora::com {

struct Ambients {
    std::string displayName;  // the control's name on its window
    Colour backColor{0x80000000u + COLOR_WINDOW};
    Colour foreColor{0x80000000u + COLOR_WINDOWTEXT};
    StoredFont font{"宋体", 9, false};
};

// Fills out (empty on entry) with the ambient property dispid. DISP_E_MEMBERNOTFOUND for an
// ambient this container has no opinion on, which tells the control to use its own default.
HRESULT AmbientValue(const Ambients& ambients, DISPID dispid, VARIANT* out);

}  // namespace velmora::com
