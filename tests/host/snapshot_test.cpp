// Snapshots: the panel and the buffer as PNG files and the text layer file.
#include <gtest/gtest.h>
#include <png.h>

#include <cstring>

#include "host/host.h"
#include "host_test_support.h"

namespace {

std::vector<unsigned char> read_grey_png(std::string const& path, int& width, int& height)
{
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    std::vector<unsigned char> pixels;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        return pixels;
    image.format = PNG_FORMAT_GRAY;
    pixels.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr))
        pixels.clear();
    width = int(image.width);
    height = int(image.height);
    return pixels;
}

class HostSnapshot : public ::testing::Test {
protected:
    void SetUp() override { host::reset(100, 200); }
    host_test::Temp_Dir dir;
};

TEST_F(HostSnapshot, PngFilesHoldThePanelAndTheBuffer)
{
    FillArea(0, 0, 50, 100, BLACK);
    PartialUpdate(0, 0, 20, 100);
    ASSERT_TRUE(host::save_snapshot(dir.path, "shot"));

    int width = 0, height = 0;
    EXPECT_EQ(read_grey_png(dir.file("shot.png"), width, height), host::panel());
    EXPECT_EQ(width, 100);
    EXPECT_EQ(height, 200);
    EXPECT_EQ(read_grey_png(dir.file("shot.buffer.png"), width, height), host::buffer());
    EXPECT_NE(host::panel(), host::buffer());
}

TEST_F(HostSnapshot, TextFileListsTheScreenAndTheTextLayer)
{
    ifont* font = OpenFont("DejaVuSansMono", 12, 1);
    ASSERT_NE(font, nullptr);
    SetFont(font, BLACK);
    DrawTextRect(5, 40, 60, 30, "Esc", ALIGN_CENTER | VALIGN_MIDDLE);
    DrawString(20, 10, "hi there");
    DrawString(2, 40, "\x1b[5x\\");
    DrawString(100, 60, "gone");
    FillArea(100, 60, 1, 1, WHITE);
    PartialUpdate(0, 0, 10, 10);
    FillArea(90, 190, 10, 10, BLACK);  // drawn and never shown
    SetOrientation(3);                 // portrait again: the screen stays
    CloseFont(font);

    ASSERT_TRUE(host::save_snapshot(dir.path, "layer"));
    long const stale = host::stale_pixels();
    EXPECT_GT(stale, 100);
    EXPECT_EQ(read_file(dir.file("layer.txt")),
              "screen 100 200 orientation 3 stale " + std::to_string(stale) +
                  " updates 1\n"
                  "text 20 10 hi there\n"
                  "text 2 40 \\x1B[5x\\x5C\n"
                  "rect 5 40 60 30 Esc\n");
}

// The place an open menu was opened at, the only one the program chooses.
TEST_F(HostSnapshot, TextFileNamesAnOpenMenuAndItsPlace)
{
    imenu items[] = {{0, 0, nullptr, nullptr}};
    OpenMenu(items, 0, 20, -35, nullptr);
    ASSERT_TRUE(host::save_snapshot(dir.path, "menu"));
    EXPECT_EQ(read_file(dir.file("menu.txt")), "screen 100 200 orientation 0 stale 0 updates 0\nmenu 20 -35\n");
    host::answer_menu(-1);
    ASSERT_TRUE(host::save_snapshot(dir.path, "closed"));
    EXPECT_EQ(read_file(dir.file("closed.txt")), "screen 100 200 orientation 0 stale 0 updates 0\n");
}

TEST_F(HostSnapshot, UnwritableFolderIsReported)
{
    std::string const file = dir.write("plain", "x");
    EXPECT_FALSE(host::save_snapshot(file + "/inside", "shot"));
}

}
