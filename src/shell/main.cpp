// Vexo: two ships, one keyboard, one zooming view.
#include <allegro.h>

#include "audio/sound_bank.h"
#include "render/camera.h"
#include "shell/catalogue.h"
#include "shell/match.h"
#include "shell/resources.h"
#include "shell/startup.h"

int main() {
    ModeRequest mode;
    start_up(mode);
    BITMAP* back_buffer = create_back_buffer(mode);

    // Lives until the process exits; the exit tears nothing down by hand.
    Match match(back_buffer, mode.width, mode.height);
    match.ship1.set_sprite(static_cast<BITMAP*>(data_object(CAT_SHIP_1)));
    match.ship2.set_sprite(static_cast<BITMAP*>(data_object(CAT_SHIP_2)));
    bullet_sprites[0] = static_cast<BITMAP*>(data_object(CAT_BULLET_WEAPON_0));
    bullet_sprites[1] = static_cast<BITMAP*>(data_object(CAT_BULLET_WEAPON_1));
    bullet_sprites[2] = static_cast<BITMAP*>(data_object(CAT_BULLET_WEAPON_2));
    camera.set_identity();
    sound_bank.play_song(0);

    run_match(match);
}
END_OF_MAIN()
