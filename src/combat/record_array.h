#pragma once

#include <cstdio>
#include <cstdlib>
#include <new>

// Reports a bad index and ends the process: indexing outside a record array
// is a programming error the game cannot recover from.
[[noreturn]] void record_array_bad_index(int index, int count);
// Ends the process when a record array cannot grow.
[[noreturn]] void record_array_out_of_memory(int count);

// A growable block of records. Which records are in use is decided by a free
// marker inside each record; owners reuse free records before growing.
template <typename T>
class RecordArray {
public:
    RecordArray() = default;
    ~RecordArray() { delete[] items; }
    RecordArray(const RecordArray&) = delete;
    RecordArray& operator=(const RecordArray&) = delete;

    int size() const { return count; }

    T& at(int i) {
        if (i < 0 || i >= count) record_array_bad_index(i, count);
        return items[i];
    }
    const T& at(int i) const {
        if (i < 0 || i >= count) record_array_bad_index(i, count);
        return items[i];
    }

    // Always reallocates and moves every record: references taken from at()
    // before a resize are dead after it.
    void resize(int n) {
        int keep = n < count ? n : count;
        T* block = new (std::nothrow) T[n < 0 ? 0 : n];
        if (!block) record_array_out_of_memory(n);
        for (int i = 0; i < keep; i++) block[i] = items[i];
        delete[] items;
        items = block;
        count = n;
    }

private:
    int count = 0;
    T* items = nullptr;
};
