// A broken property stops the fuzzer like a crash does, with the values that broke it.
#pragma once
#include <cstdio>
#include <cstdlib>

#define OV_FUZZ_CHECK(cond, ...)                                                                                       \
    do {                                                                                                               \
        if (!(cond)) {                                                                                                 \
            std::fprintf(stderr, "%s:%d: %s failed: ", __FILE__, __LINE__, #cond);                                     \
            std::fprintf(stderr, __VA_ARGS__);                                                                         \
            std::fputc('\n', stderr);                                                                                  \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (0)
