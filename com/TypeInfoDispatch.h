#pragma once
// IDispatch of a control's dual interface, answered from the type library embedded in the
// library that holds the code (TYPELIB resource 1): names, dispids, argument conversion,
// optional arguments and by-reference values all go through ITypeInfo::Invoke onto the vtable.
// Errors a member reports with Fail reach the caller as an exception description.
//
//   class MyControl final : public ComObject<TypeInfoDispatch<IMyDual>, ...> {
//       STDMETHODIMP put_Height(long v) override {
//           if (v < 1) return Fail(CTL_E_INVALIDPROPERTYVALUE, "MyControl", "Height must be at least 1");
//           ...
//       }
//       void* Find(REFIID iid) override {
//           if (iid == IID_IDispatch || iid == __uuidof(IMyDual)) return static_cast<IMyDual*>(this);
//           if (iid == IID_ISupportErrorInfo) return static_cast<ISupportErrorInfo*>(this);
//           ...
//       }
//   };
#include <string>

#include <windows.h>
#include <cguid.h>
#include <oaidl.h>

#include "com/ComObject.h"
#include "com/Variants.h"

namespace velmora::com {

// The module (DLL or program) this code is linked into.
HMODULE CodeModule();
// The type information of guid (an interface or a class) from the type library embedded in
// CodeModule(). The library is loaded without being registered.
HRESULT ModuleTypeInfo(REFGUID guid, ITypeInfo** out);

template <typename Dual>
class TypeInfoDispatch : protected Dual, protected ISupportErrorInfo {
public:
    STDMETHODIMP GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 1;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT index, LCID, ITypeInfo** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (index != 0) return DISP_E_BADINDEX;
        ITypeInfo* info = DualTypeInfo();
        if (!info) return TYPE_E_CANTLOADLIBRARY;
        info->AddRef();
        *out = info;
        return S_OK;
    }
    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
        ITypeInfo* info = DualTypeInfo();
        if (!info) return TYPE_E_CANTLOADLIBRARY;
        return info->GetIDsOfNames(names, count, ids);
    }
    STDMETHODIMP Invoke(DISPID dispid, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* exception, UINT* badArgument) override {
        if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
        ITypeInfo* info = DualTypeInfo();
        if (!info) return TYPE_E_CANTLOADLIBRARY;
        // A description left by an earlier call must not be reported for this one.
        SetErrorInfo(0, nullptr);
        return info->Invoke(static_cast<Dual*>(this), dispid, flags, params, result, exception, badArgument);
    }
    STDMETHODIMP InterfaceSupportsErrorInfo(REFIID iid) override {
        return iid == __uuidof(Dual) ? S_OK : S_FALSE;
    }

protected:
    virtual ~TypeInfoDispatch() = default;
    // Reports a failure of a member of the dual interface with its description; returns hr.
    HRESULT Fail(HRESULT hr, const std::string& source, const std::string& description) {
        return ReportError(hr, __uuidof(Dual), source, description);
    }

private:
    ITypeInfo* DualTypeInfo() {
        if (!typeInfo_) ModuleTypeInfo(__uuidof(Dual), typeInfo_.Receive());
        return typeInfo_.get();
    }

    ComRef<ITypeInfo> typeInfo_;
};

}  // namespace velmora::com
