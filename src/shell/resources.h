#pragma once

struct DATAFILE;
struct BITMAP;

// The loaded vexo.dat. Written once by the start-up; never unloaded.
extern DATAFILE* data_file;
// Bullet sprite of each weapon. Written by the start-up from the catalogue.
extern BITMAP* bullet_sprites[3];

// Object i of the loaded data file, as the type the caller knows it holds.
void* data_object(int index);
