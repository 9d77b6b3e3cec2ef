// vexo_font_dump PATH: saves the library's built-in 8 x 8 font as a picture,
// characters 32 to 126 side by side, white on black. The end-to-end
// scenarios read the text on the screen with it.
#include <allegro.h>
#include <cerrno>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 2 || install_allegro(SYSTEM_NONE, &errno, atexit) != 0) return 1;
    set_color_depth(16);
    char text[96] = {};
    for (int code = 32; code < 127; code++) text[code - 32] = static_cast<char>(code);
    BITMAP* strip = create_bitmap(8 * 95, 8);
    if (!strip) return 1;
    clear_to_color(strip, 0);
    textout_ex(strip, font, text, 0, 0, makecol(255, 255, 255), 0);
    return save_bitmap(argv[1], strip, nullptr) == 0 ? 0 : 1;
}
END_OF_MAIN()
