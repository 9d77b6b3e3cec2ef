#include "powerups/powerup_field.h"
// placeholder until the power-up work lands
PowerUpField::PowerUpField() { powerups.resize(1); }
PowerUpField::~PowerUpField() {}
void PowerUpField::tick() {}
void PowerUpField::spawn() {}
void PowerUpField::collect(Ship&) {}
void PowerUpField::apply_effect(Ship&, const PowerUp&) {}
void PowerUpField::draw(BITMAP*) const {}
