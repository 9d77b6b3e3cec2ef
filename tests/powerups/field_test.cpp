// Items appearing in the arena, and what each kind does to the ship that
// touches it.
#include "support/match_fixture.h"

// Puts an item of a kind at a place, in a new slot at the end of the list.
void place(PowerUpField& field, int type, Vec2 where) {
    field.powerups.resize(field.powerups.size() + 1);
    PowerUp& item = field.powerups.at(field.powerups.size() - 1);
    item.type = type, item.pos = where, item.sprite = field.sprites[type];
}

// Ship 2 (weapon 1) at (100, 100) touches one item of a kind. What follows:
// its ability bits (1 triple shot, 2 fast shots, 4 bouncing shots, 8 homing,
// 16 speed boost, 32 quick turn), weapon, health, ticks of homing left, the
// damping of its speed and whether it was moved elsewhere.
TEST_F(MatchTest, EachItemIsAppliedAndUsedUp) {
    const std::pair<int, std::vector<double>> kinds[] = {
        {PU_TRIPLE_SHOT, {1, 1, 100, 0, 10, 0}}, {PU_BOUNCING_SHOTS, {4, 1, 100, 0, 10, 0}},
        {PU_SPEED_BOOST, {16, 1, 100, 0, 20, 0}}, {PU_FAST_SHOTS, {2, 1, 100, 0, 10, 0}},
        {PU_HOMING_SHOTS, {8, 1, 100, 600, 10, 0}}, {PU_REPAIR, {0, 1, 125, 0, 10, 0}},
        {PU_TELEPORT, {0, 1, 100, 0, 10, 1}}, {PU_QUICK_TURN, {32, 1, 100, 0, 10, 0}},
        {PU_WEAPON_0, {0, 0, 100, 0, 10, 0}}, {PU_WEAPON_1, {0, 1, 100, 0, 10, 0}}, {PU_WEAPON_2, {0, 2, 100, 0, 10, 0}}};
    for (const auto& [kind, want] : kinds) {
        Ship& ship = match->ship2;
        ship.flags = ship.homing_timer = 0, ship.weapon = 1, ship.health = 100, ship.speed_damping = 10;
        ship.pos = Vec2(100, 100);
        place(match->powerups, kind, Vec2(111, 111));
        match->powerups.collect(ship);
        std::vector<double> after = {double(ship.flags), double(ship.weapon), double(ship.health),
                                     double(ship.homing_timer), ship.speed_damping, double(ship.pos.x != 100 || ship.pos.y != 100)};
        EXPECT_EQ(live_items(match->powerups), 0) << kind;  // used up
        EXPECT_EQ(after, want) << kind;
    }
}

// Items that only touch the ship's 32 x 32 box stay where they lie. Each is
// drawn as its 16 x 16 stand-in picture centred on its place, and a used one
// is not drawn.
TEST_F(MatchTest, OnlyItemsSharingAreaWithTheShipAreCollectedAndTheRestDrawnCentred) {
    PowerUpField& field = match->powerups;
    match->ship1.pos = Vec2(100, 100);
    for (Vec2 edge : {Vec2(132, 105), Vec2(90, 105), Vec2(105, 132), Vec2(105, 90)}) place(field, PU_FAST_SHOTS, edge);
    place(field, PU_TRIPLE_SHOT, Vec2(131.5, 105));
    field.collect(match->ship1);
    EXPECT_EQ(live_items(field), 4);
    field.draw(buffer);
    int c = FakeDataFile::fake_object_colour(9);  // the fast-shots picture
    std::vector<int> pixels = {getpixel(buffer, 82, 97), getpixel(buffer, 97, 112), getpixel(buffer, 81, 96),
                               getpixel(buffer, 98, 113), getpixel(buffer, 130, 105)};
    EXPECT_EQ(pixels, (std::vector<int>{c, c, 0, 0, c}));
}

// The first item comes on the 600th tick, each later one 60 to 659 ticks
// after the one before. Each lies somewhere in the arena with its kind's
// picture, which vexo.dat holds at objects 5 to 15.
TEST_F(MatchTest, ItemsComeOnTheSixHundredthTickThenEveryOneToElevenSecondsAnywhere) {
    const int picture_of_kind[POWERUP_KINDS] = {5, 6, 8, 9, 10, 11, 12, 13, 14, 15, 7};
    PowerUpField& field = match->powerups;
    std::srand(7);
    for (int spawned = 0; spawned < 200; spawned++) {
        int ticks = 0;
        for (int before = live_items(field); live_items(field) == before; ticks++) field.tick();
        if (spawned == 0) EXPECT_EQ(ticks, 600);
        else EXPECT_TRUE(ticks >= 60 && ticks <= 659) << ticks;
        const PowerUp& item = field.powerups.at(spawned);
        ASSERT_TRUE(item.type >= 0 && item.type < POWERUP_KINDS);
        EXPECT_TRUE(item.pos.x >= -1500 && item.pos.x <= 1499 && item.pos.y >= -1000 && item.pos.y <= 999);
        EXPECT_EQ(item.sprite, data.objects()[picture_of_kind[item.type]].dat);
    }
    EXPECT_EQ(field.powerups.size(), 200);
}
