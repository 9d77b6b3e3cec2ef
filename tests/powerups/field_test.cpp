// Items appearing in the arena, and what each kind does to the ship that
// touches it.
#include <cstdlib>
#include <utility>
#include <vector>

#include "support/match_fixture.h"

namespace {

// Puts an item of a kind at a place, in a new slot at the end of the list.
void place(PowerUpField& field, int type, Vec2 where) {
    int slot = field.powerups.size();
    field.powerups.resize(slot + 1);
    field.powerups.at(slot).type = type;
    field.powerups.at(slot).pos = where;
    field.powerups.at(slot).sprite = field.sprites[type];
}

// Ship 2 (weapon 1) at (100, 100) touches one item of a kind. What follows:
// its ability bits (1 triple shot, 2 fast shots, 4 bouncing shots, 8 homing,
// 16 speed boost, 32 quick turn), weapon, health, ticks of homing left, the
// damping of its speed and whether it was moved elsewhere.
class ItemEffect : public MatchTest, public testing::WithParamInterface<std::pair<int, std::vector<double>>> {};

TEST_P(ItemEffect, IsAppliedAndTheItemUsedUp) {
    Ship& ship = match->ship2;
    ship.pos = Vec2(100, 100);
    place(match->powerups, GetParam().first, Vec2(111, 111));
    match->powerups.collect(ship);
    std::vector<double> after = {double(ship.flags), double(ship.weapon), double(ship.health), double(ship.homing_timer),
                                 ship.speed_damping, double(ship.pos.x != 100 || ship.pos.y != 100)};
    EXPECT_EQ(live_items(match->powerups), 0);  // used up
    EXPECT_EQ(after, GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Kinds, ItemEffect, testing::Values(
    std::make_pair(PU_TRIPLE_SHOT, std::vector<double>{1, 1, 100, 0, 10, 0}),
    std::make_pair(PU_BOUNCING_SHOTS, std::vector<double>{4, 1, 100, 0, 10, 0}),
    std::make_pair(PU_SPEED_BOOST, std::vector<double>{16, 1, 100, 0, 20, 0}),
    std::make_pair(PU_FAST_SHOTS, std::vector<double>{2, 1, 100, 0, 10, 0}),
    std::make_pair(PU_HOMING_SHOTS, std::vector<double>{8, 1, 100, 600, 10, 0}),
    std::make_pair(PU_REPAIR, std::vector<double>{0, 1, 125, 0, 10, 0}),
    std::make_pair(PU_TELEPORT, std::vector<double>{0, 1, 100, 0, 10, 1}),
    std::make_pair(PU_QUICK_TURN, std::vector<double>{32, 1, 100, 0, 10, 0}),
    std::make_pair(PU_WEAPON_0, std::vector<double>{0, 0, 100, 0, 10, 0}),
    std::make_pair(PU_WEAPON_1, std::vector<double>{0, 1, 100, 0, 10, 0}),
    std::make_pair(PU_WEAPON_2, std::vector<double>{0, 2, 100, 0, 10, 0})));

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

}  // namespace
