// The picture and desktop stand-ins behave the way the installers' tests rely on.
#include <gtest/gtest.h>

#include "platform/testing/TestPlatform.h"

namespace velmora {
namespace {

using testing::FakePicture;
using testing::PictureFormat;

TEST(TestPictures, DecodesByTheFileSignatureAndRecordsSaves) {
    testing::TestPlatform t;
    const std::string dir = t.root() + "\\pics\\";
    t.files.CreateDirectories(dir);
    struct Case {
        std::string bytes;
        bool decodes;
        int w, h;
    } cases[] = {
        {FakePicture(PictureFormat::Jpeg, 1024, 768), true, 1024, 768},
        {FakePicture(PictureFormat::Bmp, 3, 2), true, 3, 2},
        {FakePicture(PictureFormat::Png, 16, 16), true, 16, 16},
        {"GIF89a", true, 640, 480},
        {"not a picture", false, 0, 0},
        {"", false, 0, 0},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(t.files.WriteText(dir + "p", c.bytes));
        const auto picture = t.pictures.Load(dir + "p");
        ASSERT_EQ(picture != nullptr, c.decodes) << c.bytes;
        if (!picture) continue;
        EXPECT_EQ(picture->Width(), c.w);
        EXPECT_EQ(picture->Height(), c.h);
    }
    EXPECT_FALSE(t.pictures.Load(dir + "missing.jpg"));

    ASSERT_TRUE(t.files.WriteText(dir + "p", "GIF89a"));
    const auto picture = t.pictures.Load(dir + "p");
    ASSERT_TRUE(picture);
    ASSERT_TRUE(t.pictures.SaveBmp(*picture, dir + "out.JPG"));
    const auto again = t.pictures.Load(dir + "out.JPG");  // BMP data, whatever the name says
    ASSERT_TRUE(again);
    EXPECT_EQ(again->Width(), 640);
    ASSERT_EQ(t.pictures.saved.size(), 1u);
    EXPECT_EQ(t.pictures.saved[0].format, PictureFormat::Bmp);

    // A JPEG shrinks with its quality and with its size.
    const auto big = t.pictures.Scaled(*picture, 1920, 1200);
    ASSERT_TRUE(big);
    const size_t at90 = t.pictures.EncodeJpeg(*big, 90)->size();
    const size_t at40 = t.pictures.EncodeJpeg(*big, 40)->size();
    const size_t smaller = t.pictures.EncodeJpeg(*t.pictures.Scaled(*big, 960, 600), 40)->size();
    EXPECT_GT(at90, at40);
    EXPECT_GT(at40, smaller);
    ASSERT_TRUE(t.pictures.SaveJpeg(*big, dir + "b.jpg", 40));
    EXPECT_EQ(t.files.Stat(dir + "b.jpg")->size, at40);

    // A save into a folder that is not there fails and says so.
    EXPECT_FALSE(t.pictures.SaveBmp(*picture, dir + "no\\such\\a.bmp"));
    EXPECT_FALSE(t.pictures.saved.back().written);
}

TEST(RecordingDesktopCalls, RecordsInOrderAndLoadsOnlyExistingCursors) {
    testing::TestPlatform t;
    const std::string cursor = t.root() + "\\Arrow.ani";
    ASSERT_TRUE(t.files.WriteText(cursor, "RIFF"));
    DesktopCalls& d = t.platform.desktop;
    EXPECT_TRUE(d.SetWallpaper("C:\\w.bmp"));
    EXPECT_TRUE(d.SetSystemCursorFromFile(cursor, 32512));
    EXPECT_FALSE(d.SetSystemCursorFromFile(cursor + ".missing", 32513));
    EXPECT_TRUE(d.ReloadCursors());
    EXPECT_TRUE(d.BroadcastSettingChange(0, "", 5000));
    t.desktop.windows["鼠标 属性"] = 42;
    EXPECT_EQ(d.FindWindowByTitle("鼠标 属性"), 42u);
    EXPECT_EQ(d.FindWindowByTitle("other"), 0u);
    EXPECT_EQ(t.desktop.calls.size(), 7u);
    EXPECT_EQ(t.desktop.calls.front(), "SetWallpaper C:\\w.bmp");
    ASSERT_EQ(t.desktop.systemCursors.size(), 1u);
    EXPECT_EQ(t.desktop.systemCursors[0].id, 32512u);
    EXPECT_EQ(t.desktop.cursorReloads, 1);
    ASSERT_EQ(t.desktop.broadcasts.size(), 1u);
    EXPECT_EQ(t.desktop.broadcasts[0].timeoutMs, 5000u);
}

}  // namespace
}  // namespace velmora
