#pragma once

// A world-space vector: positions in world units, velocities in units per tick.
struct Vec2 {
    double x = 0.0;
    double y = 0.0;

    Vec2() = default;
    Vec2(double x_, double y_) : x(x_), y(y_) {}

    // Rescales to length m, keeping the direction. A zero vector stays (0, 0):
    // it has no direction to keep.
    void set_length(double m);
    // x = sin(a) * m, y = cos(a) * m; a in radians. Callers add x and subtract
    // y, which makes heading 0 point up the screen.
    void set_from_angle(double a, double m);
    double distance_to(const Vec2& p) const;
    double length() const;

    // World to screen through the camera: overwrites this vector with its
    // screen coordinates and returns a copy (defined with the camera).
    Vec2 to_screen();
};

// One angle unit in radians: 256 units make a turn (pi taken as 3.14159).
constexpr double ANGLE_UNIT_RADIANS = 0.024543671875;
