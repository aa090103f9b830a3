#pragma once
// A broken invariant stops the fuzzer with the input that broke it.
#include <cstdio>
#include <cstdlib>

inline void Check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}
