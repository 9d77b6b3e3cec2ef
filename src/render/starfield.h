#pragma once

#include "combat/vec2.h"

struct BITMAP;

constexpr int STAR_COUNT = 4000;

// 4000 fixed background stars in world space, drawn through the camera so
// they pan and zoom with the view. A star's index sets its brightness.
class Starfield {
public:
    Vec2 stars[STAR_COUNT];

    Starfield() { scatter(); }
    void scatter();
    void draw(BITMAP* target) const;
};
