#pragma once

#include <gtest/gtest.h>
#include <memory>

#include "combat/ship.h"
#include "powerups/powerup_field.h"
#include "fakes/fake_datafile.h"
#include "support/live_counts.h"

// A field built from an in-memory data file.
class FieldTest : public testing::Test {
protected:
    // Catalogue object holding the picture of each kind, in kind order.
    static constexpr int SPRITE_INDEX_OF_KIND[POWERUP_KINDS] = {5, 6, 8, 9, 10, 11, 12, 13, 14, 15, 7};

    FieldTest() {
        data.install();
        field = std::make_unique<PowerUpField>();
    }
    ~FieldTest() override {
        field.reset();
        data.forget_item_sprites();
    }

    // Drops an item through spawn, then makes it the wanted kind at the
    // wanted place. Returns its slot, the lowest free one.
    int place(int type, Vec2 where) {
        int slot = 0;
        while (slot < field->powerups.size() && field->powerups.at(slot).type != PU_FREE) slot++;
        field->spawn();
        PowerUp& item = field->powerups.at(slot);
        item.type = type;
        item.set_sprite(field->sprites[type]);
        item.set_position(where);
        return slot;
    }

    FakeDataFile data;
    std::unique_ptr<PowerUpField> field;
};
