#pragma once

#include <cstdio>
#include <cstdlib>

namespace qvx {

// Stops a fuzz run on a broken invariant, naming it.
inline void FuzzCheck(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "fuzz invariant broken: %s\n", what);
    std::abort();
}

} // namespace qvx
