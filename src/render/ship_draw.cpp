#include <allegro.h>
#include <cmath>

#include "combat/ship.h"
#include "render/camera.h"

// The HUD strip is laid out in fixed pixels of the 640 x 480 screen: ship 1
// on the left, ship 2 from column 350. Within its column each ship shows its
// deaths on the top text row and its health on the next, with the bar framed
// in the gap between the label and the number.
static const int HUD_COLUMN_STEP = 350;
static const int DEATHS_ROW = 0;
static const int HEALTH_ROW = 11;
static const int BAR_FRAME_LEFT = 20;  // from the column
static const int BAR_FRAME_RIGHT = 120;
static const int BAR_FRAME_TOP = 9;
static const int BAR_FRAME_BOTTOM = 19;
// The bar fills the frame's inside from the left. Its length runs from
// BAR_MIN to BAR_MAX and it is drawn one pixel narrower: a one-pixel stub at
// BAR_MIN, 99 pixels at full health.
static const int BAR_LEFT = BAR_FRAME_LEFT + 1;
static const int BAR_TOP = BAR_FRAME_TOP + 1;
static const int BAR_BOTTOM = BAR_FRAME_BOTTOM - 1;
static const int BAR_MIN = 2;
static const int BAR_MAX = 100;
// The ring around a live ship, in world units.
static const double SHIP_RING_RADIUS = 16.0;

static int clamp(int v, int lo, int hi) {
    return v < lo ? lo : (v > hi ? hi : v);
}

static int hud_colour(int player) {
    return player == 0 ? makecol(255, 128, 128) : makecol(128, 128, 255);
}

// Red when empty, green when full; the 2.55 product is taken in double and
// truncated, so full health shows 254.
static int health_bar_colour(int health) {
    int h = clamp(health, 0, 100);
    return makecol(static_cast<int>((100 - h) * 2.55), static_cast<int>(h * 2.55), 50);
}

static int over_full_colour(int excess) {
    return makecol(50, 50, static_cast<int>(excess * 2.55));
}

// Column of the bar's right edge for a length already clamped to
// BAR_MIN..BAR_MAX.
static int bar_right(int column, int length) {
    return column + BAR_LEFT + length - BAR_MIN;
}

static void draw_hud(BITMAP* target, const Ship& ship) {
    int x = HUD_COLUMN_STEP * ship.player;
    int colour = hud_colour(ship.player);

    textprintf_ex(target, font, x, DEATHS_ROW, colour, -1, "P%d: Deaths: %3d", ship.player + 1,
                  ship.deaths);
    // The fourteen spaces leave room for the bar between the label and the
    // number.
    textprintf_ex(target, font, x, HEALTH_ROW, colour, -1, "HP              %3d", ship.health);
    rect(target, x + BAR_FRAME_LEFT, BAR_FRAME_TOP, x + BAR_FRAME_RIGHT, BAR_FRAME_BOTTOM, colour);

    // A dead ship still shows a one-pixel stub.
    int length = clamp(ship.health, BAR_MIN, BAR_MAX);
    rectfill(target, x + BAR_LEFT, BAR_TOP, bar_right(x, length), BAR_BOTTOM,
             health_bar_colour(ship.health));

    if (ship.health > SHIP_FULL_HEALTH) {
        int excess = clamp(ship.health - SHIP_FULL_HEALTH, BAR_MIN, BAR_MAX);
        rectfill(target, x + BAR_LEFT, BAR_TOP, bar_right(x, excess), BAR_BOTTOM,
                 over_full_colour(excess));
    }
}

// The size is read again before every step, as the list may only grow.
static void draw_live_bullets(BITMAP* target, const Ship& ship) {
    for (int i = 0; i < ship.bullets.size(); i++) {
        const Bullet& bullet = ship.bullets.at(i);
        if (bullet.kind != 0) bullet.draw(target);
    }
}

// A circle below radius 1 would be a single dot or nothing meaningful: the
// explosion's inner rings only appear once they have grown to a pixel.
static void explosion_ring(BITMAP* target, int x, int y, double radius, int colour) {
    int r = static_cast<int>(radius);
    if (r >= 1) circle(target, x, y, r, colour);
}

// Two groups of three rings one pixel apart, the inner group growing at
// half speed; both fade as the respawn nears.
static void draw_explosion(BITMAP* target, int sx, int sy, int t) {
    double grown = t * camera.zoom;
    int outer = makecol(255 - 4 * t, t / 4, t / 4);
    explosion_ring(target, sx, sy, grown, outer);
    explosion_ring(target, sx, sy, grown - 1.0, outer);
    explosion_ring(target, sx, sy, grown - 2.0, outer);

    int inner = makecol(2 * (64 - t), t, t);
    explosion_ring(target, sx, sy, grown * 0.5, inner);
    explosion_ring(target, sx, sy, grown * 0.5 - 1.0, inner);
    explosion_ring(target, sx, sy, grown * 0.5 - 2.0, inner);
}

// Eight rays that grow from nothing as hit_flash counts down. The angle step
// and limit carry five digits of pi, which makes the star slightly lopsided.
static void draw_hit_sparks(BITMAP* target, const Ship& ship) {
    if (ship.hit_flash <= 0) return;

    int hx = static_cast<int>(screen_x(ship.last_hit.x));
    int hy = static_cast<int>(screen_y(ship.last_hit.y));
    double length = (HIT_FLASH_TICKS - ship.hit_flash) * camera.zoom;
    int colour = makecol(255, 64, 64);
    for (double a = 0.0; a < 6.28318; a += 0.7853975) {
        int ex = static_cast<int>(hx + length * std::cos(a));
        int ey = static_cast<int>(hy + length * std::sin(a));
        line(target, hx, hy, ex, ey, colour);
    }
}

void Ship::draw(BITMAP* target) const {
    draw_hud(target, *this);
    draw_live_bullets(target, *this);

    int sx = static_cast<int>(screen_x(pos.x));
    int sy = static_cast<int>(screen_y(pos.y));
    if (health > 0) {
        Body::draw(target);
        int ring = static_cast<int>(camera.zoom * SHIP_RING_RADIUS);
        circle(target, sx, sy, ring, makecol(255, 255, 128));
    } else {
        draw_explosion(target, sx, sy, respawn_timer);
    }

    draw_hit_sparks(target, *this);
}
