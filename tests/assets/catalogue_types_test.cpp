#include <gtest/gtest.h>

#include "asset_files.h"
#include "shell/catalogue.h"
#include "shell/datafile_check.h"

TEST(CatalogueTypes, FilePassesTheGamesOwnStructureCheck) {
    EXPECT_TRUE(datafile_structure_ok(VEXO_DATA_FILE));
}

TEST(CatalogueTypes, EveryIndexHoldsTheTypeTheGameTakesFromIt) {
    DATAFILE* file = vexo_dat();
    ASSERT_NE(file, nullptr);
    int count = 0;
    while (file[count].type != DAT_END) ++count;
    ASSERT_GE(count, CAT_OBJECT_COUNT);
    for (int i = 0; i < CAT_OBJECT_COUNT; ++i) {
        int wanted = catalogue_expected_type(i);
        if (wanted != 0) {
            EXPECT_EQ(file[i].type, wanted) << "object " << i;
        }
        EXPECT_NE(file[i].dat, nullptr) << "object " << i;
    }
    EXPECT_EQ(catalogue_first_bad_index(file), -1);
}

TEST(CatalogueTypes, ObjectsSitAtTheirCataloguePlaces) {
    DATAFILE* file = vexo_dat();
    ASSERT_NE(file, nullptr);
    // Spot checks of the crossed entries: names come from the grabbed files.
    EXPECT_STREQ(get_datafile_property(&file[CAT_BULLET_WEAPON_2], DAT_NAME), "BULLET_WEAPON_2_BMP");
    EXPECT_STREQ(get_datafile_property(&file[CAT_POWERUP_10], DAT_NAME), "POWERUP_10_BMP");
    EXPECT_STREQ(get_datafile_property(&file[CAT_SOUND_FIRE_1], DAT_NAME), "FIRE_WEAPON_1_WAV");
    EXPECT_STREQ(get_datafile_property(&file[CAT_SOUND_FIRE_2], DAT_NAME), "FIRE_WEAPON_2_WAV");
    EXPECT_STREQ(get_datafile_property(&file[CAT_SONG_0 + 5], DAT_NAME), "SONG6_MID");
}
