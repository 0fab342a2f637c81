// Event arguments, connections to an event source, and the document menu blocker.
#include <gtest/gtest.h>

#include <mshtmdid.h>
#include <olectl.h>

#include "com/DocumentMenuBlocker.h"
#include "com/Events.h"
#include "com/tests/OleTestSupport.h"
#include "com/tests/TestControl.h"

namespace velmora::com::testing {
namespace {

// The arguments of BeforeNavigate2 as a browser passes them, last first.
class BrowserLikeArgs {
public:
    BrowserLikeArgs() {
        url_.v.vt = VT_BSTR;
        url_.v.bstrVal = SysAllocString(L"http://127.0.0.1/页面/*/7/*/");
        flags_.v.vt = VT_I4;
        flags_.v.lVal = 64;
        args_[6].vt = VT_DISPATCH;
        args_[6].pdispVal = nullptr;
        args_[5].vt = VT_BYREF | VT_VARIANT;
        args_[5].pvarVal = &url_.v;
        args_[4].vt = VT_BYREF | VT_VARIANT;
        args_[4].pvarVal = &flags_.v;
        args_[3].vt = VT_BYREF | VT_VARIANT;
        args_[3].pvarVal = &empty_.v;
        args_[2].vt = VT_I2;
        args_[2].iVal = -3;
        args_[1].vt = VT_BYREF | VT_I2;
        args_[1].piVal = &shortValue_;
        args_[0].vt = VT_BYREF | VT_BOOL;
        args_[0].pboolVal = &cancel_;
    }
    DISPPARAMS* params() { return &params_; }
    VARIANT_BOOL cancel() const { return cancel_; }
    SHORT shortValue() const { return shortValue_; }
    const VARIANT& flags() const { return flags_.v; }

private:
    Variant url_, flags_, empty_;
    VARIANT_BOOL cancel_ = VARIANT_FALSE;
    SHORT shortValue_ = 5;
    VARIANT args_[7];
    DISPPARAMS params_{args_, nullptr, 7, 0};
};

TEST(EventArgs, ReadsInDeclarationOrderThroughReferences) {
    BrowserLikeArgs call;
    EventArgs args(call.params());
    EXPECT_EQ(args.count(), 7u);
    EXPECT_EQ(args.String(1), "http://127.0.0.1/页面/*/7/*/");
    EXPECT_EQ(args.Long(2), 64);
    EXPECT_EQ(args.String(3), "");
    EXPECT_EQ(args.Long(4), -3);
    EXPECT_EQ(args.Long(5), 5);
    EXPECT_FALSE(args.Bool(6));
    EXPECT_EQ(args.String(2), "64");  // numbers read as text too
}

TEST(EventArgs, OutOfRangeReadsAreEmptyAndWritesFail) {
    BrowserLikeArgs call;
    EventArgs args(call.params());
    EXPECT_EQ(args.raw(7), nullptr);
    EXPECT_EQ(args.String(7), "");
    EXPECT_EQ(args.Long(99), 0);
    EXPECT_FALSE(args.SetBool(7, true));
    EventArgs none(nullptr);
    EXPECT_EQ(none.count(), 0u);
    EXPECT_EQ(none.Dispatch(0), nullptr);
}

TEST(EventArgs, WritesOnlyThroughByReferenceArguments) {
    BrowserLikeArgs call;
    EventArgs args(call.params());
    EXPECT_TRUE(args.SetBool(6, true));
    EXPECT_EQ(call.cancel(), VARIANT_TRUE);
    EXPECT_TRUE(args.SetLong(5, -2));
    EXPECT_EQ(call.shortValue(), -2);
    EXPECT_FALSE(args.SetLong(5, 40000));  // does not fit the source's short
    EXPECT_EQ(call.shortValue(), -2);
    EXPECT_FALSE(args.SetLong(4, 1));  // passed by value: the source would never see it
    EXPECT_FALSE(args.SetBool(0, true));
    // A VARIANT passed by reference keeps the type the source gave it.
    EXPECT_TRUE(args.SetLong(2, 9));
    EXPECT_EQ(call.flags().vt, VT_I4);
    EXPECT_EQ(call.flags().lVal, 9);
}

TEST(EventConnection, DeliversEventsUntilClosed) {
    EnsureOle();
    auto source = ComRef<IDispatch>::Adopt(MakeEventSource(kTestEventsIid, 42));
    const int sinksBefore = AdvisedSinks();
    std::vector<DISPID> seen;
    auto connection = EventConnection::Open(source.get(), kTestEventsIid,
                                            [&](DISPID id, DISPPARAMS*, VARIANT*) { seen.push_back(id); });
    ASSERT_TRUE(connection);
    EXPECT_EQ(AdvisedSinks(), sinksBefore + 1);
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    ASSERT_HRESULT_SUCCEEDED(source->Invoke(kFireDispid, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr));
    EXPECT_EQ(seen, std::vector<DISPID>{42});
    connection.reset();
    EXPECT_EQ(AdvisedSinks(), sinksBefore);
    ASSERT_HRESULT_SUCCEEDED(source->Invoke(kFireDispid, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr));
    EXPECT_EQ(seen.size(), 1u);
}

TEST(EventConnection, RefusedWithoutAMatchingConnectionPoint) {
    EnsureOle();
    auto source = ComRef<IDispatch>::Adopt(MakeEventSource(kTestEventsIid, 42));
    EXPECT_FALSE(EventConnection::Open(source.get(), kHtmlDocumentEvents2, [](DISPID, DISPPARAMS*, VARIANT*) {}));
    EXPECT_FALSE(EventConnection::Open(nullptr, kTestEventsIid, [](DISPID, DISPPARAMS*, VARIANT*) {}));
    ComRef<IUnknown> plain;
    ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(kPlainObjectClsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                              plain.ReceiveVoid()));
    EXPECT_FALSE(EventConnection::Open(plain.get(), kTestEventsIid, [](DISPID, DISPPARAMS*, VARIANT*) {}));
}

TEST(EventConnection, HandlerMayCloseItsOwnConnection) {
    EnsureOle();
    auto source = ComRef<IDispatch>::Adopt(MakeEventSource(kTestEventsIid, 1));
    std::unique_ptr<EventConnection> connection;
    int calls = 0;
    connection = EventConnection::Open(source.get(), kTestEventsIid, [&](DISPID, DISPPARAMS*, VARIANT*) {
        ++calls;
        connection.reset();
    });
    ASSERT_TRUE(connection);
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    ASSERT_HRESULT_SUCCEEDED(source->Invoke(kFireDispid, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr));
    ASSERT_HRESULT_SUCCEEDED(source->Invoke(kFireDispid, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr));
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(connection);
}

// What a document answers when asked for its context menu.
Variant AskForMenu(IDispatch* document) {
    Variant answer;
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    EXPECT_HRESULT_SUCCEEDED(document->Invoke(kFireDispid, IID_NULL, 0, DISPATCH_METHOD, &none, &answer.v, nullptr, nullptr));
    return answer;
}

TEST(DocumentMenuBlocker, AnswersFalseForTheLatestDocumentOnly) {
    EnsureOle();
    const DISPID menu = DISPID_HTMLDOCUMENTEVENTS2_ONCONTEXTMENU;
    auto first = ComRef<IDispatch>::Adopt(MakeEventSource(kHtmlDocumentEvents2, menu));
    auto second = ComRef<IDispatch>::Adopt(MakeEventSource(kHtmlDocumentEvents2, menu));
    DocumentMenuBlocker blocker;
    EXPECT_EQ(AskForMenu(first.get()).v.vt, VT_EMPTY);  // never observed: the document's own menu

    ASSERT_TRUE(blocker.Observe(first.get()));
    Variant answer = AskForMenu(first.get());
    ASSERT_EQ(answer.v.vt, VT_BOOL);
    EXPECT_EQ(answer.v.boolVal, VARIANT_FALSE);
    EXPECT_TRUE(blocker.Observe(first.get()));  // the same document again stays connected once

    ASSERT_TRUE(blocker.Observe(second.get()));
    EXPECT_EQ(AskForMenu(first.get()).v.vt, VT_EMPTY);
    EXPECT_EQ(AskForMenu(second.get()).v.boolVal, VARIANT_FALSE);

    EXPECT_FALSE(blocker.Observe(nullptr));  // nothing to observe: the latest one stays
    EXPECT_TRUE(blocker.observing());
    EXPECT_EQ(AskForMenu(second.get()).v.boolVal, VARIANT_FALSE);
    blocker.Stop();
    EXPECT_EQ(AskForMenu(second.get()).v.vt, VT_EMPTY);
}

TEST(DocumentMenuBlocker, LeavesOtherDocumentEventsAlone) {
    EnsureOle();
    auto document = ComRef<IDispatch>::Adopt(MakeEventSource(kHtmlDocumentEvents2, DISPID_HTMLDOCUMENTEVENTS2_ONCLICK));
    DocumentMenuBlocker blocker;
    ASSERT_TRUE(blocker.Observe(document.get()));
    EXPECT_EQ(AskForMenu(document.get()).v.vt, VT_EMPTY);
}

}  // namespace
}  // namespace velmora::com::testing
