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

HFONT CreateGdiFont(IFont* font) {
    if (!font) return nullptr;
    BSTR face = nullptr;
    CY size{};
    BOOL bold = FALSE, italic = FALSE, underline = FALSE, strike = FALSE;
    SHORT weight = FW_NORMAL, charset = DEFAULT_CHARSET;
    if (FAILED(font->get_Name(&face)) || FAILED(font->get_Size(&size))) {
        SysFreeString(face);
        return nullptr;
    }
    font->get_Bold(&bold);
    font->get_Italic(&italic);
    font->get_Underline(&underline);
    font->get_Strikethrough(&strike);
    font->get_Weight(&weight);
    font->get_Charset(&charset);
    LOGFONTW lf{};
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    // The size is in points, in units of 1/10000.
    lf.lfHeight = -static_cast<LONG>(std::llround(static_cast<double>(size.int64) * dpi / (72.0 * 10000.0)));
    lf.lfWeight = weight > 0 ? weight : (bold ? FW_BOLD : FW_NORMAL);
    lf.lfItalic = static_cast<BYTE>(italic ? 1 : 0);
    lf.lfUnderline = static_cast<BYTE>(underline ? 1 : 0);
    lf.lfStrikeOut = static_cast<BYTE>(strike ? 1 : 0);
    lf.lfCharSet = static_cast<BYTE>(charset);
    lf.lfQuality = DEFAULT_QUALITY;
    if (face) lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
    SysFreeString(face);
    return CreateFontIndirectW(&lf);
}

HRESULT GiveFont(const ComRef<IFont>& font, IFontDisp** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!font) return S_OK;
    return font->QueryInterface(IID_IFontDisp, reinterpret_cast<void**>(out));
}

}  // namespace velmora::com
