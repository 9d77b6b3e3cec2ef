#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "canvas.h"
#include "render/camera.h"
#include "render/starfield.h"

namespace {

// A starfield whose stars all sit far outside any view, so that a test sees
// only the stars it places.
class StarfieldDraw : public testing::Test {
protected:
    void SetUp() override {
        camera.set_identity();
        for (Vec2& s : field.stars) s = Vec2(1e6, 1e6);
    }
    void TearDown() override { camera.set_identity(); }

    Starfield field;
};

TEST(StarfieldScatter, StarsAreWholeNumbersInsideTheScatterArea) {
    Starfield field;
    for (const Vec2& s : field.stars) {
        EXPECT_EQ(s.x, std::floor(s.x));
        EXPECT_EQ(s.y, std::floor(s.y));
        EXPECT_GE(s.x, -2500);
        EXPECT_LE(s.x, 2499);
        EXPECT_GE(s.y, -1750);
        EXPECT_LE(s.y, 1749);
    }
}

TEST(StarfieldScatter, DrawsTwoNumbersPerStarXFirst) {
    std::srand(1234);
    int x0 = std::rand(), y0 = std::rand(), x1 = std::rand(), y1 = std::rand();
    std::srand(1234);
    Starfield field;
    EXPECT_EQ(field.stars[0].x, x0 % 5000 - 2500);
    EXPECT_EQ(field.stars[0].y, y0 % 3500 - 1750);
    EXPECT_EQ(field.stars[1].x, x1 % 5000 - 2500);
    EXPECT_EQ(field.stars[1].y, y1 % 3500 - 1750);
}

TEST_F(StarfieldDraw, EdgesOfTheLogicalScreenAreStrict) {
    field.stars[0] = Vec2(0, 240);
    field.stars[1] = Vec2(320, 0);
    field.stars[2] = Vec2(639, 479);
    field.stars[3] = Vec2(-0.5, 100);
    field.stars[4] = Vec2(640, 100);
    field.stars[5] = Vec2(100, 480);
    Canvas canvas;
    field.draw(canvas);

    EXPECT_TRUE(canvas.is(639, 479, 128, 128, 128));
    EXPECT_EQ(canvas.count_of(canvas.rgb(128, 128, 128)), 1);
    EXPECT_EQ(canvas.lit_in(0, 0, 639, 479), 1);
}

TEST_F(StarfieldDraw, GreyLevelRisesWithTheIndexAndStopsAtWhite) {
    field.stars[0] = Vec2(10, 10);
    field.stars[4] = Vec2(20, 10);
    field.stars[511] = Vec2(30, 10);
    field.stars[512] = Vec2(40, 10);
    field.stars[3999] = Vec2(50, 10);
    Canvas canvas;
    field.draw(canvas);

    EXPECT_TRUE(canvas.is(10, 10, 128, 128, 128));
    EXPECT_TRUE(canvas.is(20, 10, 129, 129, 129));
    EXPECT_TRUE(canvas.is(30, 10, 255, 255, 255));
    EXPECT_TRUE(canvas.is(40, 10, 255, 255, 255));
    EXPECT_TRUE(canvas.is(50, 10, 255, 255, 255));
}

TEST_F(StarfieldDraw, IdentityViewPutsAStarOnItsOwnPixel) {
    field.stars[8] = Vec2(100, 200);
    field.stars[9] = Vec2(0, 200);
    Canvas canvas;
    field.draw(canvas);

    EXPECT_TRUE(canvas.is(100, 200, 130, 130, 130));
    EXPECT_EQ(canvas.lit_in(0, 0, 639, 479), 1);
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

// The small target is cut from a full-size one, so a write past its edge
// would show in the parent.
TEST_F(StarfieldDraw, SmallTargetGetsNoWriteOutsideIt) {
    field.stars[0] = Vec2(319, 199);
    field.stars[1] = Vec2(400, 300);
    field.stars[2] = Vec2(10, 300);
    field.stars[3] = Vec2(600, 20);
    Canvas parent;
    BITMAP* small = create_sub_bitmap(parent, 0, 0, 320, 200);
    field.draw(small);
    destroy_bitmap(small);

    EXPECT_TRUE(parent.is(319, 199, 128, 128, 128));
    EXPECT_EQ(parent.lit_in(0, 0, 639, 479), 1);
}

TEST_F(StarfieldDraw, OtherDepthsGetTheirOwnColoursInPlace) {
    field.stars[0] = Vec2(10, 10);
    field.stars[511] = Vec2(30, 12);
    field.stars[2000] = Vec2(639, 479);
    for (int depth : {15, 24, 32}) {
        SCOPED_TRACE(depth);
        Canvas canvas(640, 480, depth);
        field.draw(canvas);
        EXPECT_TRUE(canvas.is(10, 10, 128, 128, 128));
        EXPECT_TRUE(canvas.is(30, 12, 255, 255, 255));
        EXPECT_TRUE(canvas.is(639, 479, 255, 255, 255));
        EXPECT_EQ(canvas.lit_in(0, 0, 639, 479), 3);
    }
}

TEST_F(StarfieldDraw, LargerTargetKeepsStarsInsideTheLogicalScreen) {
    field.stars[0] = Vec2(639, 479);
    field.stars[1] = Vec2(700, 100);
    field.stars[2] = Vec2(100, 500);
    Canvas canvas(800, 600);
    field.draw(canvas);

    EXPECT_TRUE(canvas.is(639, 479, 128, 128, 128));
    EXPECT_EQ(canvas.lit_in(0, 0, 799, 599), 1);
}

}  // namespace
