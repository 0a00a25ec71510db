#pragma once

#include <QString>
#include <cstdio>
#include <cstdlib>

// A broken invariant is a crash to libFuzzer: it keeps the input and stops.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

// The same, with a text that shows what was read.
#define FUZZ_CHECK_SAYING(condition, text)                                                         \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: invariant broken: %s\n%s\n", __FILE__, __LINE__,          \
                #condition, qUtf8Printable(text));                                                 \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
