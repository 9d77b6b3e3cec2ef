#include "shell/console.h"

#include <allegro.h>
#include <cstdarg>
#include <cstdio>

Console console;

void Console::print(const char* line) {
    if (mode != ON_SCREEN) return;
    if (!screen) {
        // No window could be opened: the player reads the log on stderr.
        std::fprintf(stderr, "%s\n", line);
        std::fflush(stderr);
        return;
    }
    if (line_y > SCREEN_H - 7) {
        clear_bitmap(screen);
        line_y = 0;
    }
    textout_ex(screen, font, line, 0, line_y, makecol(255, 255, 255), -1);
    line_y += LINE_HEIGHT;
}

const char* Console::format(const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    std::vsnprintf(text, BUFFER_SIZE, fmt, args);
    va_end(args);
    text[BUFFER_SIZE - 1] = '\0';
    return text;
}
