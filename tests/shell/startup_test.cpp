// What the start-up checks in the data file, and its log.
#include <cstring>
#include <string>

#include "shell/console.h"
#include "shell/dialog_font.h"
#include "support/match_fixture.h"
// The library's font internals, which need allegro.h before them.
#include <allegro/internal/aintern.h>

// What the game takes from each index of vexo.dat, 0 to 29: bitmaps,
// samples, songs, and 0 where anything (or nothing) will do.
TEST(Catalogue, EachIndexMustHoldTheTypeTheGameTakesFromIt) {
    const int B = DAT_BITMAP, S = DAT_SAMPLE, M = DAT_MIDI;
    const int expected[30] = {B, B, S, B, S, B, B, B, B, B, B, B, B, B, B,
                              B, S, B, B, M, M, M, M, M, M, 0, S, S, S, 0};
    for (int i = 0; i < 30; i++) EXPECT_EQ(catalogue_expected_type(i), expected[i]) << "index " << i;

    // A file is reported at its first missing or wrong object.
    FakeDataFile file;
    EXPECT_EQ(catalogue_first_bad_index(file.objects()), -1);
    file.objects()[28].type = DAT_END;
    EXPECT_EQ(catalogue_first_bad_index(file.objects()), 28);
    file.objects()[16].type = DAT_BITMAP;  // where a sample is wanted
    EXPECT_EQ(catalogue_first_bad_index(file.objects()), 16);
    file.objects()[16].type = file.objects()[28].type = DAT_SAMPLE;  // as the file frees them
    EXPECT_EQ(catalogue_first_bad_index(nullptr), 0);
}

// Lines go down 8 pixels at a time on a 320 x 200 screen; the 26th would not
// fit, so the screen is cleared and it starts again at the top.
TEST(Console, LinesGoDownEightPixelsTheTwentySixthStartsAgainAtTheTop) {
    GFX_DRIVER driver{};  // what SCREEN_H is read from; no test has a screen or a driver otherwise
    driver.h = 200;
    Canvas shown(320, 200);
    screen = shown;
    gfx_driver = &driver;
    auto row_has_text = [&shown](int y) { return shown.count(-1, 0, y, 319, y + 7) > 0; };

    Console log;
    log.set_mode(Console::ON_SCREEN);
    for (int i = 0; i < 25; i++) log.print("Installing keyboard...");
    EXPECT_TRUE(row_has_text(192));
    log.print("x");
    EXPECT_EQ(log.line_y, 8);
    EXPECT_TRUE(row_has_text(0));
    EXPECT_FALSE(row_has_text(192));

    screen = nullptr;
    gfx_driver = nullptr;

    // A line formatted longer than the buffer is cut short at its end.
    std::string longer(5000, 'v');
    EXPECT_EQ(std::strlen(log.format("-> %s", longer.c_str())), size_t(Console::BUFFER_SIZE - 1));
}

// The mode dialog's font: the library's own 8 x 8 font, each glyph with a
// blank row above and below it.
TEST(DialogFont, EveryGlyphGetsABlankRowAboveAndBelow) {
    FONT* padded = make_padded_font(font);
    ASSERT_TRUE(padded && text_height(padded) == 10);
    auto *plain = static_cast<FONT_MONO_DATA*>(font->data), *tall = static_cast<FONT_MONO_DATA*>(padded->data);
    for (int g = 0; g < plain->end - plain->begin; g++) {
        const FONT_GLYPH *from = plain->glyphs[g], *to = tall->glyphs[g];
        EXPECT_TRUE(to->h == 10 && !to->dat[0] && !std::memcmp(to->dat + 1, from->dat, 8) && !to->dat[9]) << g;
    }
}
