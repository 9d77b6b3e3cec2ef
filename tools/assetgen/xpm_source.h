#pragma once
#include <allegro.h>

#include <string>

// Writes a picture as C++ source holding X11 pixmap (XPM) data: an array
// `name` of C strings, the form in which Allegro's X11 driver takes a
// program's icon. The mask colour becomes "None", the picture's transparent
// surround.
bool write_xpm_source(BITMAP* picture, const std::string& name, const std::string& path);
