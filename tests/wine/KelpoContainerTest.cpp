// The list control in the program's own container: created by its ProgID from the registered
// Kelpo.dll, activated in place, filled, clicked, scrolled with the wheel and the scrollbar,
// its events received and its rows read back from the screen.
#include <gtest/gtest.h>

#include <olectl.h>

#include <algorithm>
#include <cstdio>
#include <memory>

#include "com/OleControl.h"
#include "com/PropertyRecords.h"
#include "com/Variants.h"
#include "com/tests/OleTestSupport.h"
#include "platform/testing/win32/MessagePump.h"
#include "tests/wine/KelpoSupport.h"

namespace velmora::kelpotest {
namespace {

const IID kEvents = {0xFBC2020A, 0x0BFE, 0x414F, {0x9A, 0x31, 0x50, 0x37, 0x37, 0xF8, 0x68, 0xF2}};
constexpr COLORREF kRow1 = 0xFFFFFF, kRow2 = 0xFAF6EA, kSelected = 0xCC9462, kBorder = 0xC3A378;
// The control is 300 x 402: with the border, 400 pixels of rows (22 whole rows of 18).
const RECT kPlace{10, 10, 310, 412};

int RowTop(int position) { return 1 + 18 * position; }

long Number(IDispatch* d, const char* name, std::vector<com::Argument> indexes = {}) {
    com::Variant v;
    if (FAILED(com::GetProperty(d, name, v.get(), std::move(indexes)))) return -99999;
    return com::NumberOf(v.value()).value_or(-99999);
}

unsigned long Colour(IDispatch* d, const char* name) {
    com::Variant v;
    if (FAILED(com::GetProperty(d, name, v.get())) || FAILED(VariantChangeType(v.get(), v.get(), 0, VT_UI4)))
        return 0xFFFFFFFFul;
    return v.value().ulVal;
}

std::string Text(IDispatch* d, const char* name, std::vector<com::Argument> indexes) {
    com::Variant v;
    if (FAILED(com::GetProperty(d, name, v.get(), std::move(indexes)))) return "<failed>";
    return com::TextOf(v.value()).value_or("<not text>");
}

class KelpoContainerTest : public ::testing::Test {
protected:
    void SetUp() override {
        com::testing::EnsureOle();
        ASSERT_TRUE(parent_.hwnd());
    }

    // A control with rows, its events recorded.
    void Make(int rows, const com::Properties& stored = {}) {
        list_ = com::OleControl::Create(parent_.hwnd(), "ListBox.LeiBiao", kPlace, stored);
        ASSERT_TRUE(list_) << "ListBox.LeiBiao could not be created and activated";
        ASSERT_TRUE(list_->Connect(kEvents, [this](DISPID id, DISPPARAMS* params, VARIANT*) {
            events_.push_back({id, ArgumentsOf(params)});
            if (id == 6 && onListIndex_) onListIndex_(params);
        }));
        for (int i = 0; i < rows; ++i) {
            com::Variant count;
            ASSERT_EQ(com::CallMethod(d(), "AddItem", {"项目" + std::to_string(i), "说明"}, count.get()), S_OK);
        }
        Pump(200);
        events_.clear();
    }
    // A real click on the control, waited for by the Click it raises rather than for a fixed
    // time: real input reaches the control when the display gets to it. A click the control never
    // saw (no event but moves) is input lost on the way, not the control's doing: it is said and
    // given once more.
    void ClickAndWait(int x, int y) {
        const auto seen = [this](DISPID wanted) {
            const std::vector<DISPID> ids = Ids();
            return std::find(ids.begin(), ids.end(), wanted) != ids.end();
        };
        const auto anyButMoves = [this] {
            const std::vector<DISPID> ids = Ids();
            return std::any_of(ids.begin(), ids.end(), [](DISPID id) { return id != 4; });
        };
        ClickAt(window(), x, y);
        if (!velmora::testing::PumpUntil(anyButMoves, 2000)) {
            std::fprintf(stderr, "note: the control saw no press at (%d, %d); clicking again\n", x, y);
            ClickAt(window(), x, y);
        }
        const bool clicked = velmora::testing::PumpUntil([&] { return seen(1); }, 5000);
        Pump(50);
        if (!clicked) {
            POINT cursor{};
            GetCursorPos(&cursor);
            std::string ids;
            for (DISPID id : Ids()) ids += " " + std::to_string(id);
            ADD_FAILURE() << "no Click arrived; events seen:" << (ids.empty() ? " none" : ids) << "; cursor at ("
                          << cursor.x << ", " << cursor.y << "), the control "
                          << (WindowFromPoint(cursor) == window() ? "is" : "is not") << " the window there";
        }
    }
    IDispatch* d() const { return list_->dispatch(); }
    HWND window() const { return list_->window(); }
    HWND Bar() const { return FindWindowExW(window(), nullptr, L"VelmoraKelpoScrollbar", nullptr); }
    std::vector<DISPID> Ids() const {
        std::vector<DISPID> ids;
        for (const SeenEvent& e : events_) ids.push_back(e.id);
        return ids;
    }
    // The arguments of the first event id, or {"none"}.
    std::vector<std::string> ArgsOf(DISPID id) const {
        for (const SeenEvent& e : events_)
            if (e.id == id) return e.args;
        return {"none"};
    }

