#include <gtest/gtest.h>

#include <vector>

#include "asset_files.h"
#include "shell/catalogue.h"

namespace {

int masked_pixels(BITMAP* b) {
    int n = 0;
    for (int y = 0; y < b->h; ++y)
        for (int x = 0; x < b->w; ++x) n += getpixel(b, x, y) == bitmap_mask_color(b);
    return n;
}

// The game's preset mode is 15 bits; no shaded colour may collapse onto the
// mask there, or holes would open in the sprites.
TEST(AllSprites, KeepEveryDrawnPixelWhenLoadedAtFifteenBits) {
    auto mask_counts = [](DATAFILE* file) {
        std::vector<int> counts;
        for (int i = 0; i < CAT_OBJECT_COUNT; ++i) {
            BITMAP* b = file[i].type == DAT_BITMAP ? static_cast<BITMAP*>(file[i].dat) : nullptr;
            if (b) counts.push_back(masked_pixels(b));
        }
        return counts;
    };
    set_color_depth(15);
    DATAFILE* fifteen = load_datafile(VEXO_DATA_FILE);
    set_color_depth(16);
    ASSERT_NE(fifteen, nullptr);
    std::vector<int> at_fifteen = mask_counts(fifteen);
    unload_datafile(fifteen);
    EXPECT_EQ(at_fifteen, mask_counts(vexo_dat()));
    EXPECT_EQ(at_fifteen.size(), 16u);
}

}  // namespace
