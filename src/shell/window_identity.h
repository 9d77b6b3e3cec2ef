#pragma once

// What the desktop shows of the game's window: the title "Vexo" and, on X11,
// the class "vexo" and the game's own icon (on Windows the icon is the
// executable's resource of the name the library looks for).
//
// The library creates its window in allegro_init and reads the class and the
// icon only then, so name_window() must come before it; allegro_init then
// titles the window after the executable, so title_window() must come after.
void name_window();
void title_window();
