#pragma once

class Body;

// The view is laid out for a 640 x 480 logical screen whatever mode the
// player chose.
constexpr double VIEW_WIDTH = 640.0;
constexpr double VIEW_HEIGHT = 480.0;
// The same screen in whole pixels.
constexpr int VIEW_COLUMNS = static_cast<int>(VIEW_WIDTH);
constexpr int VIEW_ROWS = static_cast<int>(VIEW_HEIGHT);
constexpr double MAX_ZOOM = 3.0;

// The one shared view: a world rectangle and the screen pixels per world
// unit.
struct Camera {
    double left = 0.0;
    double top = 0.0;
    double right = VIEW_WIDTH;
    double bottom = VIEW_HEIGHT;
    double zoom = 1.0;

    // A world point (x, y) lands on pixel (x, y).
    void set_identity();
    // Centre between the two ships, their distance spanning 480 pixels, never
    // closer in than 3 pixels per world unit.
    void fit(const Body& a, const Body& b);
};

// Written by the start-up (identity view) and by fit at the start of every
// battle frame; read by all drawing and by the bullets' view culling.
extern Camera camera;

// World to screen: how far a world coordinate lies from the view's corner,
// in pixels. Drawing truncates the result toward zero. A sprite takes its
// half size off as `inset`, in world units after the corner and before the
// scaling, so that its scaled centre lands on the body.
inline double screen_x(double world_x, double inset = 0.0) {
    return ((world_x - camera.left) - inset) * camera.zoom;
}
inline double screen_y(double world_y, double inset = 0.0) {
    return ((world_y - camera.top) - inset) * camera.zoom;
}
