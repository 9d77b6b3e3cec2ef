// Ships picking items up, and what each kind does to them.
#include <cstdlib>

#include "field_fixture.h"

namespace {

class CollectTest : public FieldTest {
protected:
    Ship ship1;
    Ship ship2;

    CollectTest() {
        ship1.pos = Vec2(100, 100);
        ship1.vel = Vec2(0, 0);
        ship2.pos = Vec2(100, 100);
        ship2.vel = Vec2(0, 0);
    }

    // An item well inside a ship's 32 x 32 box.
    int place_on(const Ship& ship, int type) {
        return place(type, Vec2(ship.pos.x + 11, ship.pos.y + 11));
    }

    bool is_free(int slot) const { return field->powerups.at(slot).type == PU_FREE; }
};

TEST_F(CollectTest, NewFieldGivesNothing) {
    ship1.pos = Vec2(0, 0);  // where a free slot's box lies
    field->collect(ship1);
    EXPECT_EQ(ship1.flags, 0u);
    EXPECT_EQ(ship1.health, 100);
    EXPECT_EQ(ship1.hit_flash, 0);
    EXPECT_EQ(ship1.pos.x, 0.0);
    EXPECT_EQ(field->powerups.size(), 1);
    EXPECT_TRUE(is_free(0));
}

TEST_F(CollectTest, ShipOneGetsAnItemBothShipsTouch) {
    int slot = place_on(ship1, PU_TRIPLE_SHOT);
    field->collect(ship1);
    field->collect(ship2);
    EXPECT_EQ(ship1.flags, unsigned(TRIPLE_SHOT));
    EXPECT_EQ(ship2.flags, 0u);
    EXPECT_TRUE(is_free(slot));
}

TEST_F(CollectTest, EdgeToEdgeContactCollectsNothing) {
    const double x = ship1.pos.x, y = ship1.pos.y;
    int right = place(PU_TRIPLE_SHOT, Vec2(x + 32, y + 5));
    int left = place(PU_TRIPLE_SHOT, Vec2(x - 10, y + 5));
    int below = place(PU_TRIPLE_SHOT, Vec2(x + 5, y + 32));
    int above = place(PU_TRIPLE_SHOT, Vec2(x + 5, y - 10));
    field->collect(ship1);
    EXPECT_EQ(ship1.flags, 0u);
    EXPECT_EQ(live_items(), 4);

    field->powerups.at(right).pos.x = x + 31.5;
    field->collect(ship1);
    EXPECT_TRUE(is_free(right));
    EXPECT_FALSE(is_free(left));
    EXPECT_FALSE(is_free(below));
    EXPECT_FALSE(is_free(above));
}

TEST_F(CollectTest, ManyItemsGoInOnePass) {
    place_on(ship1, PU_TRIPLE_SHOT);
    place(PU_SPEED_BOOST, Vec2(2000, 2000));
    place_on(ship1, PU_QUICK_TURN);
    field->collect(ship1);
    EXPECT_EQ(ship1.flags, unsigned(TRIPLE_SHOT | QUICK_TURN));
    EXPECT_EQ(live_items(), 1);
    EXPECT_EQ(field->powerups.at(1).type, PU_SPEED_BOOST);
}

struct FlagItem {
    int type;
    unsigned bit;
};

TEST_F(CollectTest, EachFlagItemSetsItsOwnBit) {
    const FlagItem items[] = {
        {PU_TRIPLE_SHOT, 1}, {PU_BOUNCING_SHOTS, 4}, {PU_SPEED_BOOST, 16},
        {PU_FAST_SHOTS, 2},  {PU_HOMING_SHOTS, 8},   {PU_QUICK_TURN, 32},
    };
    for (const FlagItem& item : items) {
        SCOPED_TRACE(item.type);
        ship1.flags = 0;
        int slot = place_on(ship1, item.type);
        field->collect(ship1);
        EXPECT_EQ(ship1.flags, item.bit);
        EXPECT_TRUE(is_free(slot));
    }
}

TEST_F(CollectTest, FlagItemsBringTheShipsOwnSideEffects) {
    place_on(ship1, PU_SPEED_BOOST);
    field->collect(ship1);
    EXPECT_EQ(ship1.speed_damping, 20.0);

    place_on(ship1, PU_HOMING_SHOTS);
    field->collect(ship1);
    EXPECT_EQ(ship1.homing_timer, 600);

    for (int t = 0; t < 250; t++) ship1.update();
    ASSERT_EQ(ship1.homing_timer, 350);
    place_on(ship1, PU_HOMING_SHOTS);
    field->collect(ship1);
    EXPECT_EQ(ship1.homing_timer, 600);
    EXPECT_EQ(ship1.flags, unsigned(SPEED_BOOST | HOMING_SHOTS));
}

TEST_F(CollectTest, RepairHealsTwentyFiveWithSparksAtTheItem) {
    int slot = place_on(ship1, PU_REPAIR);
    Vec2 where = field->powerups.at(slot).pos;
    field->collect(ship1);
    EXPECT_EQ(ship1.health, 125);
    EXPECT_EQ(ship1.hit_flash, 10);
    EXPECT_EQ(ship1.last_hit.x, where.x);
    EXPECT_EQ(ship1.last_hit.y, where.y);
    EXPECT_EQ(ship1.deaths, 0);
    EXPECT_TRUE(is_free(slot));
}

TEST_F(CollectTest, RepairOnADeadShipIsUsedUpAndChangesNothing) {
    ship1.health = 0;
    ship1.last_hit = Vec2(-7, 3);
    ship1.deaths = 1;
    int slot = place_on(ship1, PU_REPAIR);
    field->collect(ship1);
    EXPECT_EQ(ship1.health, 0);
    EXPECT_EQ(ship1.hit_flash, 0);
    EXPECT_EQ(ship1.last_hit.x, -7.0);
    EXPECT_EQ(ship1.last_hit.y, 3.0);
    EXPECT_EQ(ship1.deaths, 1);
    EXPECT_TRUE(is_free(slot));
}

TEST_F(CollectTest, DeadShipStillPicksUpFlagsAndWeapons) {
    ship1.health = -4;
    place_on(ship1, PU_BOUNCING_SHOTS);
    place_on(ship1, PU_WEAPON_1);
    field->collect(ship1);
    EXPECT_EQ(ship1.flags, unsigned(BOUNCING_SHOTS));
    EXPECT_EQ(ship1.weapon, 1);
    EXPECT_EQ(live_items(), 0);
}

TEST_F(CollectTest, TeleportMovesTheShipAndKeepsItsMotion) {
    ship1.vel = Vec2(1.5, -2.25);
    ship1.angle = 77;
    int slot = place_on(ship1, PU_TELEPORT);

    std::srand(31337);
    int a = std::rand();
    int b = std::rand();
    std::srand(31337);
    field->collect(ship1);

    EXPECT_EQ(ship1.pos.x, b % 3000 - 1500);
    EXPECT_EQ(ship1.pos.y, a % 2000 - 1000);
    EXPECT_EQ(ship1.vel.x, 1.5);
    EXPECT_EQ(ship1.vel.y, -2.25);
    EXPECT_EQ(ship1.angle, 77.0);
    EXPECT_TRUE(is_free(slot));
}

TEST_F(CollectTest, ItemsAfterATeleportAreTestedAtTheNewPlace) {
    std::srand(2024);
    int a = std::rand();
    int b = std::rand();
    Vec2 arrival(b % 3000 - 1500, a % 2000 - 1000);

    place_on(ship1, PU_TELEPORT);
    int left_behind = place_on(ship1, PU_TRIPLE_SHOT);
    int waiting = place(PU_FAST_SHOTS, Vec2(arrival.x + 11, arrival.y + 11));
    ASSERT_GT(left_behind, 0);

    std::srand(2024);
    field->collect(ship1);
    EXPECT_EQ(ship1.flags, unsigned(FAST_SHOTS));
    EXPECT_FALSE(is_free(left_behind));
    EXPECT_TRUE(is_free(waiting));
}

TEST_F(CollectTest, WeaponItemsSelectTheirWeaponEvenWhenAlreadyChosen) {
    const int weapon_of_kind[][2] = {{PU_WEAPON_0, 0}, {PU_WEAPON_1, 1}, {PU_WEAPON_2, 2}};
    for (const auto& pair : weapon_of_kind) {
        SCOPED_TRACE(pair[0]);
        ship1.weapon = (pair[1] + 1) % 3;
        int slot = place_on(ship1, pair[0]);
        field->collect(ship1);
        EXPECT_EQ(ship1.weapon, pair[1]);
        EXPECT_TRUE(is_free(slot));

        slot = place_on(ship1, pair[0]);
        field->collect(ship1);
        EXPECT_EQ(ship1.weapon, pair[1]);
        EXPECT_TRUE(is_free(slot));
    }
    EXPECT_EQ(ship1.flags, 0u);
}

TEST_F(CollectTest, FreeItemHasNoEffect) {
    PowerUp nothing;
    nothing.pos = ship1.pos;
    field->apply_effect(ship1, nothing);
    EXPECT_EQ(ship1.flags, 0u);
    EXPECT_EQ(ship1.health, 100);
    EXPECT_EQ(ship1.pos.x, 100.0);
}

}  // namespace
