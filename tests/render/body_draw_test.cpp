#include <gtest/gtest.h>

#include "canvas.h"
#include "combat/body.h"
#include "render/camera.h"

namespace {

// A sprite that looks different in every orientation: a dark body with a
// bright block in its top-left corner and a stripe along its top edge.
BITMAP* lopsided_sprite(int w, int h) {
    BITMAP* s = create_bitmap(w, h);
    clear_to_color(s, makecol(40, 40, 200));
    rectfill(s, 0, 0, 5, 9, makecol(250, 250, 0));
    hline(s, 0, 0, w - 1, makecol(0, 250, 0));
    return s;
}

bool same_pixels(BITMAP* a, BITMAP* b) {
    for (int y = 0; y < a->h; y++)
        for (int x = 0; x < a->w; x++)
            if (getpixel(a, x, y) != getpixel(b, x, y)) return false;
    return true;
}

class BodyDraw : public testing::Test {
protected:
    void TearDown() override { camera.set_identity(); }

    // Draws a w x h sprite of one colour at pos through the camera and
    // returns that colour as the canvas stores it.
    static int draw_solid(Canvas& canvas, int w, int h, Vec2 pos) {
        BITMAP* sprite = create_bitmap(w, h);
        clear_to_color(sprite, makecol(200, 100, 50));
        Body body;
        body.sprite = sprite;
        body.pos = pos;
        body.draw(canvas);
        destroy_bitmap(sprite);
        return canvas.rgb(200, 100, 50);
    }
};

TEST_F(BodyDraw, SpriteIsCentredOnTheScreenPosition) {
    camera.set_identity();
    Canvas canvas;
    int c = draw_solid(canvas, 32, 32, Vec2(100, 100));
    EXPECT_EQ(canvas.at(84, 84), c);
    EXPECT_EQ(canvas.at(115, 115), c);
    EXPECT_EQ(canvas.at(100, 100), c);
    EXPECT_EQ(canvas.at(83, 84), 0);
    EXPECT_EQ(canvas.at(84, 83), 0);
    EXPECT_EQ(canvas.at(116, 115), 0);
    EXPECT_EQ(canvas.at(115, 116), 0);
    EXPECT_EQ(canvas.count_of(c), 32 * 32);
}

TEST_F(BodyDraw, OddWidthUsesTheTruncatedHalf) {
    camera.set_identity();
    Canvas canvas;
    int c = draw_solid(canvas, 33, 32, Vec2(100, 100));
    EXPECT_EQ(canvas.at(84, 90), c);
    EXPECT_EQ(canvas.at(116, 90), c);
    EXPECT_EQ(canvas.at(83, 90), 0);
    EXPECT_EQ(canvas.at(117, 90), 0);
}

TEST_F(BodyDraw, ZoomScalesTheSpriteAboutItsScreenPosition) {
    camera.left = 50;
    camera.top = 20;
    camera.zoom = 2.0;
    Canvas canvas;
    int c = draw_solid(canvas, 16, 16, Vec2(100, 100));  // screen (100, 160)
    EXPECT_EQ(canvas.at(84, 144), c);
    EXPECT_EQ(canvas.at(115, 175), c);
    EXPECT_EQ(canvas.at(83, 144), 0);
    EXPECT_EQ(canvas.at(116, 175), 0);
    EXPECT_EQ(canvas.count_of(c), 32 * 32);
}

TEST_F(BodyDraw, HeadingAfterManyTurnsDrawsLikeTheSameHeadingWithinOneTurn) {
    camera.set_identity();
    BITMAP* sprite = lopsided_sprite(32, 32);
    Body body;
    body.sprite = sprite;
    body.pos = Vec2(100, 100);

    Canvas upright, quarter, spun, spun_back;
    body.angle = 0;
    body.draw(upright);
    body.angle = 64;
    body.draw(quarter);
    body.angle = 51200 + 64;  // 200 full turns clockwise, then a quarter
    body.draw(spun);
    body.angle = -51200 + 64;  // 200 full turns the other way
    body.draw(spun_back);

    EXPECT_FALSE(same_pixels(upright, quarter));
    EXPECT_TRUE(same_pixels(quarter, spun));
    EXPECT_TRUE(same_pixels(quarter, spun_back));
    // A quarter turn clockwise carries the top-left block to the top right.
    EXPECT_TRUE(quarter.is(114, 86, 250, 250, 0));
    destroy_bitmap(sprite);
}

// A body half off the top-left corner: the sprite's corner lies at negative
// screen coordinates and only the part inside the target shows.
TEST_F(BodyDraw, SpriteHalfOffTheTopLeftCornerShowsItsVisiblePart) {
    camera.set_identity();
    Canvas canvas;
    int c = draw_solid(canvas, 32, 32, Vec2(5, 5));
    EXPECT_EQ(canvas.at(0, 0), c);
    EXPECT_EQ(canvas.at(20, 20), c);
    EXPECT_EQ(canvas.at(21, 20), 0);
    EXPECT_EQ(canvas.at(20, 21), 0);
    EXPECT_EQ(canvas.count_of(c), 21 * 21);
}

}  // namespace
