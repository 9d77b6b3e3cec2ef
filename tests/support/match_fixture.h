#pragma once

#include <allegro.h>
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "render/camera.h"
#include "shell/catalogue.h"
#include "shell/game_clock.h"
#include "shell/match_steps.h"
#include "fakes/fake_datafile.h"

// A match as the start-up leaves it, drawing into a memory back buffer and
// read from key[] and key_shifts that the test writes.
class MatchTest : public testing::Test {
protected:
    void SetUp() override {
        release_all_keys();
        next_player = 0;
        data.install();
        buffer = create_bitmap(640, 480);
        clear_bitmap(buffer);
        match = std::make_unique<Match>(buffer, 640, 480);
        match->ship1.set_sprite(static_cast<BITMAP*>(data.objects()[CAT_SHIP_1].dat));
        match->ship2.set_sprite(static_cast<BITMAP*>(data.objects()[CAT_SHIP_2].dat));
        camera.set_identity();
    }
    void TearDown() override {
        release_all_keys();
        match.reset();
        data.forget_item_sprites();
        destroy_bitmap(buffer);
        game_clock.ticks = 0;
    }

    static void release_all_keys() {
        std::memset(const_cast<char*>(key), 0, KEY_MAX);
        key_shifts = 0;
    }
    static void hold(int k) { key[k] = 1; }

    bool prompt_drawn() const {
        int white = makecol(255, 255, 255);
        for (int y = 0; y < 8; y++)
            for (int x = 0; x < 8 * 20; x++)
                if (getpixel(buffer, x, y) == white) return true;
        return false;
    }

    FakeDataFile data;
    BITMAP* buffer = nullptr;
    std::unique_ptr<Match> match;
};
