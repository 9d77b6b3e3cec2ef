#include <allegro.h>
#include <gtest/gtest.h>

#include "shell/catalogue.h"
#include "fakes/fake_datafile.h"

TEST(Catalogue, ExpectedTypes) {
    EXPECT_EQ(catalogue_expected_type(0), DAT_BITMAP);
    EXPECT_EQ(catalogue_expected_type(2), DAT_SAMPLE);
    EXPECT_EQ(catalogue_expected_type(7), DAT_BITMAP);
    EXPECT_EQ(catalogue_expected_type(16), DAT_SAMPLE);
    EXPECT_EQ(catalogue_expected_type(18), DAT_BITMAP);
    EXPECT_EQ(catalogue_expected_type(19), DAT_MIDI);
    EXPECT_EQ(catalogue_expected_type(24), DAT_MIDI);
    EXPECT_EQ(catalogue_expected_type(25), 0);
    EXPECT_EQ(catalogue_expected_type(26), DAT_SAMPLE);
    EXPECT_EQ(catalogue_expected_type(28), DAT_SAMPLE);
    EXPECT_EQ(catalogue_expected_type(29), 0);
}

TEST(Catalogue, AGoodFilePasses) {
    FakeDataFile file;
    EXPECT_EQ(catalogue_first_bad_index(file.objects()), -1);
}

TEST(Catalogue, ObjectTwentyFiveMayBeAnything) {
    FakeDataFile file;
    DATAFILE& unused = file.objects()[CAT_UNUSED];
    int saved = unused.type;
    unused.type = DAT_ID('D', 'A', 'T', 'A');
    EXPECT_EQ(catalogue_first_bad_index(file.objects()), -1);
    unused.type = saved;
}

TEST(Catalogue, TooFewObjectsNamesTheFirstMissingIndex) {
    FakeDataFile file;
    DATAFILE& last = file.objects()[28];
    int saved = last.type;
    last.type = DAT_END;
    EXPECT_EQ(catalogue_first_bad_index(file.objects()), 28);
    last.type = saved;
}

TEST(Catalogue, AWrongTypeNamesItsIndex) {
    const int cases[][2] = {
        {CAT_SHIP_1, DAT_SAMPLE},      // a bitmap index
        {CAT_SOUND_HIT, DAT_BITMAP},   // a sample index
        {CAT_SONG_0 + 3, DAT_SAMPLE},  // a MIDI index
    };
    for (const auto& c : cases) {
        FakeDataFile file;
        DATAFILE& obj = file.objects()[c[0]];
        int saved = obj.type;
        obj.type = c[1];
        EXPECT_EQ(catalogue_first_bad_index(file.objects()), c[0]);
        obj.type = saved;
    }
    EXPECT_STREQ(catalogue_type_name(DAT_MIDI), "MIDI");
    EXPECT_EQ(catalogue_first_bad_index(nullptr), 0);
}
