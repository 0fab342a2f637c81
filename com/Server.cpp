#include "com/Server.h"

namespace velmora::com {

STDMETHODIMP ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    return create_(iid, out);
}

STDMETHODIMP ClassFactory::LockServer(BOOL lock) {
    if (lock) ModuleCount::Add();
    else ModuleCount::Remove();
    return S_OK;
}

void* ClassFactory::Find(REFIID iid) {
    if (iid == IID_IUnknown || iid == IID_IClassFactory) return static_cast<IClassFactory*>(this);
    return nullptr;
}

HRESULT GetClassObject(REFCLSID wanted, REFCLSID served, CreateFunction create, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (wanted != served) return CLASS_E_CLASSNOTAVAILABLE;
    return Hand<ClassFactory, IClassFactory>(new ClassFactory(create), iid, out);
}

}  // namespace velmora::com
