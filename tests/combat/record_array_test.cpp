#include <climits>
#include <string>

#include "combat_fixture.h"

// The out-of-memory case asks for far more than any address space holds; the
// sanitizer build must answer that with a null block, as the plain build does,
// instead of stopping on its own.
extern "C" const char* __asan_default_options() { return "allocator_may_return_null=1"; }

namespace {

struct BadIndex {
    int size, index;
    bool read_only;
    const char* message;
};

class RecordArrayDeathTest : public testing::TestWithParam<BadIndex> {};

// The whole of what the process writes on its error stream, and status 1.
TEST_P(RecordArrayDeathTest, EndsTheProcessNamingTheIndex) {
    const BadIndex& c = GetParam();
    BulletList list;
    if (c.size) list.resize(c.size);
    const BulletList& read_only = list;
    auto exactly = testing::Matcher<const std::string&>(std::string(c.message));
    if (c.read_only) EXPECT_EXIT(read_only.at(c.index), testing::ExitedWithCode(1), exactly);
    else EXPECT_EXIT(list.at(c.index), testing::ExitedWithCode(1), exactly);
}

INSTANTIATE_TEST_SUITE_P(Index, RecordArrayDeathTest, testing::Values(
    BadIndex{3, -1, false, "Illegal vector index: -1 max index = 2\n"},
    BadIndex{3, 3, false, "Illegal vector index: 3 max index = 2\n"},
    BadIndex{3, 7, true, "Illegal vector index: 7 max index = 2\n"},
    BadIndex{0, 0, false, "Illegal vector index: 0 max index = -1\n"}));

// Big enough that no machine can hand out INT_MAX of them.
struct Megabyte {
    char bytes[1 << 20];
};

TEST(RecordArrayMemoryDeathTest, AFailedGrowthEndsTheProcessWithAMessage) {
    RecordArray<Megabyte> huge;
    // The sanitizer build notes the refused allocation first; the game's
    // own line must be the last thing written.
    EXPECT_EXIT(huge.resize(INT_MAX), testing::ExitedWithCode(1),
                "(^|\n)Out of memory growing a record array to 2147483647 records\n$");
}

TEST(RecordArray, ResizingKeepsEveryRecordAtItsIndex) {
    BulletList list;
    list.resize(3);
    for (int i = 0; i < 3; i++) list.at(i).damage = 10 + i;
    list.resize(4);
    ASSERT_EQ(list.size(), 4);
    for (int i = 0; i < 3; i++) EXPECT_EQ(list.at(i).damage, 10 + i);
    EXPECT_EQ(list.at(3).kind, 0);
    list.resize(2);
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(list.at(1).damage, 11);
}

// A ship places its shots in the first free record and grows its list only
// when every record is flying.
TEST_F(CombatTest, FreeBulletRecordsAreReusedInIndexOrderBeforeGrowing) {
    Ship shooter, target;
    shooter.bullets.resize(3);
    shooter.bullets.at(1).kind = 9;
    for (int shot = 0; shot < 3; shot++) {
        shooter.fire_cooldown = 0;
        shooter.fire(target);
    }
    ASSERT_EQ(shooter.bullets.size(), 4);
    EXPECT_EQ(shooter.bullets.at(1).kind, 9);
    EXPECT_EQ(live_bullets(shooter), 4);
}

}  // namespace
