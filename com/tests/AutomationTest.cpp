// Calls by member name into the test control's IDispatch.
#include <gtest/gtest.h>

#include "com/Automation.h"
#include "com/OleControl.h"
#include "com/tests/OleTestSupport.h"
#include "com/tests/TestControl.h"

namespace velmora::com::testing {
namespace {

class AutomationTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureOle();
        ResetTestControls();
        control_ = OleControl::Create(parent_.hwnd(), kTestControlProgId, RECT{0, 0, 50, 50});
        ASSERT_TRUE(control_);
        object_ = control_->dispatch();
        ASSERT_TRUE(object_);
    }
    std::wstring Read(const std::string& name, std::vector<Argument> indexes = {}) {
        Variant v;
        EXPECT_HRESULT_SUCCEEDED(GetProperty(object_, name, &v.v, indexes));
        return v.v.vt == VT_BSTR ? std::wstring(v.v.bstrVal) : L"<not text>";
    }

    ParentWindow parent_;
    std::unique_ptr<OleControl> control_;
    IDispatch* object_ = nullptr;
};

TEST_F(AutomationTest, MethodArgumentsArriveInDeclarationOrder) {
    Variant result;
    ASSERT_HRESULT_SUCCEEDED(CallMethod(object_, "Join", {"电脑主题", 12}, &result.v));
    ASSERT_EQ(result.v.vt, VT_BSTR);
    EXPECT_STREQ(result.v.bstrVal, L"电脑主题|12");
}

TEST_F(AutomationTest, PropertiesAreWrittenAndReadBack) {
    ASSERT_HRESULT_SUCCEEDED(PutProperty(object_, "Caption", "a.b.jpg"));
    EXPECT_EQ(Read("Caption"), L"a.b.jpg");
    ASSERT_HRESULT_SUCCEEDED(PutProperty(object_, "Item", "壁纸:12", {3}));
    ASSERT_HRESULT_SUCCEEDED(PutProperty(object_, "Item", "主题:0", {4}));
    EXPECT_EQ(Read("Item", {3}), L"壁纸:12");
    EXPECT_EQ(Read("Item", {4}), L"主题:0");
}

TEST_F(AutomationTest, ObjectsAreAssignedByReference) {
    auto picture = ComRef<IDispatch>::Adopt(MakeEventSource(kTestEventsIid, 0));
    EXPECT_EQ(PutProperty(object_, "Picture", Argument(VARIANT{})), DISP_E_MEMBERNOTFOUND);
    ASSERT_HRESULT_SUCCEEDED(PutPropertyRef(object_, "Picture", picture.get()));
    Variant held;
    ASSERT_HRESULT_SUCCEEDED(GetProperty(object_, "Picture", &held.v));
    ASSERT_EQ(held.v.vt, VT_DISPATCH);
    EXPECT_EQ(held.v.pdispVal, picture.get());  // the same object, not a copy
}

TEST_F(AutomationTest, UnknownMembersAndMissingObjectsFail) {
    EXPECT_EQ(CallMethod(object_, "AddItem", {"x"}), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(CallMethod(nullptr, "Join", {"a", "b"}), E_POINTER);
    EXPECT_EQ(GetProperty(object_, "Caption", nullptr), E_POINTER);
    EXPECT_EQ(CallMethod(object_, "Join", {"only one"}), DISP_E_BADPARAMCOUNT);
}

}  // namespace
}  // namespace velmora::com::testing
