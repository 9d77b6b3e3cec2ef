// When and where items appear, and how the slot list grows.
#include <cstdlib>

#include "field_fixture.h"

namespace {

struct Draws {
    int a, b, n;
};

// The three numbers a spawn takes, in its order: y, x, kind.
Draws next_spawn_draws() {
    Draws d;
    d.a = std::rand();
    d.b = std::rand();
    d.n = std::rand();
    return d;
}

using SpawnTest = FieldTest;

TEST_F(SpawnTest, NewFieldHoldsOneFreeSlotAndTheFirstDelay) {
    EXPECT_EQ(field->powerups.size(), 1);
    EXPECT_EQ(field->powerups.at(0).type, PU_FREE);
    EXPECT_EQ(field->spawn_timer, 600);
}

TEST_F(SpawnTest, SpritesComeFromTheCatalogueInTheItemsOwnOrder) {
    for (int kind = 0; kind < POWERUP_KINDS; kind++) {
        SCOPED_TRACE(kind);
        EXPECT_EQ(field->sprites[kind], catalogue_bitmap(SPRITE_INDEX_OF_KIND[kind]));
    }
    EXPECT_EQ(field->sprites[PU_WEAPON_2], catalogue_bitmap(7));
    EXPECT_EQ(field->sprites[PU_SPEED_BOOST], catalogue_bitmap(8));
}

TEST_F(SpawnTest, FirstItemArrivesOnTheSixHundredthTickAndTheNextAfterTheDrawnDelay) {
    std::srand(4242);
    for (int t = 1; t < 600; t++) field->tick();
    EXPECT_EQ(live_items(), 0);
    EXPECT_EQ(field->spawn_timer, 1);

    field->tick();
    ASSERT_EQ(live_items(), 1);

    std::srand(4242);
    Draws first = next_spawn_draws();
    int delay = std::rand() % 600 + 60;
    ASSERT_GE(delay, 60);
    ASSERT_LE(delay, 659);
    EXPECT_EQ(field->spawn_timer, delay);

    const PowerUp& item = field->powerups.at(0);
    EXPECT_EQ(item.type, first.n % 11);
    EXPECT_EQ(item.pos.y, first.a % 2000 - 1000);
    EXPECT_EQ(item.pos.x, first.b % 3000 - 1500);

    for (int t = 1; t < delay; t++) field->tick();
    EXPECT_EQ(live_items(), 1);
    field->tick();
    EXPECT_EQ(live_items(), 2);
    EXPECT_EQ(field->powerups.size(), 2);
}

TEST_F(SpawnTest, LaterDelaysStayWithinOneToElevenSeconds) {
    std::srand(7);
    for (int spawned = 0; spawned < 40; spawned++) {
        int ticks = 0;
        int before = live_items();
        while (live_items() == before) {
            field->tick();
            ticks++;
        }
        if (spawned == 0) EXPECT_EQ(ticks, 600);
        else {
            EXPECT_GE(ticks, 60);
            EXPECT_LE(ticks, 659);
        }
    }
}

TEST_F(SpawnTest, ManualSpawnLeavesTheTimerAlone) {
    field->tick();
    field->spawn();
    EXPECT_EQ(field->spawn_timer, 599);
}

TEST_F(SpawnTest, SpawnedItemLiesInTheArenaAtRestWithTheSpriteOfItsKind) {
    std::srand(99);
    for (int i = 0; i < 60; i++) field->spawn();
    ASSERT_EQ(field->powerups.size(), 60);

    std::srand(99);
    for (int i = 0; i < 60; i++) {
        SCOPED_TRACE(i);
        Draws d = next_spawn_draws();
        const PowerUp& item = field->powerups.at(i);
        EXPECT_EQ(item.pos.x, d.b % 3000 - 1500);
        EXPECT_EQ(item.pos.y, d.a % 2000 - 1000);
        EXPECT_GE(item.pos.x, -1500);
        EXPECT_LE(item.pos.x, 1499);
        EXPECT_GE(item.pos.y, -1000);
        EXPECT_LE(item.pos.y, 999);
        EXPECT_EQ(item.vel.x, 0.0);
        EXPECT_EQ(item.vel.y, 0.0);
        EXPECT_EQ(item.angle, 0.0);
        EXPECT_EQ(item.width, 10);
        EXPECT_EQ(item.height, 10);
        EXPECT_EQ(item.type, d.n % 11);
        EXPECT_EQ(item.sprite, catalogue_bitmap(SPRITE_INDEX_OF_KIND[item.type]));
    }
}

TEST_F(SpawnTest, ReusedSlotGetsFreshVelocityAndAngle) {
    int slot = place(PU_TELEPORT, Vec2(5, 5));
    PowerUp& stale = field->powerups.at(slot);
    stale.vel = Vec2(3, 4);
    stale.angle = 17;
    stale.type = PU_FREE;
    field->spawn();
    const PowerUp& item = field->powerups.at(slot);
    EXPECT_EQ(item.vel.x, 0.0);
    EXPECT_EQ(item.vel.y, 0.0);
    EXPECT_EQ(item.angle, 0.0);
}

TEST_F(SpawnTest, FullListGrowsByExactlyOneAndFreedSlotsAreReusedLowestFirst) {
    field->spawn();
    EXPECT_EQ(field->powerups.size(), 1);
    field->spawn();
    EXPECT_EQ(field->powerups.size(), 2);
    field->spawn();
    field->spawn();
    EXPECT_EQ(field->powerups.size(), 4);
    EXPECT_EQ(live_items(), 4);

    field->powerups.at(2).type = PU_FREE;
    field->powerups.at(1).type = PU_FREE;
    field->spawn();
    EXPECT_EQ(field->powerups.size(), 4);
    EXPECT_NE(field->powerups.at(1).type, PU_FREE);
    EXPECT_EQ(field->powerups.at(2).type, PU_FREE);
    field->spawn();
    EXPECT_NE(field->powerups.at(2).type, PU_FREE);
    field->spawn();
    EXPECT_EQ(field->powerups.size(), 5);
}

TEST_F(SpawnTest, CollectedSlotIsTheOneTheNextSpawnFills) {
    Ship ship;
    ship.pos = Vec2(0, 0);
    place(PU_FAST_SHOTS, Vec2(900, 900));
    place(PU_FAST_SHOTS, Vec2(10, 10));
    place(PU_FAST_SHOTS, Vec2(-900, 900));
    field->collect(ship);
    ASSERT_EQ(field->powerups.at(1).type, PU_FREE);

    field->spawn();
    EXPECT_NE(field->powerups.at(1).type, PU_FREE);
    EXPECT_EQ(field->powerups.size(), 3);
}

}  // namespace
