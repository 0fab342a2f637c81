#pragma once
// A tiny in-process control compiled into the test program and registered with
// CoRegisterClassObject: enough of a control to be hosted, to read a property bag and to fire
// an event with by-reference arguments through a connection point.
#include <map>
#include <string>
#include <utility>
#include <vector>

#include <windows.h>
#include <ocidl.h>

namespace velmora::com::testing {

// A VARIANT that clears itself.
struct Variant {
    VARIANT v;
    Variant() { VariantInit(&v); }
    Variant(const Variant& o) {
        VariantInit(&v);
        VariantCopy(&v, const_cast<VARIANT*>(&o.v));
    }
    Variant& operator=(const Variant& o) {
        if (this != &o) VariantCopy(&v, const_cast<VARIANT*>(&o.v));
        return *this;
    }
    ~Variant() { VariantClear(&v); }
};

// Full control: property bag, connection point, IDispatch with Fire.
extern const CLSID kTestControlClsid;
// A control whose only persistence is IPersistStreamInit.
extern const CLSID kStreamControlClsid;
// Creatable, but no control (no IOleObject).
extern const CLSID kPlainObjectClsid;
extern const IID kTestEventsIid;
extern const char kTestControlProgId[];

// Members of the control's IDispatch by name: Fire, Caption (text property), Join(a, b)
// (returns "a|b"), Item(index) (indexed text property) and Picture (an object, by reference).
// Fire raises kChangedEvent (OldIndex, NewIndex, wFlag, all VT_I2 by
// reference, and Text, a BSTR by reference) and returns what the handler left in NewIndex.
constexpr DISPID kFireDispid = 1;
constexpr DISPID kChangedEvent = 6;
// Virtual key the control's active object claims as an accelerator.
constexpr UINT kAcceleratorKey = VK_F5;

struct ReadResult {
    HRESULT hr = E_FAIL;
    Variant value;
};

// What the controls saw; reset by ResetTestControls.
struct TestControlLog {
    // Property reads the next Load performs: name and wanted type.
    std::vector<std::pair<std::wstring, VARTYPE>> reads;
    DWORD miscStatus = 0;
    std::map<std::wstring, ReadResult> results;
    std::vector<std::string> calls;  // SetClientSite, Load, InitNew, DoVerb, ..., in order
    int live = 0;                    // objects not yet destroyed
    int accelerators = 0;            // messages translated
    HWND window = nullptr;
    // By-reference arguments of the last Fire as the handlers left them.
    short oldIndex = 0, newIndex = 0, flag = 0;
    std::wstring text;
};

// A stand-alone object whose connection point serves eventIid; its Fire (kFireDispid) raises
// eventDispid without arguments and returns what the sinks answered.
IDispatch* MakeEventSource(REFIID eventIid, DISPID eventDispid);

TestControlLog& Log();
// Sinks advised to the controls alive now.
int AdvisedSinks();
void ResetTestControls();
// Registers the three classes (once) and the ProgID (in the test prefix's classes root).
void RegisterTestControls();

}  // namespace velmora::com::testing
