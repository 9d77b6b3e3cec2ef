// The build's vexo.dat, loaded as the game loads it (at the test main's
// 16-bit pixel layout). That it passes the game's own checks is the damaged
// files' test's first row; that the patch set plays, the end-to-end runs'.
#include <allegro.h>
#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>

#include "shell/catalogue.h"

static DATAFILE* vexo_dat() {
    static DATAFILE* file = load_datafile(VEXO_DATA_FILE);
    return file;
}

// The game's preset mode is 15 bits; no shaded colour may collapse onto the
// mask there, or holes would open in the sprites.
TEST(GeneratedData, SpritesKeepEveryDrawnPixelAtFifteenBits) {
    set_color_depth(15);
    DATAFILE* fifteen = load_datafile(VEXO_DATA_FILE);
    set_color_depth(16);
    ASSERT_NE(fifteen, nullptr);
    for (int i = 0; i < CAT_OBJECT_COUNT; ++i) {
        if (fifteen[i].type != DAT_BITMAP) continue;
        auto *at15 = static_cast<BITMAP*>(fifteen[i].dat), *at16 = static_cast<BITMAP*>(vexo_dat()[i].dat);
        int holes = 0;
        for (int y = 0; y < at15->h; ++y)
            for (int x = 0; x < at15->w; ++x) holes += getpixel(at15, x, y) == MASK_COLOR_15 && getpixel(at16, x, y) != MASK_COLOR_16;
        EXPECT_EQ(holes, 0) << "object " << i;
    }
    unload_datafile(fifteen);
}

// Every effect: 16-bit mono at 22050 Hz, loud enough to stand out over the
// music with the headroom a busy fight needs (several effects at once must
// not add up past full scale), starting and ending at silence so that it
// does not click.
TEST(GeneratedData, EffectsAreLoudWithHeadroomAndStartAndEndAtSilence) {
    for (int index : {CAT_SOUND_FIRE_0, CAT_SOUND_FIRE_1, CAT_SOUND_FIRE_2, CAT_SOUND_HIT, CAT_SOUND_DEATH}) {
        SAMPLE* s = static_cast<SAMPLE*>(vexo_dat()[index].dat);
        ASSERT_TRUE(s->bits == 16 && s->stereo == 0 && s->freq == 22050 && s->len > 100) << index;
        // The library keeps 16-bit samples unsigned, centred on 0x8000.
        auto level = [s](unsigned long i) { return std::abs(static_cast<const unsigned short*>(s->data)[i] - 0x8000); };
        int peak = 0;
        for (unsigned long i = 0; i < s->len; ++i) peak = std::max(peak, level(i));
        EXPECT_TRUE(peak > 6000 && peak < 12000) << index << ": " << peak;
        for (unsigned long i = 0; i < 3; ++i) EXPECT_TRUE(level(i) < 330 && level(s->len - 1 - i) < 330) << index;
    }
}

