#pragma once
// A program directory with its configuration and skin, on the test platform.
#include <gtest/gtest.h>

#include <string>

#include "platform/testing/TestPlatform.h"

namespace velmora {

class InstallerTest : public ::testing::Test {
protected:
    InstallerTest() {
        t.files.CreateDirectories(t.ProgramPath("\\Data storage"));
        t.files.WriteText(t.ProgramPath("\\Data storage\\Sys.dll"), "[Function]\r\nChuangTiTuMing=255\r\n");
        t.files.CreateDirectories(t.ProgramPath("\\Skin\\img"));
        t.files.WriteText(t.ProgramPath("\\Skin\\img\\Background.jpg"), "jpeg");
        t.files.WriteText(t.ProgramPath("\\Skin\\img\\Ico.ico"), "icon");
    }

    void UseSystem(const char* version) { t.system.version = std::string(version); }
    std::string Windows(const std::string& relative) const { return t.environment.variables.at("windir") + relative; }
    std::string Read(const std::string& path) { return t.registry.ReadString(path).value_or("(none)"); }

    testing::TestPlatform t;
};

using testing::FakePicture;
using testing::PictureFormat;

// The logon host value of Windows XP, as the tests read it.
inline const std::string kUIHostLm =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\UIHost";

inline const char* const kXp = "5.1.2600";
inline const char* const kWin7 = "6.1.7601";
inline const char* const kVista = "6.0.6002";

}  // namespace velmora
