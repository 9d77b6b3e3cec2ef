#pragma once

#include <allegro.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <ostream>

#include "fakes/fake_datafile.h"
#include "support/canvas.h"
#include "render/camera.h"
#include "shell/catalogue.h"
#include "shell/game_clock.h"
#include "shell/match_steps.h"

// Positions and velocities in expectations: the same to 1e-9, shown as (x, y).
inline bool close_to(Vec2 got, Vec2 want) {
    return std::fabs(got.x - want.x) < 1e-9 && std::fabs(got.y - want.y) < 1e-9;
}
inline void PrintTo(const Vec2& v, std::ostream* os) { *os << "(" << v.x << ", " << v.y << ")"; }

// Records in use: a ship's flying bullets, a field's lying items.
inline int live_bullets(const Ship& ship) {
    int live = 0;
    for (int i = 0; i < ship.bullets.size(); i++) live += ship.bullets.at(i).kind != 0;
    return live;
}
inline int live_items(const PowerUpField& field) {
    int live = 0;
    for (int i = 0; i < field.powerups.size(); i++) live += field.powerups.at(i).type != PU_FREE;
    return live;
}

// A match as the start-up leaves it: ships 1 and 2 built first (players 0
// and 1, weapons 0 and 1), the item field on an in-memory data file, a
// 640 x 480 back buffer, the view on (0, 0)-(640, 480) and no key held.
class MatchTest : public testing::Test {
protected:
    void SetUp() override {
        std::memset(const_cast<char*>(key), 0, KEY_MAX);
        key_shifts = 0;
        next_player = 0;
        data.install();
        match = std::make_unique<Match>(buffer, 640, 480);
        match->ship1.set_sprite(static_cast<BITMAP*>(data.objects()[CAT_SHIP_1].dat));
        match->ship2.set_sprite(static_cast<BITMAP*>(data.objects()[CAT_SHIP_2].dat));
        camera.set_identity();
    }
    void TearDown() override {
        match.reset();
        data.forget_item_sprites();
    }

    FakeDataFile data;
    Canvas buffer{640, 480};  // the match's back buffer
    std::unique_ptr<Match> match;
};
