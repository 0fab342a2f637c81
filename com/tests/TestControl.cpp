#include "com/tests/TestControl.h"

#include <oleidl.h>
#include <olectl.h>

#include <set>

#include "com/ComObject.h"
#include "com/ConnectionPoint.h"
#include "com/Server.h"

namespace velmora::com::testing {

const CLSID kTestControlClsid = {0x6f1c2a10, 0x4b7e, 0x4d2a, {0x9e, 0x11, 0x3a, 0x52, 0x7c, 0x01, 0x00, 0x01}};
const CLSID kStreamControlClsid = {0x6f1c2a10, 0x4b7e, 0x4d2a, {0x9e, 0x11, 0x3a, 0x52, 0x7c, 0x01, 0x00, 0x02}};
const CLSID kPlainObjectClsid = {0x6f1c2a10, 0x4b7e, 0x4d2a, {0x9e, 0x11, 0x3a, 0x52, 0x7c, 0x01, 0x00, 0x03}};
const IID kTestEventsIid = {0x6f1c2a10, 0x4b7e, 0x4d2a, {0x9e, 0x11, 0x3a, 0x52, 0x7c, 0x01, 0x00, 0x10}};
const char kTestControlProgId[] = "Velmora.OleTestControl";

namespace {

enum class Kind { Full, Stream, Plain, Source };

class TestControl;
std::set<TestControl*>& LiveControls() {
    static std::set<TestControl*> live;
    return live;
}

class TestControl final
    : public ComObject<IOleObject, IOleInPlaceObject, IOleInPlaceActiveObject, IPersistPropertyBag,
                       IPersistStreamInit, IConnectionPointContainer, IDispatch> {
public:
    TestControl(Kind kind, REFIID eventIid, DISPID eventDispid)
        : kind_(kind), eventDispid_(eventDispid), point_(this, eventIid) {
        ++Log().live;
        LiveControls().insert(this);
    }
    int Sinks() const { return point_.SinkCount(); }

    // IOleObject
    STDMETHODIMP SetClientSite(IOleClientSite* site) override {
        Log().calls.push_back(site ? "SetClientSite" : "SetClientSite(null)");
        site_ = ComRef<IOleClientSite>::Share(site);
        return S_OK;
    }
    STDMETHODIMP GetClientSite(IOleClientSite** out) override {
        *out = site_.get();
        if (*out) (*out)->AddRef();
        return S_OK;
    }
    STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
    STDMETHODIMP Close(DWORD) override {
        Log().calls.push_back("Close");
        return S_OK;
    }
    STDMETHODIMP SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
    STDMETHODIMP DoVerb(LONG verb, LPMSG, IOleClientSite*, LONG, HWND, LPCRECT) override {
        Log().calls.push_back("DoVerb " + std::to_string(verb));
        if (verb == OLEIVERB_UIACTIVATE && window_) {
            SetFocus(window_);
            return S_OK;
        }
        if (verb != OLEIVERB_INPLACEACTIVATE && verb != OLEIVERB_SHOW) return OLEOBJ_S_INVALIDVERB;
        return window_ ? S_OK : ActivateInPlace();
    }
    STDMETHODIMP EnumVerbs(IEnumOLEVERB**) override { return E_NOTIMPL; }
    STDMETHODIMP Update() override { return S_OK; }
    STDMETHODIMP IsUpToDate() override { return S_OK; }
    STDMETHODIMP GetUserClassID(CLSID*) override { return E_NOTIMPL; }
    STDMETHODIMP GetUserType(DWORD, LPOLESTR*) override { return E_NOTIMPL; }
    STDMETHODIMP SetExtent(DWORD, SIZEL*) override { return E_NOTIMPL; }
    STDMETHODIMP GetExtent(DWORD, SIZEL*) override { return E_NOTIMPL; }
    STDMETHODIMP Advise(IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP Unadvise(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP EnumAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
    STDMETHODIMP GetMiscStatus(DWORD, DWORD* status) override {
        *status = Log().miscStatus;
        return S_OK;
    }
    STDMETHODIMP SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

    // IOleInPlaceObject, IOleInPlaceActiveObject
    STDMETHODIMP GetWindow(HWND* out) override {
        *out = window_;
        return window_ ? S_OK : E_FAIL;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP InPlaceDeactivate() override {
        Log().calls.push_back("InPlaceDeactivate");
        if (!window_) return S_OK;
        if (frame_ && FAILED(frame_->SetActiveObject(nullptr, nullptr))) return E_FAIL;
        frame_.Reset();
        DestroyWindow(window_);
        window_ = nullptr;
        auto inPlaceSite = site_.As<IOleInPlaceSite>(IID_IOleInPlaceSite);
        return inPlaceSite ? inPlaceSite->OnInPlaceDeactivate() : S_OK;
    }
    STDMETHODIMP UIDeactivate() override { return S_OK; }
    STDMETHODIMP SetObjectRects(LPCRECT pos, LPCRECT) override {
        if (!window_) return E_UNEXPECTED;
        MoveWindow(window_, pos->left, pos->top, pos->right - pos->left, pos->bottom - pos->top, TRUE);
        return S_OK;
    }
    STDMETHODIMP ReactivateAndUndo() override { return E_NOTIMPL; }
    STDMETHODIMP TranslateAccelerator(LPMSG msg) override {
        if (msg->message != WM_KEYDOWN || msg->wParam != kAcceleratorKey) return S_FALSE;
        ++Log().accelerators;
        return S_OK;
    }
    STDMETHODIMP OnFrameWindowActivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnDocWindowActivate(BOOL) override { return S_OK; }
    STDMETHODIMP ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }

    // IPersistPropertyBag, IPersistStreamInit
    STDMETHODIMP GetClassID(CLSID* out) override {
        *out = kTestControlClsid;
        return S_OK;
    }
    STDMETHODIMP InitNew() override {
        Log().calls.push_back("InitNew");
        return S_OK;
    }
    STDMETHODIMP Load(IPropertyBag* bag, IErrorLog* log) override {
        Log().calls.push_back("Load");
        for (const auto& [name, type] : Log().reads) {
            ReadResult& r = Log().results[name];
            r.value.v.vt = type;
            r.hr = bag->Read(name.c_str(), &r.value.v, log);
            if (FAILED(r.hr)) VariantInit(&r.value.v);
        }
        return S_OK;
    }
    STDMETHODIMP Save(IPropertyBag*, BOOL, BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP IsDirty() override { return S_FALSE; }
    STDMETHODIMP Load(LPSTREAM) override { return E_NOTIMPL; }
    STDMETHODIMP Save(LPSTREAM, BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP GetSizeMax(ULARGE_INTEGER*) override { return E_NOTIMPL; }

    // IConnectionPointContainer
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** out) override { return EnumPoints(point_, out); }
    STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** out) override {
        return FindPoint(point_, iid, out);
    }

    // IDispatch
    STDMETHODIMP GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        static const wchar_t* const members[] = {L"Fire", L"Caption", L"Join", L"Item", L"Picture"};
        if (count != 1) return DISP_E_UNKNOWNNAME;
        for (DISPID i = 0; i < 5; ++i) {
            if (_wcsicmp(names[0], members[i]) == 0) {
                *ids = i + 1;
                return S_OK;
            }
        }
        *ids = DISPID_UNKNOWN;
        return DISP_E_UNKNOWNNAME;
    }
    STDMETHODIMP Invoke(DISPID dispid, REFIID, LCID, WORD kind, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO*, UINT*) override {
        const bool put = (kind & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
        if (put && (params->cNamedArgs != 1 || params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT))
            return DISP_E_PARAMNOTOPTIONAL;
        switch (dispid) {
        case kFireDispid:
            return kind_ == Kind::Source ? FireBare(result) : FireChanged(result);
        case 2:  // Caption
            if (put) return Text(params, 0, &caption_);
            return Give(caption_, result);
        case 3: {  // Join(a, b) = a|b
            std::wstring a, b;
            if (params->cArgs != 2 || FAILED(Text(params, 1, &a)) || FAILED(Text(params, 0, &b)))
                return DISP_E_BADPARAMCOUNT;
            return Give(a + L"|" + b, result);
        }
        case 4: {  // Item(index), the value last
            if (params->cArgs != (put ? 2u : 1u)) return DISP_E_BADPARAMCOUNT;
            Variant index;
            if (FAILED(VariantChangeType(&index.v, &params->rgvarg[params->cArgs - 1], 0, VT_I4)))
                return DISP_E_TYPEMISMATCH;
            if (put) return Text(params, 0, &items_[index.v.lVal]);
            return Give(items_[index.v.lVal], result);
        }
        case 5:  // Picture, assigned by reference only
            if (kind & DISPATCH_PROPERTYPUT) return DISP_E_MEMBERNOTFOUND;
            if (kind & DISPATCH_PROPERTYPUTREF) {
                if (params->rgvarg[0].vt != VT_DISPATCH) return DISP_E_TYPEMISMATCH;
                picture_ = ComRef<IDispatch>::Share(params->rgvarg[0].pdispVal);
                return S_OK;
            }
            if (!result) return S_OK;
            result->vt = VT_DISPATCH;
            result->pdispVal = picture_.get();
            if (picture_) picture_->AddRef();
            return S_OK;
        default:
            return DISP_E_MEMBERNOTFOUND;
        }
    }

private:
    void* Find(REFIID iid) override {
        const bool control = kind_ == Kind::Full || kind_ == Kind::Stream;
        const bool events = kind_ == Kind::Full || kind_ == Kind::Source;
        if (iid == IID_IUnknown) return static_cast<IOleObject*>(this);
        if (control && iid == IID_IOleObject) return static_cast<IOleObject*>(this);
        if (control && (iid == IID_IOleWindow || iid == IID_IOleInPlaceObject))
            return static_cast<IOleInPlaceObject*>(this);
        if (control && iid == IID_IOleInPlaceActiveObject) return static_cast<IOleInPlaceActiveObject*>(this);
        if (kind_ == Kind::Full && iid == IID_IPersistPropertyBag) return static_cast<IPersistPropertyBag*>(this);
        if (control && iid == IID_IPersistStreamInit) return static_cast<IPersistStreamInit*>(this);
        if (events && iid == IID_IConnectionPointContainer) return static_cast<IConnectionPointContainer*>(this);
        if (events && iid == IID_IDispatch) return static_cast<IDispatch*>(this);
        return nullptr;
    }

    ~TestControl() override {
        --Log().live;
        LiveControls().erase(this);
    }

    HRESULT ActivateInPlace() {
        auto inPlaceSite = site_.As<IOleInPlaceSite>(IID_IOleInPlaceSite);
        if (!inPlaceSite || inPlaceSite->CanInPlaceActivate() != S_OK) return E_FAIL;
        if (FAILED(inPlaceSite->OnInPlaceActivate())) return E_FAIL;
        ComRef<IOleInPlaceFrame> frame;
        ComRef<IOleInPlaceUIWindow> doc;
        RECT pos, clip;
        OLEINPLACEFRAMEINFO info{};
        info.cb = sizeof info;
        HWND parent = nullptr;
        if (FAILED(inPlaceSite->GetWindowContext(frame.Receive(), doc.Receive(), &pos, &clip, &info)) ||
            !frame || FAILED(inPlaceSite->GetWindow(&parent)))
            return E_FAIL;
        window_ = CreateWindowExW(0, L"STATIC", L"test control", WS_CHILD | WS_VISIBLE, pos.left, pos.top,
                                  pos.right - pos.left, pos.bottom - pos.top, parent, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
        if (!window_) return E_FAIL;
        Log().window = window_;
        frame_ = frame;
        return frame_->SetActiveObject(static_cast<IOleInPlaceActiveObject*>(this), L"test control");
    }

    static HRESULT Text(DISPPARAMS* params, UINT slot, std::wstring* out) {
        if (slot >= params->cArgs) return DISP_E_BADPARAMCOUNT;
        Variant text;
        if (FAILED(VariantChangeType(&text.v, &params->rgvarg[slot], 0, VT_BSTR))) return DISP_E_TYPEMISMATCH;
        *out = std::wstring(text.v.bstrVal, SysStringLen(text.v.bstrVal));
        return S_OK;
    }
    static HRESULT Give(const std::wstring& text, VARIANT* result) {
        if (!result) return S_OK;
        result->vt = VT_BSTR;
        result->bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
        return result->bstrVal ? S_OK : E_OUTOFMEMORY;
    }

    HRESULT FireChanged(VARIANT* result) {
        SHORT oldIndex = 3, newIndex = 4, flag = 1;
        BSTR text = SysAllocString(L"原文");
        VARIANT args[4];  // last argument first
        args[0].vt = VT_BSTR | VT_BYREF;
        args[0].pbstrVal = &text;
        args[1].vt = VT_I2 | VT_BYREF;
        args[1].piVal = &flag;
        args[2].vt = VT_I2 | VT_BYREF;
        args[2].piVal = &newIndex;
        args[3].vt = VT_I2 | VT_BYREF;
        args[3].piVal = &oldIndex;
        DISPPARAMS params{args, nullptr, 4, 0};
        point_.Fire(kChangedEvent, &params);
        Log().oldIndex = oldIndex;
        Log().newIndex = newIndex;
        Log().flag = flag;
        Log().text = text ? std::wstring(text, SysStringLen(text)) : std::wstring();
        SysFreeString(text);
        if (result) {
            result->vt = VT_I4;
            result->lVal = newIndex;
        }
        return S_OK;
    }

    HRESULT FireBare(VARIANT* result) {
        point_.Fire(eventDispid_, nullptr, result);
        return S_OK;
    }

    Kind kind_;
    DISPID eventDispid_;
    ConnectionPoint point_;
    ComRef<IOleClientSite> site_;
    ComRef<IOleInPlaceFrame> frame_;
    HWND window_ = nullptr;
    std::wstring caption_;
    std::map<long, std::wstring> items_;
    ComRef<IDispatch> picture_;
};

template <Kind kind>
HRESULT Create(REFIID iid, void** out) {
    return Hand<TestControl, IOleObject>(new TestControl(kind, kTestEventsIid, 0), iid, out);
}

std::wstring ClsidText(REFCLSID clsid) {
    wchar_t text[64];
    return StringFromGUID2(clsid, text, 64) ? text : L"";
}

}  // namespace

IDispatch* MakeEventSource(REFIID eventIid, DISPID eventDispid) {
    return (new TestControl(Kind::Source, eventIid, eventDispid))->as<IDispatch>();
}

TestControlLog& Log() {
    static TestControlLog log;
    return log;
}

void ResetTestControls() {
    TestControlLog& log = Log();
    const int live = log.live;
    log = TestControlLog{};
    log.live = live;  // objects of an earlier test still count until they go
}

int AdvisedSinks() {
    int sinks = 0;
    for (const TestControl* control : LiveControls()) sinks += control->Sinks();
    return sinks;
}

void RegisterTestControls() {
    static bool done = false;
    if (done) return;
    done = true;
    const std::pair<REFCLSID, CreateFunction> classes[] = {{kTestControlClsid, Create<Kind::Full>},
                                                           {kStreamControlClsid, Create<Kind::Stream>},
                                                           {kPlainObjectClsid, Create<Kind::Plain>}};
    for (const auto& [clsid, create] : classes) {
        DWORD cookie = 0;
        ComRef<IClassFactory> factory;
        if (SUCCEEDED(GetClassObject(clsid, clsid, create, IID_IClassFactory, factory.ReceiveVoid())))
            CoRegisterClassObject(clsid, factory.get(), CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie);
    }
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, L"Velmora.OleTestControl\\CLSID", 0,
                        nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    std::wstring value = ClsidText(kTestControlClsid);
    RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
}

}  // namespace velmora::com::testing
