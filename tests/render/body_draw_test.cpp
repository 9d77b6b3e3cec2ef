#include <gtest/gtest.h>

#include "canvas.h"
#include "combat/body.h"
#include "render/camera.h"

namespace {

// A w x h sprite of one colour drawn at pos through the view (left, top,
// zoom) fills exactly the screen box [x0, x1] x [y0, y1].
struct Placement {
    const char* what;
    int w, h;
    Vec2 pos;
    double left, top, zoom;
    int x0, y0, x1, y1;
};

class BodyDraw : public testing::TestWithParam<Placement> {
protected:
    void TearDown() override { camera.set_identity(); }
};

TEST_P(BodyDraw, FillsItsBoxAndNothingElse) {
    const Placement& c = GetParam();
    SCOPED_TRACE(c.what);
    camera.left = c.left;
    camera.top = c.top;
    camera.zoom = c.zoom;
    BITMAP* sprite = create_bitmap(c.w, c.h);
    clear_to_color(sprite, makecol(200, 100, 50));
    Body body;
    body.sprite = sprite;
    body.pos = c.pos;
    Canvas canvas;
    body.draw(canvas);
    destroy_bitmap(sprite);

    int colour = canvas.rgb(200, 100, 50);
    EXPECT_EQ(canvas.at(c.x0, c.y0), colour);
    EXPECT_EQ(canvas.at(c.x1, c.y1), colour);
    EXPECT_EQ(canvas.count_of(colour), (c.x1 - c.x0 + 1) * (c.y1 - c.y0 + 1));
    EXPECT_EQ(canvas.lit_in(c.x0, c.y0, c.x1, c.y1), canvas.lit_in(0, 0, 639, 479));
}

INSTANTIATE_TEST_SUITE_P(Sprites, BodyDraw, testing::Values(
    Placement{"centred", 32, 32, {100, 100}, 0, 0, 1.0, 84, 84, 115, 115},
    Placement{"odd width: truncated half", 33, 32, {100, 100}, 0, 0, 1.0, 84, 84, 116, 115},
    Placement{"zoomed about its place", 16, 16, {100, 100}, 50, 20, 2.0, 84, 144, 115, 175},
    Placement{"half off the top-left corner", 32, 32, {5, 5}, 0, 0, 1.0, 0, 0, 20, 20}));

bool same_pixels(BITMAP* a, BITMAP* b) {
    for (int y = 0; y < a->h; y++)
        for (int x = 0; x < a->w; x++)
            if (getpixel(a, x, y) != getpixel(b, x, y)) return false;
    return true;
}

TEST(BodyHeading, ManyTurnsDrawLikeTheSameHeadingWithinOneTurn) {
    camera.set_identity();
    // Dark, with a bright block in the top-left corner: every orientation differs.
    BITMAP* sprite = create_bitmap(32, 32);
    clear_to_color(sprite, makecol(40, 40, 200));
    rectfill(sprite, 0, 0, 5, 9, makecol(250, 250, 0));
    Body body;
    body.sprite = sprite;
    body.pos = Vec2(100, 100);
    Canvas upright, quarter, spun, spun_back;
    body.draw(upright);
    for (auto [angle, canvas] : {std::pair<double, BITMAP*>{64, quarter}, {51200 + 64, spun}, {-51200 + 64, spun_back}}) {
        body.angle = angle;
        body.draw(canvas);
    }
    EXPECT_FALSE(same_pixels(upright, quarter));
    EXPECT_TRUE(same_pixels(quarter, spun));
    EXPECT_TRUE(same_pixels(quarter, spun_back));
    // A quarter turn clockwise carries the top-left block to the top right.
    EXPECT_TRUE(quarter.is(114, 86, 250, 250, 0));
    destroy_bitmap(sprite);
}

}  // namespace
