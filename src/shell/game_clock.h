#pragma once

#include <atomic>

// Logic ticks due and not yet run. The library's timer thread adds one 60
// times a second; the main loop counts them off and clears them per phase.
struct GameClock {
    std::atomic<int> ticks{0};
};

constexpr int TICKS_PER_SECOND = 60;

extern GameClock game_clock;

// Installed on the library timer; does nothing but count a tick.
void tick_handler();
