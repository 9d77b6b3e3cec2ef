#pragma once

#include <gtest/gtest.h>
#include <memory>

#include "combat/ship.h"
#include "powerups/powerup_field.h"
#include "fakes/fake_datafile.h"

// A field built from an in-memory data file.
class FieldTest : public testing::Test {
protected:
    FakeDataFile data;
    std::unique_ptr<PowerUpField> field;

    FieldTest() {
        data.install();
        field = std::make_unique<PowerUpField>();
    }

    ~FieldTest() override {
        field.reset();
        data.forget_item_sprites();
    }

    // Catalogue object holding the picture of each kind, in kind order.
    static constexpr int SPRITE_INDEX_OF_KIND[POWERUP_KINDS] = {5, 6, 8, 9, 10, 11, 12, 13, 14, 15, 7};

    BITMAP* catalogue_bitmap(int index) { return static_cast<BITMAP*>(data.objects()[index].dat); }

    // Drops an item through spawn, then makes it the wanted kind at the
    // wanted place. Returns its slot.
    int place(int type, Vec2 where) {
        int slot = lowest_free_slot();
        field->spawn();
        PowerUp& item = field->powerups.at(slot);
        item.type = type;
        item.set_sprite(field->sprites[type]);
        item.set_position(where);
        return slot;
    }

    // Where the next spawn goes: the lowest free slot, or a new last one.
    int lowest_free_slot() const {
        int slot = 0;
        while (slot < field->powerups.size() && field->powerups.at(slot).type != PU_FREE) slot++;
        return slot;
    }

    int live_items() const {
        int live = 0;
        for (int i = 0; i < field->powerups.size(); i++)
            if (field->powerups.at(i).type != PU_FREE) live++;
        return live;
    }
};
