// Items drawn into a memory bitmap through the identity view.
#include <allegro.h>

#include "field_fixture.h"
#include "render/camera.h"

namespace {

class DrawTest : public FieldTest {
protected:
    BITMAP* target = nullptr;

    DrawTest() {
        camera.set_identity();
        target = create_bitmap(640, 480);
        clear_bitmap(target);
    }
    ~DrawTest() override { destroy_bitmap(target); }

    int lit_pixels() const {
        int lit = 0;
        for (int y = 0; y < target->h; y++)
            for (int x = 0; x < target->w; x++)
                if (getpixel(target, x, y) != 0) lit++;
        return lit;
    }

    int colour_of_kind(int kind) const {
        return FakeDataFile::fake_object_colour(SPRITE_INDEX_OF_KIND[kind]);
    }
};

TEST_F(DrawTest, NewFieldDrawsNothing) {
    field->draw(target);
    EXPECT_EQ(lit_pixels(), 0);
}

TEST_F(DrawTest, LiveItemShowsItsSpriteCentredOnItsPosition) {
    place(PU_WEAPON_2, Vec2(100, 200));
    field->draw(target);
    // A 16 x 16 sprite centred on (100, 200) covers 92..107 and 192..207.
    EXPECT_EQ(getpixel(target, 100, 200), colour_of_kind(PU_WEAPON_2));
    EXPECT_EQ(getpixel(target, 93, 193), colour_of_kind(PU_WEAPON_2));
    EXPECT_EQ(getpixel(target, 106, 206), colour_of_kind(PU_WEAPON_2));
    EXPECT_EQ(getpixel(target, 110, 200), 0);
    EXPECT_EQ(getpixel(target, 100, 188), 0);
    EXPECT_EQ(lit_pixels(), 16 * 16);
}

TEST_F(DrawTest, CollectedItemIsNoLongerDrawn) {
    int slot = place(PU_REPAIR, Vec2(300, 300));
    place(PU_TELEPORT, Vec2(50, 50));
    field->powerups.at(slot).type = PU_FREE;
    field->draw(target);
    EXPECT_EQ(getpixel(target, 300, 300), 0);
    EXPECT_EQ(getpixel(target, 50, 50), colour_of_kind(PU_TELEPORT));
}

TEST_F(DrawTest, LaterSlotCoversAnEarlierOne) {
    place(PU_TRIPLE_SHOT, Vec2(200, 200));
    place(PU_BOUNCING_SHOTS, Vec2(208, 200));
    field->draw(target);
    EXPECT_EQ(getpixel(target, 194, 200), colour_of_kind(PU_TRIPLE_SHOT));
    EXPECT_EQ(getpixel(target, 204, 200), colour_of_kind(PU_BOUNCING_SHOTS));
}

}  // namespace
