#include "library/win32/XianShiTuPian.h"

#include <olectl.h>

#include "com/Automation.h"
#include "library/win32/SuoLueTuJieMa.h"

namespace velmora {

HBITMAP JieMaSuoLueTu(FileSystem& files, const std::string& path, int width, int height) {
    if (width <= 0 || height <= 0) return nullptr;
    // By the file system's wide-character calls: any name, whatever the system code page.
    const auto bytes = files.ReadAll(path);
    if (!bytes || bytes->empty()) return nullptr;
    if (HBITMAP bitmap = WicJieMa(*bytes, width, height)) return bitmap;
    // A Windows XP without the imaging component, or a file only GDI+ reads.
    return GdiplusJieMa(*bytes, width, height);
}

ComRef<IPictureDisp> SuoLueTuDuiXiang(HBITMAP bitmap) {
    if (!bitmap) return {};
    PICTDESC desc{};
    desc.cbSizeofstruct = sizeof desc;
    desc.picType = PICTYPE_BITMAP;
    desc.bmp.hbitmap = bitmap;
    ComRef<IPictureDisp> picture;
    if (FAILED(OleCreatePictureIndirect(&desc, IID_IPictureDisp, TRUE, picture.ReceiveVoid())) || !picture) {
        DeleteObject(bitmap);
        return {};
    }
    return picture;
}

ComRef<IPictureDisp> ZhuangRuXianShiTu(IDispatch* tile, FileSystem& files, const std::string& path, int width,
                                       int height) {
    ComRef<IPictureDisp> picture = SuoLueTuDuiXiang(JieMaSuoLueTu(files, path, width, height));
    if (tile) com::PutPropertyRef(tile, "Picture", picture.get());
    return picture;
}

}  // namespace velmora
