#pragma once
// Runs the real Velmora.exe under Wine from a throwaway program directory, in the Windows
// version of the test's parameter ("winxp", "win7"), through its command line; what it did is
// read back with the real API.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/Wide.h"
#include "platform/win32/Win32Platform.h"
#include "tests/wine/UiDriver.h"

namespace velmora {

constexpr DWORD kWait = 20000;

inline std::wstring FromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    std::wstring path = uitest::W(value ? value : "");
    for (wchar_t& c : path) {
        if (c == L'/') c = L'\\';
    }
    return path;
}

inline std::string Windir() { return win32::RealPlatform().environment.Variable("windir").value_or(""); }

inline std::optional<std::string> Reg(const std::string& path) { return win32::RealPlatform().registry.ReadString(path); }

inline std::optional<std::string> Read(const std::string& path) { return win32::RealPlatform().files.ReadAll(path); }

inline void Write(const std::string& path, const std::string& bytes) {
    auto f = win32::RealPlatform().files.OpenForWrite(path);
    ASSERT_TRUE(f && f->Write(bytes.data(), bytes.size()) && f->Close()) << path;
}

class MingLingFixture : public ::testing::TestWithParam<const wchar_t*> {
protected:
    void SetUp() override {
        uitest::SetWineVersionFor(L"Velmora.exe", GetParam());
        work_ = Narrow(dir_.path()) + "\\work\\";
        ASSERT_TRUE(win32::RealPlatform().files.CreateDirectories(work_));
    }
    void TearDown() override {
        win32::RealPlatform().registry.DeleteKey("HKCU\\Software\\Wine\\AppDefaults\\Velmora.exe");
    }

    // Runs Velmora.exe with the arguments; answers each message box it shows with OK, recording
    // it, and gives the exit status.
    DWORD Run(const std::wstring& args, std::vector<uitest::MessageBoxSeen>* boxes = nullptr) {
        uitest::Process p(dir_ / L"Velmora.exe", args);
        EXPECT_TRUE(p.started());
        DWORD code = 99;
        const DWORD start = GetTickCount();
        bool exited = false;
        while (!(exited = p.WaitExit(0, &code)) && GetTickCount() - start < kWait) {
            const uitest::MessageBoxSeen box = uitest::WaitMessageBox(p.pid(), 20);
            if (!box.window) continue;
            if (boxes) boxes->push_back(box);
            uitest::Answer(box, IDOK);
        }
        EXPECT_TRUE(exited) << "still running: " << uitest::U(args);
        // The command line runs no start-up: the library folders are never made.
        EXPECT_FALSE(DirectoryExists(win32::RealPlatform().files, Narrow(dir_.path()) + "\\Download"));
        return code;
    }
    std::wstring Quoted(const std::string& path) { return L"\"" + uitest::W(path) + L"\""; }

    uitest::ProgramDir dir_;
    std::string work_;
};

}  // namespace velmora
