#pragma once
// The server side of an in-process COM library: the count that decides DllCanUnloadNow and the
// class factory that DllGetClassObject hands out.
#include <windows.h>
#include <unknwn.h>

#include "com/ComObject.h"

namespace velmora::com {

// Live objects and server locks of this module. Objects served to other code add themselves
// (ServerObject below) so the library is not unloaded under them.
class ModuleCount {
public:
    static void Add() { ++count_; }
    static void Remove() { --count_; }
    static bool Unloadable() { return count_ == 0; }

private:
    static inline long count_ = 0;
};

// Keeps the module loaded while an object that holds it lives.
class ServerObject {
public:
    ServerObject() { ModuleCount::Add(); }
    ~ServerObject() { ModuleCount::Remove(); }
    ServerObject(const ServerObject&) = delete;
    ServerObject& operator=(const ServerObject&) = delete;
};

// Creates a new object and answers it as iid; the object starts with one reference, which the
// function gives up once the query is done.
using CreateFunction = HRESULT (*)(REFIID iid, void** out);

class ClassFactory final : public ComObject<IClassFactory>, private ServerObject {
public:
    explicit ClassFactory(CreateFunction create) : create_(create) {}

    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override;
    STDMETHODIMP LockServer(BOOL lock) override;

private:
    void* Find(REFIID iid) override;
    CreateFunction create_;
};

// DllGetClassObject for a library serving one class.
HRESULT GetClassObject(REFCLSID wanted, REFCLSID served, CreateFunction create, REFIID iid, void** out);

// Hands a freshly made object (one reference, the creator's) out as iid and drops the
// creator's reference, so a failed query destroys it.
template <typename Object, typename Interface>
HRESULT Hand(Object* made, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!made) return E_OUTOFMEMORY;
    auto owned = ComRef<Interface>::Adopt(made->template as<Interface>());
    return owned->QueryInterface(iid, out);
}

}  // namespace velmora::com
