// When and where items appear, how the slot list grows, how items are drawn.
#include <cstdlib>
#include <set>

#include "field_fixture.h"
#include "render/camera.h"

namespace {

TEST_F(FieldTest, FirstItemComesOnTheSixHundredthTickThenEveryOneToElevenSeconds) {
    std::srand(7);
    for (int spawned = 0; spawned < 40; spawned++) {
        int ticks = 0;
        for (int before = live_items(*field); live_items(*field) == before; ticks++) field->tick();
        if (spawned == 0) {
            EXPECT_EQ(ticks, 600);
        } else {
            EXPECT_GE(ticks, 60);
            EXPECT_LE(ticks, 659);
        }
    }
    int timer = field->spawn_timer;
    field->spawn();  // Tab+A: the clock does not notice
    EXPECT_EQ(field->spawn_timer, timer);
}

TEST_F(FieldTest, SpawnedItemsLieInTheArenaAtRestWithThePictureOfTheirKind) {
    int slot = place(PU_TELEPORT, Vec2(5, 5));
    field->powerups.at(slot).vel = Vec2(3, 4);
    field->powerups.at(slot).angle = 17;
    field->powerups.at(slot).type = PU_FREE;
    std::set<int> kinds;
    for (int i = 0; i < 200; i++) field->spawn();
    ASSERT_EQ(field->powerups.size(), 200);
    for (int i = 0; i < 200; i++) {
        const PowerUp& item = field->powerups.at(i);
        ASSERT_TRUE(item.type >= 0 && item.type < POWERUP_KINDS) << i;
        kinds.insert(item.type);
        EXPECT_TRUE(item.pos.x >= -1500 && item.pos.x <= 1499 && item.pos.y >= -1000 && item.pos.y <= 999) << i;
        EXPECT_TRUE(item.vel.x == 0 && item.vel.y == 0 && item.angle == 0) << i;
        EXPECT_EQ(item.width * item.height, 100);
        EXPECT_EQ(item.sprite, data.objects()[SPRITE_INDEX_OF_KIND[item.type]].dat) << i;
    }
    EXPECT_EQ(kinds.size(), 11u);
}

TEST_F(FieldTest, AFullListGrowsByOneAndFreedSlotsAreReusedLowestFirst) {
    for (int i = 0; i < 4; i++) field->spawn();
    EXPECT_EQ(field->powerups.size(), 4);
    field->powerups.at(2).type = PU_FREE;
    field->powerups.at(1).type = PU_FREE;
    field->spawn();
    EXPECT_NE(field->powerups.at(1).type, PU_FREE);
    EXPECT_EQ(field->powerups.at(2).type, PU_FREE);
    field->spawn();
    field->spawn();
    EXPECT_EQ(field->powerups.size(), 5);
    EXPECT_EQ(live_items(*field), 5);
}

TEST_F(FieldTest, LiveItemsAreDrawnCentredLaterSlotsOnTop) {
    camera.set_identity();
    BITMAP* target = create_bitmap(640, 480);
    clear_bitmap(target);
    int gone = place(PU_REPAIR, Vec2(300, 300));
    place(PU_WEAPON_2, Vec2(100, 200));
    place(PU_TRIPLE_SHOT, Vec2(400, 200));
    place(PU_BOUNCING_SHOTS, Vec2(408, 200));
    field->powerups.at(gone).type = PU_FREE;
    field->draw(target);
    auto colour = [](int kind) { return FakeDataFile::fake_object_colour(SPRITE_INDEX_OF_KIND[kind]); };
    // The 16 x 16 stand-in picture centred on (100, 200) covers 92..107, 192..207.
    EXPECT_EQ(getpixel(target, 92, 192), colour(PU_WEAPON_2));
    EXPECT_EQ(getpixel(target, 107, 207), colour(PU_WEAPON_2));
    EXPECT_EQ(getpixel(target, 108, 200), 0);
    EXPECT_EQ(getpixel(target, 100, 191), 0);
    EXPECT_EQ(getpixel(target, 300, 300), 0);
    EXPECT_EQ(getpixel(target, 394, 200), colour(PU_TRIPLE_SHOT));
    EXPECT_EQ(getpixel(target, 404, 200), colour(PU_BOUNCING_SHOTS));
    destroy_bitmap(target);
}

}  // namespace
