#include <gtest/gtest.h>

#include <cstdlib>

#include "asset_files.h"
#include "shell/catalogue.h"

// Every effect the game plays: 16-bit mono at one rate, loud enough to stand
// out over the music with the headroom a busy fight needs (several effects at
// once must not add up past full scale), and starting and ending at silence
// so that it does not click.
TEST(EffectSamples, AreLoudCleanAndStartAndEndAtSilence) {
    for (int index : {CAT_SOUND_FIRE_0, CAT_SOUND_FIRE_1, CAT_SOUND_FIRE_2, CAT_SOUND_HIT, CAT_SOUND_DEATH,
                      CAT_SOUND_SPARE}) {
        SCOPED_TRACE(index);
        SAMPLE* s = sample_object(index);
        ASSERT_TRUE(s && s->bits == 16 && s->stereo == 0 && s->len > 100);
        EXPECT_EQ(s->freq, 22050);
        // The library keeps 16-bit samples unsigned, centred on 0x8000.
        auto value = [s](unsigned long i) { return std::abs(static_cast<const unsigned short*>(s->data)[i] - 0x8000); };
        int peak = 0;
        for (unsigned long i = 0; i < s->len; ++i) peak = std::max(peak, value(i));
        EXPECT_LT(peak, 15500);
        EXPECT_GT(peak, 8000);
        for (unsigned long i = 0; i < 3; ++i) {
            EXPECT_LT(value(i), 330);
            EXPECT_LT(value(s->len - 1 - i), 330);
        }
    }
}
