#include <gtest/gtest.h>

#include <vector>

#include "asset_files.h"
#include "shell/catalogue.h"

namespace {

const int BULLETS[3] = {CAT_BULLET_WEAPON_0, CAT_BULLET_WEAPON_1, CAT_BULLET_WEAPON_2};

int powerup_index(int kind) {
    if (kind <= 1) return CAT_POWERUP_0 + kind;
    if (kind == 10) return CAT_POWERUP_10;
    return CAT_POWERUP_2 + kind - 2;
}

bool opaque(BITMAP* b, int x, int y) { return getpixel(b, x, y) != bitmap_mask_color(b); }

int opaque_in_rows(BITMAP* b, int from, int to) {
    int n = 0;
    for (int y = from; y < to; ++y)
        for (int x = 0; x < b->w; ++x) n += opaque(b, x, y);
    return n;
}

bool border_is_mask(BITMAP* b) {
    for (int i = 0; i < b->w; ++i)
        if (opaque(b, i, 0) || opaque(b, i, b->h - 1)) return false;
    for (int i = 0; i < b->h; ++i)
        if (opaque(b, 0, i) || opaque(b, b->w - 1, i)) return false;
    return true;
}

struct Tint { long r = 0, g = 0, b = 0; };
Tint average_colour(BITMAP* b) {
    Tint t;
    long n = 0;
    for (int y = 0; y < b->h; ++y)
        for (int x = 0; x < b->w; ++x) {
            int c = getpixel(b, x, y);
            if (c == bitmap_mask_color(b)) continue;
            t.r += getr16(c); t.g += getg16(c); t.b += getb16(c);
            ++n;
        }
    if (n) { t.r /= n; t.g /= n; t.b /= n; }
    return t;
}

}  // namespace

TEST(ShipSprites, AreAbout32PixelsWithMaskAllRoundForRotation) {
    for (int index : {CAT_SHIP_1, CAT_SHIP_2}) {
        BITMAP* ship = sprite_object(index);
        ASSERT_NE(ship, nullptr);
        EXPECT_EQ(ship->w, 32);
        EXPECT_EQ(ship->h, 32);
        EXPECT_TRUE(border_is_mask(ship)) << "object " << index;
        EXPECT_GT(opaque_in_rows(ship, 0, 32), 200) << "object " << index;
    }
}

TEST(ShipSprites, PointTheirNoseUp) {
    for (int index : {CAT_SHIP_1, CAT_SHIP_2}) {
        BITMAP* ship = sprite_object(index);
        // Heading 0 is up: a narrow nose at the top, wings and engines below.
        EXPECT_GT(opaque_in_rows(ship, 16, 32), opaque_in_rows(ship, 0, 16)) << "object " << index;
        int top = 0;
        while (opaque_in_rows(ship, top, top + 1) == 0) ++top;
        EXPECT_LE(opaque_in_rows(ship, top, top + 1), 4) << "object " << index;
        EXPECT_TRUE(opaque(ship, 15, top) || opaque(ship, 16, top)) << "nose on the centre line, object " << index;
    }
}

TEST(ShipSprites, WearTheirPlayersColours) {
    Tint red = average_colour(sprite_object(CAT_SHIP_1));
    Tint blue = average_colour(sprite_object(CAT_SHIP_2));
    EXPECT_GT(red.r, red.b + 40);
    EXPECT_GT(blue.b, blue.r + 40);
}

TEST(ShipSprites, HaveDifferentOutlines) {
    BITMAP* a = sprite_object(CAT_SHIP_1);
    BITMAP* b = sprite_object(CAT_SHIP_2);
    int differing = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) differing += opaque(a, x, y) != opaque(b, x, y);
    EXPECT_GT(differing, 60);
}

TEST(BulletSprites, PointAlongTheHeadingWithMaskAround) {
    for (int index : BULLETS) {
        BITMAP* bullet = sprite_object(index);
        ASSERT_NE(bullet, nullptr);
        EXPECT_EQ(bullet->w, 16);
        EXPECT_EQ(bullet->h, 16);
        EXPECT_TRUE(border_is_mask(bullet)) << "object " << index;
        int left = 16, right = -1, top = 16, bottom = -1;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                if (opaque(bullet, x, y)) {
                    left = std::min(left, x); right = std::max(right, x);
                    top = std::min(top, y); bottom = std::max(bottom, y);
                }
        EXPECT_GT(bottom - top, right - left) << "drawn upright, object " << index;
    }
}

TEST(BulletSprites, HeavyShotIsBiggestAndNeedleThinnest) {
    int heavy = opaque_in_rows(sprite_object(CAT_BULLET_WEAPON_0), 0, 16);
    int needle = opaque_in_rows(sprite_object(CAT_BULLET_WEAPON_1), 0, 16);
    int bolt = opaque_in_rows(sprite_object(CAT_BULLET_WEAPON_2), 0, 16);
    EXPECT_GT(heavy, bolt);
    EXPECT_GT(bolt, needle);
}

TEST(PowerUpSprites, AreItemSizedWithMaskedCorners) {
    for (int kind = 0; kind <= 10; ++kind) {
        BITMAP* item = sprite_object(powerup_index(kind));
        ASSERT_NE(item, nullptr);
        EXPECT_GE(item->w, 10);
        EXPECT_LE(item->w, 12);
        EXPECT_EQ(item->w, item->h);
        int last = item->w - 1;
        EXPECT_FALSE(opaque(item, 0, 0) || opaque(item, last, 0) || opaque(item, 0, last) || opaque(item, last, last))
            << "kind " << kind;
        EXPECT_GT(opaque_in_rows(item, 0, item->h), item->w * item->h / 2) << "kind " << kind;
    }
}

TEST(PowerUpSprites, EveryKindLooksDifferentAtZoomOne) {
    for (int a = 0; a <= 10; ++a)
        for (int b = a + 1; b <= 10; ++b) {
            BITMAP* x = sprite_object(powerup_index(a));
            BITMAP* y = sprite_object(powerup_index(b));
            int differing = 0;
            for (int py = 0; py < x->h; ++py)
                for (int px = 0; px < x->w; ++px) differing += getpixel(x, px, py) != getpixel(y, px, py);
            EXPECT_GT(differing, 12) << "kinds " << a << " and " << b;
        }
}

TEST(AllSprites, KeepEveryDrawnPixelWhenLoadedAtFifteenBits) {
    // The game's preset mode is 15 bits; no shaded colour may collapse
    // onto the mask there, or holes would open in the sprites.
    auto mask_counts = [](DATAFILE* file) {
        std::vector<int> counts;
        for (int i = 0; i < CAT_OBJECT_COUNT; ++i) {
            if (file[i].type != DAT_BITMAP) continue;
            BITMAP* b = static_cast<BITMAP*>(file[i].dat);
            counts.push_back(b->w * b->h - opaque_in_rows(b, 0, b->h));
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
