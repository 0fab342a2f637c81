#pragma once
// The program's one owning pointer for COM interfaces.
#include <unknwn.h>

namespace velmora {

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

}  // namespace velmora
