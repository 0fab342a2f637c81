#include "com/Fonts.h"

#include <cmath>

#include "platform/win32/Wide.h"

namespace velmora::com {

ComRef<IFont> MakeFont(const std::string& face, double points, bool bold) {
    std::wstring wideFace = Widen(face);
    FONTDESC desc{};
    desc.cbSizeofstruct = sizeof desc;
    desc.lpstrName = wideFace.data();
    desc.cySize.int64 = std::llround(points * 10000.0);
    desc.sWeight = static_cast<SHORT>(bold ? FW_BOLD : FW_NORMAL);
    desc.sCharset = DEFAULT_CHARSET;
    ComRef<IFont> font;
    if (FAILED(OleCreateFontIndirect(&desc, IID_IFont, font.ReceiveVoid()))) return ComRef<IFont>();
    return font;
}

ComRef<IFont> CopyFont(IUnknown* font) {
    if (!font) return ComRef<IFont>();
    ComRef<IFont> given = ComRef<IUnknown>::Share(font).As<IFont>(IID_IFont);
    ComRef<IFont> copy;
    if (!given || FAILED(given->Clone(copy.Receive()))) return ComRef<IFont>();
    return copy;
}

HRESULT GiveFont(const ComRef<IFont>& font, IFontDisp** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!font) return S_OK;
    return font->QueryInterface(IID_IFontDisp, reinterpret_cast<void**>(out));
}

}  // namespace velmora::com
