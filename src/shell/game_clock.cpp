#include "shell/game_clock.h"

GameClock game_clock;

void tick_handler() {
    game_clock.ticks++;
}
