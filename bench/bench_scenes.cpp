#include "bench_scenes.h"

#include <allegro.h>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "render/camera.h"
#include "shell/catalogue.h"
#include "shell/resources.h"
#include "fakes/fake_datafile.h"

namespace {

FakeDataFile* stand_in = nullptr;

void release_keys() {
    std::memset(const_cast<char*>(key), 0, KEY_MAX);
    key_shifts = 0;
}

}  // namespace

void load_bench_data(int depth) {
    set_color_depth(depth);
    // Each depth gets its own copy; the field destroys its item sprites, so
    // nothing is ever unloaded here.
    DATAFILE* file = load_datafile(VEXO_GENERATED_DATAFILE);
    if (file && catalogue_first_bad_index(file) < 0) {
        data_file = file;
        bullet_sprites[0] = static_cast<BITMAP*>(file[CAT_BULLET_WEAPON_0].dat);
        bullet_sprites[1] = static_cast<BITMAP*>(file[CAT_BULLET_WEAPON_1].dat);
        bullet_sprites[2] = static_cast<BITMAP*>(file[CAT_BULLET_WEAPON_2].dat);
        return;
    }
    stand_in = new FakeDataFile();
    stand_in->install();
}

BenchMatch::BenchMatch(int depth, Scene s) : scene(s) {
    load_bench_data(depth);
    std::srand(1);
    next_player = 0;
    back_buffer = create_bitmap_ex(depth, 640, 480);
    clear_bitmap(back_buffer);
    game = std::make_unique<Match>(back_buffer, 640, 480);
    game->ship1.set_sprite(static_cast<BITMAP*>(data_file[CAT_SHIP_1].dat));
    game->ship2.set_sprite(static_cast<BITMAP*>(data_file[CAT_SHIP_2].dat));
    camera.set_identity();
    start_battle(*game);
    release_keys();
    if (scene == Scene::BUSY_FIGHT) set_up_busy_fight();
    if (scene == Scene::FLOOD) set_up_flood();
    battle_frame(*game);
}

BenchMatch::~BenchMatch() {
    release_keys();
    game.reset();
    destroy_bitmap(back_buffer);
}

// Ships 2200 units apart, facing each other, both firing triple shots of the
// quickest weapon, among 20 items; run until the shots fill the space between.
void BenchMatch::set_up_busy_fight() {
    for (int i = 0; i < 20; i++) game->powerups.spawn();
    game->ship1.set_position(Vec2(-1100.0, 0.0));
    game->ship2.set_position(Vec2(1100.0, 0.0));
    game->ship1.vel = Vec2();
    game->ship2.vel = Vec2();
    game->ship1.angle = 64.0;   // toward +x
    game->ship2.angle = 192.0;  // toward -x
    game->ship1.select_weapon(1);
    game->ship2.select_weapon(1);
    for (int t = 0; t < 600; t++) {
        hold_scene();
        battle_logic_step(*game);
        battle_frame(*game);
    }
}

// 500 items and 1000 standing shots spread over the view, none touching a ship.
void BenchMatch::set_up_flood() {
    for (int i = 0; i < 500; i++) game->powerups.spawn();
    game->ship1.set_position(Vec2(-700.0, -400.0));
    game->ship2.set_position(Vec2(700.0, 400.0));
    game->ship1.vel = Vec2();
    game->ship2.vel = Vec2();
    battle_frame(*game);  // the view the shots are placed in
    Ship* owners[2] = {&game->ship1, &game->ship2};
    for (int s = 0; s < 2; s++) {
        Ship& ship = *owners[s];
        ship.bullets.resize(500);
        for (int i = 0; i < 500; i++) {
            Bullet& b = ship.bullets.at(i);
            b.pos = Vec2(-1000.0 + (i % 50) * 40.0, -150.0 + (i / 50) * 30.0 + s * 12.0);
            b.vel = Vec2();
            b.kind = 1;
            b.damage = 1;
            b.speed = 13.0;
            b.sprite = bullet_sprites[(i + s) % 3];
            b.target = s == 0 ? &game->ship2 : &game->ship1;
        }
    }
}

void BenchMatch::hold_scene() {
    game->powerups.spawn_timer = FIRST_SPAWN_DELAY;  // no automatic items pile up
    if (scene != Scene::BUSY_FIGHT) return;
    for (Ship* ship : {&game->ship1, &game->ship2}) {
        ship->health = SHIP_FULL_HEALTH;
        ship->flags = TRIPLE_SHOT;
    }
    key_shifts = KB_CTRL_FLAG | KB_SHIFT_FLAG;
}

int BenchMatch::live_bullets() {
    int live = 0;
    for (Ship* ship : {&game->ship1, &game->ship2})
        for (int i = 0; i < ship->bullets.size(); i++) live += ship->bullets.at(i).kind != 0;
    return live;
}

int BenchMatch::live_items() {
    int live = 0;
    for (int i = 0; i < game->powerups.powerups.size(); i++) live += game->powerups.powerups.at(i).type != PU_FREE;
    return live;
}
