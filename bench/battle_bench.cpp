// What one battle frame and one logic tick cost, in three scenes, next to the
// floor of clearing the back buffer and copying it once.
#include <allegro.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <map>
#include <vector>

#include "bench_scenes.h"

namespace {

using Clock = std::chrono::steady_clock;

double nanoseconds_since(Clock::time_point start) {
    return std::chrono::duration<double, std::nano>(Clock::now() - start).count();
}

// Clear the back buffer and copy it once: what any frame costs at least.
double floor_ns(int depth) {
    static std::map<int, double> measured;
    if (measured.count(depth)) return measured[depth];
    BITMAP* from = create_bitmap_ex(depth, 640, 480);
    BITMAP* to = create_bitmap_ex(depth, 640, 480);
    std::vector<double> runs;
    for (int r = 0; r < 2001; r++) {
        auto start = Clock::now();
        clear_bitmap(from);
        blit(from, to, 0, 0, 0, 0, 640, 480);
        runs.push_back(nanoseconds_since(start));
    }
    std::nth_element(runs.begin(), runs.begin() + 1000, runs.end());
    destroy_bitmap(from);
    destroy_bitmap(to);
    return measured[depth] = runs[1000];
}

void BM_Floor(benchmark::State& state) {
    int depth = static_cast<int>(state.range(0));
    BITMAP* from = create_bitmap_ex(depth, 640, 480);
    BITMAP* to = create_bitmap_ex(depth, 640, 480);
    for (auto _ : state) {
        clear_bitmap(from);
        blit(from, to, 0, 0, 0, 0, 640, 480);
        benchmark::ClobberMemory();
    }
    destroy_bitmap(from);
    destroy_bitmap(to);
}

void BM_Frame(benchmark::State& state) {
    int depth = static_cast<int>(state.range(0));
    BenchMatch bench(depth, static_cast<Scene>(state.range(1)));
    double floor = floor_ns(depth);
    double total = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        battle_frame(bench.match());
        double spent = nanoseconds_since(start);
        total += spent;
        state.SetIterationTime(spent * 1e-9);
    }
    state.counters["x_floor"] = total / static_cast<double>(state.iterations()) / floor;
    state.counters["bullets"] = bench.live_bullets();
    state.counters["items"] = bench.live_items();
}

// A tick changes the scene; the frame between ticks refits the view the
// bullets are culled against, as in the game, and is not counted.
void BM_Tick(benchmark::State& state) {
    BenchMatch bench(16, static_cast<Scene>(state.range(0)));
    double bullets = 0;
    for (auto _ : state) {
        bench.hold_scene();
        auto start = Clock::now();
        battle_logic_step(bench.match());
        state.SetIterationTime(nanoseconds_since(start) * 1e-9);
        battle_frame(bench.match());
        bullets += bench.live_bullets();
    }
    state.counters["bullets"] = bullets / static_cast<double>(state.iterations());
    state.counters["items"] = bench.live_items();
}

void scene_names(benchmark::internal::Benchmark* b, bool with_depth) {
    for (int depth : {16, 32}) {
        for (int scene : {0, 1, 2}) {
            if (with_depth) b->Args({depth, scene});
            else if (depth == 16) b->Args({scene});
        }
    }
}

}  // namespace

BENCHMARK(BM_Floor)->Arg(16)->Arg(32);
BENCHMARK(BM_Frame)->ArgNames({"depth", "scene"})->Apply([](auto* b) { scene_names(b, true); })->UseManualTime();
// Each timed tick pays an untimed frame: a fixed count keeps the run short.
BENCHMARK(BM_Tick)->ArgNames({"scene"})->Apply([](auto* b) { scene_names(b, false); })->UseManualTime()->Iterations(20000);

int main(int argc, char** argv) {
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) return 1;
    // The pixel layout of an X11 screen, as in the game.
    _rgb_r_shift_15 = 10; _rgb_g_shift_15 = 5; _rgb_b_shift_15 = 0;
    _rgb_r_shift_16 = 11; _rgb_g_shift_16 = 5; _rgb_b_shift_16 = 0;
    _rgb_r_shift_32 = 16; _rgb_g_shift_32 = 8; _rgb_b_shift_32 = 0;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
