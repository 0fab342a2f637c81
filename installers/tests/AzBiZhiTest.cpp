// The wallpaper installer through the test platform: what the registry, "Win.ini", the files
// and the system calls receive, on Windows XP and Windows 7 alike.
#include "installers/AzBiZhi.h"

#include <gtest/gtest.h>

#include "platform/testing/TestPlatform.h"
#include "ui/testing/RecordingChromeView.h"

namespace velmora {
namespace {

using testing::FakePicture;
using testing::PictureFormat;

const std::string kGeneral = "HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\Desktop\\General\\";

class AzBiZhiTest : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        t_.system.version = std::string(GetParam());
        t_.files.CreateDirectories(t_.ProgramPath("\\Download\\桌面壁纸\\风景壁纸"));
    }
    std::string Picture(const std::string& name, const std::string& bytes) {
        const std::string path = t_.ProgramPath("\\Download\\桌面壁纸\\风景壁纸\\" + name);
        EXPECT_TRUE(t_.files.WriteText(path, bytes));
        return path;
    }
    std::string Windows(const std::string& relative) { return t_.environment.variables["windir"] + relative; }
    std::string WinIni(const std::string& key) { return t_.profile.Read("Win.ini", "Desktop", key, "<none>", 255); }
    std::optional<std::string> Reg(const std::string& value) { return t_.registry.ReadString(kGeneral + value); }

    testing::TestPlatform t_;
};

TEST_P(AzBiZhiTest, EachPositionWritesRegistryAndWinIniThenSetsTheBitmap) {
    const struct {
        const char* position;
        const char* tile;
        const char* style;
    } cases[] = {{"拉伸", "0", "2"}, {"居中", "0", "0"}, {"平铺", "1", "0"}};
    const std::string picture = Picture("湖.jpg", FakePicture(PictureFormat::Jpeg, 1024, 768));
    for (const auto& c : cases) {
        t_.desktop.wallpapers.clear();
        ASSERT_TRUE(AnZhuangBiZhi(t_.platform, c.position, picture)) << c.position;
        const std::string bitmap = Windows("\\Wallpaper\\Wallpaper.bmp");
        EXPECT_EQ(BiZhiWenJian(t_.platform), bitmap);
        EXPECT_EQ(Reg("TileWallpaper"), c.tile) << c.position;
        EXPECT_EQ(Reg("WallpaperStyle"), c.style) << c.position;
        EXPECT_EQ(WinIni("TileWallpaper"), c.tile);
        EXPECT_EQ(WinIni("WallpaperStyle"), c.style);
        EXPECT_EQ(WinIni("Wallpaper"), bitmap);
        // The JPEG reaches the desktop as the bitmap file, not as itself.
        EXPECT_EQ(t_.desktop.wallpapers, std::vector<std::string>{bitmap});
        ASSERT_FALSE(t_.pictures.saved.empty());
        EXPECT_EQ(t_.pictures.saved.back().path, bitmap);
        EXPECT_EQ(t_.pictures.saved.back().format, PictureFormat::Bmp);
        EXPECT_EQ(t_.pictures.saved.back().width, 1024);
    }
    EXPECT_TRUE(t_.dialogs.shown.empty());
}

TEST_P(AzBiZhiTest, AnUnknownPositionStillSetsTheWallpaperAndWritesNoValue) {
    const std::string picture = Picture("a.bmp", FakePicture(PictureFormat::Bmp, 800, 600));
    for (const char* position : {"适应", "", "拉伸 "}) {
        EXPECT_TRUE(AnZhuangBiZhi(t_.platform, position, picture)) << position;
    }
    EXPECT_FALSE(Reg("TileWallpaper"));
    EXPECT_FALSE(Reg("WallpaperStyle"));
    EXPECT_FALSE(t_.files.Stat(Windows("\\Win.ini")));
    EXPECT_EQ(t_.desktop.wallpapers.size(), 3u);
    EXPECT_TRUE(t_.dialogs.shown.empty());
}

