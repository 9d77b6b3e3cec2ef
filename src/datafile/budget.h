#pragma once

#include <cstdint>

// The shipped file unpacks to well under a megabyte. One allowance for the
// whole file: the unpacked image, every individually packed object, and the
// pixels the loader will allocate for each bitmap.
constexpr int64_t UNPACKED_BUDGET = 64LL << 20;

// The memory a file may make the game use, spent as the walk goes.
class Budget {
public:
    bool spend(int64_t bytes) {
        if (bytes < 0 || bytes > left) return false;
        left -= bytes;
        return true;
    }

private:
    int64_t left = UNPACKED_BUDGET;
};