    com::testing::ParentWindow parent_;
    std::unique_ptr<com::OleControl> list_;
    std::vector<SeenEvent> events_;
    std::function<void(DISPPARAMS*)> onListIndex_;
};

TEST_F(KelpoContainerTest, ActivatesInPlaceAndDrawsStripedRowsInsideTheBorder) {
    Make(30);
    ASSERT_TRUE(window());
    wchar_t cls[64] = {};
    GetClassNameW(window(), cls, 64);
    EXPECT_STREQ(cls, L"VelmoraKelpoLeiBiao");
    EXPECT_EQ(GetParent(window()), parent_.hwnd());
    EXPECT_EQ(Number(d(), "ListCount"), 30);
    EXPECT_EQ(Number(d(), "hWnd"), static_cast<long>(reinterpret_cast<LONG_PTR>(window())));
    EXPECT_EQ(Number(d(), "LastIndex"), 23);
    ASSERT_TRUE(Bar());
    EXPECT_TRUE(IsWindowVisible(Bar())) << "30 rows do not fit";

    const Capture shot(window());
    EXPECT_EQ(shot.At(0, 0), kBorder);
    EXPECT_EQ(shot.At(299, 200), kBorder);
    EXPECT_EQ(shot.At(150, 401), kBorder);
    for (int position = 0; position < 6; ++position)
        EXPECT_EQ(shot.At(200, RowTop(position)), position % 2 ? kRow2 : kRow1) << "row " << position;
    EXPECT_EQ(shot.At(200, RowTop(21) + 17), kRow2);
    const Capture bar(Bar());
    EXPECT_EQ(bar.width(), 17);
    EXPECT_EQ(bar.height(), 400);
    EXPECT_FALSE(bar.Contains(RGB(255, 0, 255), 0, 0, 17, 400)) << "the glyphs' magenta is transparent";
    EXPECT_FALSE(bar.Contains(kRow1, 3, 3, 14, 15)) << "the button face is drawn from the skin";
}

TEST_F(KelpoContainerTest, AnEmptyListShowsBackgroundAndBorderAndNoScrollbar) {
    Make(0);
    const Capture shot(window());
    EXPECT_EQ(shot.At(0, 0), kBorder);
    EXPECT_EQ(shot.At(150, 200), 0xFFFFFFu);
    EXPECT_FALSE(IsWindowVisible(Bar()));
    EXPECT_EQ(Number(d(), "LastIndex"), -1);
}

TEST_F(KelpoContainerTest, AClickSelectsTheRowWithItsEventsInOrder) {
    Make(30);
    ClickAndWait(100, RowTop(2) + 9);
    EXPECT_EQ(Number(d(), "ListIndex"), 2);
    const std::vector<DISPID> mouse{6, 3, 5, 1};
    std::vector<DISPID> ids;
    for (DISPID id : Ids())
        if (id != 4) ids.push_back(id);  // moves may come in between
    EXPECT_EQ(ids, mouse);
    EXPECT_EQ(ArgsOf(6), (std::vector<std::string>{"-1", "2", "0"}));
    EXPECT_EQ(ArgsOf(1), (std::vector<std::string>{"1", "0", "100", std::to_string(RowTop(2) + 9)}));
    const Capture shot(window());
    EXPECT_EQ(shot.At(200, RowTop(2)), kSelected);
    EXPECT_EQ(shot.At(200, RowTop(1)), kRow2);

    events_.clear();
    ClickAndWait(100, RowTop(2) + 4);
    std::vector<DISPID> again;
    for (DISPID id : Ids())
        if (id != 4) again.push_back(id);
    EXPECT_EQ(again, (std::vector<DISPID>{5, 1})) << "the selected row again: only MouseUp and Click";
}

TEST_F(KelpoContainerTest, AHandlerThatChangesNewIndexWins) {
    Make(30);
    onListIndex_ = [](DISPPARAMS* params) { com::EventArgs(params).SetLong(1, 5); };
    ClickAndWait(100, RowTop(2) + 9);
    EXPECT_EQ(Number(d(), "ListIndex"), 5);
    const Capture shot(window());
    EXPECT_EQ(shot.At(200, RowTop(5)), kSelected);
    EXPECT_EQ(shot.At(200, RowTop(2)), kRow1);

    events_.clear();
    onListIndex_ = nullptr;
    ASSERT_EQ(com::PutProperty(d(), "ListIndex", 7), S_OK);
    EXPECT_EQ(ArgsOf(6), (std::vector<std::string>{"5", "7", "1"})) << "flag 1 for an assignment";
}

TEST_F(KelpoContainerTest, ThePlayingRowShowsTheGreenPlayIconInsteadOfItsNumber) {
    Make(5);
    ASSERT_EQ(com::PutProperty(d(), "PlayIndex", 1), S_OK);
    EXPECT_EQ(ArgsOf(7), (std::vector<std::string>{"-1", "1", "1"}));
    EXPECT_EQ(Number(d(), "PlayIndex"), 1);
    const Capture shot(window());
    int green = 0;
    for (int y = RowTop(1) + 3; y < RowTop(1) + 15; ++y)
        for (int x = 3; x < 15; ++x) {
            const COLORREF c = shot.At(x, y);
            green += GetGValue(c) > 150 && GetRValue(c) < 150 && GetBValue(c) < 100 ? 1 : 0;
        }
    EXPECT_GT(green, 10);
}

TEST_F(KelpoContainerTest, TheWheelScrollsFiveRowsAndRaisesScroll) {
    Make(100);
    ASSERT_EQ(com::PutProperty(d(), "ListIndex", 5), S_OK);
    events_.clear();
    PostMessageW(window(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    Pump(200);
    EXPECT_EQ(Number(d(), "FirstIndex"), 5);
    EXPECT_EQ(Ids(), (std::vector<DISPID>{8}));
    const Capture shot(window());
    EXPECT_EQ(shot.At(200, RowTop(0)), kSelected) << "row 5 is now the top row";
    EXPECT_EQ(shot.At(200, RowTop(1)), kRow2);
    PostMessageW(window(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    PostMessageW(window(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    Pump(200);
    EXPECT_EQ(Number(d(), "FirstIndex"), 0);
    EXPECT_EQ(Ids(), (std::vector<DISPID>{8, 8})) << "no Scroll at the top";
}

TEST_F(KelpoContainerTest, TheScrollbarStepsPagesAndDragsTheRows) {
    Make(100);  // Max 78: a thumb of 364 / 8 = 45 pixels on the 364-pixel track
    HWND bar = Bar();
    ASSERT_TRUE(bar);
    ClickAt(bar, 8, 400 - 9);
    velmora::testing::PumpUntil([this] { return Number(d(), "FirstIndex") == 1; }, 5000);
    EXPECT_EQ(Number(d(), "FirstIndex"), 1) << "the down arrow moves one row";
    EXPECT_TRUE(Ids().empty()) << "an arrow raises no Scroll of the list";
    ClickAt(bar, 8, 350);
    velmora::testing::PumpUntil([this] { return Number(d(), "FirstIndex") == 11; }, 5000);
    EXPECT_EQ(Number(d(), "FirstIndex"), 11) << "the track below the thumb pages by ten";
    const Capture page(window());
    EXPECT_EQ(page.At(200, RowTop(0)), kRow1);

    // Drag the thumb (now at 18 + 319 * 11 / 78 = 63) down by 100 pixels.
    events_.clear();
    Press(bar, 8, 80);
    MoveTo(bar, 8, 130);
    MoveTo(bar, 8, 180);
    Release();
    Pump(100);
    const long first = Number(d(), "FirstIndex");
    EXPECT_EQ(first, 11 + 24) << "100 of 319 pixels of travel over 78 rows";
    EXPECT_FALSE(Ids().empty());
    for (DISPID id : Ids()) EXPECT_EQ(id, 8) << "Scroll while dragging";
}

TEST_F(KelpoContainerTest, StoredPropertiesApplyAndMissingNamesKeepTheirValue) {
    Make(5, {{"ItemHeight", std::int32_t{30}},
             {"Border", false},
             {"ItemBkColor2", com::Colour{0x00FF00}},
             {"BackColor", com::Colour{0x80000000u + COLOR_WINDOW}},
             {"Font", com::StoredFont{"宋体", 12, true}}});
    EXPECT_EQ(Number(d(), "ItemHeight"), 30);
    EXPECT_EQ(Number(d(), "Border"), 0);
    EXPECT_EQ(Number(d(), "ItemBkColor1"), 0xFFFFFF) << "not stored: the default";
    EXPECT_EQ(Colour(d(), "BackColor"), 0x80000000ul + COLOR_WINDOW) << "system colours keep their number";
    EXPECT_EQ(Number(d(), "BorderWidth"), 1);
    com::Variant font;
    ASSERT_EQ(com::GetProperty(d(), "Font", font.get()), S_OK);
    ASSERT_EQ(font.value().vt, VT_DISPATCH);
    // Wine names the face it substituted; the size and weight are the stored ones.
    EXPECT_FALSE(Text(font.value().pdispVal, "Name", {}).empty());
    com::Variant size;
    ASSERT_EQ(com::GetProperty(font.value().pdispVal, "Size", size.get()), S_OK);
    EXPECT_NEAR(com::NumberOf(size.value()).value_or(0), 12.0, 1.0) << "Wine rounds it to whole pixels";
    EXPECT_EQ(Number(font.value().pdispVal, "Bold"), -1);
    const Capture shot(window());
    EXPECT_EQ(shot.At(200, 5), kRow1);
    EXPECT_EQ(shot.At(200, 30 + 5), 0x00FF00u);
    EXPECT_EQ(shot.At(0, 0), kRow1) << "no border";
}

TEST_F(KelpoContainerTest, ErrorsAndIndexesOutsideTheListReachTheCallerSafely) {
    Make(3);
    EXPECT_TRUE(FAILED(com::PutProperty(d(), "ItemHeight", 0)));
    EXPECT_EQ(Number(d(), "ItemHeight"), 18);
    for (std::int32_t index : {-1, 3, 40000, 65536, -65536}) {
        EXPECT_EQ(Text(d(), "Title", {index}), "") << index;
        EXPECT_EQ(Number(d(), "LongTime", {index}), 0) << index;
        EXPECT_EQ(com::PutProperty(d(), "Title", "x", {index}), S_OK);
        EXPECT_EQ(com::PutProperty(d(), "LongTime", 9, {index}), S_OK);
        com::Variant removed;
        ASSERT_EQ(com::CallMethod(d(), "RemoveItem", {index}, removed.get()), S_OK);
        EXPECT_EQ(com::NumberOf(removed.value()), -1) << index;
    }
    EXPECT_EQ(Text(d(), "Title", {0}), "项目0");
    EXPECT_EQ(Number(d(), "ListCount"), 3);
    ASSERT_EQ(com::PutProperty(d(), "URL", "http://x/1", {1}), S_OK);
    EXPECT_EQ(Text(d(), "URL", {1}), "http://x/1");
    com::Variant added;
    EXPECT_EQ(com::CallMethod(d(), "AddItem", {"尾", "", 4}, added.get()), S_OK);
    EXPECT_EQ(com::NumberOf(added.value()), -1);
}

TEST_F(KelpoContainerTest, AStreamKeepsThePropertiesAndAMissingNameLeavesTheValue) {
    Make(0);
    ASSERT_EQ(com::PutProperty(d(), "ItemHeight", 25), S_OK);
    ASSERT_EQ(com::PutProperty(d(), "ItemSelBkColor", com::Colour{0x123456}), S_OK);
    auto persist = ComRef<IUnknown>::Share(list_->unknown()).As<IPersistStreamInit>(IID_IPersistStreamInit);
    ASSERT_TRUE(persist);
    EXPECT_EQ(persist->IsDirty(), S_OK);
    ComRef<IStream> stream;
    ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, stream.Receive()), S_OK);
    ASSERT_EQ(persist->Save(stream.get(), TRUE), S_OK);
    EXPECT_EQ(persist->IsDirty(), S_FALSE);

    ComRef<IDispatch> copy;
    CLSID clsid{};
    ASSERT_EQ(CLSIDFromProgID(L"ListBox.LeiBiao", &clsid), S_OK);
    ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, copy.ReceiveVoid()), S_OK);
    auto copyPersist = copy.As<IPersistStreamInit>(IID_IPersistStreamInit);
    ASSERT_TRUE(copyPersist);
    LARGE_INTEGER zero{};
    stream->Seek(zero, STREAM_SEEK_SET, nullptr);
    ASSERT_EQ(copyPersist->Load(stream.get()), S_OK);
    EXPECT_EQ(Number(copy.get(), "ItemHeight"), 25);
    EXPECT_EQ(Number(copy.get(), "ItemSelBkColor"), 0x123456);
    EXPECT_EQ(Number(copy.get(), "Border"), -1);

    // A stream that names only the item height changes only that.
    ASSERT_EQ(com::PutProperty(copy.get(), "ItemBkColor1", com::Colour{0x010203}), S_OK);
    const std::string bytes = com::EncodeRecords({{"ItemHeight", VT_I4, com::Int32Payload(40)}});
    ComRef<IStream> partial;
    ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, partial.Receive()), S_OK);
    partial->Write(bytes.data(), static_cast<ULONG>(bytes.size()), nullptr);
    partial->Seek(zero, STREAM_SEEK_SET, nullptr);
    ASSERT_EQ(copyPersist->Load(partial.get()), S_OK);
    EXPECT_EQ(Number(copy.get(), "ItemHeight"), 40);
    EXPECT_EQ(Number(copy.get(), "ItemBkColor1"), 0x010203);
    EXPECT_EQ(Number(copy.get(), "ItemSelBkColor"), 0x123456);

    ComRef<IStream> broken;
    ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, broken.Receive()), S_OK);
    broken->Write("VPR1\xff\x00\x00\x00", 8, nullptr);
    broken->Seek(zero, STREAM_SEEK_SET, nullptr);
    EXPECT_NE(copyPersist->Load(broken.get()), S_OK);
    EXPECT_EQ(Number(copy.get(), "ItemHeight"), 40);
}

