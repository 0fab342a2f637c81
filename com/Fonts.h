#pragma once
// Font objects (IFont/IFontDisp) for controls' Font properties and for stored design data.
#include <string>

#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include "com/ComObject.h"

namespace velmora::com {

// A new font object; empty when OLE refuses it.
ComRef<IFont> MakeFont(const std::string& face, double points, bool bold);
// A private copy of any font object (IFont or IFontDisp), so that later changes by its owner do
// not reach the control; empty when it is not a font.
ComRef<IFont> CopyFont(IUnknown* font);
// A GDI font with the object's face, size (at the screen's resolution), weight, style and
// character set; the caller deletes it. Null when it is not a font.
HFONT CreateGdiFont(IFont* font);
// The font's dispatch side, AddRef'd, for an [out, retval] IFontDisp slot.
HRESULT GiveFont(const ComRef<IFont>& font, IFontDisp** out);

}  // namespace velmora::com
