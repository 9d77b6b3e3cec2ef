#pragma once

#include "combat/vec2.h"

struct BITMAP;

// The base record of everything that moves or is drawn in the arena: ships,
// bullets and power-ups. The collision box has its minimum corner at pos.
class Body {
public:
    int height = 0;
    int width = 0;
    bool bounces = false;
    Vec2 pos;
    Vec2 vel;
    double angle = 0.0;        // angle units, 256 per turn, 0 = up, never wrapped
    BITMAP* sprite = nullptr;  // borrowed from the data file

    void set_position(Vec2 p) { pos = p; }
    Vec2 position() const { return pos; }
    void set_sprite(BITMAP* s) { sprite = s; }
    void set_bounces(bool b) { bounces = b; }

    // True when the two boxes share interior area; touching edges do not count.
    bool overlaps(const Body& other) const;
    // One tick: rebound from the arena walls (when bounces), then pos += vel.
    void move();
    // Sprite rotated and scaled through the camera, centred on pos
    // (defined with the camera).
    void draw(BITMAP* target) const;
};