TEST_F(KelpoContainerTest, AnAmbientChangeRepaintsTheWholeControl) {
    Make(3);
    HDC dc = GetDC(window());
    RECT all{0, 0, 300, 402};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    ReleaseDC(window(), dc);
    ASSERT_EQ(Capture(window()).At(200, RowTop(1)), 0u);
    auto control = ComRef<IUnknown>::Share(list_->unknown()).As<IOleControl>(IID_IOleControl);
    ASSERT_TRUE(control);
    ASSERT_EQ(control->OnAmbientPropertyChange(DISPID_UNKNOWN), S_OK);
    const Capture shot(window());
    EXPECT_EQ(shot.At(0, 0), kBorder);
    EXPECT_EQ(shot.At(200, RowTop(1)), kRow2);
    EXPECT_EQ(shot.At(200, 300), 0xFFFFFFu) << "the background below the rows";
}

TEST_F(KelpoContainerTest, AContainerThatDrawsTheControlGetsItsLook) {
    Make(4);
    ASSERT_EQ(com::PutProperty(d(), "ListIndex", 1), S_OK);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 320, 420);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(memory, bitmap);
    RECT target{10, 10, 310, 412};
    ASSERT_EQ(OleDraw(list_->unknown(), DVASPECT_CONTENT, memory, &target), S_OK);
    EXPECT_EQ(GetPixel(memory, 10, 10), kBorder);
    EXPECT_EQ(GetPixel(memory, 10 + 200, 10 + RowTop(1)), kSelected);
    EXPECT_EQ(GetPixel(memory, 10 + 200, 10 + RowTop(2)), kRow1);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

TEST_F(KelpoContainerTest, GenericContainersFindTheClassAndItsEvents) {
    Make(0);
    auto info = ComRef<IUnknown>::Share(list_->unknown()).As<IProvideClassInfo2>(IID_IProvideClassInfo2);
    ASSERT_TRUE(info);
    GUID events{};
    ASSERT_EQ(info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &events), S_OK);
    EXPECT_TRUE(IsEqualGUID(events, kEvents));
    ComRef<ITypeInfo> cls;
    ASSERT_EQ(info->GetClassInfo(cls.Receive()), S_OK);
    BSTR name = nullptr;
    ASSERT_EQ(cls->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr), S_OK);
    EXPECT_STREQ(name, L"LeiBiao");
    SysFreeString(name);
}

}  // namespace
}  // namespace velmora::kelpotest
