#pragma once
// Self-registration of an in-process server's class: DllRegisterServer and DllUnregisterServer
// of the control libraries. Keys go to the classes root of the account that runs regsvr32 (the
// machine's classes for an administrator).
#include <string>

#include <windows.h>

namespace velmora::com {

struct ServerClass {
    CLSID clsid;
    std::wstring progId;       // "ListBox.LeiBiao"
    std::wstring description;  // the class key's and the ProgID key's default value
    GUID typeLib;              // the library embedded in the module as TYPELIB resource 1
    WORD typeLibMajor = 1;
    WORD typeLibMinor = 0;
    bool control = false;      // marks the class as an ActiveX control for containers' lists
    DWORD miscStatus = 0;      // OLEMISC_ flags a container reads before creating the object
};

// Writes the class, its ProgID and the type library. When any step fails, what was written is
// removed again and the failure returned: nothing is left half-registered.
HRESULT RegisterServer(HMODULE module, const ServerClass& server);
// Removes the class key, the ProgID (when it still names this class) and the type library.
// Missing keys are no error.
HRESULT UnregisterServer(const ServerClass& server);

// The path of a module, for InprocServer32 and the type library.
std::wstring ModulePath(HMODULE module);
std::wstring GuidText(REFGUID guid);

}  // namespace velmora::com
