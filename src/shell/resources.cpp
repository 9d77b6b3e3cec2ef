#include "shell/resources.h"

#include <allegro.h>

DATAFILE* data_file = nullptr;
BITMAP* bullet_sprites[3] = {nullptr, nullptr, nullptr};

void* data_object(int index) {
    return data_file[index].dat;
}
