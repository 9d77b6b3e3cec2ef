#include <gtest/gtest.h>

#include "combat/body.h"
#include "render/camera.h"

namespace {

// Centred between the two ships, their distance spanning 480 pixels, never
// closer in than 3 pixels per world unit.
struct Fit {
    Vec2 a, b;
    double zoom, left, top, right, bottom;
};

class CameraFit : public testing::TestWithParam<Fit> {
protected:
    void TearDown() override { camera.set_identity(); }
};

TEST_P(CameraFit, FramesBothShips) {
    const Fit& c = GetParam();
    Body a, b;
    a.pos = c.a;
    b.pos = c.b;
    camera.fit(a, b);
    EXPECT_NEAR(camera.zoom, c.zoom, 1e-9);
    EXPECT_NEAR(camera.left, c.left, 1e-6);
    EXPECT_NEAR(camera.top, c.top, 1e-6);
    EXPECT_NEAR(camera.right, c.right, 1e-6);
    EXPECT_NEAR(camera.bottom, c.bottom, 1e-6);
}

INSTANTIATE_TEST_SUITE_P(Ships, CameraFit, testing::Values(
    Fit{{0, 0}, {160, 0}, 3.0, -26.666666667, -80, 186.666666667, 80},
    Fit{{0, 0}, {50, 50}, 3.0, -81.666666667, -55, 131.666666667, 105},
    Fit{{30, -40}, {30, -40}, 3.0, -76.666666667, -120, 136.666666667, 40},  // no trap on 480 / 0
    Fit{{-100, 20}, {380, 20}, 1.0, -180, -220, 460, 260},
    Fit{{10, -700}, {10, 300}, 0.48, -656.666666667, -700, 676.666666667, 300},
    Fit{{-1500, -1000}, {1500, 1000}, 0.133128047094055, -2403.700850309, -1802.775637732,
        2403.700850309, 1802.775637732}));

}  // namespace
