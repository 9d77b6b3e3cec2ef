// Damaged data files must never crash or hang the start-up: each one either
// loads and serves every catalogue index, or is refused.
#include <allegro.h>
#include <cstdio>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "load_in_child.h"
#include "mutants.h"
#include "sample_datafile.h"
#include "scratch_dir.h"

namespace {

struct Tally {
    int mutants = 0;
    int loaded = 0;
    std::vector<std::string> failures;
};

bool store_mutant(const std::string& path, const Mutation& m, const Bytes& raw, const Bytes& image) {
    Bytes bytes = m.form == MutantForm::RAW_FILE ? raw : image;
    m.apply(bytes);
    if (m.form == MutantForm::RAW_FILE) return write_raw_file(path, bytes);
    return write_unpacked_image(path, bytes, m.form == MutantForm::PACKED_IMAGE);
}

void try_every_mutant(const std::string& good, const ScratchDir& scratch, unsigned seed, Tally& tally) {
    Bytes raw = read_raw_file(good);
    Bytes image = read_unpacked_file(good);
    ASSERT_GT(image.size(), 8u) << good;
    ASSERT_EQ(load_in_child(good), LoadOutcome::LOADED) << good;

    std::string path = scratch.file("mutant.dat");
    for (const Mutation& m : make_mutations(raw, image, seed)) {
        ASSERT_TRUE(store_mutant(path, m, raw, image)) << m.what;
        LoadOutcome outcome = load_in_child(path);
        tally.mutants++;
        if (outcome == LoadOutcome::LOADED) tally.loaded++;
        bool crashed = outcome == LoadOutcome::CRASHED || outcome == LoadOutcome::HUNG;
        // A cut-short file must never reach the library's loader.
        bool reached_loader = m.truncation && outcome != LoadOutcome::REFUSED_BY_CHECK;
        if (crashed || reached_loader) tally.failures.push_back(good + ": " + m.what + ": " + outcome_name(outcome));
    }
}

void expect_no_failures(const Tally& tally) {
    std::printf("%d mutants: %d loaded, %d refused, %zu failed\n", tally.mutants, tally.loaded,
                tally.mutants - tally.loaded - static_cast<int>(tally.failures.size()), tally.failures.size());
    for (size_t i = 0; i < tally.failures.size() && i < 40; i++) ADD_FAILURE() << tally.failures[i];
    EXPECT_TRUE(tally.failures.empty()) << tally.failures.size() << " of " << tally.mutants << " mutants failed";
}

}  // namespace

TEST(HostileDatafile, MutantsOfSampleFilesAreLoadedOrRefusedWithoutCrashing) {
    ScratchDir scratch;
    Tally tally;
    const SampleLayout layouts[] = {{true, false}, {false, true}};
    for (const SampleLayout& layout : layouts) {
        std::string good = scratch.file(layout.pack_file ? "packed.dat" : "objects_packed.dat");
        ASSERT_TRUE(write_sample_datafile(good, layout));
        try_every_mutant(good, scratch, layout.pack_file ? 7u : 11u, tally);
    }
    expect_no_failures(tally);
    EXPECT_GE(tally.mutants, 1000);
    EXPECT_GT(tally.loaded, 0);  // damage in pixel and sound data is harmless
}

TEST(HostileDatafile, MutantsOfTheGeneratedFileAreLoadedOrRefusedWithoutCrashing) {
    struct stat st;
    if (stat(VEXO_GENERATED_DATAFILE, &st) != 0) GTEST_SKIP() << "no generated " << VEXO_GENERATED_DATAFILE;
    ScratchDir scratch;
    Tally tally;
    try_every_mutant(VEXO_GENERATED_DATAFILE, scratch, 23u, tally);
    expect_no_failures(tally);
    EXPECT_GE(tally.mutants, 500);
}
