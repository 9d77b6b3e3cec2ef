#include "audio/sound_bank.h"
#include "combat/bullet_spawn.h"
#include "combat/ship.h"
#include "combat/weapons.h"
#include "shell/resources.h"

namespace {
constexpr double TRIPLE_SHOT_SPREAD = 8.0;  // angle units, 11.25 degrees
constexpr double FAST_SHOT_MULTIPLIER = 2.0;
}  // namespace

void Ship::fire(Ship& target) {
    if (fire_cooldown > 0 || health <= 0) return;

    double multiplier = (flags & FAST_SHOTS) ? FAST_SHOT_MULTIPLIER : 1.0;
    bool bounce = (flags & BOUNCING_SHOTS) != 0;

    spawn_bullet(*this, target, angle, multiplier, bounce);
    if (flags & TRIPLE_SHOT) {
        spawn_bullet(*this, target, angle - TRIPLE_SHOT_SPREAD, multiplier, bounce);
        spawn_bullet(*this, target, angle + TRIPLE_SHOT_SPREAD, multiplier, bounce);
    }
    // One sound however many bullets left the ship.
    sound_bank.play_sound(WEAPONS[weapon].sound_slot);
}

void spawn_bullet(Ship& shooter, Ship& target, double heading, double multiplier, bool bounce) {
    BulletList& bullets = shooter.bullets;
    int slot = 0;
    while (slot < bullets.size() && bullets.at(slot).kind != 0) slot++;
    if (slot == bullets.size()) bullets.resize(bullets.size() + 1);

    const WeaponSpec& row = WEAPONS[shooter.weapon];
    double launch_speed = multiplier * row.speed_factor;
    Vec2 d;
    d.set_from_angle(heading * ANGLE_UNIT_RADIANS, launch_speed);

    // The bullet inherits the shooter's velocity and leaves along the heading.
    Bullet& b = bullets.at(slot);
    b.pos = shooter.pos;
    b.vel = Vec2(shooter.vel.x + d.x, shooter.vel.y - d.y);
    b.angle = heading;
    b.speed = launch_speed;
    b.kind = row.kind;
    b.damage = row.damage;
    b.sprite = bullet_sprites[shooter.weapon];
    b.bounces = bounce;
    b.homing = (shooter.flags & HOMING_SHOTS) ? 1 : 0;
    b.target = &target;

    shooter.fire_cooldown = row.cooldown;
}

// A dead target lets bullets pass through. The test is made once: the rest of
// a volley that kills still hits the wreck and is used up, harmlessly.
void Ship::check_hits(Ship& target) {
    if (target.get_health() <= 0) return;
    for (int i = 0; i < bullets.size(); i++) {
        Bullet& b = bullets.at(i);
        if (b.kind != 0 && b.overlaps(target)) {
            target.take_damage(b.damage, b.position());
            b.kind = 0;
        }
    }
}

// A negative amount heals, with no upper limit, and shows like a hit.
void Ship::take_damage(int amount, Vec2 where) {
    if (health <= 0) return;
    last_hit = where;
    health -= amount;
    if (health <= 0) {
        deaths += 1;
        respawn_timer = 0;
        sound_bank.play_sound(SOUND_DEATH);
    } else {
        sound_bank.play_sound(SOUND_HIT);
        hit_flash = HIT_FLASH_TICKS;
    }
}
