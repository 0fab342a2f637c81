#pragma once
// IProvideClassInfo2 of a control: the class's type information from the library embedded in
// the module, and its default event interface, which generic containers use to connect their
// event sinks. The control names its class and event interface.
#include <windows.h>
#include <ocidl.h>

namespace velmora::com {

class ClassInfoProvider : protected IProvideClassInfo2 {
public:
    STDMETHODIMP GetClassInfo(ITypeInfo** out) override;
    STDMETHODIMP GetGUID(DWORD kind, GUID* out) override;

protected:
    virtual ~ClassInfoProvider() = default;
    virtual REFCLSID ClassId() const = 0;
    virtual REFIID EventsIid() const = 0;
};

}  // namespace velmora::com
