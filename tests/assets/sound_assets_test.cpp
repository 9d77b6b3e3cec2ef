#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "asset_files.h"
#include "shell/catalogue.h"

namespace {

const int EFFECTS[6] = {CAT_SOUND_FIRE_0, CAT_SOUND_FIRE_1, CAT_SOUND_FIRE_2,
                        CAT_SOUND_HIT, CAT_SOUND_DEATH, CAT_SOUND_SPARE};

// The library keeps 16-bit samples unsigned, centred on 0x8000.
std::vector<int> signed_values(SAMPLE* s) {
    const unsigned short* data = static_cast<const unsigned short*>(s->data);
    std::vector<int> values(s->len);
    for (unsigned long i = 0; i < s->len; ++i) values[i] = static_cast<int>(data[i]) - 0x8000;
    return values;
}

double seconds(SAMPLE* s) { return static_cast<double>(s->len) / s->freq; }

// Sign changes per second: a rough pitch, low for the heavy gun.
double crossings_per_second(SAMPLE* s) {
    std::vector<int> v = signed_values(s);
    int crossings = 0;
    for (size_t i = 1; i < v.size(); ++i) crossings += (v[i - 1] < 0) != (v[i] < 0);
    return crossings / seconds(s);
}

}  // namespace

TEST(EffectSamples, AreSixteenBitMonoAtOneCommonRate) {
    for (int index : EFFECTS) {
        SAMPLE* s = sample_object(index);
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->bits, 16) << "object " << index;
        EXPECT_EQ(s->stereo, 0) << "object " << index;
        EXPECT_EQ(s->freq, 22050) << "object " << index;
    }
}

// Loud enough to stand out over the music, with the headroom a busy fight
// needs: several effects at once must not add up past full scale.
TEST(EffectSamples, AreLoudWithHeadroom) {
    for (int index : EFFECTS) {
        int peak = 0;
        for (int v : signed_values(sample_object(index))) peak = std::max(peak, std::abs(v));
        EXPECT_LT(peak, 15500) << "object " << index;
        EXPECT_GT(peak, 8000) << "object " << index;
    }
}

TEST(EffectSamples, StartAndEndAtSilenceSoTheyDoNotClick) {
    for (int index : EFFECTS) {
        std::vector<int> v = signed_values(sample_object(index));
        ASSERT_GT(v.size(), 100u);
        for (int i = 0; i < 3; ++i) {
            EXPECT_LT(std::abs(v[i]), 330) << "start of object " << index;
            EXPECT_LT(std::abs(v[v.size() - 1 - i]), 330) << "end of object " << index;
        }
    }
}

TEST(EffectSamples, LengthsSuitTheirEvents) {
    for (int index : {CAT_SOUND_FIRE_0, CAT_SOUND_FIRE_1, CAT_SOUND_FIRE_2})
        EXPECT_LT(seconds(sample_object(index)), 0.6) << "object " << index;
    EXPECT_LT(seconds(sample_object(CAT_SOUND_HIT)), 0.25);
    EXPECT_GT(seconds(sample_object(CAT_SOUND_DEATH)), 1.0);
    EXPECT_GT(seconds(sample_object(CAT_SOUND_DEATH)), seconds(sample_object(CAT_SOUND_FIRE_0)));
}

TEST(EffectSamples, HeavyGunSoundsLowestAndNeedleHighest) {
    double heavy = crossings_per_second(sample_object(CAT_SOUND_FIRE_0));
    double needle = crossings_per_second(sample_object(CAT_SOUND_FIRE_1));
    double bolt = crossings_per_second(sample_object(CAT_SOUND_FIRE_2));
    EXPECT_LT(heavy, bolt);
    EXPECT_LT(bolt, needle);
}
