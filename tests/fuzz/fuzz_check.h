// A broken invariant inside a fuzz target: say which one and abort, so that libFuzzer keeps
// the input as a crash artifact.
#pragma once

#include <cstdio>
#include <cstdlib>

inline void FuzzCheck(bool holds, const char* invariant) {
    if (holds) return;
    std::fprintf(stderr, "fuzz invariant broken: %s\n", invariant);
    std::abort();
}
