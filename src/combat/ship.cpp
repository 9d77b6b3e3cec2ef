#include "combat/ship.h"
// placeholder until the combat work lands
int next_player = 0;
Ship::Ship() { player = weapon = next_player++; }
void Ship::rotate(double) {}
void Ship::thrust(double) {}
void Ship::add_flags(unsigned int bits) { flags |= bits; }
void Ship::update() {}
void Ship::fire(Ship&) {}
void Ship::spawn_bullet(Ship&, double, double, bool) {}
void Ship::check_hits(Ship&) {}
void Ship::take_damage(int, Vec2) {}
void Bullet::update() {}
