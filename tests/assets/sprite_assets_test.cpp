#include <gtest/gtest.h>

#include <vector>

#include "asset_files.h"
#include "shell/catalogue.h"

namespace {

bool opaque(BITMAP* b, int x, int y) { return getpixel(b, x, y) != bitmap_mask_color(b); }

int opaque_in(BITMAP* b, int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) n += opaque(b, x, y);
    return n;
}

// Square, of the size the game's boxes and rings are laid out for, mask all
// round (ships and bullets rotate) or at least in the corners (items).
struct SpriteRow {
    int index, min_side, max_side;
    bool mask_border;
    int min_opaque;
};

class Sprite : public testing::TestWithParam<SpriteRow> {};

TEST_P(Sprite, FitsItsBoxWithMaskWhereItRotates) {
    const SpriteRow& r = GetParam();
    BITMAP* b = sprite_object(r.index);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->w, b->h);
    EXPECT_GE(b->w, r.min_side);
    EXPECT_LE(b->w, r.max_side);
    int last = b->w - 1;
    if (r.mask_border) {
        EXPECT_EQ(opaque_in(b, 0, 0, last, 0) + opaque_in(b, 0, last, last, last) +
                      opaque_in(b, 0, 0, 0, last) + opaque_in(b, last, 0, last, last), 0);
    } else {
        EXPECT_FALSE(opaque(b, 0, 0) || opaque(b, last, 0) || opaque(b, 0, last) || opaque(b, last, last));
    }
    EXPECT_GE(opaque_in(b, 0, 0, last, last), r.min_opaque);
}

INSTANTIATE_TEST_SUITE_P(Ships, Sprite, testing::Values(
    SpriteRow{CAT_SHIP_1, 32, 32, true, 200}, SpriteRow{CAT_SHIP_2, 32, 32, true, 200}));
INSTANTIATE_TEST_SUITE_P(Bullets, Sprite, testing::Values(
    SpriteRow{CAT_BULLET_WEAPON_0, 16, 16, true, 4}, SpriteRow{CAT_BULLET_WEAPON_1, 16, 16, true, 4},
    SpriteRow{CAT_BULLET_WEAPON_2, 16, 16, true, 4}));
INSTANTIATE_TEST_SUITE_P(Items, Sprite, testing::Values(
    SpriteRow{5, 10, 12, false, 50}, SpriteRow{6, 10, 12, false, 50}, SpriteRow{7, 10, 12, false, 50},
    SpriteRow{8, 10, 12, false, 50}, SpriteRow{9, 10, 12, false, 50}, SpriteRow{10, 10, 12, false, 50},
    SpriteRow{11, 10, 12, false, 50}, SpriteRow{12, 10, 12, false, 50}, SpriteRow{13, 10, 12, false, 50},
    SpriteRow{14, 10, 12, false, 50}, SpriteRow{15, 10, 12, false, 50}));

// The game's preset mode is 15 bits; no shaded colour may collapse onto the
// mask there, or holes would open in the sprites.
TEST(AllSprites, KeepEveryDrawnPixelWhenLoadedAtFifteenBits) {
    auto mask_counts = [](DATAFILE* file) {
        std::vector<int> counts;
        for (int i = 0; i < CAT_OBJECT_COUNT; ++i) {
            BITMAP* b = file[i].type == DAT_BITMAP ? static_cast<BITMAP*>(file[i].dat) : nullptr;
            if (b) counts.push_back(b->w * b->h - opaque_in(b, 0, 0, b->w - 1, b->h - 1));
        }
        return counts;
    };
    set_color_depth(15);
    DATAFILE* fifteen = load_datafile(VEXO_DATA_FILE);
    set_color_depth(16);
    ASSERT_NE(fifteen, nullptr);
    std::vector<int> at_fifteen = mask_counts(fifteen);
    unload_datafile(fifteen);
    EXPECT_EQ(at_fifteen, mask_counts(vexo_dat()));
    EXPECT_EQ(at_fifteen.size(), 16u);
}

}  // namespace
