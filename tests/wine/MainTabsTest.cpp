// The main window's tabs under Wine, in Windows XP and Windows 7 modes.
#include <gtest/gtest.h>

#include "ui/win32/AlphaImage.h"
#include "shell/win32/MainWindow.h"
#include "tests/wine/UiDriver.h"

namespace velmora::uitest {
namespace {

constexpr DWORD kWait = 15000;

int Px(int twips) { return ScreenPixels(twips); }

class MainTabs : public ::testing::Test {
protected:
    void Start(const wchar_t* wineVersion) {
        SetWineVersionFor(L"Velmora.exe", wineVersion);
        SetEnvironmentVariableW(L"VELMORA_SERVICE_HOST", L"127.0.0.1:8765");
        velmora_ = std::make_unique<Process>(dir_ / L"Velmora.exe");
        main_ = WaitWindow(velmora_->pid(), L"VelmoraFrame", L"Velmora", kWait);
        ASSERT_NE(main_, nullptr);
        velmora_->WaitIdle(kWait);
    }
    // Every press moves the selection marker, so its move says the press was handled; a refused
    // press answers with its message, which must be the one expected (and stays open for the
    // caller). A click the X server dropped (the window only just appeared) is sent again.
    void Press(int tab, const std::string& expectedRefusal = {}) {
        HWND area = FindChild(main_, kAlphaImageClass, L"XuanKuang" + std::to_wstring(tab));
        ASSERT_NE(area, nullptr) << tab;
        const LRESULT before = Number(MainQuery::SelectionX);
        for (int attempt = 0; attempt < 3; ++attempt) {
            ClickLeft(area);
            for (int i = 0; i < 40; ++i) {
                if (Number(MainQuery::SelectionX) != before || before == Px(350 + 1350 * tab)) return;
                const MessageBoxSeen box = WaitMessageBox(velmora_->pid(), 0);
                if (box.window) {
                    EXPECT_EQ(U(box.text), expectedRefusal) << "tab " << tab << " answered with a message";
                    return;
                }
                Sleep(50);
            }
        }
        ADD_FAILURE() << "tab " << tab << " did not take the press";
    }
    std::string Item(MainQuery q) { return QueryText(main_, static_cast<int>(q)); }
    // A press may wait on the system query, during which the window still answers: wait for the
    // outcome rather than for a fixed time.
    std::string ItemBecomes(MainQuery q, const std::string& expected) {
        std::string got;
        for (int i = 0; i < 200 && (got = Item(q)) != expected; ++i) Sleep(50);
        return got;
    }
    LRESULT Number(MainQuery q) { return QueryNumber(main_, static_cast<int>(q)); }
    bool PageVisible(const wchar_t* name) {
        HWND frame = FindChild(main_, kPageFrameClass, name);
        return frame && IsWindowVisible(frame);
    }
    HWND PositionBox() {
        HWND page = FindChild(main_, kPageFrameClass, L"WangLuoZiYuan");
        return FindWindowExW(page, nullptr, L"ComboBox", nullptr);
    }
    void TearDown() override {
        SetEnvironmentVariableW(L"VELMORA_SERVICE_HOST", nullptr);
        SetWineVersionFor(L"Velmora.exe", L"win7");
    }

    ProgramDir dir_;
    std::unique_ptr<Process> velmora_;
    HWND main_ = nullptr;
};

TEST_F(MainTabs, Windows7) {
    Start(L"win7");
    EXPECT_TRUE(PageVisible(L"ShouYeKuang"));
    EXPECT_FALSE(PageVisible(L"WangLuoZiYuan"));
    EXPECT_EQ(Item(MainQuery::OnlineUrl), "about:blank");
    EXPECT_EQ(Item(MainQuery::PositionText), "拉伸");

    Press(1);
    EXPECT_TRUE(NoMessageBox(velmora_->pid(), 200));
    EXPECT_EQ(ItemBecomes(MainQuery::OnlineUrl, "http://127.0.0.1:8765/index.php?cate=12"), "http://127.0.0.1:8765/index.php?cate=12");
    EXPECT_TRUE(PageVisible(L"WangLuoZiYuan"));
    EXPECT_FALSE(PageVisible(L"ShouYeKuang"));
    EXPECT_TRUE(IsWindowVisible(PositionBox()));

    Press(2);
    EXPECT_EQ(ItemBecomes(MainQuery::OnlineUrl, "http://127.0.0.1:8765/index.php?cate=14"), "http://127.0.0.1:8765/index.php?cate=14");
    EXPECT_FALSE(IsWindowVisible(PositionBox()));
    EXPECT_EQ(Number(MainQuery::SelectionX), Px(350 + 1350 * 2));

    Press(5, "Windows 7 系统不能使用该功能,该功能只适用于XP系统");
    const MessageBoxSeen box = WaitMessageBox(velmora_->pid(), kWait);
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(U(box.text), "Windows 7 系统不能使用该功能,该功能只适用于XP系统");
    EXPECT_EQ(U(box.title), "提示");
    Answer(box, IDOK);
    // Refused, but the selection marker still moves; the online page is unchanged.
    EXPECT_EQ(ItemBecomes(MainQuery::OnlineUrl, "http://127.0.0.1:8765/index.php?cate=14"), "http://127.0.0.1:8765/index.php?cate=14");
    EXPECT_EQ(Number(MainQuery::SelectionX), Px(350 + 1350 * 5));

    Press(6);
    EXPECT_TRUE(PageVisible(L"ZiYuanGuanLiKuang"));
    EXPECT_FALSE(PageVisible(L"WangLuoZiYuan"));
    const std::string local = Item(MainQuery::LocalUrl);
    const std::string page = "\\Data storage\\Web\\Ziygl.html";
    ASSERT_GT(local.size(), page.size());
    EXPECT_EQ(local.substr(local.size() - page.size()), page);

    HoverOver(FindChild(main_, kAlphaImageClass, L"XuanKuang3"));
    EXPECT_EQ(Number(MainQuery::HoverX), Px(350 + 1350 * 3));

    Press(0);
    EXPECT_TRUE(PageVisible(L"ShouYeKuang"));
    EXPECT_TRUE(NoMessageBox(velmora_->pid(), 200));
}

TEST_F(MainTabs, WindowsXp) {
    Start(L"winxp");
    Press(2);
    {
        const MessageBoxSeen box = WaitMessageBox(velmora_->pid(), 3000);
        EXPECT_EQ(box.window, nullptr) << U(box.text);
    }
    EXPECT_EQ(ItemBecomes(MainQuery::OnlineUrl, "http://127.0.0.1:8765/index.php?cate=13"), "http://127.0.0.1:8765/index.php?cate=13");
    Press(5);
    EXPECT_TRUE(NoMessageBox(velmora_->pid(), 200));
    EXPECT_EQ(ItemBecomes(MainQuery::OnlineUrl, "http://127.0.0.1:8765/index.php?cate=17"), "http://127.0.0.1:8765/index.php?cate=17");
    EXPECT_TRUE(PageVisible(L"WangLuoZiYuan"));
    Press(4);
    EXPECT_EQ(ItemBecomes(MainQuery::OnlineUrl, "http://127.0.0.1:8765/index.php?cate=16"), "http://127.0.0.1:8765/index.php?cate=16");
}

}  // namespace
}  // namespace velmora::uitest
