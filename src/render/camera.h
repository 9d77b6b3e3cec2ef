#pragma once

class Body;

// The one shared view: a world rectangle and the screen pixels per world
// unit. The view is laid out for a 640 x 480 logical screen whatever mode the
// player chose.
struct Camera {
    double left = 0.0;
    double top = 0.0;
    double right = 640.0;
    double bottom = 480.0;
    double zoom = 1.0;

    // A world point (x, y) lands on pixel (x, y).
    void set_identity();
    // Centre between the two ships, their distance spanning 480 pixels, never
    // closer in than 3 pixels per world unit.
    void fit(const Body& a, const Body& b);
};

constexpr double VIEW_WIDTH = 640.0;
constexpr double VIEW_HEIGHT = 480.0;
constexpr double MAX_ZOOM = 3.0;

// Written by the start-up (identity view) and by fit at the start of every
// battle frame; read by all drawing and by the bullets' view culling.
extern Camera camera;
