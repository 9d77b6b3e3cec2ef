// The structure check itself: every well-made file passes, and each kind of
// damage that would send the library's loader astray is refused.
#include <allegro.h>
#include <gtest/gtest.h>

#include "datafile_layout.h"
#include "sample_datafile.h"
#include "scratch_dir.h"
#include "shell/catalogue.h"
#include "shell/datafile_check.h"

namespace {

class DatafileCheck : public testing::Test {
protected:
    ScratchDir scratch;
    std::string good = scratch.file("good.dat");
    std::string damaged = scratch.file("damaged.dat");
    Bytes image;
    ImageLayout layout;

    void SetUp() override {
        ASSERT_TRUE(write_sample_datafile(good, {false, false}));
        image = read_unpacked_file(good);
        layout = map_image(image);
    }

    const ObjectFields& object(int index) const { return layout.objects[index]; }
    // Catalogue objects 0..25 come first; 25 is a nested file whose two
    // objects follow it, so the root's later objects sit two places on.
    const ObjectFields& root_object(int index) const { return layout.objects[index > 25 ? index + 2 : index]; }

    bool accepts(const Bytes& bytes) {
        EXPECT_TRUE(write_unpacked_image(damaged, bytes, false));
        return datafile_structure_ok(damaged.c_str());
    }
};

TEST_F(DatafileCheck, AcceptsSampleFilesInEveryPackingThatTheLibraryLoads) {
    const SampleLayout layouts[] = {{false, false}, {true, false}, {false, true}, {true, true}};
    for (const SampleLayout& l : layouts) {
        std::string path = scratch.file("layout.dat");
        ASSERT_TRUE(write_sample_datafile(path, l));
        EXPECT_TRUE(datafile_structure_ok(path.c_str())) << l.pack_file << l.pack_objects;
        DATAFILE* file = load_datafile(path.c_str());
        ASSERT_NE(file, nullptr);
        EXPECT_EQ(catalogue_first_bad_index(file), -1);
        unload_datafile(file);
    }
}

TEST_F(DatafileCheck, MapsTheSampleAsWritten) {
    ASSERT_EQ(layout.objects.size(), 32u);  // 29 catalogue objects, 2 nested, info
    EXPECT_EQ(object(CAT_SHIP_1).type, DAT_BITMAP);
    EXPECT_EQ(object(CAT_UNUSED).type, DAT_FILE);
    EXPECT_EQ(root_object(CAT_SOUND_FIRE_1).type, DAT_SAMPLE);
    EXPECT_EQ(layout.count_at.size(), 2u);
}

TEST_F(DatafileCheck, RefusesMissingAndForeignFiles) {
    EXPECT_FALSE(datafile_structure_ok(scratch.file("absent.dat").c_str()));
    EXPECT_FALSE(datafile_structure_ok(nullptr));
    Bytes not_ours = image;
    not_ours[3] = '!';  // "ALL!" instead of "ALL."
    EXPECT_FALSE(accepts(not_ours));
}

TEST_F(DatafileCheck, RefusesFilesCutShortOrRunningOn) {
    for (size_t cut : {size_t(0), size_t(4), size_t(8), image.size() / 2, image.size() - 1}) {
        Bytes shorter(image.begin(), image.begin() + cut);
        EXPECT_FALSE(accepts(shorter)) << cut;
    }
    Bytes longer = image;
    longer.push_back(0);
    EXPECT_FALSE(accepts(longer));
}

TEST_F(DatafileCheck, RefusesCountsAndSizesThatDoNotAddUp) {
    Bytes more = image;
    write_be32(more, layout.count_at[0], CAT_OBJECT_COUNT + 2);
    EXPECT_FALSE(accepts(more));

    Bytes huge_property = image;
    write_be32(huge_property, object(3).property_size_at[0], 0x7FFFFFFF);
    EXPECT_FALSE(accepts(huge_property));

    Bytes negative_property = image;
    write_be32(negative_property, object(3).property_size_at[0], -1);
    EXPECT_FALSE(accepts(negative_property));

    Bytes sizes_disagree = image;
    write_be32(sizes_disagree, object(3).unpacked_size_at, object(3).body_size + 1);
    EXPECT_FALSE(accepts(sizes_disagree));
}

TEST_F(DatafileCheck, RefusesBodiesWhoseHeaderDisagreesWithTheirSize) {
    Bytes wider = image;
    wider[object(CAT_SHIP_1).body_at + 3] += 1;  // width 12 -> 13
    EXPECT_FALSE(accepts(wider));

    Bytes odd_depth = image;
    odd_depth[object(CAT_SHIP_1).body_at + 1] = 17;
    EXPECT_FALSE(accepts(odd_depth));

    Bytes longer_sound = image;
    longer_sound[object(CAT_SOUND_HIT).body_at + 7] += 1;
    EXPECT_FALSE(accepts(longer_sound));

    Bytes no_beat = image;
    no_beat[object(CAT_SONG_0).body_at] = 0;
    no_beat[object(CAT_SONG_0).body_at + 1] = 0;
    EXPECT_FALSE(accepts(no_beat));

    Bytes longer_track = image;
    longer_track[object(CAT_SONG_0).body_at + 5] += 1;  // track 0 claims one byte more
    EXPECT_FALSE(accepts(longer_track));
}

TEST_F(DatafileCheck, RefusesTypesWhoseShapeTheBodyDoesNotHave) {
    // A font or an RLE sprite read from a bitmap's bytes would size its
    // tables from pixels; a palette is read as plain bytes and passes, for
    // the catalogue to name.
    for (long type : {long(DAT_FONT), long(DAT_RLE_SPRITE), long(DAT_END)}) {
        Bytes swapped = image;
        write_be32(swapped, object(CAT_SHIP_1).type_at, type);
        EXPECT_FALSE(accepts(swapped)) << type;
    }
    Bytes palette = image;
    write_be32(palette, object(CAT_SHIP_1).type_at, DAT_PALETTE);
    EXPECT_TRUE(accepts(palette));
}

TEST_F(DatafileCheck, RefusesSpritesTooWideToDrawButNotUndrawnBitmaps) {
    for (int width : {2048, 2049}) {
        for (int index : {int(CAT_SHIP_1), int(CAT_OBJECT_COUNT)}) {
            const ObjectFields& o = object(index == CAT_SHIP_1 ? CAT_SHIP_1 : 31);  // 31: the info object
            Bytes wide = image;
            Bytes body = {0, 8, static_cast<unsigned char>(width >> 8), static_cast<unsigned char>(width), 0, 1};
            body.resize(6 + static_cast<size_t>(width), 0x33);
            auto at = wide.begin() + static_cast<long>(o.body_at);
            wide.insert(wide.erase(at, at + o.body_size), body.begin(), body.end());
            write_be32(wide, o.type_at, DAT_BITMAP);
            write_be32(wide, o.stored_size_at, static_cast<long>(body.size()));
            write_be32(wide, o.unpacked_size_at, static_cast<long>(body.size()));
            EXPECT_EQ(accepts(wide), width <= 2048 || index != CAT_SHIP_1) << width << " at " << index;
        }
    }
}

TEST_F(DatafileCheck, PassesDamageThatOnlyChangesPixelsOrSoundsOrTypesOfEqualShape) {
    Bytes pixels = image;
    pixels[object(CAT_SHIP_1).body_at + 20] ^= 0xFF;
    EXPECT_TRUE(accepts(pixels));

    // A bitmap where a sample should be still has a sound structure: the check
    // lets it through and the catalogue check names the index.
    Bytes swapped = image;
    write_be32(swapped, object(CAT_SHIP_1).type_at, DAT_DATA);
    EXPECT_TRUE(accepts(swapped));
    DATAFILE* file = load_datafile(damaged.c_str());
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(catalogue_first_bad_index(file), CAT_SHIP_1);
    unload_datafile(file);
}

TEST_F(DatafileCheck, RefusesNestingDeeperThanTheLoaderCanFollow) {
    // Wrap the whole root in nine nested files.
    Bytes nested = image;
    for (int level = 0; level < 9; level++) {
        Bytes body(nested.begin() + 4, nested.end());  // count and objects
        Bytes wrapped = {'A', 'L', 'L', '.', 0, 0, 0, 1, 'F', 'I', 'L', 'E', 0, 0, 0, 0, 0, 0, 0, 0};
        write_be32(wrapped, 12, static_cast<long>(body.size()));
        write_be32(wrapped, 16, static_cast<long>(body.size()));
        wrapped.insert(wrapped.end(), body.begin(), body.end());
        nested = wrapped;
        if (level == 5) {
            EXPECT_TRUE(accepts(nested));
        }
    }
    EXPECT_FALSE(accepts(nested));
}

}  // namespace
