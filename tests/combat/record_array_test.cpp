#include <climits>
#include <string>

#include <gtest/gtest.h>

#include "combat/bullet.h"
#include "combat/bullet_spawn.h"
#include "combat/record_array.h"
#include "combat/ship.h"

// The out-of-memory case asks for far more than any address space holds; the
// sanitizer build must answer that with a null block, as the plain build does,
// instead of stopping on its own.
extern "C" const char* __asan_default_options() { return "allocator_may_return_null=1"; }

namespace {

using testing::ExitedWithCode;

// The whole of what the process wrote on its error stream, not a pattern.
testing::Matcher<const std::string&> exactly(const char* text) {
    return testing::Matcher<const std::string&>(std::string(text));
}

TEST(RecordArrayDeathTest, IndexBelowZeroEndsTheProcess) {
    BulletList list;
    list.resize(3);
    EXPECT_EXIT(list.at(-1), ExitedWithCode(1), exactly("Illegal vector index: -1 max index = 2\n"));
}

TEST(RecordArrayDeathTest, IndexEqualToTheCountEndsTheProcess) {
    BulletList list;
    list.resize(3);
    EXPECT_EXIT(list.at(3), ExitedWithCode(1), exactly("Illegal vector index: 3 max index = 2\n"));
}

TEST(RecordArrayDeathTest, ReadOnlyAccessIsCheckedToo) {
    BulletList list;
    list.resize(3);
    const BulletList& read_only = list;
    EXPECT_EXIT(read_only.at(7), ExitedWithCode(1), exactly("Illegal vector index: 7 max index = 2\n"));
}

TEST(RecordArrayDeathTest, AnArrayNeverResizedHasNoValidIndex) {
    BulletList list;
    EXPECT_EQ(list.size(), 0);
    EXPECT_EXIT(list.at(0), ExitedWithCode(1), exactly("Illegal vector index: 0 max index = -1\n"));
    EXPECT_EXIT(list.at(-1), ExitedWithCode(1), exactly("Illegal vector index: -1 max index = -1\n"));
}

// Big enough that no machine can hand out INT_MAX of them.
struct Megabyte {
    char bytes[1 << 20];
};

TEST(RecordArrayDeathTest, AFailedGrowthEndsTheProcessWithAMessage) {
    RecordArray<Megabyte> huge;
    // The sanitizer build notes the refused allocation first; the game's
    // own line must be the last thing written.
    EXPECT_EXIT(huge.resize(INT_MAX), ExitedWithCode(1),
                "(^|\n)Out of memory growing a record array to 2147483647 records\n$");
}

TEST(RecordArray, GrowingByOneKeepsEveryRecordAtItsIndex) {
    BulletList list;
    list.resize(3);
    for (int i = 0; i < 3; i++) {
        list.at(i).kind = i + 1;
        list.at(i).damage = 10 * i;
        list.at(i).pos = Vec2(i, -i);
    }
    list.resize(list.size() + 1);

    ASSERT_EQ(list.size(), 4);
    for (int i = 0; i < 3; i++) {
        EXPECT_EQ(list.at(i).kind, i + 1);
        EXPECT_EQ(list.at(i).damage, 10 * i);
        EXPECT_DOUBLE_EQ(list.at(i).pos.x, i);
        EXPECT_DOUBLE_EQ(list.at(i).pos.y, -i);
    }
    EXPECT_EQ(list.at(3).kind, 0);
    EXPECT_EQ(list.at(3).width, 16);
    EXPECT_EQ(list.at(3).height, 16);
}

TEST(RecordArray, ShrinkingKeepsTheFirstRecords) {
    BulletList list;
    list.resize(3);
    list.at(0).damage = 4;
    list.at(2).damage = 9;
    list.resize(1);
    ASSERT_EQ(list.size(), 1);
    EXPECT_EQ(list.at(0).damage, 4);
}

// A ship places its shots in the first free record and grows its list only
// when every record is flying.
TEST(RecordArray, FreeRecordsAreReusedInIndexOrderBeforeGrowing) {
    next_player = 0;
    Ship shooter;
    Ship target;
    shooter.bullets.resize(3);
    shooter.bullets.at(1).kind = 1;
    shooter.bullets.at(1).angle = -1.0;

    spawn_bullet(shooter, target, 10.0, 1.0, false);
    ASSERT_EQ(shooter.bullets.size(), 3);
    EXPECT_NE(shooter.bullets.at(0).kind, 0);
    EXPECT_DOUBLE_EQ(shooter.bullets.at(0).angle, 10.0);
    EXPECT_EQ(shooter.bullets.at(2).kind, 0);

    spawn_bullet(shooter, target, 20.0, 1.0, false);
    ASSERT_EQ(shooter.bullets.size(), 3);
    EXPECT_DOUBLE_EQ(shooter.bullets.at(2).angle, 20.0);
    EXPECT_DOUBLE_EQ(shooter.bullets.at(1).angle, -1.0);

    spawn_bullet(shooter, target, 30.0, 1.0, false);
    ASSERT_EQ(shooter.bullets.size(), 4);
    EXPECT_NE(shooter.bullets.at(3).kind, 0);
    EXPECT_DOUBLE_EQ(shooter.bullets.at(3).angle, 30.0);
    EXPECT_DOUBLE_EQ(shooter.bullets.at(0).angle, 10.0);
    EXPECT_DOUBLE_EQ(shooter.bullets.at(2).angle, 20.0);
}

}  // namespace
