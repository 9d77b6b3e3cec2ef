#pragma once

// The start-up log: lines drawn one under another on the visible screen.
class Console {
public:
    static constexpr int SILENT = -1;
    static constexpr int ON_SCREEN = 1;
    static constexpr int BUFFER_SIZE = 4096;
    static constexpr int LINE_HEIGHT = 8;

    int mode = SILENT;
    int line_y = 0;  // kept across the change of screen mode

    void set_mode(int m) { mode = m; }
    // One line. With no screen to draw on, the line goes to standard error so
    // that the player still learns why the game stopped.
    void print(const char* text);
    // printf into the one shared buffer; valid until the next format. Output
    // longer than the buffer is cut short, never written past it.
    const char* format(const char* fmt, ...) __attribute__((format(printf, 2, 3)));

private:
    char text[BUFFER_SIZE] = {};
};

// Written only by the start-up.
extern Console console;
