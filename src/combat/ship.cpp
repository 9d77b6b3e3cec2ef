#include "combat/ship.h"

#include <cstdlib>

int next_player = 0;

namespace {
constexpr int SHIP_SIZE = 32;  // the collision box's side
// A new ship starts within this square from the origin toward +x and +y.
constexpr int START_SQUARE = 200;
constexpr double START_HEADING = 64.0;  // pointing toward +x
// A new ship drifts toward +x with this tiny push.
constexpr double START_DRIFT_ANGLE = 1.570795;
constexpr double START_DRIFT_SPEED = 0.002;
constexpr double QUICK_TURN_FACTOR = 3.0;
constexpr double BOOSTED_DAMPING = 20.0;
// A respawned ship comes back within this square around the arena's centre.
constexpr int RESPAWN_SQUARE = 500;
}  // namespace

Ship::Ship() {
    weapon = player = next_player;
    next_player += 1;

    // Both ships start somewhere near the middle; x is drawn before y.
    pos.x = std::rand() % START_SQUARE;
    pos.y = std::rand() % START_SQUARE;

    angle = START_HEADING;
    vel.set_from_angle(START_DRIFT_ANGLE, START_DRIFT_SPEED);

    bullets.resize(1);
    width = SHIP_SIZE;
    height = SHIP_SIZE;
    bounces = true;
}

void Ship::rotate(double amount) {
    if (flags & QUICK_TURN) amount *= QUICK_TURN_FACTOR;
    angle += amount;
}

void Ship::thrust(double amount) {
    Vec2 d;
    d.set_from_angle(angle * ANGLE_UNIT_RADIANS, amount);
    vel.x += d.x;
    vel.y -= d.y;
}

// Only a power-up's single bit starts its clock or its damping; a combined
// grant (the all-abilities cheat) just sets the bits.
void Ship::add_flags(unsigned int bits) {
    flags |= bits;
    if (bits == HOMING_SHOTS) homing_timer = HOMING_DURATION;
    if (bits == SPEED_BOOST) speed_damping = BOOSTED_DAMPING;
}

void Ship::update() {
    for (int i = 0; i < bullets.size(); i++) {
        if (bullets.at(i).kind != 0) bullets.at(i).update();
    }

    if (fire_cooldown > 0) fire_cooldown -= 1;
    if (hit_flash > 0) hit_flash -= 1;
    if (homing_timer > 0) {
        homing_timer -= 1;
        if (homing_timer == 0) remove_flags(HOMING_SHOTS);
    }

    // Flags are written directly: the damping of a boost outlives the death
    // and a running homing clock keeps counting.
    if (health <= 0) {
        respawn_timer += 1;
        if (respawn_timer >= RESPAWN_DELAY) {
            health = SHIP_FULL_HEALTH;
            flags = 0;
            pos.x = std::rand() % RESPAWN_SQUARE - RESPAWN_SQUARE / 2;
            pos.y = std::rand() % RESPAWN_SQUARE - RESPAWN_SQUARE / 2;
        }
    }

    // Over the limit the ship sheds a fraction of its excess each tick, so
    // a boosted ship that loses the boost slows down gradually.
    double speed = vel.length();
    double limit = (flags & SPEED_BOOST) ? 2.0 * max_speed : max_speed;
    if (speed > limit) vel.set_length(speed - (speed - limit) / speed_damping);

    move();
}
