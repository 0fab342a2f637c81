#pragma once
// Reference counting for the COM objects this container implements, and a small owning pointer
// for the interfaces it holds. Everything runs on the one user-interface thread (an STA), so the
// counts need no interlocking.
#include <windows.h>
#include <oaidl.h>
#include <unknwn.h>

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

// Owns one reference to an interface.
template <typename T>
class ComRef {
public:
    ComRef() = default;
    // Takes over a reference the caller already owns.
    static ComRef Adopt(T* p) {
        ComRef r;
        r.p_ = p;
        return r;
    }
    // Adds a reference of its own.
    static ComRef Share(T* p) {
        if (p) p->AddRef();
        return Adopt(p);
    }
    ComRef(const ComRef& o) : p_(o.p_) {
        if (p_) p_->AddRef();
    }
    ComRef(ComRef&& o) noexcept : p_(o.p_) { o.p_ = nullptr; }
    ComRef& operator=(ComRef o) noexcept {
        T* old = p_;
        p_ = o.p_;
        o.p_ = old;
        return *this;
    }
    ~ComRef() { Reset(); }

    void Reset() {
        if (T* p = p_) {
            p_ = nullptr;
            p->Release();
        }
    }
    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // For out-parameters: releases what is held and hands the slot to the callee.
    T** Receive() {
        Reset();
        return &p_;
    }
    void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }

    // Queries the held object for another interface; empty when it has none.
    template <typename U>
    ComRef<U> As(REFIID iid) const {
        void* raw = nullptr;
        if (!p_ || FAILED(p_->QueryInterface(iid, &raw)) || !raw) return ComRef<U>();
        return ComRef<U>::Adopt(static_cast<U*>(raw));
    }

private:
    T* p_ = nullptr;
};

}  // namespace velmora::com
