// The one check of the fuzz targets: a broken expectation aborts, so libFuzzer
// stores the input as a crash and says which line failed.
#pragma once
#include <cstdio>
#include <cstdlib>

#define QB_FUZZ_CHECK(condition)                                                               \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (0)
