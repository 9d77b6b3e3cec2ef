#include "render/camera.h"

#include "combat/body.h"

Camera camera;

void Camera::set_identity() {
    *this = Camera();
}

void Camera::fit(const Body& a, const Body& b) {
    double cx = (a.pos.x + b.pos.x) * 0.5;
    double cy = (a.pos.y + b.pos.y) * 0.5;
    double d = a.pos.distance_to(b.pos);

    // Coincident ships give 480 / 0 = +infinity (IEEE, no trap), which the
    // cap turns into the closest view.
    zoom = VIEW_HEIGHT / d;
    if (zoom > MAX_ZOOM) zoom = MAX_ZOOM;

    double inv = 1.0 / zoom;
    left = cx - VIEW_WIDTH * 0.5 * inv;
    top = cy - VIEW_HEIGHT * 0.5 * inv;
    right = left + VIEW_WIDTH * inv;
    bottom = top + VIEW_HEIGHT * inv;
}

Vec2 Vec2::to_screen() {
    x = screen_x(x);
    y = screen_y(y);
    return *this;
}