TEST_P(AzBiZhiTest, TwoInstallsLeaveTheSecond) {
    ASSERT_TRUE(AnZhuangBiZhi(t_.platform, "平铺", Picture("a.jpg", FakePicture(PictureFormat::Jpeg, 800, 600))));
    ASSERT_TRUE(AnZhuangBiZhi(t_.platform, "居中", Picture("b.png", FakePicture(PictureFormat::Png, 1280, 1024))));
    EXPECT_EQ(Reg("TileWallpaper"), "0");
    EXPECT_EQ(WinIni("TileWallpaper"), "0");
    const auto bitmap = t_.pictures.Load(BiZhiWenJian(t_.platform));
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(bitmap->Width(), 1280);
    // One key each in "Win.ini": the second install replaced the first's.
    const auto ini = t_.files.ReadAll(Windows("\\Win.ini"));
    ASSERT_TRUE(ini);
    EXPECT_EQ(ini->find("TileWallpaper"), ini->rfind("TileWallpaper"));
}

TEST_P(AzBiZhiTest, ABrokenOrMissingPictureChangesNothing) {
    ASSERT_TRUE(t_.registry.WriteString(kGeneral + "TileWallpaper", "1"));
    const std::string pictures[] = {Picture("坏.jpg", "this is not a picture"), Picture("empty.jpg", ""),
                                    t_.ProgramPath("\\Download\\桌面壁纸\\风景壁纸\\missing.jpg")};
    for (const std::string& picture : pictures) {
        t_.dialogs.shown.clear();
        EXPECT_FALSE(AnZhuangBiZhi(t_.platform, "拉伸", picture));
        ASSERT_EQ(t_.dialogs.shown.size(), 1u);
        EXPECT_EQ(t_.dialogs.shown[0].text, "图片格式错误，请查看图片是否损坏！");
        EXPECT_EQ(t_.dialogs.shown[0].title, "警告");
        EXPECT_EQ(t_.dialogs.shown[0].buttons, MessageButtons::Ok);
    }
    EXPECT_EQ(Reg("TileWallpaper"), "1");
    EXPECT_FALSE(Reg("WallpaperStyle"));
    EXPECT_FALSE(t_.files.Stat(Windows("\\Win.ini")));
    EXPECT_FALSE(t_.files.Stat(Windows("\\Wallpaper")));
    EXPECT_TRUE(t_.desktop.calls.empty());
}

TEST_P(AzBiZhiTest, ABitmapThatCannotBeWrittenStopsBeforeRegistryAndWinIni) {
    // A folder where the bitmap should go: the write fails as it would on a locked file.
    ASSERT_TRUE(t_.files.CreateDirectories(Windows("\\Wallpaper\\Wallpaper.bmp")));
    EXPECT_FALSE(AnZhuangBiZhi(t_.platform, "平铺", Picture("a.jpg", FakePicture(PictureFormat::Jpeg, 8, 8))));
    ASSERT_EQ(t_.dialogs.shown.size(), 1u);
    EXPECT_EQ(t_.dialogs.shown[0].text, "壁纸文件无法写入：" + Windows("\\Wallpaper\\Wallpaper.bmp"));
    EXPECT_EQ(t_.dialogs.shown[0].title, "警告");
    EXPECT_FALSE(Reg("TileWallpaper"));
    EXPECT_FALSE(t_.files.Stat(Windows("\\Win.ini")));
    EXPECT_TRUE(t_.desktop.calls.empty());
}

