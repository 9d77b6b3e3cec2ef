#include <allegro.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "shell/console.h"

namespace {

// A 320 x 200 "screen" in memory, with a driver record that reports its
// height the way a real start-up window's driver does.
class ConsoleOnScreen : public testing::Test {
protected:
    void SetUp() override {
        driver.w = 320;
        driver.h = 200;
        saved_screen = screen;
        saved_driver = gfx_driver;
        screen = create_bitmap(320, 200);
        clear_bitmap(screen);
        gfx_driver = &driver;
        log.set_mode(Console::ON_SCREEN);
    }
    void TearDown() override {
        destroy_bitmap(screen);
        screen = saved_screen;
        gfx_driver = saved_driver;
    }

    bool row_has_text(int y) const {
        int white = makecol(255, 255, 255);
        for (int row = y; row < y + 8; row++)
            for (int x = 0; x < 320; x++)
                if (getpixel(screen, x, row) == white) return true;
        return false;
    }

    GFX_DRIVER driver{};
    BITMAP* saved_screen = nullptr;
    GFX_DRIVER* saved_driver = nullptr;
    Console log;
};

}  // namespace

TEST(Console, StartsSilentAndDropsLines) {
    Console log;
    EXPECT_EQ(log.mode, Console::SILENT);
    BITMAP* saved = screen;
    screen = create_bitmap(320, 200);
    clear_bitmap(screen);
    log.print("Initializing allegro...");
    int drawn = 0;
    for (int y = 0; y < 8; y++)
        for (int x = 0; x < 320; x++) drawn += getpixel(screen, x, y) != 0;
    EXPECT_EQ(drawn, 0);
    EXPECT_EQ(log.line_y, 0);
    destroy_bitmap(screen);
    screen = saved;
}

TEST_F(ConsoleOnScreen, LinesGoDownEightPixelsAtATime) {
    log.print("Installing keyboard...");
    log.print("Installing timers...");
    EXPECT_EQ(log.line_y, 16);
    EXPECT_TRUE(row_has_text(0));
    EXPECT_TRUE(row_has_text(8));
    EXPECT_FALSE(row_has_text(16));
}

TEST_F(ConsoleOnScreen, TwentySixthLineClearsTheWindowAndStartsAtTheTop) {
    for (int i = 0; i < 25; i++) log.print("Installing keyboard...");
    EXPECT_EQ(log.line_y, 200);
    EXPECT_TRUE(row_has_text(192));

    log.print("x");
    EXPECT_EQ(log.line_y, 8);
    EXPECT_TRUE(row_has_text(0));
    EXPECT_FALSE(row_has_text(8));
    EXPECT_FALSE(row_has_text(192));
    // "x" is one glyph: nothing beyond the first eight columns.
    for (int x = 8; x < 320; x++) ASSERT_EQ(getpixel(screen, x, 3), 0) << x;
}

TEST(Console, WithoutAScreenLinesGoToStandardError) {
    Console log;
    log.set_mode(Console::ON_SCREEN);
    BITMAP* saved = screen;
    screen = nullptr;
    testing::internal::CaptureStderr();
    log.print("Error setting screen mode:\nno such mode\n");
    std::string err = testing::internal::GetCapturedStderr();
    screen = saved;
    EXPECT_EQ(err, "Error setting screen mode:\nno such mode\n\n");
}

TEST(Console, FormatStopsAtTheEndOfItsBuffer) {
    Console log;
    std::string longer(5000, 'v');
    const char* out = log.format("-> %s", longer.c_str());
    EXPECT_EQ(std::strlen(out), static_cast<size_t>(Console::BUFFER_SIZE - 1));
    EXPECT_STREQ(log.format("-> %d buttons.", -1), "-> -1 buttons.");
    EXPECT_EQ(out, log.format("again"));  // one shared buffer
}
