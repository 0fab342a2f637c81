// The list control in hosts this program did not write: Wine's ATL control window, which finds
// the events through the class information, and the windowless script host, which creates the
// control by its ProgID and calls it late-bound.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "com/Automation.h"
#include "com/Events.h"
#include "com/Variants.h"
#include "com/tests/OleTestSupport.h"
#include "tests/wine/KelpoSupport.h"
#include "tests/wine/UiDriver.h"

namespace velmora::kelpotest {
namespace {

using AtlAxWinInit = BOOL(WINAPI*)();
using AtlAxGetControl = HRESULT(WINAPI*)(HWND, IUnknown**);

template <typename F>
F Entry(HMODULE module, const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

TEST(KelpoForeignHostTest, WinesAtlWindowHostsTheControlAndDeliversItsEvents) {
    com::testing::EnsureOle();
    com::testing::ParentWindow parent;
    HMODULE atl = LoadLibraryW(L"atl.dll");
    ASSERT_TRUE(atl) << "Wine's atl.dll is missing";
    auto init = Entry<AtlAxWinInit>(atl, "AtlAxWinInit");
    auto getControl = Entry<AtlAxGetControl>(atl, "AtlAxGetControl");
    ASSERT_TRUE(init && getControl);
    ASSERT_TRUE(init());
    HWND host = CreateWindowExW(0, L"AtlAxWin", L"ListBox.LeiBiao", WS_CHILD | WS_VISIBLE, 10, 10, 300, 402,
                                parent.hwnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(host);
    ComRef<IUnknown> control;
    ASSERT_EQ(getControl(host, control.Receive()), S_OK);
    ASSERT_TRUE(control);
    auto dispatch = control.As<IDispatch>(IID_IDispatch);
    ASSERT_TRUE(dispatch);

    // As a generic container does: the default source interface from the class information.
    auto info = control.As<IProvideClassInfo2>(IID_IProvideClassInfo2);
    ASSERT_TRUE(info);
    GUID events{};
    ASSERT_EQ(info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &events), S_OK);
    std::vector<SeenEvent> seen;
    auto connection = com::EventConnection::Open(control.get(), events, [&](DISPID id, DISPPARAMS* p, VARIANT*) {
        seen.push_back({id, ArgumentsOf(p)});
    });
    ASSERT_TRUE(connection);

    for (int i = 0; i < 10; ++i) ASSERT_EQ(com::CallMethod(dispatch.get(), "AddItem", {"行" + std::to_string(i)}), S_OK);
    Pump(200);
    HWND list = FindWindowExW(host, nullptr, L"VelmoraKelpoLeiBiao", nullptr);
    ASSERT_TRUE(list) << "activated in place in its own child window";
    EXPECT_TRUE(IsWindowVisible(list));
    RECT r{};
    GetClientRect(list, &r);
    EXPECT_EQ(r.right, 300);
    EXPECT_EQ(r.bottom, 402);
    const Capture shot(list);
    EXPECT_EQ(shot.At(0, 0), 0xC3A378u);
    EXPECT_EQ(shot.At(200, 1), 0xFFFFFFu);
    EXPECT_EQ(shot.At(200, 19), 0xFAF6EAu);

    ClickAt(list, 100, 1 + 18 * 3 + 9);
    Pump(200);
    com::Variant index;
    ASSERT_EQ(com::GetProperty(dispatch.get(), "ListIndex", index.get()), S_OK);
    EXPECT_EQ(com::NumberOf(index.value()), 3);
    bool changed = false, clicked = false;
    for (const SeenEvent& e : seen) {
        changed = changed || (e.id == 6 && e.args == std::vector<std::string>{"-1", "3", "0"});
        clicked = clicked || e.id == 1;
    }
    EXPECT_TRUE(changed);
    EXPECT_TRUE(clicked);
    EXPECT_EQ(Capture(list).At(200, 1 + 18 * 3), 0xCC9462u);

    connection.reset();
    dispatch.Reset();
    info.Reset();
    control.Reset();
    DestroyWindow(host);
    Pump(100);
}

// GBK bytes of a UTF-8 text (the script host reads and writes the Chinese code page).
std::string Gbk(const std::string& utf8) {
    const std::wstring wide = uitest::W(utf8);
    const int n = WideCharToMultiByte(936, 0, wide.c_str(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(936, 0, wide.c_str(), static_cast<int>(wide.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::string FromGbk(const std::string& bytes) {
    const int n = MultiByteToWideChar(936, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(936, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), n);
    return uitest::U(wide);
}

TEST(KelpoForeignHostTest, AWindowlessScriptAddsReadsAndRemovesRows) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring script = std::wstring(temp) + L"kelpo-list.js";
    const std::wstring output = std::wstring(temp) + L"kelpo-list.txt";
    {
        std::ofstream js(script.c_str(), std::ios::binary);
        js << Gbk(
            "var list = new ActiveXObject(\"ListBox.LeiBiao\");\r\n"
            "list.AddItem(\"壁纸\", \"说明\");\r\n"
            "list.AddItem(\"主题\");\r\n"
            "list.AddItem(\"首项\", \"\", 0);\r\n"
            "WScript.Echo(list.ListCount);\r\n"
            "WScript.Echo(list.Title(0) + \"|\" + list.Author(1) + \"|\" + list.Title(2));\r\n"
            "list.ListIndex = 1;\r\n"
            "WScript.Echo(list.ListIndex + \" \" + list.FirstIndex + \" \" + list.hWnd);\r\n"
            "WScript.Echo(list.RemoveItem(0) + \" \" + list.Title(0));\r\n"
            "WScript.Echo(\"[\" + list.Title(40000) + \"][\" + list.Title(-1) + \"] \" + list.RemoveItem(7));\r\n"
            "try { list.ItemHeight = 0; WScript.Echo(\"accepted\"); } catch (e) { WScript.Echo(\"refused\"); }\r\n"
            "list.Clear();\r\n"
            "WScript.Echo(list.ListCount + \" \" + list.ListIndex);\r\n");
    }
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE out = CreateFileW(output.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(out, INVALID_HANDLE_VALUE);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = si.hStdError = out;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    std::wstring command = L"cscript.exe //nologo \"" + script + L"\"";
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi));
    ASSERT_EQ(WaitForSingleObject(pi.hProcess, 60000), WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    CloseHandle(out);
    std::ifstream in(output.c_str(), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    const std::string printed = FromGbk(text.str());
    EXPECT_EQ(code, 0u) << printed;
    std::vector<std::string> lines;
    std::istringstream split(printed);
    for (std::string line; std::getline(split, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    EXPECT_EQ(lines, (std::vector<std::string>{"3", "首项|说明|主题", "1 0 0", "2 壁纸", "[][] -1", "refused", "0 -1"}));
    DeleteFileW(script.c_str());
    DeleteFileW(output.c_str());
}

}  // namespace
}  // namespace velmora::kelpotest
