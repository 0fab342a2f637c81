#include "com/TypeInfoDispatch.h"

#include "com/Registration.h"

namespace velmora::com {

HMODULE CodeModule() {
    HMODULE module = nullptr;
    // Any address inside this module names it; no reference is taken.
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCWSTR>(&CodeModule), &module))
        return nullptr;
    return module;
}

HRESULT ModuleTypeInfo(REFGUID guid, ITypeInfo** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    const std::wstring path = ModulePath(CodeModule());
    if (path.empty()) return E_UNEXPECTED;
    ComRef<ITypeLib> library;
    HRESULT hr = LoadTypeLibEx(path.c_str(), REGKIND_NONE, library.Receive());
    if (FAILED(hr)) return hr;
    if (!library) return TYPE_E_CANTLOADLIBRARY;
    return library->GetTypeInfoOfGuid(guid, out);
}

}  // namespace velmora::com
