#pragma once
// The list control as a COM object: creation for the class factory, its registration data and
// the window class it draws in.
#include <windows.h>

#include "com/Registration.h"

namespace velmora::kelpo {

// A new LeiBiao control answered as iid.
HRESULT CreateLeiBiao(REFIID iid, void** out);
// Class, ProgID, type library and control marks of LeiBiao.
com::ServerClass LeiBiaoServerClass();
// Removes the window classes the controls registered (the library is unloading).
void UnregisterControlClasses(HMODULE module);

}  // namespace velmora::kelpo
