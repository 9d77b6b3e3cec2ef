#include <allegro.h>
#include <gtest/gtest.h>

#include "shell/catalogue.h"
#include "fakes/fake_datafile.h"

namespace {

struct Entry {
    int index, type;
};

class CatalogueType : public testing::TestWithParam<Entry> {};

// What the game takes from each index; an object of any other type there is
// named by its index, and index 25 may hold anything.
TEST_P(CatalogueType, IsExpectedAndAnyOtherTypeThereIsReported) {
    const Entry& e = GetParam();
    EXPECT_EQ(catalogue_expected_type(e.index), e.type);
    if (e.index >= CAT_OBJECT_COUNT) return;
    FakeDataFile file;
    DATAFILE& object = file.objects()[e.index];
    int saved = object.type;
    object.type = e.type == DAT_SAMPLE ? DAT_BITMAP : DAT_SAMPLE;
    EXPECT_EQ(catalogue_first_bad_index(file.objects()), e.type ? e.index : -1);
    object.type = saved;
}

INSTANTIATE_TEST_SUITE_P(Catalogue, CatalogueType, testing::Values(
    Entry{0, DAT_BITMAP}, Entry{1, DAT_BITMAP}, Entry{2, DAT_SAMPLE}, Entry{3, DAT_BITMAP},
    Entry{4, DAT_SAMPLE}, Entry{7, DAT_BITMAP}, Entry{15, DAT_BITMAP}, Entry{16, DAT_SAMPLE},
    Entry{17, DAT_BITMAP}, Entry{18, DAT_BITMAP}, Entry{19, DAT_MIDI}, Entry{22, DAT_MIDI},
    Entry{24, DAT_MIDI}, Entry{25, 0}, Entry{26, DAT_SAMPLE}, Entry{27, DAT_SAMPLE},
    Entry{28, DAT_SAMPLE}, Entry{29, 0}));

TEST(Catalogue, AGoodFilePassesAShortOneNamesItsFirstMissingIndex) {
    FakeDataFile file;
    EXPECT_EQ(catalogue_first_bad_index(file.objects()), -1);
    file.objects()[28].type = DAT_END;
    EXPECT_EQ(catalogue_first_bad_index(file.objects()), 28);
    file.objects()[28].type = DAT_SAMPLE;
    EXPECT_EQ(catalogue_first_bad_index(nullptr), 0);
    EXPECT_STREQ(catalogue_type_name(DAT_MIDI), "MIDI");
}

}  // namespace
