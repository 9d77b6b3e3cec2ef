// Ships picking items up, and what each kind does to them.
#include "field_fixture.h"

namespace {

// A ship at (100, 100) holding weapon 1 touches one item of a kind.
struct Effect {
    const char* what;
    bool dead;
    int kind;
    unsigned flags;
    int weapon, health;
    double damping;
    int homing_timer;
    bool teleports;
};

class ItemEffect : public FieldTest, public testing::WithParamInterface<Effect> {};

TEST_P(ItemEffect, IsAppliedAndTheItemUsedUp) {
    const Effect& e = GetParam();
    SCOPED_TRACE(e.what);
    Ship ship;
    ship.pos = Vec2(100, 100);
    ship.vel = Vec2(1.5, -2.25);
    ship.weapon = 1;
    ship.health = e.dead ? 0 : 100;
    int slot = place(e.kind, Vec2(111, 111));
    field->collect(ship);

    EXPECT_EQ(field->powerups.at(slot).type, PU_FREE);
    EXPECT_EQ(ship.flags, e.flags);
    EXPECT_EQ(ship.weapon, e.weapon);
    EXPECT_EQ(ship.health, e.health);
    EXPECT_EQ(ship.speed_damping, e.damping);
    EXPECT_EQ(ship.homing_timer, e.homing_timer);
    bool healed = e.health == 125;  // shown like a hit, where the item lay
    EXPECT_EQ(ship.hit_flash, healed ? 10 : 0);
    EXPECT_EQ(ship.last_hit.x, healed ? 111.0 : 0.0);
    EXPECT_EQ(ship.pos.x != 100 || ship.pos.y != 100, e.teleports);
    EXPECT_TRUE(ship.pos.x >= -1500 && ship.pos.x < 1500 && ship.pos.y >= -1000 && ship.pos.y < 1000);
    EXPECT_EQ(ship.vel.x, 1.5);
}

INSTANTIATE_TEST_SUITE_P(Kinds, ItemEffect, testing::Values(
    Effect{"triple shot", false, PU_TRIPLE_SHOT, TRIPLE_SHOT, 1, 100, 10, 0, false},
    Effect{"bouncing shots", false, PU_BOUNCING_SHOTS, BOUNCING_SHOTS, 1, 100, 10, 0, false},
    Effect{"speed boost", false, PU_SPEED_BOOST, SPEED_BOOST, 1, 100, 20, 0, false},
    Effect{"fast shots", false, PU_FAST_SHOTS, FAST_SHOTS, 1, 100, 10, 0, false},
    Effect{"homing shots", false, PU_HOMING_SHOTS, HOMING_SHOTS, 1, 100, 10, 600, false},
    Effect{"repair", false, PU_REPAIR, 0, 1, 125, 10, 0, false},
    Effect{"teleport", false, PU_TELEPORT, 0, 1, 100, 10, 0, true},
    Effect{"quick turn", false, PU_QUICK_TURN, QUICK_TURN, 1, 100, 10, 0, false},
    Effect{"weapon 0", false, PU_WEAPON_0, 0, 0, 100, 10, 0, false},
    Effect{"weapon 1", false, PU_WEAPON_1, 0, 1, 100, 10, 0, false},
    Effect{"weapon 2", false, PU_WEAPON_2, 0, 2, 100, 10, 0, false},
    Effect{"repair, dead ship", true, PU_REPAIR, 0, 1, 0, 10, 0, false},
    Effect{"bouncing shots, dead ship", true, PU_BOUNCING_SHOTS, BOUNCING_SHOTS, 1, 0, 10, 0, false},
    Effect{"weapon 2, dead ship", true, PU_WEAPON_2, 0, 2, 0, 10, 0, false}));

// Ship 1 is served first; items that only touch a ship's edge stay.
TEST_F(FieldTest, OnlyItemsSharingAreaAreCollectedShipOneFirst) {
    Ship ship1, ship2;
    ship1.pos = ship2.pos = Vec2(100, 100);
    for (Vec2 edge : {Vec2(132, 105), Vec2(90, 105), Vec2(105, 132), Vec2(105, 90)}) place(PU_FAST_SHOTS, edge);
    place(PU_TRIPLE_SHOT, Vec2(131.5, 105));
    place(PU_QUICK_TURN, Vec2(111, 111));
    field->collect(ship1);
    field->collect(ship2);
    EXPECT_EQ(ship1.flags, unsigned(TRIPLE_SHOT | QUICK_TURN));
    EXPECT_EQ(ship2.flags, 0u);
    EXPECT_EQ(live_items(*field), 4);
}

}  // namespace
