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
        for (int row = y; row < y + 8; row++)
            for (int x = 0; x < 320; x++)
                if (getpixel(screen, x, row) == makecol(255, 255, 255)) return true;
        return false;
    }

    GFX_DRIVER driver{};
    BITMAP* saved_screen = nullptr;
    GFX_DRIVER* saved_driver = nullptr;
    Console log;
};

TEST_F(ConsoleOnScreen, LinesGoDownEightPixelsAndTheTwentySixthStartsAgainAtTheTop) {
    for (int i = 0; i < 25; i++) log.print("Installing keyboard...");
    EXPECT_TRUE(row_has_text(8));
    EXPECT_TRUE(row_has_text(192));
    log.print("x");
    EXPECT_EQ(log.line_y, 8);
    EXPECT_TRUE(row_has_text(0));
    EXPECT_FALSE(row_has_text(8));
    EXPECT_FALSE(row_has_text(192));
}

TEST_F(ConsoleOnScreen, ASilentConsoleDrawsNothing) {
    Console silent;
    silent.print("Initializing allegro...");
    EXPECT_FALSE(row_has_text(0));
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
    EXPECT_EQ(std::strlen(log.format("-> %s", longer.c_str())), size_t(Console::BUFFER_SIZE - 1));
    EXPECT_STREQ(log.format("-> %d buttons.", -1), "-> -1 buttons.");
}

}  // namespace
