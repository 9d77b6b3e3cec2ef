#pragma once

#include "combat/body.h"
#include "combat/bullet.h"

struct BITMAP;

// Ability bits of Ship::flags. Bits 64, 128 and 256 mean nothing.
enum ShipFlags : unsigned int {
    TRIPLE_SHOT = 1,
    FAST_SHOTS = 2,
    BOUNCING_SHOTS = 4,
    HOMING_SHOTS = 8,
    SPEED_BOOST = 16,
    QUICK_TURN = 32,
};

// Every one of the nine bits at once, the three meaningless ones included:
// the all-abilities grant.
constexpr unsigned int ALL_SHIP_FLAGS = 511;

// Player index (and starting weapon) of the next ship built. Written only by
// the Ship constructor; never reset.
extern int next_player;

constexpr int SHIP_FULL_HEALTH = 100;
constexpr int HOMING_DURATION = 600;   // ticks of homing from one add_flags(HOMING_SHOTS)
constexpr int RESPAWN_DELAY = 60;      // ticks from death to respawn
constexpr int HIT_FLASH_TICKS = 10;    // ticks the hit sparks show

// One player's craft. The fields hold the values of a newly built ship; the
// constructor adds what each ship gets of its own.
class Ship : public Body {
public:
    int deaths = 0;
    unsigned int flags = 0;
    double speed_damping = 10.0;  // divisor of the speed excess per tick
    int player = 0;  // set from next_player
    double max_speed = 3.0;
    BulletList bullets;  // one free record when built
    int fire_cooldown = 0;
    int homing_timer = 0;
    int respawn_timer = 0;  // ticks since the last death
    int hit_flash = 0;      // ticks left of the hit sparks
    int health = SHIP_FULL_HEALTH;
    Vec2 last_hit;
    int weapon = 0;  // set from next_player

    Ship();

    void rotate(double amount);
    void thrust(double amount);
    int get_health() const { return health; }
    void select_weapon(int n) { weapon = n; }
    void add_flags(unsigned int bits);
    void remove_flags(unsigned int bits) { flags &= ~bits; }
    void update();

    void fire(Ship& target);
    void check_hits(Ship& target);
    void take_damage(int amount, Vec2 where);

    // HUD, bullets, the ship or its explosion, and the hit sparks.
    void draw(BITMAP* target) const;
};
