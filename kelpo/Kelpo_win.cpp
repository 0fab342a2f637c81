// The entry points of Kelpo.dll, a self-registering in-process server of the list control.
#include <windows.h>

#include "com/Registration.h"
#include "com/Server.h"
#include "com/TypeInfoDispatch.h"
#include "kelpo/LeiBiao_win.h"

// The library's identifiers are defined here, once.
#include <initguid.h>

#include "ListBox.h"

using namespace velmora;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(instance);
    // Window classes of an unloaded library would point into nothing.
    if (reason == DLL_PROCESS_DETACH) kelpo::UnregisterControlClasses(instance);
    return TRUE;
}

STDAPI DllCanUnloadNow() { return com::ModuleCount::Unloadable() ? S_OK : S_FALSE; }

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    return com::GetClassObject(clsid, CLSID_LeiBiao, kelpo::CreateLeiBiao, iid, out);
}

STDAPI DllRegisterServer() { return com::RegisterServer(com::CodeModule(), kelpo::LeiBiaoServerClass()); }

STDAPI DllUnregisterServer() { return com::UnregisterServer(kelpo::LeiBiaoServerClass()); }
