#pragma once

// Bytes the program holds from the heap right now: the sanitizer's own count
// in the sanitizer build (its allocator replaces malloc's), else malloc's.
long heap_bytes_in_use();
// Resident set size from /proc/self/statm, in bytes.
long resident_bytes();
