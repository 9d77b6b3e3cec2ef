#pragma once

#include <memory>

#include "shell/match_steps.h"

struct BITMAP;

enum class Scene { OPENING, BUSY_FIGHT, FLOOD };

// A battle as the start-up leaves it, drawing into a 640 x 480 memory bitmap
// of the given depth, with the data file loaded at that depth.
class BenchMatch {
public:
    BenchMatch(int depth, Scene scene);
    ~BenchMatch();
    BenchMatch(const BenchMatch&) = delete;
    BenchMatch& operator=(const BenchMatch&) = delete;

    Match& match() { return *game; }
    BITMAP* buffer() { return back_buffer; }
    // Keeps the scene as it was set up across ticks: full health, the
    // scene's abilities, the keys it holds.
    void hold_scene();
    int live_bullets();
    int live_items();

private:
    Scene scene;
    BITMAP* back_buffer = nullptr;
    std::unique_ptr<Match> game;
    void set_up_busy_fight();
    void set_up_flood();
};

// Loads the data file (the generated one, or a made-up stand-in) at a depth.
void load_bench_data(int depth);
