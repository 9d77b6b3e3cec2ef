#pragma once

// The walled play area, centred on the origin.
constexpr double ARENA_LEFT = -1500.0;
constexpr double ARENA_RIGHT = 1500.0;
constexpr double ARENA_TOP = -1000.0;
constexpr double ARENA_BOTTOM = 1000.0;
// Its size in whole world units.
constexpr int ARENA_WIDTH = static_cast<int>(ARENA_RIGHT - ARENA_LEFT);
constexpr int ARENA_HEIGHT = static_cast<int>(ARENA_BOTTOM - ARENA_TOP);
// A body that rebounds is put back this far inside the wall.
constexpr double WALL_REBOUND_INSET = 10.0;
