// The entry points of Thumb.dll: a self-registering in-process server of "Thumb.ThumbImg".
#include <windows.h>
#include <objbase.h>

#include "Thumb_h.h"
#include "com/Registration.h"
#include "com/Server.h"
#include "com/TypeInfoDispatch.h"
#include "thumb/ThumbImg_win.h"

namespace {

velmora::com::ServerClass ThumbClass() {
    velmora::com::ServerClass server;
    server.clsid = CLSID_ThumbImg;
    server.progId = L"Thumb.ThumbImg";
    server.description = L"ThumbImg";
    server.typeLib = LIBID_Thumb;
    server.control = true;
    server.miscStatus = velmora::thumb::kThumbMiscStatus;
    return server;
}

}  // namespace

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    return velmora::com::GetClassObject(clsid, CLSID_ThumbImg, velmora::thumb::CreateThumbImg, iid, out);
}

STDAPI DllCanUnloadNow() { return velmora::com::ModuleCount::Unloadable() ? S_OK : S_FALSE; }

STDAPI DllRegisterServer() { return velmora::com::RegisterServer(velmora::com::CodeModule(), ThumbClass()); }

STDAPI DllUnregisterServer() { return velmora::com::UnregisterServer(ThumbClass()); }

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
    // A library loaded again must not find the class of its previous load, whose procedure
    // address is gone. At the end of the process there is nothing to tidy.
    if (reason == DLL_PROCESS_DETACH && !reserved) velmora::thumb::UnregisterTileClass();
    return TRUE;
}
