#pragma once

#include <gtest/gtest.h>

#include "combat/ship.h"
#include "render/camera.h"

// Ships in these tests sit at known places, far from the walls, and the view
// is wide enough that no bullet is culled unless a test narrows it. The ship
// counter starts again for every test, as at program start, so the first ship
// a test builds is player 0 with weapon 0 and the second player 1 with weapon 1.
class CombatTest : public testing::Test {
protected:
    CombatTest() { next_player = 0; }

    void SetUp() override {
        saved_camera = camera;
        camera.left = -1.0e6;
        camera.top = -1.0e6;
        camera.right = 1.0e6;
        camera.bottom = 1.0e6;
    }
    void TearDown() override { camera = saved_camera; }

    // A ship at a chosen place, at rest, pointing at a chosen heading.
    static void place(Ship& ship, Vec2 where, double heading) {
        ship.pos = where;
        ship.vel = Vec2(0.0, 0.0);
        ship.angle = heading;
    }

    static int live_bullets(const Ship& ship) {
        int live = 0;
        for (int i = 0; i < ship.bullets.size(); i++) {
            if (ship.bullets.at(i).kind != 0) live++;
        }
        return live;
    }

private:
    Camera saved_camera;
};
