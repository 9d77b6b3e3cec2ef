#pragma once
#include <allegro.h>

#include "catalogue_files.h"

// The sprite of a bitmap object of the data file, or null for other objects.
BITMAP* sprite_for(const CatalogueFile& file);

// The square desktop icon, size pixels wide: the red dart climbing past a
// blue manta against a small patch of stars.
BITMAP* draw_icon(int size);
// Every sprite of the data file at zoom 1 and zoom 3, labelled with its
// object index, on the game's black.
BITMAP* draw_contact_sheet();
