#include "com/ClassInfo.h"

#include "com/TypeInfoDispatch.h"

namespace velmora::com {

STDMETHODIMP ClassInfoProvider::GetClassInfo(ITypeInfo** out) { return ModuleTypeInfo(ClassId(), out); }

STDMETHODIMP ClassInfoProvider::GetGUID(DWORD kind, GUID* out) {
    if (!out) return E_POINTER;
    *out = GUID_NULL;
    if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) return E_INVALIDARG;
    *out = EventsIid();
    return S_OK;
}

}  // namespace velmora::com
