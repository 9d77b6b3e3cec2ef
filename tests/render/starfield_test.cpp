#include <gtest/gtest.h>

#include <cmath>

#include "canvas.h"
#include "render/camera.h"
#include "render/starfield.h"

namespace {

TEST(StarfieldScatter, StarsAreWholeNumbersInsideTheScatterArea) {
    Starfield field;
    for (const Vec2& s : field.stars) {
        ASSERT_EQ(s.x, std::floor(s.x));
        ASSERT_EQ(s.y, std::floor(s.y));
        ASSERT_TRUE(s.x >= -2500 && s.x <= 2499 && s.y >= -1750 && s.y <= 1749) << s.x << "," << s.y;
    }
}

// Every star far outside any view, so that a test sees only those it places.
class StarfieldDraw : public testing::Test {
protected:
    void SetUp() override {
        camera.set_identity();
        for (Vec2& s : field.stars) s = Vec2(1e6, 1e6);
    }
    void TearDown() override { camera.set_identity(); }

    Starfield field;
};

TEST_F(StarfieldDraw, EdgesOfTheLogicalScreenAreStrictAndGreyRisesWithTheIndex) {
    const Vec2 outside[] = {{0, 240}, {320, 0}, {-0.5, 100}, {640, 100}, {100, 480}};
    for (int i = 0; i < 5; i++) field.stars[i] = outside[i];
    field.stars[8] = Vec2(639, 479);
    field.stars[12] = Vec2(100, 200);
    field.stars[511] = Vec2(30, 10);
    field.stars[3999] = Vec2(50, 10);
    Canvas canvas;
    field.draw(canvas);
    EXPECT_TRUE(canvas.is(639, 479, 130, 130, 130));
    EXPECT_TRUE(canvas.is(100, 200, 131, 131, 131));
    EXPECT_TRUE(canvas.is(30, 10, 255, 255, 255));
    EXPECT_TRUE(canvas.is(50, 10, 255, 255, 255));
    EXPECT_EQ(canvas.lit_in(0, 0, 639, 479), 4);
}

TEST_F(StarfieldDraw, StarsPanAndSpreadWithTheView) {
    camera.left = 100;
    camera.top = 50;
    camera.zoom = 3;
    field.stars[0] = Vec2(110, 60);
    field.stars[1] = Vec2(100, 60);
    Canvas canvas;
    field.draw(canvas);
    EXPECT_TRUE(canvas.is(30, 30, 128, 128, 128));
    EXPECT_EQ(canvas.lit_in(0, 0, 639, 479), 1);
}

// Stars stay inside the 640 x 480 logical screen on every target; a small
// target is cut from a full-size one, so a write past its edge would show.
struct Target {
    int w, h, depth;
    bool small;
};

class StarfieldTarget : public StarfieldDraw, public testing::WithParamInterface<Target> {};

TEST_P(StarfieldTarget, GetsItsOwnColoursOnlyInsideIt) {
    const Target& t = GetParam();
    field.stars[0] = Vec2(319, 199);
    field.stars[511] = Vec2(639, 479);
    field.stars[2] = Vec2(700, 100);
    field.stars[3] = Vec2(100, 500);
    field.stars[4] = Vec2(400, 300);
    Canvas parent(t.w, t.h, t.depth);
    BITMAP* target = t.small ? create_sub_bitmap(parent, 0, 0, 320, 200) : parent.bmp;
    field.draw(target);
    if (t.small) destroy_bitmap(target);
    EXPECT_TRUE(parent.is(319, 199, 128, 128, 128));
    if (!t.small) { EXPECT_TRUE(parent.is(639, 479, 255, 255, 255)); }
    EXPECT_EQ(parent.lit_in(0, 0, t.w - 1, t.h - 1), t.small ? 1 : 3);
}

INSTANTIATE_TEST_SUITE_P(Starfield, StarfieldTarget, testing::Values(
    Target{640, 480, 16, false}, Target{640, 480, 15, false}, Target{640, 480, 24, false},
    Target{640, 480, 32, false}, Target{800, 600, 16, false}, Target{640, 480, 16, true}));

}  // namespace
