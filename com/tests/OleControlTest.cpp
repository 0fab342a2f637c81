// The generic control site, with the test control compiled into this program.
#include <gtest/gtest.h>

#include <olectl.h>

#include "com/OleControl.h"
#include "com/tests/OleTestSupport.h"
#include "com/tests/TestControl.h"

namespace velmora::com::testing {
namespace {

std::string ClsidString(REFCLSID clsid) {
    wchar_t text[64];
    if (!StringFromGUID2(clsid, text, 64)) return {};
    std::string s;
    for (const wchar_t* p = text; *p; ++p) s += static_cast<char>(*p);
    return s;
}

RECT Rect(int left, int top, int width, int height) { return RECT{left, top, left + width, top + height}; }

RECT WindowRectIn(HWND window, HWND parent) {
    RECT r;
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

class OleControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureOle();
        ResetTestControls();
        ASSERT_TRUE(parent_.hwnd());
    }
    void TearDown() override { EXPECT_EQ(Log().live, 0) << "a control object was not released"; }

    std::unique_ptr<OleControl> Make(const std::string& id, const Properties& stored = {},
                                     const RECT& rect = Rect(10, 20, 170, 147)) {
        return OleControl::Create(parent_.hwnd(), id, rect, stored);
    }

    ParentWindow parent_;
};

TEST_F(OleControlTest, ActivatesInPlaceAsAChildAtTheRectangle) {
    for (const std::string& id : {std::string(kTestControlProgId), ClsidString(kTestControlClsid)}) {
        SCOPED_TRACE(id);
        ResetTestControls();
        auto control = Make(id);
        ASSERT_TRUE(control);
        HWND own = control->window();
        ASSERT_TRUE(own);
        EXPECT_EQ(own, Log().window);
        EXPECT_EQ(GetParent(own), parent_.hwnd());
        EXPECT_TRUE(IsWindowVisible(own));
        RECT r = WindowRectIn(own, parent_.hwnd());
        EXPECT_EQ(r.left, 10);
        EXPECT_EQ(r.top, 20);
        EXPECT_EQ(r.right - r.left, 170);
        EXPECT_EQ(r.bottom - r.top, 147);
        EXPECT_TRUE(control->dispatch());
        EXPECT_TRUE(control->unknown());
    }
}

TEST_F(OleControlTest, RefusesWhatItCannotHost) {
    EXPECT_FALSE(Make("Velmora.NoSuchControl"));
    EXPECT_FALSE(Make("{not a clsid}"));
    EXPECT_FALSE(Make(ClsidString(kPlainObjectClsid)));  // creatable, but no control
    EXPECT_FALSE(OleControl::Create(nullptr, kTestControlProgId, Rect(0, 0, 5, 5)));
    EXPECT_EQ(CountChildren(parent_.hwnd()), 0);
}

struct OrderCase {
    const char* what;
    DWORD miscStatus;
    bool withProperties;
    std::vector<std::string> calls;
};

TEST_F(OleControlTest, InitialisesBeforeActivatingInTheOrderTheControlAsks) {
    const OrderCase cases[] = {
        {"stored data, site after loading", 0, true, {"Load", "SetClientSite", "DoVerb -5"}},
        {"stored data, site first", OLEMISC_SETCLIENTSITEFIRST, true, {"SetClientSite", "Load", "DoVerb -5"}},
        {"no stored data: a new control", 0, false, {"InitNew", "SetClientSite", "DoVerb -5"}},
    };
    for (const OrderCase& c : cases) {
        SCOPED_TRACE(c.what);
        ResetTestControls();
        Log().miscStatus = c.miscStatus;
        Properties stored;
        if (c.withProperties) stored["ItemHeight"] = std::int32_t{30};
        auto control = Make(kTestControlProgId, stored);
        ASSERT_TRUE(control);
        EXPECT_EQ(Log().calls, c.calls);
    }
}

TEST_F(OleControlTest, ControlWithoutPropertyBagStartsNew) {
    auto control = Make(ClsidString(kStreamControlClsid), {{"ItemHeight", std::int32_t{30}}});
    ASSERT_TRUE(control);
    EXPECT_EQ(Log().calls, (std::vector<std::string>{"InitNew", "SetClientSite", "DoVerb -5"}));
}

TEST_F(OleControlTest, StoredPropertiesReachTheControl) {
    Log().reads = {{L"ItemHeight", VT_I4}, {L"Border", VT_BOOL}, {L"ItemSelBkColor", VT_I4},
                   {L"Font", VT_DISPATCH}, {L"ImgCaption", VT_BSTR}, {L"BorderWidth", VT_I2}};
    Properties stored{{"ItemHeight", std::int32_t{30}},
                      {"Border", true},
                      {"ItemSelBkColor", Colour{0xCC9462}},
                      {"Font", StoredFont{"宋体", 9, false}},
                      {"ImgCaption", std::string("a.b.jpg")}};
    auto control = Make(kTestControlProgId, stored);
    ASSERT_TRUE(control);
    auto& got = Log().results;
    EXPECT_EQ(got[L"ItemHeight"].value.v.lVal, 30);
    EXPECT_EQ(got[L"Border"].value.v.boolVal, VARIANT_TRUE);
    EXPECT_EQ(got[L"ItemSelBkColor"].value.v.lVal, 0xCC9462);
    EXPECT_EQ(got[L"Font"].value.v.vt, VT_DISPATCH);
    EXPECT_STREQ(got[L"ImgCaption"].value.v.bstrVal, L"a.b.jpg");
    EXPECT_EQ(got[L"BorderWidth"].hr, E_INVALIDARG);  // not stored: the control keeps its own
}

TEST_F(OleControlTest, ControlFindsAmbientsOnItsClientSite) {
    Ambients ambients;
    ambients.displayName = "XianShiTu";
    auto control = OleControl::Create(parent_.hwnd(), kTestControlProgId, Rect(0, 0, 50, 50), {}, ambients);
    ASSERT_TRUE(control);
    auto object = ComRef<IUnknown>::Share(control->unknown()).As<IOleObject>(IID_IOleObject);
    ComRef<IOleClientSite> site;
    ASSERT_HRESULT_SUCCEEDED(object->GetClientSite(site.Receive()));
    auto ambient = site.As<IDispatch>(IID_IDispatch);
    ASSERT_TRUE(ambient);
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    Variant userMode, name;
    ASSERT_HRESULT_SUCCEEDED(ambient->Invoke(DISPID_AMBIENT_USERMODE, IID_NULL, 0, DISPATCH_PROPERTYGET, &none,
                                             &userMode.v, nullptr, nullptr));
    EXPECT_EQ(userMode.v.boolVal, VARIANT_TRUE);
    ASSERT_HRESULT_SUCCEEDED(ambient->Invoke(DISPID_AMBIENT_DISPLAYNAME, IID_NULL, 0, DISPATCH_PROPERTYGET, &none,
                                             &name.v, nullptr, nullptr));
    EXPECT_STREQ(name.v.bstrVal, L"XianShiTu");
    // The site keeps COM's identity rules: its IDispatch leads back to the same site.
    auto back = ambient.As<IOleClientSite>(IID_IOleClientSite);
    EXPECT_EQ(back.get(), site.get());
}

TEST_F(OleControlTest, MovesAndTakesTheFocus) {
    auto control = Make(kTestControlProgId);
    ASSERT_TRUE(control);
    ASSERT_TRUE(control->Move(Rect(30, 40, 100, 60)));
    RECT r = WindowRectIn(control->window(), parent_.hwnd());
    EXPECT_EQ(r.left, 30);
    EXPECT_EQ(r.top, 40);
    EXPECT_EQ(r.right - r.left, 100);
    EXPECT_EQ(r.bottom - r.top, 60);
    EXPECT_EQ(control->rect().right, 130);
    SetForegroundWindow(parent_.hwnd());
    EXPECT_TRUE(control->Focus());
    EXPECT_EQ(GetFocus(), control->window());
}

TEST_F(OleControlTest, EventHandlerAnswersThroughByReferenceArguments) {
    auto control = Make(kTestControlProgId);
    ASSERT_TRUE(control);
    std::vector<long> seen;
    std::string text;
    ASSERT_TRUE(control->Connect(kTestEventsIid, [&](DISPID id, DISPPARAMS* params, VARIANT*) {
        EventArgs args(params);
        if (id != kChangedEvent) return;
        seen = {args.Long(0), args.Long(1), args.Long(2)};
        text = args.String(3);
        args.SetLong(1, 7);  // the handler picks another row
    }));
    EXPECT_FALSE(control->Connect(IID_IPropertyNotifySink, [](DISPID, DISPPARAMS*, VARIANT*) {}));
    EXPECT_EQ(AdvisedSinks(), 1);
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    Variant result;
    ASSERT_HRESULT_SUCCEEDED(control->dispatch()->Invoke(kFireDispid, IID_NULL, 0, DISPATCH_METHOD, &none,
                                                         &result.v, nullptr, nullptr));
    EXPECT_EQ(seen, (std::vector<long>{3, 4, 1}));
    EXPECT_EQ(text, "原文");
    EXPECT_EQ(result.v.lVal, 7);
    EXPECT_EQ(Log().newIndex, 7);
    EXPECT_EQ(Log().oldIndex, 3);
}

TEST_F(OleControlTest, TranslatesAcceleratorsOfItsOwnWindowOnly) {
    auto control = Make(kTestControlProgId);
    ASSERT_TRUE(control);
    MSG key{control->window(), WM_KEYDOWN, kAcceleratorKey, 0, 0, {0, 0}};
    EXPECT_TRUE(control->TranslateKeys(&key));
    EXPECT_TRUE(OleControl::TranslateAnyAccelerator(&key));
    MSG other = key;
    other.wParam = VK_F6;
    EXPECT_FALSE(control->TranslateKeys(&other));
    MSG elsewhere = key;
    elsewhere.hwnd = parent_.hwnd();
    EXPECT_FALSE(OleControl::TranslateAnyAccelerator(&elsewhere));
    MSG mouse = key;
    mouse.message = WM_LBUTTONDOWN;
    EXPECT_FALSE(control->TranslateKeys(&mouse));
    EXPECT_EQ(Log().accelerators, 2);
}

TEST_F(OleControlTest, TeardownDeactivatesClosesAndReleasesEverything) {
    auto control = Make(kTestControlProgId);
    ASSERT_TRUE(control);
    ASSERT_TRUE(control->Connect(kTestEventsIid, [](DISPID, DISPPARAMS*, VARIANT*) {}));
    ASSERT_EQ(CountChildren(parent_.hwnd()), 1);
    Log().calls.clear();
    control.reset();
    EXPECT_EQ(Log().calls, (std::vector<std::string>{"InPlaceDeactivate", "Close", "SetClientSite(null)"}));
    EXPECT_EQ(AdvisedSinks(), 0);
    EXPECT_EQ(CountChildren(parent_.hwnd()), 0);
    EXPECT_EQ(Log().live, 0);
    MSG key{parent_.hwnd(), WM_KEYDOWN, kAcceleratorKey, 0, 0, {0, 0}};
    EXPECT_FALSE(OleControl::TranslateAnyAccelerator(&key));
}

TEST_F(OleControlTest, SiteOutlivesTheControlHostAndDiesWithItsLastReference) {
    auto control = Make(kTestControlProgId);
    ASSERT_TRUE(control);
    auto object = ComRef<IUnknown>::Share(control->unknown()).As<IOleObject>(IID_IOleObject);
    IOleClientSite* site = nullptr;
    ASSERT_HRESULT_SUCCEEDED(object->GetClientSite(&site));
    ASSERT_TRUE(site);
    object.Reset();
    control.reset();
    // A late call from a control that still holds its site is answered, not a crash.
    auto inPlaceSite = ComRef<IOleClientSite>::Share(site).As<IOleInPlaceSite>(IID_IOleInPlaceSite);
    ASSERT_TRUE(inPlaceSite);
    EXPECT_EQ(inPlaceSite->CanInPlaceActivate(), S_FALSE);
    HWND window = nullptr;
    EXPECT_HRESULT_SUCCEEDED(inPlaceSite->GetWindow(&window));
    EXPECT_EQ(window, parent_.hwnd());
    inPlaceSite.Reset();
    EXPECT_EQ(site->Release(), 0u);  // ours was the last reference: nothing else kept it
}

}  // namespace
}  // namespace velmora::com::testing
