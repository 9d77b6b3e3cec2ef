// Damaged data files must never crash or hang the start-up: each one either
// loads and serves every catalogue index (and its songs play), or is refused.
#include <allegro.h>
#include <cstdio>
#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

#include "load_in_child.h"
#include "mutants.h"
#include "sample_datafile.h"
#include "scratch_dir.h"

namespace {

struct Count {
    int files = 0, loaded = 0, refused = 0, crashed = 0, wrong = 0;
};

struct Tally {
    std::map<std::string, Count> kinds;
    std::vector<std::string> failures;

    void add(const std::string& kind, const std::string& what, LoadOutcome outcome, MustBe must) {
        Count& c = kinds[kind];
        c.files++;
        bool crashed = outcome == LoadOutcome::CRASHED || outcome == LoadOutcome::HUNG;
        bool wrong = (must == MustBe::REFUSED_BY_CHECK && outcome != LoadOutcome::REFUSED_BY_CHECK) ||
                     (must == MustBe::LOADED && outcome != LoadOutcome::LOADED);
        if (crashed || wrong) failures.push_back(kind + ": " + what + ": " + outcome_name(outcome));
        if (crashed) c.crashed++;
        else if (outcome == LoadOutcome::LOADED) c.loaded++;
        else c.refused++;
        if (wrong && !crashed) c.wrong++;
    }
};

bool store_mutant(const std::string& path, const Mutation& m, const Bytes& raw, const Bytes& image) {
    Bytes bytes = m.form == MutantForm::RAW_FILE ? raw : image;
    m.apply(bytes);
    if (m.form == MutantForm::RAW_FILE) return write_raw_file(path, bytes);
    return write_unpacked_image(path, bytes, m.form == MutantForm::PACKED_IMAGE);
}

void try_all(const std::vector<Mutation>& mutants, const std::string& good, const ScratchDir& scratch,
             const Bytes& raw, const Bytes& image, Tally& tally) {
    std::string path = scratch.file("mutant.dat");
    for (const Mutation& m : mutants) {
        ASSERT_TRUE(store_mutant(path, m, raw, image)) << m.what;
        tally.add(m.kind, good + ": " + m.what, load_in_child(path), m.must);
    }
}

void try_every_mutant(const std::string& good, const ScratchDir& scratch, unsigned seed, bool foreign_types,
                      Tally& tally) {
    Bytes raw = read_raw_file(good);
    Bytes image = read_unpacked_file(good);
    ASSERT_GT(image.size(), 8u) << good;
    ASSERT_EQ(load_in_child(good), LoadOutcome::LOADED) << good;
    try_all(make_mutations(raw, image, seed, foreign_types), good, scratch, raw, image, tally);
}

void expect_no_failures(const Tally& tally) {
    int files = 0;
    // "crashed": killed by a signal or a sanitizer, or out of time; "wrong": a
    // legal file refused, or a bomb let through.
    std::printf("%-34s %6s %7s %8s %8s %6s\n", "kind", "files", "loaded", "refused", "crashed", "wrong");
    for (const auto& [kind, c] : tally.kinds) {
        std::printf("%-34s %6d %7d %8d %8d %6d\n", kind.c_str(), c.files, c.loaded, c.refused, c.crashed, c.wrong);
        files += c.files;
    }
    for (size_t i = 0; i < tally.failures.size() && i < 40; i++) ADD_FAILURE() << tally.failures[i];
    EXPECT_TRUE(tally.failures.empty()) << tally.failures.size() << " of " << files << " files failed";
}

int files(const Tally& tally) {
    int n = 0;
    for (const auto& entry : tally.kinds) n += entry.second.files;
    return n;
}

}  // namespace

TEST(HostileDatafile, MutantsOfSampleFilesAreLoadedOrRefusedWithoutCrashing) {
    ScratchDir scratch;
    Tally tally;
    const SampleLayout layouts[] = {{true, false}, {false, true}};
    for (const SampleLayout& layout : layouts) {
        std::string good = scratch.file(layout.pack_file ? "packed.dat" : "objects_packed.dat");
        ASSERT_TRUE(write_sample_datafile(good, layout));
        try_every_mutant(good, scratch, layout.pack_file ? 7u : 11u, true, tally);
    }
    std::string plain = scratch.file("plain.dat");
    ASSERT_TRUE(write_sample_datafile(plain, {false, false}));
    Bytes image = read_unpacked_file(plain);
    try_all(make_bombs(image), plain, scratch, read_raw_file(plain), image, tally);
    expect_no_failures(tally);
    EXPECT_GE(files(tally), 3000);
    EXPECT_GT(tally.kinds["song events"].loaded, 0);  // damage in pixel and sound data is harmless
    EXPECT_GT(tally.kinds["data bytes"].loaded, 0);
}

TEST(HostileDatafile, MutantsOfTheGeneratedFileAreLoadedOrRefusedWithoutCrashing) {
    struct stat st;
    if (stat(VEXO_GENERATED_DATAFILE, &st) != 0) GTEST_SKIP() << "no generated " << VEXO_GENERATED_DATAFILE;
    ScratchDir scratch;
    Tally tally;
    // Other types at 25 and 29 are the sample files' rows: the same objects.
    try_every_mutant(VEXO_GENERATED_DATAFILE, scratch, 23u, false, tally);
    expect_no_failures(tally);
    EXPECT_GE(files(tally), 500);
}

// Names that are no regular file, or one that reads shorter than its size:
// the library's reader would block in the open or retry the read for ever.
TEST(HostileDatafile, FilesThatAreNotPlainFilesAreRefusedWithoutWaiting) {
    ScratchDir scratch;
    Tally tally;
    std::string fifo = scratch.file("fifo.dat");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    tally.add("not a regular file", "FIFO", load_in_child(fifo), MustBe::REFUSED_BY_CHECK);
    tally.add("not a regular file", "folder", load_in_child(scratch.file("")), MustBe::REFUSED_BY_CHECK);
    // Files under /sys claim a page of size and deliver a few bytes.
    int short_files = 0;
    for (const char* target : {"/sys/devices/system/cpu/online", "/sys/kernel/mm/transparent_hugepage/enabled",
                               "/sys/power/state"}) {
        struct stat st;
        if (stat(target, &st) != 0 || st.st_size <= 0) continue;
        std::string link = scratch.file("short" + std::to_string(short_files++) + ".dat");
        ASSERT_EQ(symlink(target, link.c_str()), 0);
        tally.add("reads short", target, load_in_child(link), MustBe::REFUSED_BY_CHECK);
    }
    expect_no_failures(tally);
    if (short_files == 0) std::printf("no file under /sys reads short here\n");
}
