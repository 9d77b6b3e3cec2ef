#include <gtest/gtest.h>

#include "combat/body.h"
#include "render/camera.h"

namespace {

Body body_at(double x, double y) {
    Body b;
    b.pos = Vec2(x, y);
    return b;
}

class CameraFit : public testing::Test {
protected:
    void TearDown() override { camera.set_identity(); }
};

TEST_F(CameraFit, ShipsCloserThan160AreHeldAtZoomThree) {
    camera.fit(body_at(0, 0), body_at(160, 0));
    EXPECT_EQ(camera.zoom, 3.0);
    EXPECT_NEAR(camera.right - camera.left, 213.3333333, 1e-6);
    EXPECT_NEAR(camera.bottom - camera.top, 160.0, 1e-9);
    EXPECT_NEAR(camera.left, 80.0 - 106.6666667, 1e-6);
    EXPECT_NEAR(camera.top, -80.0, 1e-9);

    camera.fit(body_at(0, 0), body_at(50, 50));
    EXPECT_EQ(camera.zoom, 3.0);
}

TEST_F(CameraFit, ShipsFourHundredEightyApartGiveTheIdentityScale) {
    camera.fit(body_at(-100, 20), body_at(380, 20));
    EXPECT_DOUBLE_EQ(camera.zoom, 1.0);
    EXPECT_DOUBLE_EQ(camera.left, 140.0 - 320.0);
    EXPECT_DOUBLE_EQ(camera.top, 20.0 - 240.0);
    EXPECT_DOUBLE_EQ(camera.right, 140.0 + 320.0);
    EXPECT_DOUBLE_EQ(camera.bottom, 20.0 + 240.0);
}

TEST_F(CameraFit, OppositeArenaCornersZoomFarOut) {
    camera.fit(body_at(-1500, -1000), body_at(1500, 1000));
    EXPECT_NEAR(camera.zoom, 0.133128, 1e-6);
    EXPECT_NEAR(camera.right - camera.left, 4807.4, 0.05);
    EXPECT_NEAR(camera.bottom - camera.top, 3605.55, 0.01);
    EXPECT_NEAR(camera.left, -2403.7, 0.05);
    EXPECT_NEAR(camera.top, -1802.78, 0.01);
}

TEST_F(CameraFit, CoincidentShipsGetTheClosestViewWithoutTrapping) {
    camera.fit(body_at(30, -40), body_at(30, -40));
    EXPECT_EQ(camera.zoom, 3.0);
    EXPECT_NEAR(camera.left, 30.0 - 320.0 / 3.0, 1e-9);
    EXPECT_NEAR(camera.top, -40.0 - 80.0, 1e-9);
    EXPECT_NEAR(camera.right, 30.0 + 320.0 / 3.0, 1e-9);
    EXPECT_NEAR(camera.bottom, -40.0 + 80.0, 1e-9);
}

TEST_F(CameraFit, ShipsOneAboveTheOtherLieOnTheTopAndBottomEdges) {
    Body upper = body_at(10, -700);
    Body lower = body_at(10, 300);
    camera.fit(upper, lower);

    Vec2 up = upper.pos.to_screen();
    Vec2 down = lower.pos.to_screen();
    EXPECT_NEAR(up.x, 320.0, 1e-9);
    EXPECT_NEAR(up.y, 0.0, 1e-9);
    EXPECT_NEAR(down.x, 320.0, 1e-9);
    EXPECT_NEAR(down.y, 480.0, 1e-9);
}

TEST_F(CameraFit, SetIdentityRestoresTheStartUpView) {
    camera.fit(body_at(-1500, -1000), body_at(1500, 1000));
    camera.set_identity();
    EXPECT_EQ(camera.left, 0.0);
    EXPECT_EQ(camera.top, 0.0);
    EXPECT_EQ(camera.right, 640.0);
    EXPECT_EQ(camera.bottom, 480.0);
    EXPECT_EQ(camera.zoom, 1.0);
}

TEST_F(CameraFit, ToScreenOverwritesTheVectorAndReturnsTheNewValue) {
    camera.left = -100;
    camera.top = 50;
    camera.zoom = 0.5;
    Vec2 v(-1500, -1000);
    Vec2 r = v.to_screen();
    EXPECT_DOUBLE_EQ(r.x, -700.0);
    EXPECT_DOUBLE_EQ(r.y, -525.0);
    EXPECT_DOUBLE_EQ(v.x, -700.0);
    EXPECT_DOUBLE_EQ(v.y, -525.0);
}

}  // namespace