TEST_P(AzBiZhiTest, OwnWallpaperIsKeptInTheLibraryAsBitmapData) {
    const std::string picture = Picture("mine.png", FakePicture(PictureFormat::Png, 640, 400));
    ASSERT_TRUE(ZiDingYiBiZhi(t_.platform, "居中", picture, "我的.jpg"));
    const std::string kept = t_.ProgramPath("\\Download\\桌面壁纸\\用户自定义\\我的.jpg");
    const auto bytes = t_.files.ReadAll(kept);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(bytes->substr(0, 2), "BM");
    EXPECT_EQ(t_.desktop.wallpapers, std::vector<std::string>{kept});
    EXPECT_EQ(WinIni("Wallpaper"), kept);
    EXPECT_EQ(Reg("WallpaperStyle"), "0");
    EXPECT_FALSE(t_.files.Stat(Windows("\\Wallpaper")));

    // A name that would leave the library folder is refused before anything is written.
    for (const char* name : {"..\\..\\x.bmp", "a/b.bmp", "", ".."}) {
        t_.dialogs.shown.clear();
        t_.desktop.wallpapers.clear();
        EXPECT_FALSE(ZiDingYiBiZhi(t_.platform, "平铺", picture, name)) << name;
        EXPECT_EQ(t_.dialogs.shown.size(), 1u);
        EXPECT_TRUE(t_.desktop.wallpapers.empty());
    }
    EXPECT_EQ(Reg("WallpaperStyle"), "0");
}

INSTANTIATE_TEST_SUITE_P(XpAndWindows7, AzBiZhiTest, ::testing::Values("5.1.2600", "6.1.7601"));

// ---- The window

class RecordingAzBiZhiView : public testing::RecordingChromeView, public AzBiZhiView {
public:
    using RecordingChromeView::RecordingChromeView;
    void ShowPicture(const std::string& path) override { Log("ShowPicture " + path); }
    void SelectPosition(int index) override {
        position = BiZhiWeiZhiBiao()[static_cast<size_t>(index)].name;
        Log("SelectPosition " + std::to_string(index));
    }
    std::string PositionText() override { return position; }
    void Unload() override { Log("Unload"); }
    std::string position;
};

TEST(AzBiZhiWindow, LoadShowsTheSelectionAndInstallUsesTheBox) {
    testing::TestPlatform t;
    RecordingAzBiZhiView view(t.files);
    AzBiZhi window(t.platform, view);
    const std::string picture = t.root() + "\\sel.jpg";
    ASSERT_TRUE(t.files.WriteText(picture, FakePicture(PictureFormat::Jpeg, 300, 200)));
    window.Load(picture);
    EXPECT_EQ(view.title, "桌面壁纸");
    EXPECT_NE(std::find(view.calls.begin(), view.calls.end(), "SetWindowSize 8890,7020"), view.calls.end());
    EXPECT_NE(std::find(view.calls.begin(), view.calls.end(), "ShowPicture " + picture), view.calls.end());
    EXPECT_EQ(view.calls.back(), "SelectPosition 0");
    EXPECT_EQ(view.position, "拉伸");

    view.position = "平铺";
    EXPECT_TRUE(window.OnAnZhuang());
    EXPECT_EQ(t.registry.ReadString(kGeneral + "TileWallpaper"), "1");
    window.OnCloseClicked();
    EXPECT_EQ(view.calls.back(), "Unload");
}

TEST(AzBiZhiWindow, AMissingSelectionIsReportedAtLoad) {
    testing::TestPlatform t;
    RecordingAzBiZhiView view(t.files);
    AzBiZhi window(t.platform, view);
    window.Load(t.root() + "\\gone.jpg");
    const auto texts = t.dialogs.Texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), "壁纸不存在!"), texts.end());
    EXPECT_EQ(t.dialogs.shown.back().title, "错误");
    EXPECT_NE(std::find(view.calls.begin(), view.calls.end(), "ShowPicture "), view.calls.end());
    EXPECT_EQ(view.position, "拉伸");
    // Installing then is the broken-picture case.
    EXPECT_FALSE(window.OnAnZhuang());
    EXPECT_EQ(t.dialogs.shown.back().text, "图片格式错误，请查看图片是否损坏！");
}

}  // namespace
}  // namespace velmora
