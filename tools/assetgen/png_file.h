#pragma once
#include <allegro.h>
#include <string>

// RGBA PNG through libpng; the mask colour becomes fully transparent.
bool write_png(BITMAP* bitmap, const std::string& path);
