#include "powerups/powerup_field.h"

#include <allegro.h>
#include <cstdlib>

#include "combat/arena.h"
#include "combat/ship.h"
#include "shell/catalogue.h"
#include "shell/resources.h"

namespace {

// The item pictures do not lie in kind order in vexo.dat: the third
// weapon's item sits between the bouncing-shots and speed-boost items.
int sprite_index_of_kind(int kind) {
    if (kind == PU_WEAPON_2) return CAT_POWERUP_10;
    if (kind < PU_SPEED_BOOST) return CAT_POWERUP_0 + kind;
    return CAT_POWERUP_2 + (kind - PU_SPEED_BOOST);
}

// Anywhere in the arena. The first number drawn gives y, the second x, for
// dropped items and teleported ships alike.
Vec2 random_arena_position() {
    int a = std::rand();
    int b = std::rand();
    return Vec2(b % ARENA_WIDTH + ARENA_LEFT, a % ARENA_HEIGHT + ARENA_TOP);
}

constexpr int NEXT_SPAWN_SPREAD = 600;  // 60..659 ticks between automatic items
constexpr int NEXT_SPAWN_MINIMUM = 60;

}  // namespace

PowerUpField::PowerUpField() {
    powerups.resize(1);
    for (int kind = 0; kind < POWERUP_KINDS; kind++)
        sprites[kind] = static_cast<BITMAP*>(data_object(sprite_index_of_kind(kind)));
}

// The sprites are the data file's own bitmaps; the data file is never
// unloaded, so this is where they are let go.
PowerUpField::~PowerUpField() {
    for (BITMAP* sprite : sprites) destroy_bitmap(sprite);
}

void PowerUpField::tick() {
    spawn_timer--;
    if (spawn_timer <= 0) {
        spawn();
        spawn_timer = std::rand() % NEXT_SPAWN_SPREAD + NEXT_SPAWN_MINIMUM;
    }
}

void PowerUpField::spawn() {
    int slot = 0;
    while (slot < powerups.size() && powerups.at(slot).type != PU_FREE) slot++;
    if (slot == powerups.size()) powerups.resize(slot + 1);

    PowerUp& item = powerups.at(slot);
    item.set_position(random_arena_position());
    item.vel = Vec2(0.0, 0.0);
    item.angle = 0.0;
    item.type = std::rand() % POWERUP_KINDS;
    item.set_sprite(sprites[item.type]);
}

void PowerUpField::collect(Ship& ship) {
    for (int i = 0; i < powerups.size(); i++) {
        PowerUp& item = powerups.at(i);
        if (item.type == PU_FREE) continue;
        if (!item.overlaps(ship)) continue;
        apply_effect(ship, item);
        item.type = PU_FREE;
    }
}

void PowerUpField::apply_effect(Ship& ship, const PowerUp& item) {
    switch (item.type) {
    case PU_TRIPLE_SHOT: ship.add_flags(TRIPLE_SHOT); break;
    case PU_BOUNCING_SHOTS: ship.add_flags(BOUNCING_SHOTS); break;
    case PU_SPEED_BOOST: ship.add_flags(SPEED_BOOST); break;
    case PU_FAST_SHOTS: ship.add_flags(FAST_SHOTS); break;
    case PU_HOMING_SHOTS: ship.add_flags(HOMING_SHOTS); break;
    // A heal is a hit with a negative amount: the ship shows sparks and
    // plays the hit sound where it picked the item up.
    case PU_REPAIR: ship.take_damage(-REPAIR_AMOUNT, item.position()); break;
    case PU_TELEPORT: ship.set_position(random_arena_position()); break;
    case PU_QUICK_TURN: ship.add_flags(QUICK_TURN); break;
    case PU_WEAPON_0: ship.select_weapon(0); break;
    case PU_WEAPON_1: ship.select_weapon(1); break;
    case PU_WEAPON_2: ship.select_weapon(2); break;
    default: break;
    }
}

void PowerUpField::draw(BITMAP* target) const {
    for (int i = 0; i < powerups.size(); i++) {
        const PowerUp& item = powerups.at(i);
        if (item.type != PU_FREE) item.draw(target);
    }
}
