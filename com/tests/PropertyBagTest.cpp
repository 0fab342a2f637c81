// The property bag the stored design data travels in, and the ambients a control can ask for.
#include <gtest/gtest.h>

#include <olectl.h>

#include "com/ControlSite.h"
#include "com/PropertyBag.h"
#include "com/tests/OleTestSupport.h"
#include "com/tests/TestControl.h"

namespace velmora::com::testing {
namespace {

struct ReadCase {
    const char* what;
    PropertyValue value;
    VARTYPE wanted;
    HRESULT hr;
    VARTYPE vt;
    long number;  // compared for numeric and boolean results
};

class PropertyBagTest : public ::testing::TestWithParam<ReadCase> {
protected:
    void SetUp() override { EnsureOle(); }
};

TEST_P(PropertyBagTest, ReadsTheStoredValueAsTheCallerWantsIt) {
    const ReadCase& c = GetParam();
    auto bag = PropertyBag::Make({{"P", c.value}});
    Variant got;
    got.v.vt = c.wanted;
    EXPECT_EQ(bag->Read(L"P", &got.v, nullptr), c.hr);
    if (FAILED(c.hr)) return;
    ASSERT_EQ(got.v.vt, c.vt);
    if (c.vt == VT_BSTR) return;
    Variant asLong;
    ASSERT_HRESULT_SUCCEEDED(VariantChangeType(&asLong.v, &got.v, 0, c.vt == VT_UI4 ? VT_UI4 : VT_I4));
    EXPECT_EQ(c.vt == VT_UI4 ? static_cast<long>(asLong.v.ulVal) : asLong.v.lVal, c.number);
}

INSTANTIATE_TEST_SUITE_P(Values, PropertyBagTest, ::testing::Values(
    ReadCase{"integer", std::int32_t{30}, VT_EMPTY, S_OK, VT_I4, 30},
    ReadCase{"integer as short", std::int32_t{30}, VT_I2, S_OK, VT_I2, 30},
    ReadCase{"boolean", true, VT_EMPTY, S_OK, VT_BOOL, VARIANT_TRUE},
    ReadCase{"boolean as long", false, VT_I4, S_OK, VT_I4, 0},
    ReadCase{"colour", Colour{0xFFFF00}, VT_EMPTY, S_OK, VT_UI4, 0xFFFF00},
    ReadCase{"system colour as long keeps its bits", Colour{0x8000000F}, VT_I4, S_OK, VT_I4,
             static_cast<long>(0x8000000Fu)},
    ReadCase{"numeric text as long", std::string("12"), VT_I4, S_OK, VT_I4, 12},
    ReadCase{"text that is no number", std::string("abc"), VT_I4, DISP_E_TYPEMISMATCH, VT_EMPTY, 0},
    ReadCase{"text", std::string("资源管理"), VT_EMPTY, S_OK, VT_BSTR, 0}),
    [](const ::testing::TestParamInfo<ReadCase>& param) {
        std::string name;
        for (const char* p = param.param.what; *p; ++p) name += isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
        return name;
    });

TEST(PropertyBag, TextArrivesAsUtf16) {
    EnsureOle();
    auto bag = PropertyBag::Make({{"Caption", std::string("图象标题")}});
    Variant got;
    ASSERT_HRESULT_SUCCEEDED(bag->Read(L"Caption", &got.v, nullptr));
    ASSERT_EQ(got.v.vt, VT_BSTR);
    EXPECT_STREQ(got.v.bstrVal, L"图象标题");
}

TEST(PropertyBag, MissingNameTellsTheControlToKeepItsValue) {
    EnsureOle();
    auto bag = PropertyBag::Make({{"ItemHeight", std::int32_t{30}}});
    Variant got;
    EXPECT_EQ(bag->Read(L"itemheight", &got.v, nullptr), E_INVALIDARG);  // names are exact
    EXPECT_EQ(bag->Read(L"Border", &got.v, nullptr), E_INVALIDARG);
    EXPECT_EQ(got.v.vt, VT_EMPTY);
    EXPECT_EQ(bag->Write(L"Border", &got.v), E_NOTIMPL);
}

TEST(PropertyBag, FontArrivesAsFontObject) {
    EnsureOle();
    auto bag = PropertyBag::Make({{"Font", StoredFont{"宋体", 10.5, true}}});
    Variant got;
    ASSERT_HRESULT_SUCCEEDED(bag->Read(L"Font", &got.v, nullptr));
    ASSERT_EQ(got.v.vt, VT_DISPATCH);
    auto font = ComRef<IDispatch>::Share(got.v.pdispVal).As<IFont>(IID_IFont);
    ASSERT_TRUE(font);
    BSTR name = nullptr;
    ASSERT_HRESULT_SUCCEEDED(font->get_Name(&name));
    // The font object reports the face it found, which under Wine is a substitute for SimSun.
    EXPECT_GT(SysStringLen(name), 0u);
    SysFreeString(name);
    CY size{};
    ASSERT_HRESULT_SUCCEEDED(font->get_Size(&size));
    EXPECT_EQ(size.int64, 105000);
    BOOL bold = FALSE;
    ASSERT_HRESULT_SUCCEEDED(font->get_Bold(&bold));
    EXPECT_TRUE(bold);
}

// Ambients the site answers, read the way a control reads them.
struct AmbientCase {
    DISPID dispid;
    VARTYPE vt;
    long number;
};

TEST(Ambients, SiteAnswersTheUsualAmbients) {
    EnsureOle();
    ParentWindow parent;
    Ambients ambients;
    ambients.displayName = "LeiBiao";
    ambients.backColor = Colour{0xFFFFFF};
    RECT r{0, 0, 10, 10};
    auto site = ControlSite::Make(parent.hwnd(), r, ambients);
    IDispatch* dispatch = site->as<IDispatch>();
    const AmbientCase cases[] = {
        {DISPID_AMBIENT_USERMODE, VT_BOOL, VARIANT_TRUE},
        {DISPID_AMBIENT_SHOWGRABHANDLES, VT_BOOL, VARIANT_FALSE},
        {DISPID_AMBIENT_SHOWHATCHING, VT_BOOL, VARIANT_FALSE},
        {DISPID_AMBIENT_MESSAGEREFLECT, VT_BOOL, VARIANT_FALSE},
        {DISPID_AMBIENT_LOCALEID, VT_I4, static_cast<long>(GetUserDefaultLCID())},
        {DISPID_AMBIENT_BACKCOLOR, VT_UI4, 0xFFFFFF},
        {DISPID_AMBIENT_FORECOLOR, VT_UI4, static_cast<long>(0x80000000u + COLOR_WINDOWTEXT)},
    };
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    for (const AmbientCase& c : cases) {
        SCOPED_TRACE(c.dispid);
        Variant got;
        ASSERT_HRESULT_SUCCEEDED(dispatch->Invoke(c.dispid, IID_NULL, 0, DISPATCH_PROPERTYGET, &none,
                                                  &got.v, nullptr, nullptr));
        ASSERT_EQ(got.v.vt, c.vt);
        EXPECT_EQ(c.vt == VT_BOOL ? got.v.boolVal : got.v.lVal, c.number);
    }
    Variant name;
    ASSERT_HRESULT_SUCCEEDED(dispatch->Invoke(DISPID_AMBIENT_DISPLAYNAME, IID_NULL, 0, DISPATCH_PROPERTYGET,
                                              &none, &name.v, nullptr, nullptr));
    EXPECT_STREQ(name.v.bstrVal, L"LeiBiao");
    Variant font;
    ASSERT_HRESULT_SUCCEEDED(dispatch->Invoke(DISPID_AMBIENT_FONT, IID_NULL, 0, DISPATCH_PROPERTYGET, &none,
                                              &font.v, nullptr, nullptr));
    EXPECT_EQ(font.v.vt, VT_DISPATCH);
    Variant other;
    EXPECT_EQ(dispatch->Invoke(DISPID_AMBIENT_PALETTE, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &other.v,
                               nullptr, nullptr),
              DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(dispatch->Invoke(DISPID_AMBIENT_USERMODE, IID_NULL, 0, DISPATCH_PROPERTYPUT, &none, nullptr,
                               nullptr, nullptr),
              DISP_E_MEMBERNOTFOUND);
}

}  // namespace
}  // namespace velmora::com::testing
