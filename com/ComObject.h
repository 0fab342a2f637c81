#pragma once
// Reference counting for the COM objects the program and its control libraries implement.
// Everything runs on the one user-interface thread (an STA), so the counts need no interlocking.
// ComRef, the one owning interface pointer, sits in the platform layer, whose WMI query uses it too.
#include <windows.h>
#include <oaidl.h>
#include <unknwn.h>

#include "platform/win32/ComRef.h"

namespace velmora::com {

// Implements IUnknown for a class deriving from one or more COM interfaces. The derived class
// answers Find with the interface pointer for an IID (statically cast from this) or null.
// The interfaces are protected bases: outside code reaches them through QueryInterface or as(),
// and only the object itself, through its virtual destructor, ever deletes it.
template <typename... Interfaces>
class ComObject : protected Interfaces... {
public:
    ComObject() = default;
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = Find(iid);
        if (!*out) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    // The object as one of its interfaces, without a reference of its own.
    template <typename I>
    I* as() {
        return this;
    }

    STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
    STDMETHODIMP_(ULONG) Release() override {
        ULONG left = --refs_;
        if (left == 0) delete this;
        return left;
    }

protected:
    // Objects are created with one reference owned by their creator and die on the last Release.
    virtual ~ComObject() = default;
    virtual void* Find(REFIID iid) = 0;

private:
    ULONG refs_ = 1;
};

// An IDispatch with no type information and no names: callers use the dispids they know
// (ambient properties, events). The derived class implements Invoke.
template <typename... Others>
class NamelessDispatch : public ComObject<IDispatch, Others...> {
public:
    STDMETHODIMP GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** out) override {
        if (out) *out = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return DISP_E_UNKNOWNNAME;
    }
};

}  // namespace velmora::com
