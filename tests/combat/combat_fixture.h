#pragma once

#include <gtest/gtest.h>

#include "combat/ship.h"
#include "render/camera.h"
#include "fakes/fake_datafile.h"
#include "support/live_counts.h"

// The ship counter starts again for every test, as at program start, and the
// view is wide enough that no bullet is culled unless a test narrows it.
class CombatTest : public testing::Test {
protected:
    CombatTest() { next_player = 0; }
    void SetUp() override {
        data.install();
        camera = Camera{-1.0e6, -1.0e6, 1.0e6, 1.0e6, 1.0};
    }
    void TearDown() override { camera.set_identity(); }

    // A ship at a chosen place, at rest, pointing at a chosen heading.
    static void place(Ship& ship, Vec2 where, double heading) {
        ship.pos = where;
        ship.vel = Vec2();
        ship.angle = heading;
    }

    FakeDataFile data;
};
