#pragma once
// A management centre on the test platform: a program directory with its configuration and
// skin, a recording view and installers that only record their calls.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/ZiYuanMuLu.h"
#include "library/GuanLiZhongXin.h"
#include "library/tests/RecordingView.h"
#include "platform/testing/TestPlatform.h"

namespace velmora::testing {

inline const char* const kXp = "5.1.2600";
inline const char* const kWin7 = "6.1.7601";
inline const char* const kVista = "6.0.6002";

class CentreTest : public ::testing::Test {
protected:
    CentreTest() { PrepareProgramDirectory(); }

    // The configuration and the frame's pictures, so the window opens without a message.
    void PrepareProgramDirectory() {
        t.files.CreateDirectories(t.ProgramPath("\\Data storage"));
        t.files.WriteText(t.ProgramPath("\\Data storage\\Sys.dll"), "[Function]\r\nChuangTiTuMing=255\r\n");
        t.files.CreateDirectories(t.ProgramPath("\\Skin\\img"));
        t.files.WriteText(t.ProgramPath("\\Skin\\img\\Background.jpg"), "jpeg");
        t.files.WriteText(t.ProgramPath("\\Skin\\img\\Ico.ico"), "icon");
        ChuangJianZiYuanMuLu(t.platform);
    }

    AnZhuangQi Recording() {
        AnZhuangQi a;
        a.anZhuangBiZhi = [this](Platform&, const std::string& w, const std::string& path) {
            return Record("AnZhuangBiZhi " + w + " " + path);
        };
        a.sheZhi = [this](Platform&, const std::string& path) { return Record("SheZhi " + path); };
        a.xiaZaiSheZhi = [this](Platform&) { return Record("XiaZaiSheZhi"); };
        a.xpTuBiaoAz = [this](Platform&, const std::string& path) { return Record("XpTuBiaoAz " + path); };
        a.win7TuBiaoAz = [this](Platform&, const std::string& path) { return Record("Win7TuBiaoAz " + path); };
        a.xpTuBiaoHy = [this](Platform&) { return Record("XpTuBiaoHy"); };
        a.win7TuBiaoAzHy = [this](Platform&) { return Record("Win7TuBiaoAzHy"); };
        a.xiaZaiAZJieMian = [this](Platform&, const std::string& path) { return Record("XiaZaiAZJieMian " + path); };
        a.xieZaiJieMian = [this](Platform&) { return Record("XieZaiJieMian"); };
        return a;
    }
    bool Record(const std::string& call) {
        installs.push_back(call);
        return true;
    }

    // What XianShiBenDiZiYuan does: a fresh window on the kind with both category lists filled.
    GuanLiZhongXin& Open(const std::string& kind) {
        settings.DangQianLeiXing = kind;
        centre = std::make_unique<GuanLiZhongXin>(t.platform, view, settings, Recording());
        centre->Load();
        centre->TianChongFenLei();
        return *centre;
    }
    // A click on row index of the category list.
    void Choose(int index) {
        if (index >= 0) view.listIndex = index;
        centre->OnListClick(index);
    }

    // C of a category: its folder without the trailing backslash.
    std::string Folder(const std::string& kind, const std::string& category) {
        const std::string f = FenLeiMuLu(t.platform, kind, category);
        return f.substr(0, f.size() - 1);
    }
    std::string Windows(const std::string& relative) const { return t.environment.variables.at("windir") + relative; }
    void Write(const std::string& path, const std::string& text = "x") {
        const size_t slash = path.rfind('\\');
        if (slash != std::string::npos) {
            ASSERT_TRUE(t.files.CreateDirectories(path.substr(0, slash)));
        }
        ASSERT_TRUE(t.files.WriteText(path, text));
    }
    bool Exists(const std::string& path) { return t.files.Stat(path).has_value(); }

    TestPlatform t;
    QuanJuSheZhi settings;
    RecordingView view{t.files};
    std::vector<std::string> installs;
    std::unique_ptr<GuanLiZhongXin> centre;
};

}  // namespace velmora::testing
